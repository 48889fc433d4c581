#include "NetworkComponent.h"

#include "common/AdapterRequest.h"
#include "common/Decimal.h"
#include "common/ServiceProtocol.h"
#include "gui/store/StoredValue.h"
#include "common/Text.h"

namespace cvn::activation {
namespace {

using store::ReadFlag;
using store::ReadText;

// A value the entry cannot carry empty; blanks alone would vanish in the service's splitter.
std::string Field(const std::string& value) { return Trim(value).empty() ? kUnsetField : value; }

DWORD WindowsMajorVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) ? version.dwMajorVersion : 0;
}

// One adapter's entry; false when the adapter was skipped.
bool AppendAdapter(const win::RegKey& adapter, const std::string& guid, int number, NetworkCommands& commands,
                   const std::function<void(const std::string&)>& log) {
  std::string& command = commands.adapters;
  const std::string before = command;
  command += guid + kFieldSeparator;
  std::string header = "Adapter " + std::to_string(number) + ": " + ReadText(adapter, "CardName");
  if (ReadFlag(adapter, "sDs")) {
    command += kDisableAdapter;
    command += kEntryEnd;
    log(header + "\r\nDisable");
    return true;
  }
  command += kEnableAdapter;
  if (ReadText(adapter, "Wifi").starts_with('Y')) commands.wireless = true;

  const std::string stateText = ReadText(adapter, "StateSn");
  if (Trim(stateText).empty()) {
    log("Parameter missing, skip");
    command = before + kEntryEnd;
    return false;
  }
  const int state = store::ParseStateSn(stateText);

  const std::string mac = ReadText(adapter, "MacAddress");
  const bool changeMac = (state & store::kStateChangeMac) != 0;
  const std::string macField = changeMac ? (mac.empty() ? kRestoreMac : mac) : kUnsetField;
  if (changeMac) header += mac.empty() ? "\r\nMAC: Orignal" : "\r\nMAC: " + mac;
  log(header);

  const char macByte = changeMac ? kChangeMac : kKeepMac;
  if (state & store::kStateDhcp) {
    command += kUseDhcp;
    command += macByte;
    const std::string dns = Trim(ReadText(adapter, "Dns"));
    if ((state & store::kStateStaticDns) && !dns.empty()) command += "|?|?|?|" + dns + "|?|";
    else command += "|?|?|?|?|?|";
    log("DHCP");
  } else {
    command += kUseStatic;
    command += macByte;
    std::string summary;
    const char* parts[][2] = {{"IP", "IP:"}, {"Mask", "/"}, {"Gateway", "\r\nGateway:"}, {"Dns", "\r\nDNS:"},
                              {"Wins", "\r\nWINS:"}};
    for (const auto& [name, label] : parts) {
      const std::string value = ReadText(adapter, name);
      command += kFieldSeparator + Field(value);
      if (!value.empty()) summary += label + value;
    }
    command += kFieldSeparator;
    log(summary);
  }

  if (state & store::kStateConnectionSuffix) {
    const std::string suffix = ReadText(adapter, "Suffix");
    command += (suffix.empty() ? "!" : suffix) + kFieldSeparator;
    log("Connection suffix:" + suffix);
  } else {
    command += std::string(kUnsetField) + kFieldSeparator;
  }
  command += macField;

  int netbios = ParseDecimal(ReadText(adapter, "Misc")).value_or(0);
  if (netbios > 3) {
    commands.flush = true;
    netbios -= 4;
  }
  command += kFieldSeparator;
  if (netbios >= 1 && netbios <= 3) {
    command += static_cast<char>(netbios);
    log("WinBIOS:" + std::to_string(netbios));
  } else {
    command += static_cast<char>(kNetbiosUnchanged);
  }
  command += kEntryEnd;
  if (state & store::kStateSearchList) commands.suffix = true;
  return true;
}

}  // namespace

NetworkCommands BuildNetworkCommands(const win::RegKey& profile, const std::function<void(const std::string&)>& log) {
  NetworkCommands commands;
  int number = 0;
  for (const std::string& guid : profile.SubKeyNames()) {
    win::RegKey adapter;
    if (adapter.Open(profile.Handle(), guid) != ERROR_SUCCESS || !ReadFlag(adapter, "sIP")) continue;
    if (AppendAdapter(adapter, guid, ++number, commands, log)) commands.present = true;
  }
  if (commands.adapters.size() > 1) commands.adapters.insert(commands.adapters.begin(), static_cast<char>(scSetAdapters));
  if (commands.suffix) {
    const std::string suffixes = ReadText(profile, "Suffixes");
    commands.suffixes = std::string(1, static_cast<char>(scSetSuffixList)) + (suffixes.empty() ? "?" : suffixes);
    log("DNS suffixes:" + suffixes);
  }
  return commands;
}

void ApplyNetwork(ActivationContext& run, bool startWifi, DWORD windowsMajor) {
  const int row = run.OpenRow("Network");
  const NetworkCommands commands = BuildNetworkCommands(run.Profile(), [&run](const std::string& line) { run.Log(line); });
  if (!commands.present) {
    run.Log("No settings found");
    run.CloseRow(row, kStatusDone);
    return;
  }
  run.Log("\r\n[Result]\r\n");
  if (!run.SendServiceCommand(commands.adapters, row)) return;
  if (commands.suffix && !run.SendServiceCommand(commands.suffixes, run.OpenRow("Suffixes"))) return;
  if (commands.wireless) {
    run.OpenRow("Wireless");
    if (startWifi) {
      run.SendServiceCommandIgnoringFailure(std::string(1, static_cast<char>(scControlService)) + "\x03" +
                                            (windowsMajor >= 6 ? "Wlansvc" : "WZCSVC"));
    }
    // Connecting the adapters to their wireless networks joins here.
  }
  if (commands.flush) run.SendServiceCommand("\x83\x83", run.OpenRow("Flush DNS cacher"));
}

ComponentStep NetworkStep(bool startWifi) {
  return {[](const win::RegKey& profile) { return ReadFlag(profile, "sNet"); },
          [startWifi](ActivationContext& run) { ApplyNetwork(run, startWifi, WindowsMajorVersion()); }};
}

}  // namespace cvn::activation
