// A stand-in for wlanapi.dll: the Native Wi-Fi API over a simulated set of interfaces,
// networks in range, scan notifications and failures. Tests arrange it through the
// FakeWlan* exports; the library under test binds the Wlan* exports by name as usual.
#include <windows.h>
#include <wlanapi.h>

#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Bss {
  std::string ssid;
  BYTE bssid[6];
  LONG rssi;
  ULONG quality;
  DOT11_BSS_TYPE type;
  ULONG frequency;
};

struct Available {
  std::string ssid;
  DWORD flags;
  BOOL secure;
  DOT11_AUTH_ALGORITHM auth;
  DOT11_CIPHER_ALGORITHM cipher;
};

struct Interface {
  GUID guid;
  std::wstring description;
  BOOL autoconf = TRUE;
  DOT11_BSS_TYPE bssType = dot11_BSS_type_any;
  std::vector<Bss> bss;
  std::vector<Available> available;
  bool connected = false;
  std::string ssid;
  BYTE bssid[6] = {};
  ULONG channel = 0;
};

struct State {
  std::vector<Interface> interfaces;
  std::map<std::string, DWORD> failures;
  DWORD scanMode = 0;  // 0 completes, 1 reports failure, 2 never reports
  WLAN_NOTIFICATION_CALLBACK callback = nullptr;
  int openHandles = 0;
  int scans = 0;
  DWORD lastBssFilter = 0;
};

State& S() {
  static State state;
  return state;
}

HANDLE const kClient = reinterpret_cast<HANDLE>(0x5A17);

DWORD Failure(const char* function) {
  const auto it = S().failures.find(function);
  return it == S().failures.end() ? ERROR_SUCCESS : it->second;
}

Interface* Find(const GUID* guid) {
  for (Interface& item : S().interfaces) {
    if (guid && IsEqualGUID(item.guid, *guid)) return &item;
  }
  return nullptr;
}

// Like a misbehaving driver, reports the whole length of an over-long SSID.
void FillSsid(DOT11_SSID& target, const std::string& ssid) {
  target.uSSIDLength = static_cast<ULONG>(ssid.size());
  std::memcpy(target.ucSSID, ssid.data(), std::min<std::size_t>(ssid.size(), 32));
}

template <typename T>
T* Allocate(std::size_t bytes) {
  return static_cast<T*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes));
}

}  // namespace

extern "C" {

// Arranging the simulation.
void __stdcall FakeWlanReset() { S() = State{}; }
int __stdcall FakeWlanAddInterface(const GUID* guid, const wchar_t* description) {
  Interface item;
  item.guid = *guid;
  item.description = description;
  S().interfaces.push_back(item);
  return static_cast<int>(S().interfaces.size() - 1);
}
void __stdcall FakeWlanAddBss(int index, const char* ssid, const BYTE* bssid, LONG rssi, ULONG quality, DWORD type,
                              ULONG frequency) {
  Bss bss{ssid, {}, rssi, quality, static_cast<DOT11_BSS_TYPE>(type), frequency};
  std::memcpy(bss.bssid, bssid, 6);
  S().interfaces[index].bss.push_back(bss);
}
void __stdcall FakeWlanAddAvailable(int index, const char* ssid, DWORD flags, BOOL secure, DWORD auth, DWORD cipher) {
  S().interfaces[index].available.push_back(
      {ssid, flags, secure, static_cast<DOT11_AUTH_ALGORITHM>(auth), static_cast<DOT11_CIPHER_ALGORITHM>(cipher)});
}
void __stdcall FakeWlanSetOptions(int index, BOOL autoconf, DWORD bssType) {
  S().interfaces[index].autoconf = autoconf;
  S().interfaces[index].bssType = static_cast<DOT11_BSS_TYPE>(bssType);
}
void __stdcall FakeWlanSetConnection(int index, const char* ssid, const BYTE* bssid, ULONG channel) {
  Interface& item = S().interfaces[index];
  item.connected = ssid != nullptr;
  item.ssid = ssid ? ssid : "";
  if (bssid) std::memcpy(item.bssid, bssid, 6);
  item.channel = channel;
}
void __stdcall FakeWlanFail(const char* function, DWORD error) { S().failures[function] = error; }
void __stdcall FakeWlanSetScan(DWORD mode) { S().scanMode = mode; }
int __stdcall FakeWlanOpenHandles() { return S().openHandles; }
int __stdcall FakeWlanScans() { return S().scans; }
DWORD __stdcall FakeWlanLastBssFilter() { return S().lastBssFilter; }
void __stdcall FakeWlanGetOptions(int index, BOOL* autoconf, DWORD* bssType) {
  *autoconf = S().interfaces[index].autoconf;
  *bssType = S().interfaces[index].bssType;
}

// The Native Wi-Fi API.
DWORD WINAPI WlanOpenHandle(DWORD, PVOID, PDWORD negotiated, PHANDLE client) {
  if (const DWORD error = Failure("WlanOpenHandle")) return error;
  *negotiated = 2;
  *client = kClient;
  ++S().openHandles;
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanCloseHandle(HANDLE client, PVOID) {
  if (client != kClient) return ERROR_INVALID_HANDLE;
  --S().openHandles;
  return ERROR_SUCCESS;
}

VOID WINAPI WlanFreeMemory(PVOID memory) { HeapFree(GetProcessHeap(), 0, memory); }

DWORD WINAPI WlanEnumInterfaces(HANDLE, PVOID, PWLAN_INTERFACE_INFO_LIST* list) {
  if (const DWORD error = Failure("WlanEnumInterfaces")) return error;
  const std::size_t count = S().interfaces.size();
  auto* result = Allocate<WLAN_INTERFACE_INFO_LIST>(sizeof(WLAN_INTERFACE_INFO_LIST) + count * sizeof(WLAN_INTERFACE_INFO));
  result->dwNumberOfItems = static_cast<DWORD>(count);
  for (std::size_t i = 0; i < count; ++i) {
    result->InterfaceInfo[i].InterfaceGuid = S().interfaces[i].guid;
    lstrcpynW(result->InterfaceInfo[i].strInterfaceDescription, S().interfaces[i].description.c_str(), 256);
    result->InterfaceInfo[i].isState = S().interfaces[i].connected ? wlan_interface_state_connected
                                                                   : wlan_interface_state_disconnected;
  }
  *list = result;
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanQueryInterface(HANDLE, const GUID* guid, WLAN_INTF_OPCODE opcode, PVOID, PDWORD size, PVOID* data,
                                PWLAN_OPCODE_VALUE_TYPE) {
  if (const DWORD error = Failure("WlanQueryInterface")) return error;
  Interface* item = Find(guid);
  if (!item) return ERROR_NOT_FOUND;
  switch (opcode) {
    case wlan_intf_opcode_autoconf_enabled: {
      auto* value = Allocate<BOOL>(sizeof(BOOL));
      *value = item->autoconf;
      *size = sizeof(BOOL);
      *data = value;
      return ERROR_SUCCESS;
    }
    case wlan_intf_opcode_bss_type: {
      auto* value = Allocate<DOT11_BSS_TYPE>(sizeof(DOT11_BSS_TYPE));
      *value = item->bssType;
      *size = sizeof(DOT11_BSS_TYPE);
      *data = value;
      return ERROR_SUCCESS;
    }
    case wlan_intf_opcode_current_connection: {
      if (!item->connected) return ERROR_INVALID_STATE;
      auto* value = Allocate<WLAN_CONNECTION_ATTRIBUTES>(sizeof(WLAN_CONNECTION_ATTRIBUTES));
      value->isState = wlan_interface_state_connected;
      FillSsid(value->wlanAssociationAttributes.dot11Ssid, item->ssid);
      std::memcpy(value->wlanAssociationAttributes.dot11Bssid, item->bssid, 6);
      *size = sizeof(WLAN_CONNECTION_ATTRIBUTES);
      *data = value;
      return ERROR_SUCCESS;
    }
    case wlan_intf_opcode_channel_number: {
      if (!item->connected) return ERROR_INVALID_STATE;
      auto* value = Allocate<ULONG>(sizeof(ULONG));
      *value = item->channel;
      *size = sizeof(ULONG);
      *data = value;
      return ERROR_SUCCESS;
    }
    default: return ERROR_NOT_SUPPORTED;
  }
}

DWORD WINAPI WlanSetInterface(HANDLE, const GUID* guid, WLAN_INTF_OPCODE opcode, DWORD size, const PVOID data, PVOID) {
  if (const DWORD error = Failure("WlanSetInterface")) return error;
  Interface* item = Find(guid);
  if (!item || size < 4) return ERROR_INVALID_PARAMETER;
  if (opcode == wlan_intf_opcode_autoconf_enabled) item->autoconf = *static_cast<const BOOL*>(data);
  else if (opcode == wlan_intf_opcode_bss_type) item->bssType = *static_cast<const DOT11_BSS_TYPE*>(data);
  else return ERROR_NOT_SUPPORTED;
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanRegisterNotification(HANDLE, DWORD source, BOOL, WLAN_NOTIFICATION_CALLBACK callback, PVOID, PVOID,
                                      PDWORD) {
  S().callback = source == WLAN_NOTIFICATION_SOURCE_NONE ? nullptr : callback;
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanScan(HANDLE, const GUID* guid, const PDOT11_SSID, const PWLAN_RAW_DATA, PVOID) {
  if (const DWORD error = Failure("WlanScan")) return error;
  ++S().scans;
  const WLAN_NOTIFICATION_CALLBACK callback = S().callback;
  if (S().scanMode == 2 || !callback) return ERROR_SUCCESS;
  const DWORD code = S().scanMode == 0 ? wlan_notification_acm_scan_complete : wlan_notification_acm_scan_fail;
  const GUID interfaceGuid = *guid;
  // The service reports on a thread of its own, a moment later.
  std::thread([callback, code, interfaceGuid] {
    Sleep(20);
    WLAN_NOTIFICATION_DATA data{};
    data.NotificationSource = WLAN_NOTIFICATION_SOURCE_ACM;
    data.NotificationCode = code;
    data.InterfaceGuid = interfaceGuid;
    callback(&data, nullptr);
  }).detach();
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanGetNetworkBssList(HANDLE, const GUID* guid, const PDOT11_SSID, DOT11_BSS_TYPE type, BOOL, PVOID,
                                   PWLAN_BSS_LIST* list) {
  if (const DWORD error = Failure("WlanGetNetworkBssList")) return error;
  S().lastBssFilter = type;
  Interface* item = Find(guid);
  if (!item) return ERROR_NOT_FOUND;
  const std::size_t count = item->bss.size();
  auto* result = Allocate<WLAN_BSS_LIST>(sizeof(WLAN_BSS_LIST) + count * sizeof(WLAN_BSS_ENTRY));
  result->dwNumberOfItems = static_cast<DWORD>(count);
  // Every entry, whatever the filter: the library filters again itself.
  for (std::size_t i = 0; i < count; ++i) {
    WLAN_BSS_ENTRY& entry = result->wlanBssEntries[i];
    const Bss& bss = item->bss[i];
    FillSsid(entry.dot11Ssid, bss.ssid);
    std::memcpy(entry.dot11Bssid, bss.bssid, 6);
    entry.dot11BssType = bss.type;
    entry.lRssi = bss.rssi;
    entry.uLinkQuality = bss.quality;
    entry.ulChCenterFrequency = bss.frequency;
  }
  *list = result;
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanGetAvailableNetworkList(HANDLE, const GUID* guid, DWORD, PVOID, PWLAN_AVAILABLE_NETWORK_LIST* list) {
  if (const DWORD error = Failure("WlanGetAvailableNetworkList")) return error;
  Interface* item = Find(guid);
  if (!item) return ERROR_NOT_FOUND;
  const std::size_t count = item->available.size();
  auto* result = Allocate<WLAN_AVAILABLE_NETWORK_LIST>(sizeof(WLAN_AVAILABLE_NETWORK_LIST) +
                                                       count * sizeof(WLAN_AVAILABLE_NETWORK));
  result->dwNumberOfItems = static_cast<DWORD>(count);
  for (std::size_t i = 0; i < count; ++i) {
    WLAN_AVAILABLE_NETWORK& entry = result->Network[i];
    const Available& available = item->available[i];
    FillSsid(entry.dot11Ssid, available.ssid);
    entry.dwFlags = available.flags;
    entry.bSecurityEnabled = available.secure;
    entry.dot11DefaultAuthAlgorithm = available.auth;
    entry.dot11DefaultCipherAlgorithm = available.cipher;
  }
  *list = result;
  return ERROR_SUCCESS;
}

// Bound by the library, answered plainly: connecting and profiles are not simulated yet.
DWORD WINAPI WlanConnect(HANDLE, const GUID*, const PWLAN_CONNECTION_PARAMETERS, PVOID) { return ERROR_NOT_SUPPORTED; }
DWORD WINAPI WlanDisconnect(HANDLE, const GUID*, PVOID) { return ERROR_NOT_SUPPORTED; }
DWORD WINAPI WlanGetProfile(HANDLE, const GUID*, LPCWSTR, PVOID, LPWSTR*, DWORD*, PDWORD) { return ERROR_NOT_FOUND; }
DWORD WINAPI WlanSetProfile(HANDLE, const GUID*, DWORD, LPCWSTR, LPCWSTR, BOOL, PVOID, DWORD*) {
  return ERROR_NOT_SUPPORTED;
}
DWORD WINAPI WlanDeleteProfile(HANDLE, const GUID*, LPCWSTR, PVOID) { return ERROR_NOT_FOUND; }
DWORD WINAPI WlanGetProfileList(HANDLE, const GUID*, PVOID, PWLAN_PROFILE_INFO_LIST*) { return ERROR_NOT_SUPPORTED; }
DWORD WINAPI WlanSetProfilePosition(HANDLE, const GUID*, LPCWSTR, DWORD, PVOID) { return ERROR_NOT_SUPPORTED; }

}  // extern "C"
