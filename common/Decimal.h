#pragma once

#include <optional>
#include <string_view>

namespace cvn {

// A decimal integer with optional leading blanks and sign; empty for anything else,
// including a value that does not fit in an int.
std::optional<int> ParseDecimal(std::string_view text);

}  // namespace cvn
