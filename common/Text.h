#pragma once

#include <string>
#include <string_view>

namespace cvn {

// Without leading and trailing blanks and tabs.
std::string Trim(std::string_view text);

}  // namespace cvn
