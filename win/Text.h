#pragma once

#include <windows.h>

#include <string>

namespace cvn::win {

// Equal without regard to case, by the system's rules (names, GUIDs, connection names).
inline bool SameText(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

}  // namespace cvn::win
