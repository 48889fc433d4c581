#include "RegKey.h"

namespace cvn::win {
namespace {

[[noreturn]] void Fail(const std::string& what, LONG code) {
  throw RegistryError(what + " (error " + std::to_string(code) + ")", code);
}

[[noreturn]] void FailType(const std::string& name) {
  throw RegistryError("Invalid data type for '" + name + "'", ERROR_INVALID_DATATYPE);
}

// Size and type of a value, or nothing when it does not exist.
std::optional<std::pair<DWORD, DWORD>> QueryValue(HKEY key, const std::string& name) {
  DWORD type = 0, size = 0;
  const LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (rc != ERROR_SUCCESS) Fail("Cannot read '" + name + "'", rc);
  return std::make_pair(type, size);
}

std::vector<BYTE> ReadRaw(HKEY key, const std::string& name, DWORD& type) {
  DWORD size = 0;
  LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data;
  // The value may grow between the size query and the read.
  while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
    data.resize(size);
    rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
    if (rc == ERROR_SUCCESS) {
      data.resize(size);
      return data;
    }
  }
  Fail("Cannot read '" + name + "'", rc);
}

}  // namespace

RegistryError::RegistryError(const std::string& message, LONG code)
    : std::runtime_error(message), code_(code) {}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.Release();
  }
  return *this;
}

LONG RegKey::Open(HKEY parent, const std::string& path, REGSAM access) {
  Close();
  return RegOpenKeyExA(parent, path.c_str(), 0, access, &key_);
}

LONG RegKey::Create(HKEY parent, const std::string& path, REGSAM access) {
  Close();
  return RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                         nullptr, &key_, nullptr);
}

void RegKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

HKEY RegKey::Release() {
  HKEY key = key_;
  key_ = nullptr;
  return key;
}

bool RegKey::HasValue(const std::string& name) const {
  return RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

std::optional<DWORD> RegKey::ReadDword(const std::string& name) const {
  const auto info = QueryValue(key_, name);
  if (!info) return std::nullopt;
  if (info->first != REG_DWORD || info->second != sizeof(DWORD)) FailType(name);
  DWORD value = 0, size = sizeof value;
  const LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(&value), &size);
  if (rc != ERROR_SUCCESS) Fail("Cannot read '" + name + "'", rc);
  return value;
}

std::optional<std::string> RegKey::ReadString(const std::string& name) const {
  const auto info = QueryValue(key_, name);
  if (!info) return std::nullopt;
  if (info->first != REG_SZ && info->first != REG_EXPAND_SZ) FailType(name);
  DWORD type = 0;
  const std::vector<BYTE> data = ReadRaw(key_, name, type);
  std::string text(data.begin(), data.end());
  // Stored strings normally end in NUL; some writers omit it or add several.
  return text.substr(0, text.find('\0'));
}

void RegKey::WriteDword(const std::string& name, DWORD value) {
  const LONG rc = RegSetValueExA(key_, name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&value), sizeof value);
  if (rc != ERROR_SUCCESS) Fail("Cannot write '" + name + "'", rc);
}

void RegKey::WriteString(const std::string& name, const std::string& value) {
  const LONG rc = RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
  if (rc != ERROR_SUCCESS) Fail("Cannot write '" + name + "'", rc);
}

void RegKey::DeleteValue(const std::string& name) {
  const LONG rc = RegDeleteValueA(key_, name.c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) Fail("Cannot delete '" + name + "'", rc);
}

std::vector<std::string> RegKey::SubKeyNames() const {
  std::vector<std::string> names;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    const LONG rc = RegEnumKeyExA(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) Fail("Cannot list sub-keys", rc);
    names.emplace_back(name, length);
  }
  return names;
}

std::vector<RegValueInfo> RegKey::Values() const {
  std::vector<RegValueInfo> values;
  DWORD maxName = 0;
  LONG rc = RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &maxName, nullptr, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) Fail("Cannot list values", rc);
  std::vector<char> name(maxName + 1);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    DWORD type = 0;
    rc = RegEnumValueA(key_, index, name.data(), &length, nullptr, &type, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) Fail("Cannot list values", rc);
    values.push_back({std::string(name.data(), length), type});
  }
  return values;
}

bool KeyExists(HKEY parent, const std::string& path) {
  RegKey key;
  return key.Open(parent, path) == ERROR_SUCCESS;
}

void DeleteKeyTree(HKEY parent, const std::string& path) {
  RegKey key;
  LONG rc = key.Open(parent, path, KEY_READ | KEY_WRITE);
  if (rc == ERROR_FILE_NOT_FOUND) return;
  if (rc != ERROR_SUCCESS) Fail("Cannot open '" + path + "'", rc);
  for (const std::string& child : key.SubKeyNames()) DeleteKeyTree(key.Handle(), child);
  key.Close();
  rc = RegDeleteKeyA(parent, path.c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) Fail("Cannot delete '" + path + "'", rc);
}

void CopyKeyTree(const RegKey& from, HKEY toParent, const std::string& toPath) {
  RegKey to;
  LONG rc = to.Create(toParent, toPath);
  if (rc != ERROR_SUCCESS) Fail("Cannot create '" + toPath + "'", rc);
  for (const RegValueInfo& value : from.Values()) {
    DWORD type = 0;
    const std::vector<BYTE> data = ReadRaw(from.Handle(), value.name, type);
    rc = RegSetValueExA(to.Handle(), value.name.c_str(), 0, type, data.data(),
                        static_cast<DWORD>(data.size()));
    if (rc != ERROR_SUCCESS) Fail("Cannot write '" + value.name + "'", rc);
  }
  for (const std::string& child : from.SubKeyNames()) {
    RegKey source;
    rc = source.Open(from.Handle(), child);
    if (rc != ERROR_SUCCESS) Fail("Cannot open '" + child + "'", rc);
    CopyKeyTree(source, to.Handle(), child);
  }
}

}  // namespace cvn::win
