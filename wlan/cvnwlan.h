// The wireless library's exported interface. Every export is stdcall; a result above
// 0x70000000 is one of the WLE_ codes below, any other result the operation's value.
#pragma once

#include <windows.h>

#ifdef CVNWLAN_BUILDING
// Exported under their undecorated names by cvnwlan.def.
#define CVNWLAN_API extern "C"
#else
#define CVNWLAN_API extern "C" __declspec(dllimport)
#endif

inline constexpr DWORD WLE_NOT_INITIALIZED = 0x70000001;
inline constexpr DWORD WLE_ENUM_FAILED = 0x70000002;
inline constexpr DWORD WLE_BAD_ADAPTER = 0x70000003;
inline constexpr DWORD WLE_BUFFER_TOO_SMALL = 0x70000004;
inline constexpr DWORD WLE_QUERY_FAILED = 0x70000005;
inline constexpr DWORD WLE_NOT_RETURNED = 0x70000006;
inline constexpr DWORD WLE_BAD_NETWORK = 0x70000007;
inline constexpr DWORD WLE_BAD_PROFILE = 0x70000008;
inline constexpr DWORD WLE_SET_FAILED = 0x70000009;
inline constexpr DWORD WLE_NOT_PREFERRED = 0x7000000A;
inline constexpr DWORD WLE_BAD_ARGUMENT = 0x7000000B;
inline constexpr DWORD WLE_LIST_CHANGED = 0x7000000C;
inline constexpr DWORD WLE_FAILED = 0x7000000D;
inline constexpr DWORD WLE_SCAN_FAILED = 0x7000000F;
inline constexpr DWORD WLE_NOT_CONNECTED = 0x70000010;
inline constexpr DWORD WLE_DEVICE_QUERY_FAILED = 0x70000011;
inline constexpr DWORD WLE_SERVICE_MISSING = 0x70000012;
inline constexpr DWORD WLE_ACCESS_DENIED = 0x70000013;
inline constexpr DWORD WLE_TABLE_FULL = 0x70000020;
inline constexpr DWORD WLE_NO_XML_PARSER = 0x70000021;
inline constexpr DWORD WLE_BAD_TEMPLATE = 0x70000022;
inline constexpr DWORD WLE_XML_LOAD_FAILED = 0x70000023;
inline constexpr DWORD WLE_XML_SAVE_FAILED = 0x70000024;
inline constexpr DWORD WLE_NO_OPTION = 0x70000025;
inline constexpr DWORD WLE_BAD_OPTION_VALUE = 0x70000026;
inline constexpr DWORD WLE_PROFILE_REJECTED = 0x70000027;
inline constexpr DWORD WLE_NOT_FOUND = 0x70000028;

inline bool IsWlanError(DWORD result) { return result > 0x70000000; }

// Library and adapters.
CVNWLAN_API DWORD WINAPI EnumerateAdapters();
CVNWLAN_API DWORD WINAPI FreeAllResources();
CVNWLAN_API DWORD WINAPI IsNativeWIFI();
CVNWLAN_API DWORD WINAPI GetWIFIServiceStatus();
CVNWLAN_API DWORD WINAPI SetWIFIServiceStatus(DWORD enable);
CVNWLAN_API DWORD WINAPI GetAdapterGUID(DWORD adapter, char* buf, DWORD size);
CVNWLAN_API DWORD WINAPI GetAdapterName(DWORD adapter, char* buf, DWORD size);
CVNWLAN_API DWORD WINAPI GetAdapterOption(DWORD adapter, DWORD mask);
CVNWLAN_API DWORD WINAPI SetAdapterOption(DWORD adapter, DWORD mask, DWORD value);
CVNWLAN_API DWORD WINAPI CheckAdapterBusyStatus(DWORD adapter, DWORD timeoutMs);
CVNWLAN_API DWORD WINAPI IsNetAdapterWiFi(const char* deviceName, DWORD tryNative);
// Networks in range and the current connection.
CVNWLAN_API DWORD WINAPI EnumerateAvailableNetworks(DWORD adapter, DWORD rescan);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkName(DWORD adapter, DWORD network, char* buf, DWORD size);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkIndex(DWORD adapter, const char* ssid);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkRSSI(DWORD adapter, DWORD network);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkSignalQuality(DWORD adapter, DWORD network);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkType(DWORD adapter, DWORD network);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkChannel(DWORD adapter, DWORD network);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkMac(DWORD adapter, DWORD network, BYTE* p0, BYTE* p1, BYTE* p2,
                                                BYTE* p3, BYTE* p4, BYTE* p5);
CVNWLAN_API DWORD WINAPI IsAvailableNetworkSecure(DWORD adapter, DWORD network);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkAuthMode(DWORD adapter, DWORD network);
CVNWLAN_API DWORD WINAPI GetAvailableNetworkCipherMode(DWORD adapter, DWORD network);
CVNWLAN_API DWORD WINAPI GetCurrentNetworkName(DWORD adapter, char* buf, DWORD size);
CVNWLAN_API DWORD WINAPI GetCurrentNetworkChannel(DWORD adapter);
CVNWLAN_API DWORD WINAPI GetCurrentNetworkSpeed(DWORD adapter);
CVNWLAN_API DWORD WINAPI GetCurrentNetworkMac(DWORD adapter, BYTE* p0, BYTE* p1, BYTE* p2, BYTE* p3, BYTE* p4,
                                             BYTE* p5);
// Connection and preferred-network list.
CVNWLAN_API DWORD WINAPI ConnectToNetwork(DWORD adapter, const char* ssid);
CVNWLAN_API DWORD WINAPI ConnectToNetworkByMAC(DWORD adapter, DWORD b0, DWORD b1, DWORD b2, DWORD b3, DWORD b4,
                                              DWORD b5);
CVNWLAN_API DWORD WINAPI DisconnectFromNetwork(DWORD adapter);
CVNWLAN_API DWORD WINAPI EnumerateProfiles(DWORD adapter);
CVNWLAN_API DWORD WINAPI GetProfileName(DWORD adapter, DWORD position, char* buf, DWORD size);
CVNWLAN_API DWORD WINAPI GetProfileNetworkIndex(DWORD adapter, const char* name);
CVNWLAN_API DWORD WINAPI MoveProfile(DWORD adapter, DWORD from, DWORD to);
CVNWLAN_API DWORD WINAPI DeleteProfile(DWORD adapter, DWORD position);
// Temporary wireless profiles.
CVNWLAN_API DWORD WINAPI CreateTmpProfile(DWORD templateNumber);
CVNWLAN_API DWORD WINAPI FreeTmpProfile(DWORD handle);
CVNWLAN_API DWORD WINAPI LoadTmpProfile(const char* path);
CVNWLAN_API DWORD WINAPI LoadTmpProfileFromString(const char* xml);
CVNWLAN_API DWORD WINAPI SaveTmpProfile(DWORD handle, const char* path);
CVNWLAN_API DWORD WINAPI SaveTmpProfileToString(DWORD handle, char* buf, DWORD size);
CVNWLAN_API DWORD WINAPI CloneTmpProfile(DWORD handle);
CVNWLAN_API DWORD WINAPI GetTmpProfileOption(DWORD handle, const char* key, char* buf, DWORD size);
CVNWLAN_API DWORD WINAPI SetTmpProfileOption(DWORD handle, const char* key, const char* value);
CVNWLAN_API DWORD WINAPI DeleteTmpProfileOption(DWORD handle, const char* key);
CVNWLAN_API DWORD WINAPI SetDefaultEapConfig(DWORD handle, DWORD method, DWORD useWindowsCredentials);
CVNWLAN_API DWORD WINAPI GetTmpProfileFromAdapter(DWORD adapter, DWORD position);
CVNWLAN_API DWORD WINAPI SetTmpProfileToAdapter(DWORD handle, DWORD adapter);
