#include "SplitList.h"

namespace cvn {
namespace {

bool IsQuote(char c) { return c == '\'' || c == '"'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsIn(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

}  // namespace

std::vector<std::string> SplitList(std::string_view text, std::string_view separators,
                                   std::string_view whitespace) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string> items;
  std::size_t pos = 0;
  char openQuote = 0;
  while (pos < text.size()) {
    while (pos < text.size() && (IsIn(whitespace, text[pos]) || IsLineBreak(text[pos]))) ++pos;
    const std::size_t head = pos;
    for (; pos < text.size(); ++pos) {
      const char c = text[pos];
      if (IsQuote(c)) {
        if (openQuote == 0) openQuote = c;
        else if (openQuote == c) openQuote = 0;
      } else if (openQuote == 0 && (IsIn(separators, c) || IsLineBreak(c))) {
        break;
      }
    }
    if (pos > head) items.emplace_back(text.substr(head, pos - head));
    ++pos;  // past the separator
  }
  return items;
}

}  // namespace cvn
