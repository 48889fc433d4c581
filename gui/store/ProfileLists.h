// The lists a profile stores as one text value: parsed with the reading rules (items that
// are too short or malformed are skipped) and formatted back as the editor writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ValueSet.h"

namespace cvn::store {

// "Route": "|+dest mask M gateway[ metric N]" or "|-dest" per route.
struct RouteEntry {
  bool add = true;
  std::string destination, mask, gateway, metric;
};
std::vector<RouteEntry> ParseRoutes(std::string_view text);
std::string FormatRoutes(const std::vector<RouteEntry>& routes);

// "NetShare": "drive+UNC" items joined by "|"; the drive is "X:", "+:" (first free letter
// upwards from C:) or "-:" (first free letter downwards from Z:). The credentials live in
// the values "U"+UNC and "P"+UNC (the password encoded).
struct DriveMapping {
  std::string drive, unc, user, password;
};
std::string UserValueName(std::string_view unc);
std::string PasswordValueName(std::string_view unc);
std::vector<DriveMapping> ReadDriveMappings(const ValueSet& values);
// Sets "NetShare" and the credential values; a mapping without a user drops both.
void StoreDriveMappings(ValueSet& values, const std::vector<DriveMapping>& mappings);

// "Share": "|name/folder?permissions" per shared folder.
inline constexpr char kDefaultSharePermissions[] = "Everyone=R";
inline constexpr char kBrokenShareText[] = "error! Please remove this item.";
struct ShareEntry {
  std::string name, folder, permissions;
};
std::vector<ShareEntry> ParseShares(std::string_view text);
std::string FormatShares(const std::vector<ShareEntry>& shares);

// "Env": "|<operation digit>name=value" per variable.
enum class EnvOperation { Replace = 1, Append = 2, Remove = 3, Delete = 4 };
struct EnvEntry {
  EnvOperation operation = EnvOperation::Replace;
  std::string name, value;
};
std::vector<EnvEntry> ParseEnvironment(std::string_view text);
std::string FormatEnvironment(const std::vector<EnvEntry>& entries);

// "Ini<n>": "path]section]key]value"; fewer than four non-empty parts is no entry.
struct IniEntry {
  std::string path, section, key, value;
};
std::optional<IniEntry> ParseIniEntry(std::string_view text);
std::string FormatIniEntry(const IniEntry& entry);
std::string IniValueName(int index);
std::vector<IniEntry> ReadIniEntries(const ValueSet& values);
// Sets "IniNum", "Ini0".. and "sIni" (off for an empty list).
void StoreIniEntries(ValueSet& values, const std::vector<IniEntry>& entries);

// "ScriptsBefore" / "ScriptsAfter": ";" state wait path ["*" parameters] per program.
struct ScriptEntry {
  char state = '0';  // '0' normal, '1' minimized, '2' maximized, '3' hidden
  bool wait = false;
  std::string path, parameters;
};
std::vector<ScriptEntry> ParseScripts(std::string_view text);
std::string FormatScripts(const std::vector<ScriptEntry>& scripts);

}  // namespace cvn::store
