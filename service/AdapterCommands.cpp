// Adapters as devices: found in the network device class, enabled, disabled, restarted,
// given a MAC override, and configured through the TCP/IP procedures.
#include <algorithm>

#include "CvnSrv.h"
#include "common/AdapterRequest.h"
#include "win/RegKey.h"
#include "common/Text.h"
#include "win/Text.h"

namespace cvn::service {
namespace {

using win::SameText;

constexpr char kNetClassGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kClassRoot[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";
constexpr std::size_t kGuidLength = 38;

std::string ReadMachineText(const std::string& path, const char* name) {
  win::RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path) != ERROR_SUCCESS) return {};
  try {
    return key.ReadString(name).value_or("");
  } catch (const win::RegistryError&) {
    return {};
  }
}

std::string AdapterGuid(const NetDevice& device) {
  return Trim(ReadMachineText(kClassRoot + device.driverKey, "NetCfgInstanceId"));
}

// As the adapter entries carry it: "~" and "|" cannot travel inside an entry.
std::string ConnectionName(const std::string& guid, bool ntFamily) {
  const std::string path = ntFamily ? "SYSTEM\\CurrentControlSet\\Control\\Network\\" + std::string(kNetClassGuid) +
                                          "\\" + guid + "\\Connection"
                                    : "SYSTEM\\CurrentControlSet\\Services\\" + guid + "\\Connection";
  std::string name = Trim(ReadMachineText(path, "Name"));
  std::replace(name.begin(), name.end(), '~', '_');
  std::replace(name.begin(), name.end(), '|', '_');
  return name;
}

std::string Identity(const NetDevice& device, const std::string& guid, int keyKind, bool ntFamily) {
  switch (keyKind) {
    case kKeyByConnectionName: return ConnectionName(guid, ntFamily);
    case kKeyByDescription: return Trim(device.description);
    default: return guid;
  }
}

}  // namespace

bool TCvnSrv::ChangeMac(const std::string& guid, const std::string& mac) {
  if (!platform_.os.ntFamily) return false;
  const std::string classPath = kClassRoot + std::string(kNetClassGuid);
  win::RegKey classKey;
  if (classKey.Open(HKEY_LOCAL_MACHINE, classPath) != ERROR_SUCCESS) return false;
  for (const std::string& instance : classKey.SubKeyNames()) {
    win::RegKey key;
    if (key.Open(classKey.Handle(), instance, KEY_READ | KEY_SET_VALUE) != ERROR_SUCCESS) continue;
    try {
      if (!SameText(Trim(key.ReadString("NetCfgInstanceId").value_or("")), guid)) continue;
      if (Trim(mac).empty() || SameText(mac, kRestoreMac)) key.DeleteValue("NetworkAddress");
      else key.WriteString("NetworkAddress", mac);
      return true;
    } catch (const win::RegistryError&) {
      continue;
    }
  }
  return false;
}

ServiceReply TCvnSrv::scRestartAdapter(const std::string& guid) {
  if (guid.size() < kGuidLength) return {kStatusFailed, {}};
  const std::unique_ptr<NetDeviceList> list = platform_.devices.Open();
  if (!list) return {kStatusFailed, {}};
  for (std::size_t i = 0; i < list->Devices().size(); ++i) {
    if (SameText(AdapterGuid(list->Devices()[i]), guid)) {
      return {list->ChangeState(i, kStateRestart, kScopeConfigSpecific) ? kStatusDone : kStatusFailed, {}};
    }
  }
  return {kStatusFailed, {}};
}

ServiceReply TCvnSrv::scSetAdapters(const std::string& payload, int keyKind) {
  if (payload.size() <= kGuidLength) return {kStatusFailed, "Invalid data\r\n"};
  const std::vector<std::string> entries = SplitAdapterEntries(payload);
  if (entries.empty()) return {kStatusPartly, "No data\r\n"};
  const std::unique_ptr<NetDeviceList> list = platform_.devices.Open();
  if (!list) return {kStatusFailed, "No network adapter installed\r\n"};

  std::vector<std::string> keys;
  for (const std::string& entry : entries) keys.push_back(entry.substr(0, entry.find(kFieldSeparator)));

  std::string reply;
  auto line = [&reply](const std::string& text) { reply += text + "\r\n"; };
  int errors = 0;
  std::size_t matched = 0;
  for (std::size_t device = 0; device < list->Devices().size() && matched < entries.size(); ++device) {
    const NetDevice& adapter = list->Devices()[device];
    const std::string guid = AdapterGuid(adapter);
    const std::string identity = Identity(adapter, guid, keyKind, platform_.os.ntFamily);
    const auto key = std::find_if(keys.begin(), keys.end(), [&](const std::string& k) { return SameText(k, identity); });
    if (key == keys.end()) continue;
    const std::size_t entry = static_cast<std::size_t>(key - keys.begin());
    ++matched;
    line("Adapter " + std::to_string(entry + 1) + ":");

    const std::vector<std::string> fields = SplitAdapterFields(entries[entry]);
    if (fields.size() < 2 || fields[afFlags].empty()) {
      line("Invalid parameters");
      ++errors;
      continue;
    }
    const std::string& flags = fields[afFlags];
    if (flags[0] == kEnableAdapter && adapter.disabled &&
        !list->ChangeState(device, kStateEnable, kScopeConfigSpecific) &&
        !list->ChangeState(device, kStateEnable, kScopeGlobal)) {
      line("Failed to enable");
      ++errors;
      continue;
    }
    if (flags[0] == kDisableAdapter) {
      if (adapter.disabled) {
        line("Done");
      } else if (list->ChangeState(device, kStateDisable, kScopeConfigSpecific)) {
        line("Disabled");
      } else {
        line("Failed to disable");
        ++errors;
      }
      continue;
    }
    if (flags.size() < 3 || fields.size() < kAdapterFieldCount) {
      line("Invalid parameters");
      ++errors;
      continue;
    }
    bool restart = false;
    bool macFailed = false;
    if (flags[2] == kChangeMac) {
      if (ChangeMac(guid, fields[afMac])) {
        restart = true;
      } else {
        line("Failed to change MAC address");
        macFailed = true;
      }
    }
    const auto netbios = static_cast<std::uint8_t>(fields[afNetbios][0]);
    const std::string result =
        flags[1] == kUseDhcp
            ? ConfigureDhcp(guid, fields[afDns], fields[afWins], fields[afSuffix], netbios, restart)
            : ConfigureStatic(guid, fields[afIp], fields[afMask], fields[afGateway], fields[afDns], fields[afWins],
                              fields[afSuffix], netbios, restart);
    reply += result;
    if (result.find("Done") == std::string::npos || macFailed) ++errors;
    if (restart && !list->ChangeState(device, kStateRestart, kScopeConfigSpecific)) {
      line("Restart this adapter to load new config");
    }
    // A stop request is noticed by the pipe loop's next wait, after this command returns.
  }
  return {errors == 0 ? kStatusDone : kStatusPartly, reply};
}

}  // namespace cvn::service
