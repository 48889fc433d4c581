// A stand-in for wzcsapi.dll: the Wireless Zero Configuration client over simulated
// adapters and networks in range. Built twice, once per interface-record layout, each with
// the file version that selects it. Tests arrange it through the FakeWzc* exports.
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "wlan/WzcRecord.h"

using namespace cvn::wlan;

#if FAKE_WZC_EXTENDED
using ServiceRecord = WzcRecordExtended;
#else
using ServiceRecord = WzcRecordBasic;
#endif

namespace {

struct Interface {
  std::wstring guid;
  std::wstring description;
  DWORD controlFlags;
  std::vector<WzcConfigEntry> visible;
  std::string ssid;
};

struct State {
  std::vector<Interface> interfaces;
  std::map<std::string, DWORD> failures;
  DWORD withheld = 0;         // parts never reported back
  int visibleAfterScan = 0;   // queries after a scan before the visible list is ready
  int queries = 0;
  int refreshes = 0;
  int outstanding = 0;        // records handed out and not yet released
  DWORD setResult = ERROR_SUCCESS;
  DWORD lastSetFlags = 0;
};

State& S() {
  static State state;
  return state;
}

DWORD Failure(const char* function) {
  const auto it = S().failures.find(function);
  return it == S().failures.end() ? ERROR_SUCCESS : it->second;
}

Interface* Find(const ServiceRecord* record) {
  if (!record || !record->head.guid) return nullptr;
  for (Interface& item : S().interfaces) {
    if (item.guid == record->head.guid) return &item;
  }
  return nullptr;
}

BYTE* Copy(const void* data, std::size_t size) {
  auto* copy = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, size ? size : 1));
  std::memcpy(copy, data, size);
  return copy;
}

}  // namespace

extern "C" {

// Arranging the simulation.
void __stdcall FakeWzcReset() { S() = State{}; }
BOOL __stdcall FakeWzcExtended() { return FAKE_WZC_EXTENDED; }
int __stdcall FakeWzcAddInterface(const wchar_t* guid, const wchar_t* description, DWORD controlFlags) {
  S().interfaces.push_back({guid, description, controlFlags, {}, {}});
  return static_cast<int>(S().interfaces.size() - 1);
}
void __stdcall FakeWzcAddVisible(int index, const char* ssid, const BYTE* bssid, LONG rssi, DWORD frequency,
                                 DWORD infrastructureMode, DWORD privacy, DWORD authentication) {
  WzcConfigEntry entry{};
  entry.length = sizeof entry;
  // An over-long SSID keeps its whole length, as a misbehaving service might report it.
  entry.ssidLength = static_cast<DWORD>(std::strlen(ssid));
  std::memcpy(entry.ssid, ssid, std::min<DWORD>(entry.ssidLength, 32));
  std::memcpy(entry.bssid, bssid, 6);
  entry.rssi = rssi;
  entry.frequency = frequency;
  entry.infrastructureMode = infrastructureMode;
  entry.privacy = privacy;
  entry.authenticationMode = authentication;
  S().interfaces[index].visible.push_back(entry);
}
void __stdcall FakeWzcSetSsid(int index, const char* ssid) { S().interfaces[index].ssid = ssid; }
DWORD __stdcall FakeWzcControlFlags(int index) { return S().interfaces[index].controlFlags; }
void __stdcall FakeWzcFail(const char* function, DWORD error) { S().failures[function] = error; }
void __stdcall FakeWzcWithhold(DWORD parts) { S().withheld = parts; }
void __stdcall FakeWzcVisibleAfterScan(int queries) { S().visibleAfterScan = queries; }
void __stdcall FakeWzcSetResult(DWORD result) { S().setResult = result; }
int __stdcall FakeWzcQueries() { return S().queries; }
int __stdcall FakeWzcRefreshes() { return S().refreshes; }
int __stdcall FakeWzcOutstanding() { return S().outstanding; }
DWORD __stdcall FakeWzcLastSetFlags() { return S().lastSetFlags; }

// The WZC client.
PVOID WINAPI MIDL_user_allocate(SIZE_T size) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size); }
VOID WINAPI MIDL_user_free(PVOID memory) { HeapFree(GetProcessHeap(), 0, memory); }

struct InterfaceKey {
  LPWSTR guid;
};
struct InterfaceTable {
  DWORD count;
  InterfaceKey* interfaces;
};

DWORD WINAPI WZCEnumInterfaces(LPWSTR, InterfaceTable* table) {
  if (const DWORD error = Failure("WZCEnumInterfaces")) return error;
  table->count = static_cast<DWORD>(S().interfaces.size());
  table->interfaces = static_cast<InterfaceKey*>(LocalAlloc(LPTR, sizeof(InterfaceKey) * (table->count + 1)));
  for (DWORD i = 0; i < table->count; ++i) {
    const std::wstring& guid = S().interfaces[i].guid;
    table->interfaces[i].guid = static_cast<LPWSTR>(LocalAlloc(LPTR, (guid.size() + 1) * sizeof(wchar_t)));
    std::memcpy(table->interfaces[i].guid, guid.c_str(), (guid.size() + 1) * sizeof(wchar_t));
  }
  return ERROR_SUCCESS;
}

DWORD WINAPI WZCQueryInterface(LPWSTR, DWORD inFlags, ServiceRecord* record, DWORD* outFlags) {
  if (const DWORD error = Failure("WZCQueryInterface")) return error;
  Interface* item = Find(record);
  if (!item) return ERROR_FILE_NOT_FOUND;
  ++S().queries;
  DWORD returned = 0;
  if (inFlags & kWzcControlFlags) {
    record->head.controlFlags = item->controlFlags;
    returned |= inFlags & kWzcControlFlags;
  }
  if (inFlags & kWzcDescription) {
    record->head.description = reinterpret_cast<LPWSTR>(
        Copy(item->description.c_str(), (item->description.size() + 1) * sizeof(wchar_t)));
    returned |= kWzcDescription;
  }
  if (inFlags & kWzcWepStatus) returned |= kWzcWepStatus;
  if ((inFlags & kWzcSsid) && !item->ssid.empty()) {
    record->tail.ssid = {static_cast<DWORD>(item->ssid.size()), Copy(item->ssid.data(), item->ssid.size())};
    returned |= kWzcSsid;
  }
  if (inFlags & kWzcVisibleList) {
    if (S().visibleAfterScan > 0) {
      --S().visibleAfterScan;
    } else {
      const std::size_t bytes = offsetof(WzcConfigList, entries) + item->visible.size() * sizeof(WzcConfigEntry);
      auto* list = reinterpret_cast<WzcConfigList*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes));
      list->count = static_cast<DWORD>(item->visible.size());
      if (!item->visible.empty()) std::memcpy(list->entries, item->visible.data(), item->visible.size() * sizeof(WzcConfigEntry));
      record->tail.visible = {static_cast<DWORD>(bytes), reinterpret_cast<BYTE*>(list)};
      returned |= kWzcVisibleList;
    }
  }
  *outFlags = returned & ~S().withheld;
  ++S().outstanding;
  return ERROR_SUCCESS;
}

DWORD WINAPI WZCSetInterface(LPWSTR, DWORD inFlags, ServiceRecord* record, DWORD* outFlags) {
  if (const DWORD error = Failure("WZCSetInterface")) return error;
  Interface* item = Find(record);
  if (!item) return ERROR_FILE_NOT_FOUND;
  S().lastSetFlags = inFlags;
  if (inFlags & kWzcControlFlags) item->controlFlags = record->head.controlFlags;
  *outFlags = inFlags;
  return S().setResult;
}

DWORD WINAPI WZCRefreshInterface(LPWSTR, DWORD, ServiceRecord* record, DWORD* outFlags) {
  if (const DWORD error = Failure("WZCRefreshInterface")) return error;
  if (!Find(record)) return ERROR_FILE_NOT_FOUND;
  ++S().refreshes;
  *outFlags = kWzcListScan;
  ++S().outstanding;
  return ERROR_SUCCESS;
}

VOID WINAPI WZCDeleteIntfObj(ServiceRecord* record) {
  // The caller must have taken its own GUID text back first.
  if (record->head.guid) return;
  for (void* buffer : {static_cast<void*>(record->head.description), static_cast<void*>(record->tail.ssid.data),
                       static_cast<void*>(record->tail.visible.data), static_cast<void*>(record->tail.preferred.data)}) {
    if (buffer) HeapFree(GetProcessHeap(), 0, buffer);
  }
  record->head.description = nullptr;
  record->tail.ssid = record->tail.visible = record->tail.preferred = {};
  --S().outstanding;
}

// Bound by the library, not simulated.
DWORD WINAPI WZCPassword2Key(PVOID, LPCSTR) { return ERROR_NOT_SUPPORTED; }
DWORD WINAPI WZCEapolGetInterfaceParams(LPWSTR, PVOID) { return ERROR_NOT_SUPPORTED; }
DWORD WINAPI WZCEapolSetInterfaceParams(LPWSTR, PVOID) { return ERROR_NOT_SUPPORTED; }
DWORD WINAPI WZCEapolGetCustomAuthData(LPWSTR, PVOID, DWORD, DWORD, PVOID, PVOID, PDWORD) { return ERROR_NOT_SUPPORTED; }
DWORD WINAPI WZCEapolSetCustomAuthData(LPWSTR, PVOID, DWORD, DWORD, PVOID, PVOID, DWORD) { return ERROR_NOT_SUPPORTED; }

}  // extern "C"
