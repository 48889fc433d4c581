#include "DottedQuad.h"

namespace cvn {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsOctetText(std::string_view part) {
  if (part.empty()) return false;
  unsigned value = 0;
  for (char c : part) {
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 255) return false;
  }
  return true;
}

}  // namespace

bool IsDottedQuad(std::string_view text) {
  if (text.empty() || text.front() == '.' || text.back() == '.') return false;
  int dots = 0;
  for (char c : text) {
    if (c == '.') ++dots;
    else if (!IsDigit(c)) return false;
  }
  if (dots != 3) return false;
  std::size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    const std::size_t end = part < 3 ? text.find('.', start) : text.size();
    if (!IsOctetText(text.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace cvn
