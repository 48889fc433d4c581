// Networks in range, from the adapter's last scan, and the adapter's current connection.
#include <iphlpapi.h>

#include <cstring>

#include "Library.h"
#include "Wzc.h"

namespace cvn::wlan {
namespace {

constexpr DWORD kScanComplete = 7;  // wlan_notification_acm_scan_complete
constexpr DWORD kScanFail = 8;      // wlan_notification_acm_scan_fail
constexpr DWORD kScanWaitMs = 5000;
constexpr DWORD kOidMediaConnectStatus = 0x00010114;
constexpr DWORD kOidLinkSpeed = 0x00010107;
constexpr char kPacketScheduler[] = " - Packet Scheduler Miniport";
constexpr DWORD kAvailableNetworkHasProfile = 0x2;  // WLAN_AVAILABLE_NETWORK_HAS_PROFILE

// Runs on the Native Wi-Fi service's thread: only records the outcome of a scan.
VOID WINAPI OnNotification(PWLAN_NOTIFICATION_DATA data, PVOID) {
  if (data && (data->NotificationCode == kScanComplete || data->NotificationCode == kScanFail)) {
    Lib().lastScanNotification = data->NotificationCode;
    SetEvent(Lib().scanEvent);
  }
}

DWORD ScanNative(const WifiAdapterEntry& adapter) {
  Library& lib = Lib();
  const NativeApi& api = lib.native;
  if (!api.registerNotification || !api.scan) return WLE_SCAN_FAILED;
  api.registerNotification(lib.client, WLAN_NOTIFICATION_SOURCE_ACM, FALSE, OnNotification, nullptr, nullptr, nullptr);
  ResetEvent(lib.scanEvent);
  lib.lastScanNotification = 0;
  const bool started = api.scan(lib.client, &adapter.guid, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  const bool signalled = started && WaitForSingleObject(lib.scanEvent, kScanWaitMs) == WAIT_OBJECT_0;
  api.registerNotification(lib.client, WLAN_NOTIFICATION_SOURCE_NONE, FALSE, nullptr, nullptr, nullptr, nullptr);
  return signalled && lib.lastScanNotification == kScanComplete ? 0 : WLE_SCAN_FAILED;
}

DOT11_BSS_TYPE BssFilter(const WifiAdapterEntry& adapter) {
  switch (QueryNativeOption(adapter, 3)) {
    case 1: return dot11_BSS_type_infrastructure;
    case 0: return dot11_BSS_type_independent;
    default: return dot11_BSS_type_any;  // "any", or the option cannot be read
  }
}

DWORD EnumerateNative(WifiAdapterEntry& adapter, bool rescan) {
  if (rescan) {
    if (const DWORD error = ScanNative(adapter)) return error;
  }
  const NativeApi& api = Lib().native;
  const DOT11_BSS_TYPE filter = BssFilter(adapter);
  WLAN_BSS_LIST* list = nullptr;
  if (!api.getNetworkBssList ||
      api.getNetworkBssList(Lib().client, &adapter.guid, nullptr, filter, FALSE, nullptr, &list) != ERROR_SUCCESS) {
    return WLE_QUERY_FAILED;
  }
  for (DWORD i = 0; i < list->dwNumberOfItems && adapter.networks.size() < kMaxListEntries; ++i) {
    const WLAN_BSS_ENTRY& bss = list->wlanBssEntries[i];
    if (filter != dot11_BSS_type_any && bss.dot11BssType != filter) continue;
    VisibleNetworkEntry entry;
    entry.ssid.assign(reinterpret_cast<const char*>(bss.dot11Ssid.ucSSID), std::min<ULONG>(bss.dot11Ssid.uSSIDLength, 32));
    std::memcpy(entry.bssid, bss.dot11Bssid, 6);
    entry.rssi = bss.lRssi;
    entry.quality = bss.uLinkQuality;
    entry.type = bss.dot11BssType;
    entry.channel = ChannelFromFrequency(bss.ulChCenterFrequency);
    adapter.networks.push_back(std::move(entry));
  }
  if (api.freeMemory) api.freeMemory(list);
  return static_cast<DWORD>(adapter.networks.size());
}

// NDIS numbering of a Native Wi-Fi authentication algorithm: open and shared key move
// down by one, WPA to RSNA-PSK keep their numbers, the rest are 256 + n.
DWORD NdisAuthMode(DWORD algorithm) {
  if (algorithm == DOT11_AUTH_ALGO_80211_OPEN) return 0;
  if (algorithm == DOT11_AUTH_ALGO_80211_SHARED_KEY) return 1;
  if (algorithm >= DOT11_AUTH_ALGO_WPA && algorithm <= DOT11_AUTH_ALGO_RSNA_PSK) return algorithm;
  return 256 + algorithm;
}

struct NativeSecurity {
  bool secure;
  DWORD authMode;
  DWORD cipher;
};

// The network as the system sees it now, found by the SSID of the stored entry.
DWORD FindNativeSecurity(DWORD adapter, DWORD network, NativeSecurity& security) {
  const NativeApi& api = Lib().native;
  const WifiAdapterEntry& entry = Lib().adapters[adapter];
  WLAN_AVAILABLE_NETWORK_LIST* list = nullptr;
  if (!api.getAvailableNetworkList ||
      api.getAvailableNetworkList(Lib().client, &entry.guid, 0, nullptr, &list) != ERROR_SUCCESS) {
    return WLE_QUERY_FAILED;
  }
  DWORD result = WLE_LIST_CHANGED;
  const std::string& ssid = entry.networks[network].ssid;
  for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
    const WLAN_AVAILABLE_NETWORK& item = list->Network[i];
    if (item.dwFlags & kAvailableNetworkHasProfile) continue;
    if (std::string(reinterpret_cast<const char*>(item.dot11Ssid.ucSSID),
                    std::min<ULONG>(item.dot11Ssid.uSSIDLength, 32)) != ssid) {
      continue;
    }
    security.secure = item.bSecurityEnabled != FALSE;
    security.authMode = NdisAuthMode(item.dot11DefaultAuthAlgorithm);
    security.cipher = item.dot11DefaultCipherAlgorithm;
    result = 0;
    break;
  }
  if (api.freeMemory) api.freeMemory(list);
  return result;
}

DWORD WzcCipher(DWORD privacy) {
  switch (privacy) {
    case 0: return 257;  // WEP of unspecified length
    case 1: return 0;
    case 4: return 2;  // TKIP
    case 6: return 4;  // AES
    default: return 256 + privacy;
  }
}

// Connected as the driver reports it.
bool MediaConnected(const WifiAdapterEntry& adapter) {
  DWORD status = 1, returned = 0;
  return DriverQuery(ToAnsi(adapter.guidText), kOidMediaConnectStatus, &status, sizeof status, &returned) == 0 &&
         returned == 4 && status == 0;
}

constexpr DWORD kOid80211Configuration = 0x0D010211;

// The connected SSID's length for the WZC current-connection exports: an error code, or
// WLE_NOT_CONNECTED when there is no connection.
DWORD WzcConnectedSsid(DWORD adapter, DWORD bufferSize) {
  std::vector<char> name(bufferSize);
  const DWORD length = GetCurrentNetworkName(adapter, name.data(), bufferSize);
  if (IsWlanError(length)) return length;
  return length == 0 ? WLE_NOT_CONNECTED : 0;
}

}  // namespace
}  // namespace cvn::wlan

using namespace cvn::wlan;

DWORD WINAPI EnumerateAvailableNetworks(DWORD adapter, DWORD rescan) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  WifiAdapterEntry& entry = Lib().adapters[adapter];
  entry.networks.clear();
  if (!Lib().useNative) return WzcEnumerateNetworks(entry, rescan != 0);
  return EnumerateNative(entry, rescan != 0);
}

DWORD WINAPI GetAvailableNetworkName(DWORD adapter, DWORD network, char* buf, DWORD size) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  return CopyOut(Lib().adapters[adapter].networks[network].ssid, buf, size);
}

DWORD WINAPI GetAvailableNetworkIndex(DWORD adapter, const char* ssid) {
  if (adapter >= Lib().adapters.size()) return WLE_BAD_ADAPTER;
  if (!ssid) return WLE_BAD_ARGUMENT;
  if (!Lib().initialised) return WLE_NOT_INITIALIZED;
  const auto& networks = Lib().adapters[adapter].networks;
  for (std::size_t i = 0; i < networks.size(); ++i) {
    if (networks[i].ssid == ssid) return static_cast<DWORD>(i);
  }
  return WLE_NOT_FOUND;
}

DWORD WINAPI GetAvailableNetworkRSSI(DWORD adapter, DWORD network) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  return static_cast<DWORD>(Lib().adapters[adapter].networks[network].rssi);
}

DWORD WINAPI GetAvailableNetworkSignalQuality(DWORD adapter, DWORD network) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  return Lib().adapters[adapter].networks[network].quality;
}

DWORD WINAPI GetAvailableNetworkType(DWORD adapter, DWORD network) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  return Lib().adapters[adapter].networks[network].type;
}

DWORD WINAPI GetAvailableNetworkChannel(DWORD adapter, DWORD network) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  return Lib().adapters[adapter].networks[network].channel;
}

DWORD WINAPI GetAvailableNetworkMac(DWORD adapter, DWORD network, BYTE* p0, BYTE* p1, BYTE* p2, BYTE* p3, BYTE* p4,
                                    BYTE* p5) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  BYTE* targets[] = {p0, p1, p2, p3, p4, p5};
  for (BYTE* target : targets) {
    if (!target) return WLE_BAD_ARGUMENT;
  }
  for (int i = 0; i < 6; ++i) *targets[i] = Lib().adapters[adapter].networks[network].bssid[i];
  return 0;
}

DWORD WINAPI IsAvailableNetworkSecure(DWORD adapter, DWORD network) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  if (!Lib().useNative) return Lib().adapters[adapter].networks[network].privacy != 1 ? 1 : 0;
  NativeSecurity security{};
  if (const DWORD error = FindNativeSecurity(adapter, network, security)) return error;
  return security.secure ? 1 : 0;
}

DWORD WINAPI GetAvailableNetworkAuthMode(DWORD adapter, DWORD network) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  if (!Lib().useNative) return Lib().adapters[adapter].networks[network].authMode;
  NativeSecurity security{};
  if (const DWORD error = FindNativeSecurity(adapter, network, security)) return error;
  return security.authMode;
}

DWORD WINAPI GetAvailableNetworkCipherMode(DWORD adapter, DWORD network) {
  if (const DWORD error = CheckNetwork(adapter, network)) return error;
  if (!Lib().useNative) return WzcCipher(Lib().adapters[adapter].networks[network].privacy);
  NativeSecurity security{};
  if (const DWORD error = FindNativeSecurity(adapter, network, security)) return error;
  return security.cipher;
}

DWORD WINAPI GetCurrentNetworkName(DWORD adapter, char* buf, DWORD size) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  WifiAdapterEntry& entry = Lib().adapters[adapter];
  if (!MediaConnected(entry)) return EmptyOut(buf, size);
  if (!Lib().useNative) {
    std::string ssid;
    if (const DWORD error = WzcCurrentSsid(entry, ssid)) return error;
    return ssid.empty() ? EmptyOut(buf, size) : CopyOut(ssid, buf, size);
  }
  const NativeApi& api = Lib().native;
  if (!api.queryInterface) return WLE_QUERY_FAILED;
  DWORD dataSize = 0;
  void* data = nullptr;
  const DWORD result =
      api.queryInterface(Lib().client, &entry.guid, wlan_intf_opcode_current_connection, nullptr, &dataSize, &data, nullptr);
  if (result == ERROR_INVALID_STATE) return EmptyOut(buf, size);
  if (result != ERROR_SUCCESS || !data) return WLE_QUERY_FAILED;
  const auto* attributes = static_cast<const WLAN_CONNECTION_ATTRIBUTES*>(data);
  const DOT11_SSID& ssid = attributes->wlanAssociationAttributes.dot11Ssid;
  DWORD answer = EmptyOut(buf, size);
  if (attributes->isState == wlan_interface_state_connected && ssid.uSSIDLength > 0) {
    answer = CopyOut(std::string(reinterpret_cast<const char*>(ssid.ucSSID), std::min<ULONG>(ssid.uSSIDLength, 32)),
                     buf, size);
  }
  if (api.freeMemory) api.freeMemory(data);
  return answer;
}

DWORD WINAPI GetCurrentNetworkChannel(DWORD adapter) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  if (!Lib().useNative) {
    if (const DWORD error = WzcConnectedSsid(adapter, 256)) return error;
    BYTE configuration[32] = {};
    DWORD returned = 0;
    if (DriverQuery(ToAnsi(Lib().adapters[adapter].guidText), kOid80211Configuration, configuration,
                    sizeof configuration, &returned) != 0 ||
        returned != sizeof configuration) {
      return WLE_DEVICE_QUERY_FAILED;
    }
    DWORD frequency = 0;
    std::memcpy(&frequency, configuration + 12, sizeof frequency);
    return frequency > 2411999 ? ChannelFromFrequency(frequency) : WLE_NOT_CONNECTED;
  }
  const NativeApi& api = Lib().native;
  if (!api.queryInterface) return WLE_QUERY_FAILED;
  DWORD dataSize = 0;
  void* data = nullptr;
  const DWORD result = api.queryInterface(Lib().client, &Lib().adapters[adapter].guid, wlan_intf_opcode_channel_number,
                                          nullptr, &dataSize, &data, nullptr);
  if (result == ERROR_INVALID_STATE) return WLE_NOT_CONNECTED;
  if (result != ERROR_SUCCESS || !data) return WLE_QUERY_FAILED;
  const DWORD channel = *static_cast<const ULONG*>(data);
  if (api.freeMemory) api.freeMemory(data);
  return channel;
}

DWORD WINAPI GetCurrentNetworkSpeed(DWORD adapter) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  DWORD speed = 0, returned = 0;
  if (DriverQuery(ToAnsi(Lib().adapters[adapter].guidText), kOidLinkSpeed, &speed, sizeof speed, &returned) == 0 &&
      returned == 4) {
    return speed * 100;
  }
  using GetIfTableFunction = DWORD(WINAPI*)(PMIB_IFTABLE, PULONG, BOOL);
  static const auto getIfTable = reinterpret_cast<GetIfTableFunction>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("Iphlpapi.dll"), "GetIfTable")));
  if (!getIfTable) return WLE_QUERY_FAILED;
  ULONG size = 0;
  if (getIfTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER) return WLE_QUERY_FAILED;
  std::vector<BYTE> buffer(size);
  auto* table = reinterpret_cast<MIB_IFTABLE*>(buffer.data());
  if (getIfTable(table, &size, FALSE) != NO_ERROR) return WLE_QUERY_FAILED;
  char name[256];
  const DWORD length = GetAdapterName(adapter, name, sizeof name);
  if (IsWlanError(length)) return WLE_FAILED;
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    const MIB_IFROW& row = table->table[i];
    std::string description(reinterpret_cast<const char*>(row.bDescr),
                            strnlen(reinterpret_cast<const char*>(row.bDescr), std::min<DWORD>(row.dwDescrLen, MAXLEN_IFDESCR)));
    const std::size_t scheduler = description.find(kPacketScheduler);
    if (scheduler != std::string::npos) description.resize(scheduler);
    if (description == name) return row.dwSpeed;
  }
  return WLE_FAILED;
}

DWORD WINAPI GetCurrentNetworkMac(DWORD adapter, BYTE* p0, BYTE* p1, BYTE* p2, BYTE* p3, BYTE* p4, BYTE* p5) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  BYTE* targets[] = {p0, p1, p2, p3, p4, p5};
  for (BYTE* target : targets) {
    if (!target) return WLE_BAD_ARGUMENT;
  }
  if (!Lib().useNative) {
    char ssid[33];
    const DWORD length = GetCurrentNetworkName(adapter, ssid, sizeof ssid);
    if (IsWlanError(length)) return length;
    if (length == 0) return WLE_NOT_CONNECTED;
    return WzcCurrentMac(Lib().adapters[adapter], std::string(ssid, length), targets);
  }
  const NativeApi& api = Lib().native;
  if (!api.queryInterface) return WLE_QUERY_FAILED;
  DWORD dataSize = 0;
  void* data = nullptr;
  const DWORD result = api.queryInterface(Lib().client, &Lib().adapters[adapter].guid,
                                          wlan_intf_opcode_current_connection, nullptr, &dataSize, &data, nullptr);
  if (result == ERROR_INVALID_STATE) return WLE_NOT_CONNECTED;
  if (result != ERROR_SUCCESS || !data) return WLE_QUERY_FAILED;
  const auto* attributes = static_cast<const WLAN_CONNECTION_ATTRIBUTES*>(data);
  for (int i = 0; i < 6; ++i) *targets[i] = attributes->wlanAssociationAttributes.dot11Bssid[i];
  if (api.freeMemory) api.freeMemory(data);
  return 0;
}
