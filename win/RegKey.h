// An owned registry key and the few typed operations the programs perform on it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cvn::win {

// A registry operation the system refused, or a value of an unexpected type.
class RegistryError : public std::runtime_error {
 public:
  RegistryError(const std::string& message, LONG code);
  LONG code() const { return code_; }

 private:
  LONG code_;
};

struct RegValueInfo {
  std::string name;
  DWORD type;
};

class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { Close(); }
  RegKey(RegKey&& other) noexcept : key_(other.Release()) {}
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // Both return the Win32 error code; ERROR_SUCCESS leaves the key open.
  LONG Open(HKEY parent, const std::string& path, REGSAM access = KEY_READ);
  LONG Create(HKEY parent, const std::string& path, REGSAM access = KEY_READ | KEY_WRITE);
  void Close();
  HKEY Release();

  bool IsOpen() const { return key_ != nullptr; }
  HKEY Handle() const { return key_; }

  bool HasValue(const std::string& name) const;
  // Empty when the value is missing; RegistryError when it has another type.
  std::optional<DWORD> ReadDword(const std::string& name) const;
  std::optional<std::string> ReadString(const std::string& name) const;
  // RegistryError when the system refuses the write.
  void WriteDword(const std::string& name, DWORD value);
  void WriteString(const std::string& name, const std::string& value);
  // A missing value is not an error.
  void DeleteValue(const std::string& name);

  std::vector<std::string> SubKeyNames() const;
  std::vector<RegValueInfo> Values() const;

 private:
  HKEY key_ = nullptr;
};

bool KeyExists(HKEY parent, const std::string& path);
// Removes a key with all its sub-keys; a missing key is not an error.
void DeleteKeyTree(HKEY parent, const std::string& path);
// Copies every value and sub-key of `from` into `to` (created when missing).
void CopyKeyTree(const RegKey& from, HKEY toParent, const std::string& toPath);

}  // namespace cvn::win
