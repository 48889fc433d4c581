// Reversible obfuscation of stored passwords: each byte XOR a cycling 8-character key,
// written as two upper-case hex digits. It hides text from a casual look, nothing more.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cvn {

std::string EncodeHexXor(std::string_view plain);
// Empty when the text is not pairs of hex digits (odd length, a stray character).
std::optional<std::string> DecodeHexXor(std::string_view encoded);

}  // namespace cvn
