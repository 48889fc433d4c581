// The profiles as sub-keys of HKCU\Software\Corvane: the list, whole-record load and save,
// and the create, rename, copy and delete commands of the profile list.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ValueSet.h"

namespace cvn::store {

inline constexpr char kAppKeyPath[] = "Software\\Corvane";

struct AdapterRecord {
  std::string guid;  // the sub-key name, "{...}"
  ValueSet values;
};

struct ProfileRecord {
  std::string name;
  ValueSet values;
  std::vector<AdapterRecord> adapters;  // in registry order
};

std::string ProfileKeyPath(const std::string& name);

std::vector<std::string> ListProfiles();
bool ProfileExists(const std::string& name);

// Empty when the profile key cannot be opened; win::RegistryError for a value of the
// wrong type.
std::optional<ProfileRecord> LoadProfile(const std::string& name);
// False when the profile key cannot be opened or created; win::RegistryError when the
// system refuses a write.
bool SaveProfile(const ProfileRecord& record);

// Each raises win::RegistryError with a message for the user when it cannot be done; a
// failed rename or copy leaves the source profile as it was.
void CreateProfile(const std::string& name, int icon, const std::string& remark);
void RenameProfile(const std::string& from, const std::string& to);
void CopyProfile(const std::string& from, const std::string& to);
void DeleteProfile(const std::string& name);

}  // namespace cvn::store
