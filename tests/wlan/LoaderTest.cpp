// A caller loads the built cvnwlan.dll by name, as the program does, and finds the
// simulated adapters and networks through its exports.
#include <gtest/gtest.h>

#include <string>

#include "cvnwlan.h"
#include "tests/wlan/FakeWlan.h"

namespace cvn::wlan {
namespace {

const GUID kAdapter = {0x22222222, 0xAAAA, 0xBBBB, {0xCC, 0xCC, 0, 0, 0, 0, 0, 7}};

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TEST(LoaderTest, ProgramFindsAdaptersAndNetworksThroughTheLibrary) {
  const HMODULE library = LoadLibraryA("cvnwlan.dll");
  ASSERT_NE(nullptr, library);
  using GetGuid = DWORD(WINAPI*)(DWORD, char*, DWORD);
  char buffer[64];
  // Before anything started the library, adapter operations say so.
  EXPECT_EQ(WLE_NOT_INITIALIZED, Export<GetGuid>(library, "GetAdapterGUID")(0, buffer, sizeof buffer));

  test::FakeWlan fake;
  const int adapter = fake.addInterface(&kAdapter, L"USB Wireless LAN");
  const BYTE mac[6] = {1, 2, 3, 4, 5, 6};
  fake.addBss(adapter, "Home", mac, -55, 80, 1, 2437000);
  fake.addBss(adapter, "Neighbour", mac, -85, 20, 1, 2462000);

  EXPECT_EQ(1u, Export<DWORD(WINAPI*)()>(library, "EnumerateAdapters")());
  EXPECT_EQ(38u, Export<GetGuid>(library, "GetAdapterGUID")(0, buffer, sizeof buffer));
  EXPECT_STREQ("{22222222-AAAA-BBBB-CCCC-000000000007}", buffer);
  EXPECT_EQ(2u, Export<DWORD(WINAPI*)(DWORD, DWORD)>(library, "EnumerateAvailableNetworks")(0, 1));
  const auto name = Export<DWORD(WINAPI*)(DWORD, DWORD, char*, DWORD)>(library, "GetAvailableNetworkName");
  ASSERT_EQ(9u, name(0, 1, buffer, sizeof buffer));
  EXPECT_STREQ("Neighbour", buffer);
  EXPECT_EQ(11u, Export<DWORD(WINAPI*)(DWORD, DWORD)>(library, "GetAvailableNetworkChannel")(0, 1));
  EXPECT_EQ(0u, Export<DWORD(WINAPI*)()>(library, "FreeAllResources")());
}

TEST(LoaderTest, EveryExportIsThereUndecorated) {
  const HMODULE library = LoadLibraryA("cvnwlan.dll");
  ASSERT_NE(nullptr, library);
  for (const char* name :
       {"EnumerateAdapters", "FreeAllResources", "IsNativeWIFI", "GetWIFIServiceStatus", "SetWIFIServiceStatus",
        "GetAdapterGUID", "GetAdapterName", "GetAdapterOption", "SetAdapterOption", "CheckAdapterBusyStatus",
        "IsNetAdapterWiFi", "EnumerateAvailableNetworks", "GetAvailableNetworkName", "GetAvailableNetworkIndex",
        "GetAvailableNetworkRSSI", "GetAvailableNetworkSignalQuality", "GetAvailableNetworkType",
        "GetAvailableNetworkChannel", "GetAvailableNetworkMac", "IsAvailableNetworkSecure",
        "GetAvailableNetworkAuthMode", "GetAvailableNetworkCipherMode", "GetCurrentNetworkName",
        "GetCurrentNetworkChannel", "GetCurrentNetworkSpeed", "GetCurrentNetworkMac", "ConnectToNetwork",
        "ConnectToNetworkByMAC", "DisconnectFromNetwork", "EnumerateProfiles", "GetProfileName",
        "GetProfileNetworkIndex", "MoveProfile", "DeleteProfile", "CreateTmpProfile", "FreeTmpProfile",
        "LoadTmpProfile", "LoadTmpProfileFromString", "SaveTmpProfile", "SaveTmpProfileToString", "CloneTmpProfile",
        "GetTmpProfileOption", "SetTmpProfileOption", "DeleteTmpProfileOption", "SetDefaultEapConfig",
        "GetTmpProfileFromAdapter", "SetTmpProfileToAdapter"}) {
    EXPECT_NE(nullptr, GetProcAddress(library, name)) << name;
  }
}

}  // namespace
}  // namespace cvn::wlan
