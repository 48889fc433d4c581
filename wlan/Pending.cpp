// Connection, preferred-network list and temporary profiles: exported already, because
// the program binds every export by name, and failing plainly until they are built.
#include "Library.h"

DWORD WINAPI ConnectToNetwork(DWORD, const char*) { return WLE_FAILED; }
DWORD WINAPI ConnectToNetworkByMAC(DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD) { return WLE_FAILED; }
DWORD WINAPI DisconnectFromNetwork(DWORD) { return WLE_FAILED; }
DWORD WINAPI EnumerateProfiles(DWORD) { return WLE_FAILED; }
DWORD WINAPI GetProfileName(DWORD, DWORD, char*, DWORD) { return WLE_FAILED; }
DWORD WINAPI GetProfileNetworkIndex(DWORD, const char*) { return WLE_FAILED; }
DWORD WINAPI MoveProfile(DWORD, DWORD, DWORD) { return WLE_FAILED; }
DWORD WINAPI DeleteProfile(DWORD, DWORD) { return WLE_FAILED; }
DWORD WINAPI CreateTmpProfile(DWORD) { return WLE_FAILED; }
DWORD WINAPI FreeTmpProfile(DWORD) { return WLE_FAILED; }
DWORD WINAPI LoadTmpProfile(const char*) { return WLE_FAILED; }
DWORD WINAPI LoadTmpProfileFromString(const char*) { return WLE_FAILED; }
DWORD WINAPI SaveTmpProfile(DWORD, const char*) { return WLE_FAILED; }
DWORD WINAPI SaveTmpProfileToString(DWORD, char*, DWORD) { return WLE_FAILED; }
DWORD WINAPI CloneTmpProfile(DWORD) { return WLE_FAILED; }
DWORD WINAPI GetTmpProfileOption(DWORD, const char*, char*, DWORD) { return WLE_FAILED; }
DWORD WINAPI SetTmpProfileOption(DWORD, const char*, const char*) { return WLE_FAILED; }
DWORD WINAPI DeleteTmpProfileOption(DWORD, const char*) { return WLE_FAILED; }
DWORD WINAPI SetDefaultEapConfig(DWORD, DWORD, DWORD) { return WLE_FAILED; }
DWORD WINAPI GetTmpProfileFromAdapter(DWORD, DWORD) { return WLE_FAILED; }
DWORD WINAPI SetTmpProfileToAdapter(DWORD, DWORD) { return WLE_FAILED; }
