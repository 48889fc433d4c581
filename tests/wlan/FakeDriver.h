// What the adapter drivers answer to the library's NDIS queries, by object id: Wine has no
// NDIS drivers to ask.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace cvn::test {

inline std::map<DWORD, std::vector<BYTE>> driverAnswers;

inline DWORD FakeDriverQuery(const std::string&, DWORD objectId, void* out, DWORD outSize, DWORD* returned) {
  const auto it = driverAnswers.find(objectId);
  *returned = 0;
  if (it == driverAnswers.end()) return ERROR_NOT_SUPPORTED;
  const DWORD size = std::min<DWORD>(outSize, static_cast<DWORD>(it->second.size()));
  std::memcpy(out, it->second.data(), size);
  *returned = size;
  return ERROR_SUCCESS;
}

inline std::vector<BYTE> DwordAnswer(DWORD value) {
  std::vector<BYTE> bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

}  // namespace cvn::test
