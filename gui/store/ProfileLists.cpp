#include "ProfileLists.h"

#include "common/HexXor.h"
#include "common/SplitList.h"

namespace cvn::store {
namespace {

constexpr std::size_t kShortestRoute = 8;
constexpr std::size_t kShortestAddedRoute = 28;

std::vector<std::string> Words(std::string_view text) { return SplitList(text, " "); }

}  // namespace

std::vector<RouteEntry> ParseRoutes(std::string_view text) {
  std::vector<RouteEntry> routes;
  for (const std::string& item : SplitList(text, "|")) {
    if (item.size() < kShortestRoute) continue;
    if (item[0] == '-') {
      routes.push_back({false, item.substr(1), {}, {}, {}});
    } else if (item[0] == '+' && item.size() >= kShortestAddedRoute) {
      const std::vector<std::string> words = Words(item.substr(1));
      RouteEntry route;
      if (!words.empty()) route.destination = words[0];
      if (words.size() > 2 && words[1] == "mask") route.mask = words[2];
      if (words.size() > 3) route.gateway = words[3];
      if (words.size() > 5 && words[4] == "metric") route.metric = words[5];
      routes.push_back(std::move(route));
    }
  }
  return routes;
}

std::string FormatRoutes(const std::vector<RouteEntry>& routes) {
  std::string text;
  for (const RouteEntry& route : routes) {
    if (!route.add) {
      text += "|-" + route.destination;
      continue;
    }
    text += "|+" + route.destination + " mask " + route.mask + " " + route.gateway;
    if (!route.metric.empty()) text += " metric " + route.metric;
  }
  return text;
}

std::string UserValueName(std::string_view unc) { return "U" + std::string(unc); }
std::string PasswordValueName(std::string_view unc) { return "P" + std::string(unc); }

std::vector<DriveMapping> ReadDriveMappings(const ValueSet& values) {
  std::vector<DriveMapping> mappings;
  for (const std::string& item : SplitList(values.Text("NetShare"), "|")) {
    if (item.size() < 3) continue;  // a drive without a path
    DriveMapping mapping{item.substr(0, 2), item.substr(2), {}, {}};
    mapping.user = values.Text(UserValueName(mapping.unc));
    // A damaged password value reads as no password rather than failing the whole profile.
    mapping.password = DecodeHexXor(values.Text(PasswordValueName(mapping.unc))).value_or("");
    mappings.push_back(std::move(mapping));
  }
  return mappings;
}

void StoreDriveMappings(ValueSet& values, const std::vector<DriveMapping>& mappings) {
  std::string list;
  for (const DriveMapping& mapping : mappings) {
    if (!list.empty()) list += '|';
    list += mapping.drive + mapping.unc;
    if (mapping.user.empty()) {
      values.Remove(UserValueName(mapping.unc));
      values.Remove(PasswordValueName(mapping.unc));
    } else {
      values.SetText(UserValueName(mapping.unc), mapping.user);
      values.SetText(PasswordValueName(mapping.unc), EncodeHexXor(mapping.password));
    }
  }
  values.SetText("NetShare", list);
}

std::vector<ShareEntry> ParseShares(std::string_view text) {
  std::vector<ShareEntry> shares;
  for (const std::string& item : SplitList(text, "|")) {
    const std::size_t slash = item.find('/');
    if (slash == std::string::npos || slash == 0) continue;
    const std::size_t question = item.find('?');
    ShareEntry share{item.substr(0, slash), {}, kDefaultSharePermissions};
    if (question == std::string::npos) {
      share.folder = item.substr(slash + 1);
    } else if (question < slash) {
      share.folder = kBrokenShareText;
    } else {
      share.folder = item.substr(slash + 1, question - slash - 1);
      share.permissions = item.substr(question + 1);
    }
    shares.push_back(std::move(share));
  }
  return shares;
}

std::string FormatShares(const std::vector<ShareEntry>& shares) {
  std::string text;
  for (const ShareEntry& share : shares) {
    text += "|" + share.name + "/" + share.folder + "?" + share.permissions;
  }
  return text;
}

std::vector<EnvEntry> ParseEnvironment(std::string_view text) {
  std::vector<EnvEntry> entries;
  for (const std::string& item : SplitList(text, "|")) {
    const std::size_t equals = item.find('=');
    if (equals == std::string::npos || equals < 2) continue;
    EnvEntry entry;
    if (item[0] >= '1' && item[0] <= '4') entry.operation = static_cast<EnvOperation>(item[0] - '0');
    entry.name = item.substr(1, equals - 1);
    entry.value = item.substr(equals + 1);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string FormatEnvironment(const std::vector<EnvEntry>& entries) {
  std::string text;
  for (const EnvEntry& entry : entries) {
    text += "|" + std::to_string(static_cast<int>(entry.operation)) + entry.name + "=" + entry.value;
  }
  return text;
}

std::optional<IniEntry> ParseIniEntry(std::string_view text) {
  const std::vector<std::string> parts = SplitList(text, "]");
  if (parts.size() < 4) return std::nullopt;
  return IniEntry{parts[0], parts[1], parts[2], parts[3]};
}

std::string FormatIniEntry(const IniEntry& entry) {
  return entry.path + "]" + entry.section + "]" + entry.key + "]" + entry.value;
}

std::string IniValueName(int index) { return "Ini" + std::to_string(index); }

std::vector<IniEntry> ReadIniEntries(const ValueSet& values) {
  std::vector<IniEntry> entries;
  const int count = values.Number("IniNum");
  for (int index = 0; index < count; ++index) {
    if (auto entry = ParseIniEntry(values.Text(IniValueName(index)))) entries.push_back(*entry);
  }
  return entries;
}

void StoreIniEntries(ValueSet& values, const std::vector<IniEntry>& entries) {
  const int count = static_cast<int>(entries.size());
  for (int index = 0; index < count; ++index) {
    values.SetText(IniValueName(index), FormatIniEntry(entries[index]));
  }
  values.SetNumber("IniNum", count);
  if (entries.empty()) values.SetFlag("sIni", false);
}

std::vector<ScriptEntry> ParseScripts(std::string_view text) {
  std::vector<ScriptEntry> scripts;
  for (const std::string& item : SplitList(text, ";")) {
    ScriptEntry script;
    script.state = item[0];
    script.wait = item.size() > 1 && item[1] == 'Y';
    const std::string rest = item.size() > 2 ? item.substr(2) : std::string();
    const std::size_t star = rest.find('*');
    script.path = rest.substr(0, star);
    if (star != std::string::npos) script.parameters = rest.substr(star + 1);
    scripts.push_back(std::move(script));
  }
  return scripts;
}

std::string FormatScripts(const std::vector<ScriptEntry>& scripts) {
  std::string text;
  for (const ScriptEntry& script : scripts) {
    text += ";";
    text += script.state;
    text += script.wait ? 'Y' : 'N';
    text += script.path;
    if (!script.parameters.empty()) text += "*" + script.parameters;
  }
  return text;
}

}  // namespace cvn::store
