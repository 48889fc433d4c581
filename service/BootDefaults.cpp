#include "BootDefaults.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/AdapterRequest.h"
#include "common/Decimal.h"
#include "win/RegKey.h"
#include "common/Text.h"
#include "win/Text.h"

namespace cvn::service {
namespace {

using win::SameText;

constexpr char kControlSection[] = "Cvn";

// One ini file read through the profile API, which compares names without regard to case.
class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  std::string Read(const std::string& section, const std::string& key, const std::string& fallback) const {
    std::vector<char> buffer(256);
    for (;;) {
      const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                                    buffer.data(), static_cast<DWORD>(buffer.size()),
                                                    path_.c_str());
      if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
      buffer.resize(buffer.size() * 2);
    }
  }

  int ReadInteger(const std::string& section, const std::string& key, int fallback) const {
    return ParseDecimal(Read(section, key, "")).value_or(fallback);
  }

  std::vector<std::string> Sections() const {
    std::vector<char> buffer(1024);
    DWORD length = 0;
    for (;;) {
      length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
      if (length + 2 < buffer.size()) break;
      buffer.resize(buffer.size() * 2);
    }
    std::vector<std::string> sections;
    for (const char* name = buffer.data(); name < buffer.data() + length && *name; name += strlen(name) + 1) {
      sections.emplace_back(name);
    }
    return sections;
  }

 private:
  std::string path_;
};

// Adapter keys travel inside "~"-ended, "|"-separated entries.
std::string EntryKey(std::string section) {
  std::replace(section.begin(), section.end(), '~', '_');
  std::replace(section.begin(), section.end(), '|', '_');
  return section;
}

std::string AdapterEntry(const IniFile& ini, const std::string& section) {
  std::string entry = EntryKey(section) + kFieldSeparator;
  if (ini.ReadInteger(section, "Enable", 1) == 0) {
    return entry + kDisableAdapter + kEntryEnd;
  }
  entry += kEnableAdapter;
  const bool restoreMac = ini.Read(section, "RestoreMAC", "0") == "1";
  const char macFlag = restoreMac ? kChangeMac : kKeepMac;
  if (ini.Read(section, "DHCP", "1") != "0") {
    entry += kUseDhcp;
    entry += macFlag;
    entry += restoreMac ? "|?|?|?|?|?|?|x|" : "|?|?|?|?|?|?|?|";
  } else {
    entry += kUseStatic;
    entry += macFlag;
    for (const char* key : {"IP", "Mask", "Gateway", "DNS", "Wins"}) {
      entry += kFieldSeparator + ini.Read(section, key, kUnsetField);
    }
    entry += restoreMac ? "|?|x|" : "|?|?|";
  }
  entry += static_cast<char>(kNetbiosUnchanged);
  return entry + kEntryEnd;
}

}  // namespace

std::optional<std::string> BootIniPath() {
  win::RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, "Software\\Corvane") != ERROR_SUCCESS) return std::nullopt;
  const auto path = key.ReadString("Path");
  if (!path) return std::nullopt;
  std::string folder = Trim(*path);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + "CvnDefIp.ini";
}

std::optional<BootRequest> ReadBootDefaults(const std::string& iniPath) {
  if (GetFileAttributesA(iniPath.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  const IniFile ini(iniPath);
  if (Trim(ini.Read(kControlSection, "Id", "")) != "CVN") return std::nullopt;
  const std::vector<std::string> sections = ini.Sections();
  if (sections.size() < 2) return std::nullopt;
  BootRequest request;
  for (const std::string& section : sections) {
    if (!SameText(section, kControlSection)) request.payload += AdapterEntry(ini, section);
  }
  if (request.payload.size() <= 4) return std::nullopt;
  request.keyKind = ini.ReadInteger(kControlSection, "Ref", kKeyByConnectionName);
  return request;
}

void BootDefaults(ServiceCommands& commands) {
  try {
    const auto path = BootIniPath();
    if (!path) return;
    if (const auto request = ReadBootDefaults(*path)) commands.scSetAdapters(request->payload, request->keyKind);
  } catch (...) {
    // A broken file or registry value must never keep the service from serving.
  }
}

}  // namespace cvn::service
