#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cvn {

// Splits at any character of `separators` and at CR and LF. Each item starts after any
// characters of `whitespace`, CR and LF; text between a pair of single or double quotes is
// never cut (the quotes stay in the item); empty items are dropped. The text ends at its
// first NUL, as it does on the pipe.
std::vector<std::string> SplitList(std::string_view text, std::string_view separators,
                                   std::string_view whitespace = " ");

}  // namespace cvn
