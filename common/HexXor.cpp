#include "HexXor.h"

namespace cvn {
namespace {

constexpr std::string_view kKey = "C41D09B2";
constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string EncodeHexXor(std::string_view plain) {
  std::string encoded;
  encoded.reserve(plain.size() * 2);
  for (std::size_t i = 0; i < plain.size(); ++i) {
    const auto byte = static_cast<unsigned char>(plain[i] ^ kKey[i % kKey.size()]);
    encoded += kHexDigits[byte >> 4];
    encoded += kHexDigits[byte & 0x0F];
  }
  return encoded;
}

std::optional<std::string> DecodeHexXor(std::string_view encoded) {
  if (encoded.size() % 2 != 0) return std::nullopt;
  std::string plain;
  plain.reserve(encoded.size() / 2);
  for (std::size_t i = 0; i < encoded.size(); i += 2) {
    const int high = HexValue(encoded[i]);
    const int low = HexValue(encoded[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    plain += static_cast<char>((high << 4 | low) ^ kKey[(i / 2) % kKey.size()]);
  }
  return plain;
}

}  // namespace cvn
