// TCP/IP settings of one adapter and of the computer: the management interface for the
// settings, IP Helper for the address check and the lease renewal.
#include <algorithm>

#include "CvnSrv.h"
#include "WmiResultText.h"
#include "common/SplitList.h"
#include "win/RegKey.h"

namespace cvn::service {
namespace {

constexpr char kUnset[] = "?";
constexpr int kRebootRequired = 1;      // success, but the adapter must restart
constexpr int kDhcpNotConfigured = 81;  // harmless for addresses and gateways
constexpr DWORD kOperConnecting = 3;    // IF_OPER_STATUS_CONNECTING and above have a link
constexpr DWORD kDhcpSwitchMs = 1500;

std::vector<std::string> AsArray(const std::string& list) { return SplitList(list, ";"); }

// Reports a method's return value: 1 asks for a restart, other non-zero values are errors.
void Report(int result, const char* label, bool& restart, std::string& text) {
  if (result == kRebootRequired) restart = true;
  else if (result != 0) text += label + WmiResultText(result);
}

// Empty when the management service cannot be reached; a null object when it has no
// configuration for this adapter.
std::optional<std::unique_ptr<AdapterConfiguration>> TryOpen(Management& management, const std::string& guid) {
  try {
    return management.OpenAdapter(guid);
  } catch (const ManagementError&) {
    return std::nullopt;
  }
}

}  // namespace

void TCvnSrv::ApplyNameSettings(AdapterConfiguration& adapter, const std::string& dns, const std::string& wins,
                                const std::string& suffix, std::uint8_t netbios, bool& restart, std::string& text) {
  const std::vector<MethodArgument> noArguments;
  Report(dns != kUnset ? adapter.Invoke("SetDNSServerSearchOrder", {AsArray(dns)})
                       : adapter.Invoke("SetDNSServerSearchOrder", noArguments),
         "DNS:", restart, text);

  std::string primary, secondary;
  if (wins != kUnset) {
    if (wins.find(';') != std::string::npos) {
      const std::vector<std::string> servers = AsArray(wins);
      if (!servers.empty()) primary = servers[0];
      if (servers.size() > 1) secondary = servers[1];
    } else {
      primary = wins;
    }
  }
  Report(adapter.Invoke("SetWINSServer", {primary, secondary}), "WINS:", restart, text);

  if (suffix == "!") adapter.Invoke("SetDNSDomain", noArguments);
  else if (suffix != kUnset) adapter.Invoke("SetDNSDomain", {suffix});

  if (netbios != 0xFF) adapter.Invoke("SetTcpipNetbios", {static_cast<std::uint32_t>(netbios - 1)});
}

std::string TCvnSrv::ConfigureStatic(const std::string& guid, const std::string& ips, const std::string& masks,
                                     const std::string& gateways, const std::string& dns, const std::string& wins,
                                     const std::string& suffix, std::uint8_t netbios, bool& restart) {
  const auto opened = TryOpen(platform_.management, guid);
  if (!opened) return "OLE fault\r\n";
  AdapterConfiguration* adapter = opened->get();
  if (!adapter) return {};

  std::string text;
  if (gateways == kUnset && !adapter->DhcpEnabled()) {
    // Going through DHCP drops the gateways of the old static setting.
    adapter->Invoke("EnableDHCP", {});
    platform_.sleep(kDhcpSwitchMs);
  }
  const int addressResult = adapter->Invoke("EnableStatic", {AsArray(ips), AsArray(masks)});
  if (addressResult == kRebootRequired) restart = true;
  else if (addressResult != 0 && addressResult != kDhcpNotConfigured) text = "IP:" + WmiResultText(addressResult);

  if (gateways != kUnset) {
    const int gatewayResult = adapter->Invoke("SetGateways", {AsArray(gateways)});
    if (gatewayResult != kDhcpNotConfigured) Report(gatewayResult, "Gateway:", restart, text);
  }
  ApplyNameSettings(*adapter, dns, wins, suffix, netbios, restart, text);
  if (text.empty()) text = "Done\r\n";

  // A cabled adapter still showing other addresses has not taken the new ones yet.
  const std::optional<AdapterLink> link = platform_.links.Find(guid);
  if (link && link->operStatus >= kOperConnecting && !link->dhcpEnabled && link->addresses != ips) restart = true;
  return text;
}

std::string TCvnSrv::ConfigureDhcp(const std::string& guid, const std::string& dns, const std::string& wins,
                                   const std::string& suffix, std::uint8_t netbios, bool& restart) {
  const auto opened = TryOpen(platform_.management, guid);
  if (!opened) return "OLE failed\r\n";
  AdapterConfiguration* adapter = opened->get();
  if (!adapter) return {};

  std::string text;
  if (!adapter->DhcpEnabled()) {
    const int result = adapter->Invoke("EnableDHCP", {});
    if (result == kRebootRequired || platform_.os.major == 6) {
      restart = true;
      text = "Refresh adapter";
    } else if (result != 0) {
      text = "Enable DHCP:" + WmiResultText(result);
    }
  }
  ApplyNameSettings(*adapter, dns, wins, suffix, netbios, restart, text);
  text += text.empty() ? "Done\r\n" : "\r\nDone\r\n";

  // The management service cannot configure an adapter without link: set it in the registry.
  const std::optional<AdapterLink> link = platform_.links.Find(guid);
  if ((!link || link->operStatus < kOperConnecting) && platform_.os.ntFamily) {
    win::RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + guid,
                 KEY_SET_VALUE) == ERROR_SUCCESS) {
      try {
        key.WriteDword("EnableDHCP", 1);
      } catch (const win::RegistryError&) {
        // The management service's own setting stands.
      }
    }
  }
  return text;
}

ServiceReply TCvnSrv::scSetSuffixList(const std::string& list) {
  int result = 0;
  try {
    result = list != kUnset
                 ? platform_.management.InvokeClassMethod("SetDNSSuffixSearchOrder", {AsArray(list)})
                 : platform_.management.InvokeClassMethod("SetDNSSuffixSearchOrder", {});
  } catch (const ManagementError&) {
    return {kStatusFailed, "OLE error"};
  }
  if (result == 0) return {kStatusDone, {}};
  return {kStatusFailed, WmiResultText(result)};
}

ServiceReply TCvnSrv::scFlushDns() {
  const HMODULE dnsapi = LoadLibraryA("dnsapi.dll");
  if (!dnsapi) return {kStatusFailed, "DLL missing\r\n"};
  using FlushFunction = BOOL(WINAPI*)();
  const auto flush = reinterpret_cast<FlushFunction>(GetProcAddress(dnsapi, "DnsFlushResolverCache"));
  const bool flushed = flush && flush();
  FreeLibrary(dnsapi);
  if (flushed) return {kStatusDone, "Done\r\n"};
  return {kStatusFailed, "Unsupported DLL version\r\n"};
}

ServiceReply TCvnSrv::scRenewAddress(int interfaceIndex) {
  if (interfaceIndex == -1) return {kStatusFailed, {}};
  const std::optional<std::vector<int>> interfaces = platform_.leases.Interfaces();
  if (!interfaces || std::find(interfaces->begin(), interfaces->end(), interfaceIndex) == interfaces->end()) {
    return {kStatusFailed, {}};
  }
  DWORD result = platform_.leases.Release(interfaceIndex);
  if (result == NO_ERROR) result = platform_.leases.Renew(interfaceIndex);
  switch (result) {
    case NO_ERROR: return {kStatusDone, {}};
    case ERROR_FILE_NOT_FOUND:  // the cable is unplugged
    case ERROR_SEM_TIMEOUT:     // the DHCP server did not answer
      return {kStatusPartly, {}};
    default: return {kStatusFailed, {}};
  }
}

}  // namespace cvn::service
