// The adapter list and the adapter-level exports.
#include "Library.h"
#include "Wzc.h"

#include <objbase.h>

namespace cvn::wlan {
namespace {

constexpr DWORD kAutoConfig = 0x8000;
constexpr DWORD kAccessModeBits = 0x3;
constexpr DWORD kAccessAdHoc = 0, kAccessInfrastructure = 1, kAccessAny = 2;
constexpr DWORD kOid80211Configuration = 0x0D010211;
constexpr DWORD kOidNative80211 = 0x0E01017F;
constexpr char kPacketScheduler[] = " - Packet Scheduler Miniport";

DWORD EnumerateNative() {
  Library& lib = Lib();
  const NativeApi& api = lib.native;
  if (!lib.client) {
    DWORD negotiated = 0;
    if (!api.openHandle || api.openHandle(2, nullptr, &negotiated, &lib.client) != ERROR_SUCCESS) {
      lib.client = nullptr;
      return WLE_NOT_INITIALIZED;
    }
  }
  WLAN_INTERFACE_INFO_LIST* list = nullptr;
  if (!api.enumInterfaces || api.enumInterfaces(lib.client, nullptr, &list) != ERROR_SUCCESS) return WLE_ENUM_FAILED;
  for (DWORD i = 0; i < list->dwNumberOfItems && lib.adapters.size() < kMaxListEntries; ++i) {
    const WLAN_INTERFACE_INFO& info = list->InterfaceInfo[i];
    WifiAdapterEntry entry;
    entry.guid = info.InterfaceGuid;
    wchar_t text[50];
    entry.guidText.assign(text, static_cast<std::size_t>(std::max(0, StringFromGUID2(info.InterfaceGuid, text, 50) - 1)));
    entry.description = info.strInterfaceDescription;
    lib.adapters.push_back(std::move(entry));
  }
  if (api.freeMemory) api.freeMemory(list);
  return static_cast<DWORD>(lib.adapters.size());
}

DWORD EnumerateWzc() {
  Library& lib = Lib();
  if (!lib.wzc.enumInterfaces) return WLE_NOT_INITIALIZED;
  WzcInterfaceTable table{};
  if (lib.wzc.enumInterfaces(nullptr, &table) != ERROR_SUCCESS) return WLE_ENUM_FAILED;
  for (DWORD i = 0; i < table.count; ++i) {
    if (lib.adapters.size() < kMaxListEntries && table.interfaces[i].guid) {
      WifiAdapterEntry entry;
      entry.guidText = table.interfaces[i].guid;
      lib.adapters.push_back(std::move(entry));
    }
    LocalFree(table.interfaces[i].guid);
  }
  LocalFree(table.interfaces);
  return static_cast<DWORD>(lib.adapters.size());
}

// A value the Native Wi-Fi service returns for one interface setting.
template <typename T>
DWORD QueryNative(const WifiAdapterEntry& adapter, WLAN_INTF_OPCODE opcode, T& value) {
  const NativeApi& api = Lib().native;
  if (!api.queryInterface) return WLE_QUERY_FAILED;
  DWORD size = 0;
  void* data = nullptr;
  const DWORD result = api.queryInterface(Lib().client, &adapter.guid, opcode, nullptr, &size, &data, nullptr);
  if (result != ERROR_SUCCESS || !data || size < sizeof(T)) {
    if (data && api.freeMemory) api.freeMemory(data);
    return result == ERROR_INVALID_STATE ? ERROR_INVALID_STATE : WLE_QUERY_FAILED;
  }
  value = *static_cast<const T*>(data);
  if (api.freeMemory) api.freeMemory(data);
  return 0;
}

}  // namespace

DWORD QueryNativeOption(const WifiAdapterEntry& adapter, DWORD mask) {
  DWORD result = 0;
  if (mask & kAutoConfig) {
    BOOL enabled = FALSE;
    if (QueryNative(adapter, wlan_intf_opcode_autoconf_enabled, enabled) != 0) return WLE_QUERY_FAILED;
    if (enabled) result |= kAutoConfig;
  }
  if ((mask & kAccessModeBits) == 0) return result;
  DOT11_BSS_TYPE type{};
  if (QueryNative(adapter, wlan_intf_opcode_bss_type, type) != 0) return WLE_QUERY_FAILED;
  if (type == dot11_BSS_type_infrastructure) result += kAccessInfrastructure;
  else if (type != dot11_BSS_type_independent) result += kAccessAny;
  return result;
}

}  // namespace cvn::wlan

using namespace cvn::wlan;

DWORD WINAPI EnumerateAdapters() {
  EnsureInitialised();
  Library& lib = Lib();
  ClearAdapters();
  if (!lib.scanEvent) lib.scanEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  return lib.useNative ? EnumerateNative() : EnumerateWzc();
}

DWORD WINAPI FreeAllResources() {
  Library& lib = Lib();
  if (!lib.initialised) return 0;
  ClearAdapters();
  if (lib.useNative && lib.client && lib.native.closeHandle) lib.native.closeHandle(lib.client, nullptr);
  lib.client = nullptr;
  if (lib.scanEvent) CloseHandle(lib.scanEvent);
  lib.scanEvent = nullptr;
  return 0;
}

DWORD WINAPI IsNativeWIFI() {
  EnsureInitialised();
  return Lib().useNative ? 1 : 0;
}

DWORD WINAPI GetAdapterGUID(DWORD adapter, char* buf, DWORD size) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  return CopyOut(ToAnsi(Lib().adapters[adapter].guidText), buf, size);
}

DWORD WINAPI GetAdapterName(DWORD adapter, char* buf, DWORD size) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  WifiAdapterEntry& entry = Lib().adapters[adapter];
  std::string name;
  if (Lib().useNative) name = ToAnsi(entry.description);
  else if (const DWORD error = WzcAdapterName(entry, name)) return error;
  const std::size_t scheduler = name.find(kPacketScheduler);
  if (scheduler != std::string::npos) name.resize(scheduler);
  return CopyOut(name, buf, size);
}

DWORD WINAPI GetAdapterOption(DWORD adapter, DWORD mask) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  if (!Lib().useNative) return WzcGetOption(Lib().adapters[adapter], mask);
  return QueryNativeOption(Lib().adapters[adapter], mask);
}

DWORD WINAPI SetAdapterOption(DWORD adapter, DWORD mask, DWORD value) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  if (!Lib().useNative) return WzcSetOption(Lib().adapters[adapter], mask, value);
  const NativeApi& api = Lib().native;
  const WifiAdapterEntry& entry = Lib().adapters[adapter];
  if (!api.setInterface) return WLE_SET_FAILED;
  if (mask & kAutoConfig) {
    BOOL enabled = (value & kAutoConfig) ? TRUE : FALSE;
    if (api.setInterface(Lib().client, &entry.guid, wlan_intf_opcode_autoconf_enabled, sizeof enabled, &enabled,
                         nullptr) != ERROR_SUCCESS) {
      return WLE_SET_FAILED;
    }
  }
  if (mask & kAccessModeBits) {
    const DWORD mode = value & kAccessModeBits;
    DOT11_BSS_TYPE type = dot11_BSS_type_independent;  // ad hoc only, also for 3
    if (mode == kAccessAny) type = dot11_BSS_type_any;
    else if (mode == kAccessInfrastructure) type = dot11_BSS_type_infrastructure;
    if (api.setInterface(Lib().client, &entry.guid, wlan_intf_opcode_bss_type, sizeof type, &type, nullptr) !=
        ERROR_SUCCESS) {
      return WLE_QUERY_FAILED;
    }
  }
  return 0;
}

DWORD WINAPI CheckAdapterBusyStatus(DWORD adapter, DWORD timeoutMs) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  return Lib().useNative ? 0 : WzcWaitUntilReady(Lib().adapters[adapter], timeoutMs);
}

DWORD WINAPI IsNetAdapterWiFi(const char* deviceName, DWORD tryNative) {
  if (!deviceName) return 0;
  BYTE answer[32] = {};
  DWORD returned = 0;
  if (DriverQuery(deviceName, kOid80211Configuration, answer, sizeof answer, &returned) == 0 && returned == 32) return 1;
  if ((tryNative & 0xFF) && DriverQuery(deviceName, kOidNative80211, answer, 4, &returned) == 0 && returned == 4) {
    return 1;
  }
  return 0;
}
