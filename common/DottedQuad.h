#pragma once

#include <string_view>

namespace cvn {

// True for a dotted IPv4 address: four non-empty decimal parts below 256, digits and dots
// only (no blanks anywhere), leading zeros allowed.
bool IsDottedQuad(std::string_view text);

}  // namespace cvn
