// The library's process-global state: the chosen back end and its bound functions, the
// adapter list with each adapter's last scan, the client handle and the scan event.
#pragma once

#include <windows.h>
#include <wlanapi.h>

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "WzcRecord.h"
#include "cvnwlan.h"

namespace cvn::wlan {

// Every list holds at most this many entries; further ones are not added.
inline constexpr std::size_t kMaxListEntries = 128;

struct VisibleNetworkEntry {
  std::string ssid;
  BYTE bssid[6] = {};
  LONG rssi = 0;
  DWORD quality = 0;
  DWORD type = 0;  // 1 infrastructure, 2 independent, 3 any
  DWORD channel = 0;
  DWORD privacy = 0;
  DWORD authMode = 0;
};

struct WifiAdapterEntry {
  std::wstring guidText;  // "{...}", both back ends
  GUID guid{};            // Native Wi-Fi only
  std::wstring description;
  std::vector<VisibleNetworkEntry> networks;
};

struct NativeApi {
  decltype(&WlanOpenHandle) openHandle = nullptr;
  decltype(&WlanCloseHandle) closeHandle = nullptr;
  decltype(&WlanEnumInterfaces) enumInterfaces = nullptr;
  decltype(&WlanSetInterface) setInterface = nullptr;
  decltype(&WlanQueryInterface) queryInterface = nullptr;
  decltype(&WlanGetAvailableNetworkList) getAvailableNetworkList = nullptr;
  decltype(&WlanGetNetworkBssList) getNetworkBssList = nullptr;
  decltype(&WlanScan) scan = nullptr;
  decltype(&WlanRegisterNotification) registerNotification = nullptr;
  decltype(&WlanConnect) connect = nullptr;
  decltype(&WlanDisconnect) disconnect = nullptr;
  decltype(&WlanGetProfile) getProfile = nullptr;
  decltype(&WlanSetProfile) setProfile = nullptr;
  decltype(&WlanDeleteProfile) deleteProfile = nullptr;
  decltype(&WlanGetProfileList) getProfileList = nullptr;
  decltype(&WlanSetProfilePosition) setProfilePosition = nullptr;
  decltype(&WlanFreeMemory) freeMemory = nullptr;
};

// The WZC client's answer to WZCEnumInterfaces.
struct WzcInterfaceKey {
  LPWSTR guid;
};
struct WzcInterfaceTable {
  DWORD count;
  WzcInterfaceKey* interfaces;
};

struct WzcApi {
  FARPROC userAllocate = nullptr, userFree = nullptr;
  DWORD(WINAPI* enumInterfaces)(LPWSTR server, WzcInterfaceTable* table) = nullptr;
  WzcRecordCall queryInterface = nullptr, setInterface = nullptr, refreshInterface = nullptr;
  WzcDeleteCall deleteIntfObj = nullptr;
  FARPROC password2Key = nullptr, eapolGetInterfaceParams = nullptr, eapolSetInterfaceParams = nullptr,
          eapolGetCustomAuthData = nullptr, eapolSetCustomAuthData = nullptr;
};

struct Library {
  bool initialised = false;
  bool isVista = false;
  bool useNative = false;
  bool extendedWzcLayout = false;
  std::vector<WifiAdapterEntry> adapters;
  HANDLE client = nullptr;
  HANDLE scanEvent = nullptr;
  std::atomic<DWORD> lastScanNotification{0};
  NativeApi native;
  WzcApi wzc;
};

Library& Lib();
void InitLibrary();
void EnsureInitialised();
void ClearAdapters();

// 0 when the adapter index names an entry of the current list, else the error to answer.
DWORD CheckAdapter(DWORD adapter);
DWORD CheckNetwork(DWORD adapter, DWORD network);

std::string ToAnsi(std::wstring_view text);
std::wstring ToWide(std::string_view text);
// Copies a string with its terminator; WLE_BUFFER_TOO_SMALL when it does not fit.
DWORD CopyOut(const std::string& text, char* buffer, DWORD size);
// Writes an empty string when there is room for it; answers 0.
DWORD EmptyOut(char* buffer, DWORD size);

// GetAdapterOption on the Native Wi-Fi back end: 0x8000 automatic configuration, bits
// 0..1 the access mode (0 ad hoc only, 1 infrastructure only, 2 any).
DWORD QueryNativeOption(const WifiAdapterEntry& adapter, DWORD mask);

DWORD ChannelFromFrequency(DWORD kilohertz);
DWORD QualityFromRssi(LONG rssi);

// Asks the adapter's driver for one NDIS object through \\.\{GUID}: 0 or a Windows error.
using DriverQueryFunction = DWORD (*)(const std::string& guidText, DWORD objectId, void* out, DWORD outSize,
                                      DWORD* returned);
DWORD DriverQuery(const std::string& guidText, DWORD objectId, void* out, DWORD outSize, DWORD* returned);
// Tests answer for drivers that Wine does not have.
void SetDriverQuery(DriverQueryFunction query);

}  // namespace cvn::wlan
