// Reading one profile value at a time, straight from an open key, by the store's rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "win/RegKey.h"

namespace cvn::store {

// A missing flag is off, a missing number is `fallback`, a missing text is empty.
// A value of another registry type raises win::RegistryError.
bool ReadFlag(const win::RegKey& key, const std::string& name);
std::int32_t ReadNumber(const win::RegKey& key, const std::string& name, std::int32_t fallback = 0);
std::string ReadText(const win::RegKey& key, const std::string& name);

// The adapter's "StateSn" bit set; an empty or non-numeric text reads as 1 (DHCP).
enum StateBits : int {
  kStateDhcp = 1,
  kStateConnectionSuffix = 2,
  kStateStaticDns = 4,
  kStateChangeMac = 8,
  kStateSearchList = 16,
};
int ParseStateSn(std::string_view text);

}  // namespace cvn::store
