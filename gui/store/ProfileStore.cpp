#include "ProfileStore.h"

#include "ProfileLists.h"
#include "ProfileSchema.h"
#include "StoredValue.h"
#include "win/RegKey.h"

namespace cvn::store {
namespace {

using win::RegKey;
using win::RegistryError;

bool SameName(const std::string& a, const std::string& b) { return !NameLess()(a, b) && !NameLess()(b, a); }

void CheckName(const std::string& name) {
  if (name.find_first_not_of(' ') == std::string::npos || name.find('\\') != std::string::npos) {
    throw RegistryError("Invalid profile name '" + name + "'", ERROR_INVALID_NAME);
  }
}

void RequireProfile(const std::string& name) {
  CheckName(name);
  if (!ProfileExists(name)) {
    throw RegistryError("Profile '" + name + "' not found", ERROR_FILE_NOT_FOUND);
  }
}

void RequireNoProfile(const std::string& name) {
  CheckName(name);
  if (ProfileExists(name)) {
    throw RegistryError("Profile '" + name + "' already exists", ERROR_ALREADY_EXISTS);
  }
}

// What the value table says a value is, or, for names outside it (drive-mapping
// credentials, ini entries), what the registry holds. Empty for types the store never uses.
std::optional<ValueKind> KindOf(std::span<const ValueEntry> table, const win::RegValueInfo& value) {
  if (const ValueEntry* entry = FindEntry(table, value.name)) return entry->kind;
  if (value.type == REG_DWORD) return ValueKind::Number;
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) return ValueKind::Text;
  return std::nullopt;
}

void LoadValues(const RegKey& key, std::span<const ValueEntry> table, ValueSet& values) {
  for (const win::RegValueInfo& value : key.Values()) {
    const auto kind = KindOf(table, value);
    if (!kind) continue;
    if (*kind == ValueKind::Text) {
      if (auto text = key.ReadString(value.name)) values.SetText(value.name, std::move(*text));
    } else if (auto number = key.ReadDword(value.name)) {
      if (*kind == ValueKind::Flag) values.SetFlag(value.name, *number != 0);
      else values.SetNumber(value.name, static_cast<std::int32_t>(*number));
    }
  }
}

// A guard names a flag, or a text whose first character must be "Y" ("Wifi").
bool GuardIsOn(const ValueSet& values, std::string_view guard) {
  if (guard.empty()) return true;
  const auto it = values.All().find(guard);
  if (it == values.All().end()) return false;
  if (it->second.kind == ValueKind::Text) return it->second.text.starts_with('Y');
  return it->second.number != 0;
}

void WriteValue(RegKey& key, const ValueEntry& entry, const ValueSet& values) {
  const std::string name(entry.name);
  switch (entry.kind) {
    case ValueKind::Flag: key.WriteDword(name, values.Flag(name) ? 1 : 0); break;
    case ValueKind::Number: key.WriteDword(name, static_cast<DWORD>(values.Number(name))); break;
    case ValueKind::Text: key.WriteString(name, values.Text(name)); break;
  }
}

void SaveValue(RegKey& key, const ValueEntry& entry, const ValueSet& values) {
  switch (entry.rule) {
    case SaveRule::Always:
      WriteValue(key, entry, values);
      break;
    case SaveRule::Guarded:
      if (GuardIsOn(values, entry.guard) && values.Has(entry.name)) WriteValue(key, entry, values);
      break;
    case SaveRule::WriteOrDelete:
      if (!GuardIsOn(values, entry.guard)) break;
      if (values.Has(entry.name) && (entry.kind != ValueKind::Text || !values.Text(entry.name).empty()))
        WriteValue(key, entry, values);
      else
        key.DeleteValue(std::string(entry.name));
      break;
    case SaveRule::NotSaved:
      break;
  }
}

void SaveMappingCredentials(RegKey& key, const ValueSet& values) {
  for (const DriveMapping& mapping : ReadDriveMappings(values)) {
    const std::string user = UserValueName(mapping.unc), password = PasswordValueName(mapping.unc);
    if (mapping.user.empty()) {
      key.DeleteValue(user);
      key.DeleteValue(password);
    } else {
      key.WriteString(user, mapping.user);
      key.WriteString(password, values.Text(password));
    }
  }
}

void SaveIniValues(RegKey& key, const ValueSet& values) {
  const int count = values.Number("IniNum");
  for (int index = 0; index < count; ++index) {
    const std::string name = IniValueName(index);
    key.WriteString(name, values.Text(name));
  }
}

void SaveValues(RegKey& key, std::span<const ValueEntry> table, const ValueSet& values) {
  for (const ValueEntry& entry : table) {
    SaveValue(key, entry, values);
    if (entry.name == "NetShare") SaveMappingCredentials(key, values);
    if (entry.name == "IniNum") SaveIniValues(key, values);
  }
}

// Copies the whole key; a copy that fails half-way is removed again.
void CopyProfileKey(const std::string& from, const std::string& to) {
  RegKey source;
  const LONG rc = source.Open(HKEY_CURRENT_USER, ProfileKeyPath(from));
  if (rc != ERROR_SUCCESS) throw RegistryError("Cannot open profile '" + from + "'", rc);
  try {
    win::CopyKeyTree(source, HKEY_CURRENT_USER, ProfileKeyPath(to));
  } catch (const RegistryError&) {
    win::DeleteKeyTree(HKEY_CURRENT_USER, ProfileKeyPath(to));
    throw;
  }
}

}  // namespace

std::string ProfileKeyPath(const std::string& name) { return std::string(kAppKeyPath) + "\\" + name; }

std::vector<std::string> ListProfiles() {
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, kAppKeyPath) != ERROR_SUCCESS) return {};
  return key.SubKeyNames();
}

bool ProfileExists(const std::string& name) {
  return !name.empty() && win::KeyExists(HKEY_CURRENT_USER, ProfileKeyPath(name));
}

std::optional<ProfileRecord> LoadProfile(const std::string& name) {
  if (name.empty()) return std::nullopt;
  RegKey key;
  if (key.Open(HKEY_CURRENT_USER, ProfileKeyPath(name)) != ERROR_SUCCESS) return std::nullopt;
  ProfileRecord record;
  record.name = name;
  LoadValues(key, ProfileValueTable(), record.values);
  for (const std::string& guid : key.SubKeyNames()) {
    RegKey adapterKey;
    if (adapterKey.Open(key.Handle(), guid) != ERROR_SUCCESS) continue;
    AdapterRecord adapter{guid, {}};
    LoadValues(adapterKey, AdapterValueTable(), adapter.values);
    record.adapters.push_back(std::move(adapter));
  }
  return record;
}

bool SaveProfile(const ProfileRecord& record) {
  CheckName(record.name);
  const std::string path = ProfileKeyPath(record.name);
  {
    RegKey key;
    if (key.Create(HKEY_CURRENT_USER, path) != ERROR_SUCCESS) return false;
    SaveValues(key, ProfileValueTable(), record.values);
  }
  for (const AdapterRecord& adapter : record.adapters) {
    RegKey key;
    if (adapter.guid.empty() || key.Create(HKEY_CURRENT_USER, path + "\\" + adapter.guid) != ERROR_SUCCESS)
      return false;
    SaveValues(key, AdapterValueTable(), adapter.values);
  }
  return true;
}

void CreateProfile(const std::string& name, int icon, const std::string& remark) {
  RequireNoProfile(name);
  RegKey key;
  const LONG rc = key.Create(HKEY_CURRENT_USER, ProfileKeyPath(name));
  if (rc != ERROR_SUCCESS) throw RegistryError("Cannot create profile '" + name + "'", rc);
  key.WriteDword("Icon", static_cast<DWORD>(icon));
  key.WriteString("Remark", remark);
}

void RenameProfile(const std::string& from, const std::string& to) {
  RequireProfile(from);
  CheckName(to);
  if (from == to) return;
  if (SameName(from, to)) {
    // Only the letter case changes: the registry sees one key, so go through a spare name.
    std::string spare = to + "~";
    while (ProfileExists(spare)) spare += "~";
    CopyProfileKey(from, spare);
    win::DeleteKeyTree(HKEY_CURRENT_USER, ProfileKeyPath(from));
    CopyProfileKey(spare, to);
    win::DeleteKeyTree(HKEY_CURRENT_USER, ProfileKeyPath(spare));
    return;
  }
  RequireNoProfile(to);
  CopyProfileKey(from, to);
  win::DeleteKeyTree(HKEY_CURRENT_USER, ProfileKeyPath(from));
}

void CopyProfile(const std::string& from, const std::string& to) {
  RequireProfile(from);
  RequireNoProfile(to);
  CopyProfileKey(from, to);
}

void DeleteProfile(const std::string& name) {
  CheckName(name);
  win::DeleteKeyTree(HKEY_CURRENT_USER, ProfileKeyPath(name));
}

}  // namespace cvn::store
