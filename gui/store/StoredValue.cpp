#include "StoredValue.h"

namespace cvn::store {

bool ReadFlag(const win::RegKey& key, const std::string& name) {
  return key.ReadDword(name).value_or(0) != 0;
}

std::int32_t ReadNumber(const win::RegKey& key, const std::string& name, std::int32_t fallback) {
  const auto value = key.ReadDword(name);
  return value ? static_cast<std::int32_t>(*value) : fallback;
}

std::string ReadText(const win::RegKey& key, const std::string& name) {
  return key.ReadString(name).value_or(std::string());
}

int ParseStateSn(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 9) return kStateDhcp;
  int bits = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return kStateDhcp;
    bits = bits * 10 + (c - '0');
  }
  return bits;
}

}  // namespace cvn::store
