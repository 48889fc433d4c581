#include "Library.h"

#include <objbase.h>

#include <algorithm>

namespace cvn::wlan {
namespace {

constexpr DWORD kIoctlNdisQueryGlobalStats = 0x00170002;

template <typename Function>
void Bind(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void BindNative() {
  const HMODULE module = LoadLibraryA("wlanapi.dll");
  if (!module) return;
  NativeApi& api = Lib().native;
  Bind(module, "WlanOpenHandle", api.openHandle);
  Bind(module, "WlanCloseHandle", api.closeHandle);
  Bind(module, "WlanEnumInterfaces", api.enumInterfaces);
  Bind(module, "WlanSetInterface", api.setInterface);
  Bind(module, "WlanQueryInterface", api.queryInterface);
  Bind(module, "WlanGetAvailableNetworkList", api.getAvailableNetworkList);
  Bind(module, "WlanGetNetworkBssList", api.getNetworkBssList);
  Bind(module, "WlanScan", api.scan);
  Bind(module, "WlanRegisterNotification", api.registerNotification);
  Bind(module, "WlanConnect", api.connect);
  Bind(module, "WlanDisconnect", api.disconnect);
  Bind(module, "WlanGetProfile", api.getProfile);
  Bind(module, "WlanSetProfile", api.setProfile);
  Bind(module, "WlanDeleteProfile", api.deleteProfile);
  Bind(module, "WlanGetProfileList", api.getProfileList);
  Bind(module, "WlanSetProfilePosition", api.setProfilePosition);
  Bind(module, "WlanFreeMemory", api.freeMemory);
}

// wzcsapi.dll builds after 5.1.2600 exchange the longer interface record.
bool HasExtendedWzcLayout() {
  char path[] = "wzcsapi.dll";
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return false;
  std::vector<BYTE> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(path, 0, size, data.data()) ||
      !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info) {
    return false;
  }
  return LOWORD(info->dwFileVersionLS) > 2600;
}

void BindWzc() {
  Lib().extendedWzcLayout = HasExtendedWzcLayout();
  const HMODULE module = LoadLibraryA("wzcsapi.dll");
  if (!module) return;
  WzcApi& api = Lib().wzc;
  Bind(module, "MIDL_user_allocate", api.userAllocate);
  Bind(module, "MIDL_user_free", api.userFree);
  Bind(module, "WZCEnumInterfaces", api.enumInterfaces);
  Bind(module, "WZCQueryInterface", api.queryInterface);
  Bind(module, "WZCSetInterface", api.setInterface);
  Bind(module, "WZCRefreshInterface", api.refreshInterface);
  Bind(module, "WZCDeleteIntfObj", api.deleteIntfObj);
  Bind(module, "WZCPassword2Key", api.password2Key);
  Bind(module, "WZCEapolGetInterfaceParams", api.eapolGetInterfaceParams);
  Bind(module, "WZCEapolSetInterfaceParams", api.eapolSetInterfaceParams);
  Bind(module, "WZCEapolGetCustomAuthData", api.eapolGetCustomAuthData);
  Bind(module, "WZCEapolSetCustomAuthData", api.eapolSetCustomAuthData);
}

DWORD RealDriverQuery(const std::string& guidText, DWORD objectId, void* out, DWORD outSize, DWORD* returned) {
  *returned = 0;
  const std::string device = "\\\\.\\" + guidText;
  if (device.size() >= 512) return ERROR_INVALID_NAME;
  const HANDLE handle =
      CreateFileA(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError();
  const BOOL done = DeviceIoControl(handle, kIoctlNdisQueryGlobalStats, &objectId, sizeof objectId, out, outSize,
                                    returned, nullptr);
  const DWORD error = done ? ERROR_SUCCESS : GetLastError();
  CloseHandle(handle);
  return error;
}

DriverQueryFunction driverQuery = RealDriverQuery;

}  // namespace

Library& Lib() {
  static Library library;
  return library;
}

void InitLibrary() {
  Library& lib = Lib();
  lib.initialised = true;
  CoInitialize(nullptr);
  lib.adapters.clear();
  lib.client = nullptr;

  OSVERSIONINFOEXA version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version));
  lib.isVista = lib.useNative = version.dwMajorVersion == 6;
  const bool xpSp2 = version.dwMajorVersion == 5 && version.dwMinorVersion == 1 && version.wServicePackMajor >= 2;
  if (lib.isVista) BindNative();
  else if (xpSp2) BindWzc();
}

void EnsureInitialised() {
  if (!Lib().initialised) InitLibrary();
}

void ClearAdapters() { Lib().adapters.clear(); }

DWORD CheckAdapter(DWORD adapter) {
  if (!Lib().initialised) return WLE_NOT_INITIALIZED;
  if (adapter >= Lib().adapters.size()) return WLE_BAD_ADAPTER;
  return 0;
}

DWORD CheckNetwork(DWORD adapter, DWORD network) {
  if (const DWORD error = CheckAdapter(adapter)) return error;
  return network < Lib().adapters[adapter].networks.size() ? 0 : WLE_BAD_NETWORK;
}

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
  return result;
}

DWORD CopyOut(const std::string& text, char* buffer, DWORD size) {
  if (text.size() >= size) return WLE_BUFFER_TOO_SMALL;
  if (!buffer) return WLE_BAD_ARGUMENT;
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = '\0';
  return static_cast<DWORD>(text.size());
}

DWORD EmptyOut(char* buffer, DWORD size) {
  if (buffer && size > 0) buffer[0] = '\0';
  return 0;
}

DWORD ChannelFromFrequency(DWORD kilohertz) { return kilohertz < 2412000 ? 0 : (kilohertz - 2412000) / 5000 + 1; }

DWORD QualityFromRssi(LONG rssi) {
  LONG level = rssi <= 0 ? rssi : -rssi;
  level = std::clamp(level, -100L, -50L);
  return static_cast<DWORD>(2 * level + 200);
}

DWORD DriverQuery(const std::string& guidText, DWORD objectId, void* out, DWORD outSize, DWORD* returned) {
  return driverQuery(guidText, objectId, out, outSize, returned);
}

void SetDriverQuery(DriverQueryFunction query) { driverQuery = query ? query : RealDriverQuery; }

}  // namespace cvn::wlan
