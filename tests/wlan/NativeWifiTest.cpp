// The wireless library on the Native Wi-Fi back end (Wine reports Windows 6.1), bound to
// the wlanapi.dll stand-in beside this program.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "Library.h"
#include "cvnwlan.h"
#include "tests/wlan/FakeDriver.h"
#include "tests/wlan/FakeWlan.h"
#include "win/Handle.h"

namespace cvn::wlan {
namespace {

const GUID kFirst = {0x11111111, 0xAAAA, 0xBBBB, {0xCC, 0xCC, 0, 0, 0, 0, 0, 1}};
const GUID kSecond = {0x11111111, 0xAAAA, 0xBBBB, {0xCC, 0xCC, 0, 0, 0, 0, 0, 2}};
constexpr char kFirstText[] = "{11111111-AAAA-BBBB-CCCC-000000000001}";
const BYTE kMacA[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
const BYTE kMacB[6] = {0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB};

using test::driverAnswers;
using test::DwordAnswer;

class NativeWifiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeAllResources();
    driverAnswers.clear();
    SetDriverQuery(test::FakeDriverQuery);
    first_ = fake_.addInterface(&kFirst, L"Intel(R) Wireless WiFi Link 4965AGN - Packet Scheduler Miniport");
    fake_.addInterface(&kSecond, L"Atheros AR9285");
  }
  void TearDown() override {
    FreeAllResources();
    SetDriverQuery(nullptr);
  }
  void AddNetworks() {
    fake_.addBss(first_, "Office", kMacA, -48, 90, dot11_BSS_type_infrastructure, 2412000);
    fake_.addBss(first_, "Office", kMacB, -70, 55, dot11_BSS_type_infrastructure, 2437000);
    fake_.addBss(first_, "Party", kMacB, -80, 30, dot11_BSS_type_independent, 2462000);
    fake_.addBss(first_, "Lab5G", kMacA, -60, 70, dot11_BSS_type_infrastructure, 0);
  }
  std::string Name(DWORD adapter, DWORD network) {
    char buffer[64] = "unchanged";
    const DWORD length = GetAvailableNetworkName(adapter, network, buffer, sizeof buffer);
    return IsWlanError(length) ? "error" : std::string(buffer, length);
  }

  test::FakeWlan fake_;
  int first_ = 0;
};

TEST_F(NativeWifiTest, ChoosesNativeWifiAndListsTheAdapters) {
  EXPECT_EQ(1u, IsNativeWIFI());
  EXPECT_EQ(2u, EnumerateAdapters());
  char buffer[64];
  EXPECT_EQ(WLE_BUFFER_TOO_SMALL, GetAdapterGUID(0, buffer, 38));
  EXPECT_EQ(38u, GetAdapterGUID(0, buffer, 39));
  EXPECT_STREQ(kFirstText, buffer);
  ASSERT_EQ(35u, GetAdapterName(0, buffer, sizeof buffer));
  EXPECT_STREQ("Intel(R) Wireless WiFi Link 4965AGN", buffer);
  EXPECT_EQ(14u, GetAdapterName(1, buffer, sizeof buffer));
  EXPECT_EQ(WLE_BUFFER_TOO_SMALL, GetAdapterName(1, buffer, 14));
  EXPECT_EQ(WLE_BAD_ADAPTER, GetAdapterGUID(2, buffer, sizeof buffer));
  EXPECT_EQ(WLE_BAD_ADAPTER, GetAdapterName(0xFFFFFFFF, buffer, sizeof buffer));
}

TEST_F(NativeWifiTest, NoAdaptersMeansEveryAdapterOperationIsABadAdapter) {
  fake_.reset();
  EXPECT_EQ(0u, EnumerateAdapters());
  char buffer[64];
  for (DWORD result : {GetAdapterGUID(0, buffer, 64), GetAdapterOption(0, 3), EnumerateAvailableNetworks(0, 0),
                       GetCurrentNetworkName(0, buffer, 64), GetCurrentNetworkChannel(0), CheckAdapterBusyStatus(0, 0)}) {
    EXPECT_EQ(WLE_BAD_ADAPTER, result);
  }
}

TEST_F(NativeWifiTest, OpenAndEnumerateFailures) {
  fake_.fail("WlanEnumInterfaces", ERROR_ACCESS_DENIED);
  EXPECT_EQ(WLE_ENUM_FAILED, EnumerateAdapters());
  FreeAllResources();
  fake_.fail("WlanOpenHandle", ERROR_SERVICE_NOT_ACTIVE);
  EXPECT_EQ(WLE_NOT_INITIALIZED, EnumerateAdapters());
}

TEST_F(NativeWifiTest, FreeAllResourcesClosesTheClientAndEmptiesTheList) {
  ASSERT_EQ(2u, EnumerateAdapters());
  EXPECT_EQ(1, fake_.openHandles());
  EXPECT_EQ(0u, FreeAllResources());
  EXPECT_EQ(0, fake_.openHandles());
  char buffer[64];
  EXPECT_EQ(WLE_BAD_ADAPTER, GetAdapterGUID(0, buffer, sizeof buffer));
  EXPECT_EQ(2u, EnumerateAdapters());  // reopens
  EXPECT_EQ(1, fake_.openHandles());
}

TEST_F(NativeWifiTest, AdapterOptionsUseTheAccessModeEncoding) {
  ASSERT_EQ(2u, EnumerateAdapters());
  const std::tuple<BOOL, DWORD, DWORD, DWORD> reads[] = {
      {FALSE, dot11_BSS_type_infrastructure, 3, 1}, {FALSE, dot11_BSS_type_independent, 3, 0},
      {FALSE, dot11_BSS_type_any, 3, 2},            {TRUE, dot11_BSS_type_infrastructure, 0x8003, 0x8001},
      {TRUE, dot11_BSS_type_any, 0x8000, 0x8000},   {TRUE, dot11_BSS_type_any, 0, 0}};
  for (const auto& [autoconf, type, mask, expected] : reads) {
    fake_.setOptions(first_, autoconf, type);
    EXPECT_EQ(expected, GetAdapterOption(0, mask)) << "mask " << mask << " type " << type;
  }
  const std::tuple<DWORD, DWORD, BOOL, DWORD> writes[] = {
      {3, 3, TRUE, dot11_BSS_type_independent},  // 3 is treated like 0
      {3, 2, TRUE, dot11_BSS_type_any},
      {0x8003, 1, FALSE, dot11_BSS_type_infrastructure}};
  for (const auto& [mask, value, autoconf, type] : writes) {
    fake_.setOptions(first_, TRUE, dot11_BSS_type_any);
    EXPECT_EQ(0u, SetAdapterOption(0, mask, value));
    BOOL readAutoconf = FALSE;
    DWORD readType = 0;
    fake_.getOptions(first_, &readAutoconf, &readType);
    EXPECT_EQ(autoconf, readAutoconf) << "mask " << mask << " value " << value;
    EXPECT_EQ(type, readType) << "mask " << mask << " value " << value;
  }
  EXPECT_EQ(0u, CheckAdapterBusyStatus(0, 5000));
  fake_.fail("WlanQueryInterface", ERROR_GEN_FAILURE);
  EXPECT_EQ(WLE_QUERY_FAILED, GetAdapterOption(0, 3));
  fake_.fail("WlanSetInterface", ERROR_ACCESS_DENIED);
  EXPECT_EQ(WLE_SET_FAILED, SetAdapterOption(0, 0x8000, 0));
  EXPECT_EQ(WLE_QUERY_FAILED, SetAdapterOption(0, 3, 1));
}

TEST_F(NativeWifiTest, ScanListsTheNetworksInRange) {
  AddNetworks();
  ASSERT_EQ(2u, EnumerateAdapters());
  ASSERT_EQ(4u, EnumerateAvailableNetworks(0, 1));
  EXPECT_EQ(1, fake_.scans());
  EXPECT_EQ(static_cast<DWORD>(dot11_BSS_type_any), fake_.lastBssFilter());
  EXPECT_EQ("Office", Name(0, 0));
  EXPECT_EQ("Office", Name(0, 1));
  EXPECT_EQ(0u, GetAvailableNetworkIndex(0, "Office"));  // the first of two access points
  EXPECT_EQ(WLE_NOT_FOUND, GetAvailableNetworkIndex(0, "office"));
  EXPECT_EQ(WLE_BAD_ARGUMENT, GetAvailableNetworkIndex(0, nullptr));
  EXPECT_EQ(static_cast<DWORD>(-48), GetAvailableNetworkRSSI(0, 0));
  EXPECT_EQ(90u, GetAvailableNetworkSignalQuality(0, 0));
  EXPECT_EQ(1u, GetAvailableNetworkType(0, 0));
  EXPECT_EQ(2u, GetAvailableNetworkType(0, 2));
  EXPECT_EQ(1u, GetAvailableNetworkChannel(0, 0));
  EXPECT_EQ(6u, GetAvailableNetworkChannel(0, 1));
  EXPECT_EQ(0u, GetAvailableNetworkChannel(0, 3));
  BYTE mac[6] = {};
  EXPECT_EQ(0u, GetAvailableNetworkMac(0, 1, &mac[0], &mac[1], &mac[2], &mac[3], &mac[4], &mac[5]));
  EXPECT_EQ(0, std::memcmp(mac, kMacB, 6));
  char small[7];
  EXPECT_EQ(WLE_BUFFER_TOO_SMALL, GetAvailableNetworkName(0, 0, small, 6));
  EXPECT_EQ(6u, GetAvailableNetworkName(0, 0, small, 7));
  EXPECT_EQ(WLE_BAD_NETWORK, GetAvailableNetworkRSSI(0, 4));
  EXPECT_EQ(WLE_BAD_NETWORK, GetAvailableNetworkName(1, 0, small, 7));  // the other adapter has not scanned

  // Without a rescan the known networks are listed as they are.
  EXPECT_EQ(4u, EnumerateAvailableNetworks(0, 0));
  EXPECT_EQ(1, fake_.scans());
  // A new adapter list forgets every scan.
  ASSERT_EQ(2u, EnumerateAdapters());
  EXPECT_EQ(WLE_BAD_NETWORK, GetAvailableNetworkRSSI(0, 0));
}

TEST_F(NativeWifiTest, OverLongSsidIsCutToThirtyTwoBytes) {
  const std::string longName(40, 'L');
  fake_.addBss(first_, longName.c_str(), kMacA, -50, 80, dot11_BSS_type_infrastructure, 2412000);
  ASSERT_EQ(2u, EnumerateAdapters());
  ASSERT_EQ(1u, EnumerateAvailableNetworks(0, 0));
  EXPECT_EQ(std::string(32, 'L'), Name(0, 0));
  EXPECT_EQ(WLE_NOT_FOUND, GetAvailableNetworkIndex(0, longName.c_str()));
}

TEST_F(NativeWifiTest, InfrastructureOnlyAdapterListsNoAdHocNetworks) {
  AddNetworks();
  fake_.setOptions(first_, TRUE, dot11_BSS_type_infrastructure);
  ASSERT_EQ(2u, EnumerateAdapters());
  EXPECT_EQ(3u, EnumerateAvailableNetworks(0, 0));
  EXPECT_EQ(static_cast<DWORD>(dot11_BSS_type_infrastructure), fake_.lastBssFilter());
  EXPECT_EQ(WLE_NOT_FOUND, GetAvailableNetworkIndex(0, "Party"));
}

TEST_F(NativeWifiTest, ScansThatFailOrNeverFinish) {
  AddNetworks();
  ASSERT_EQ(2u, EnumerateAdapters());
  ASSERT_EQ(4u, EnumerateAvailableNetworks(0, 0));
  fake_.setScan(1);  // the service reports a failed scan
  EXPECT_EQ(WLE_SCAN_FAILED, EnumerateAvailableNetworks(0, 1));
  EXPECT_EQ(WLE_BAD_NETWORK, GetAvailableNetworkRSSI(0, 0));  // the old list is gone
  fake_.setScan(0);
  fake_.fail("WlanScan", ERROR_BUSY);
  EXPECT_EQ(WLE_SCAN_FAILED, EnumerateAvailableNetworks(0, 1));
  fake_.fail("WlanScan", ERROR_SUCCESS);
  fake_.setScan(2);  // never reported: the library gives up after 5 s
  EXPECT_EQ(WLE_SCAN_FAILED, EnumerateAvailableNetworks(0, 1));
  fake_.fail("WlanGetNetworkBssList", ERROR_GEN_FAILURE);
  EXPECT_EQ(WLE_QUERY_FAILED, EnumerateAvailableNetworks(0, 0));
}

TEST_F(NativeWifiTest, SecurityIsAskedAfreshFromTheSystem) {
  AddNetworks();
  fake_.addAvailable(first_, "Office", 0x2, FALSE, DOT11_AUTH_ALGO_80211_OPEN, DOT11_CIPHER_ALGO_NONE);  // has a profile
  fake_.addAvailable(first_, "Office", 0, TRUE, DOT11_AUTH_ALGO_RSNA_PSK, DOT11_CIPHER_ALGO_CCMP);
  fake_.addAvailable(first_, "Party", 0, FALSE, DOT11_AUTH_ALGO_80211_OPEN, DOT11_CIPHER_ALGO_NONE);
  fake_.addAvailable(first_, "Lab5G", 0, TRUE, 0x80000001, DOT11_CIPHER_ALGO_WEP);
  ASSERT_EQ(2u, EnumerateAdapters());
  ASSERT_EQ(4u, EnumerateAvailableNetworks(0, 0));
  EXPECT_EQ(1u, IsAvailableNetworkSecure(0, 0));
  EXPECT_EQ(7u, GetAvailableNetworkAuthMode(0, 0));
  EXPECT_EQ(4u, GetAvailableNetworkCipherMode(0, 0));
  EXPECT_EQ(0u, IsAvailableNetworkSecure(0, 2));
  EXPECT_EQ(0u, GetAvailableNetworkAuthMode(0, 2));
  EXPECT_EQ(0u, GetAvailableNetworkCipherMode(0, 2));
  EXPECT_EQ(256u + 0x80000001u, GetAvailableNetworkAuthMode(0, 3));
  EXPECT_EQ(257u, GetAvailableNetworkCipherMode(0, 3));

  fake_.reset();
  fake_.addInterface(&kFirst, L"gone");
  EXPECT_EQ(WLE_LIST_CHANGED, IsAvailableNetworkSecure(0, 0));
  fake_.fail("WlanGetAvailableNetworkList", ERROR_GEN_FAILURE);
  EXPECT_EQ(WLE_QUERY_FAILED, GetAvailableNetworkAuthMode(0, 0));
}

TEST_F(NativeWifiTest, CurrentConnection) {
  ASSERT_EQ(2u, EnumerateAdapters());
  char buffer[33] = "unchanged";
  EXPECT_EQ(0u, GetCurrentNetworkName(0, buffer, sizeof buffer));  // the driver does not answer
  EXPECT_STREQ("", buffer);
  driverAnswers[0x00010114] = DwordAnswer(1);  // media disconnected
  buffer[0] = 'x';
  EXPECT_EQ(0u, GetCurrentNetworkName(0, buffer, 0));
  EXPECT_EQ('x', buffer[0]);  // size 0: nothing written

  driverAnswers[0x00010114] = DwordAnswer(0);  // connected as the driver sees it...
  EXPECT_EQ(0u, GetCurrentNetworkName(0, buffer, sizeof buffer));  // ...but not for Native Wi-Fi yet
  EXPECT_EQ(WLE_NOT_CONNECTED, GetCurrentNetworkChannel(0));
  BYTE mac[6] = {};
  EXPECT_EQ(WLE_NOT_CONNECTED, GetCurrentNetworkMac(0, &mac[0], &mac[1], &mac[2], &mac[3], &mac[4], &mac[5]));

  fake_.setConnection(first_, "Office", kMacB, 11);
  EXPECT_EQ(6u, GetCurrentNetworkName(0, buffer, sizeof buffer));
  EXPECT_STREQ("Office", buffer);
  EXPECT_EQ(WLE_BUFFER_TOO_SMALL, GetCurrentNetworkName(0, buffer, 6));
  EXPECT_EQ(11u, GetCurrentNetworkChannel(0));
  EXPECT_EQ(0u, GetCurrentNetworkMac(0, &mac[0], &mac[1], &mac[2], &mac[3], &mac[4], &mac[5]));
  EXPECT_EQ(0, std::memcmp(mac, kMacB, 6));
  EXPECT_EQ(WLE_BAD_ARGUMENT, GetCurrentNetworkMac(0, nullptr, &mac[1], &mac[2], &mac[3], &mac[4], &mac[5]));

  driverAnswers[0x00010107] = DwordAnswer(540000);  // units of 100 bit/s
  EXPECT_EQ(54000000u, GetCurrentNetworkSpeed(0));
}

TEST_F(NativeWifiTest, DriverDecidesWhetherAnAdapterIsWifi) {
  EXPECT_EQ(0u, IsNetAdapterWiFi(kFirstText, 1));  // a wired adapter answers neither object
  driverAnswers[0x0E01017F] = DwordAnswer(1);           // only the native 802.11 object
  EXPECT_EQ(1u, IsNetAdapterWiFi(kFirstText, 1));
  EXPECT_EQ(0u, IsNetAdapterWiFi(kFirstText, 0x100));  // only the low byte counts
  driverAnswers[0x0D010211] = std::vector<BYTE>(32);
  EXPECT_EQ(1u, IsNetAdapterWiFi(kFirstText, 0));
  driverAnswers[0x0D010211] = std::vector<BYTE>(16);  // a short answer
  EXPECT_EQ(0u, IsNetAdapterWiFi(kFirstText, 0));
}

TEST_F(NativeWifiTest, WifiServiceStatusAndControl) {
  EXPECT_EQ(WLE_SERVICE_MISSING, GetWIFIServiceStatus());
  EXPECT_EQ(WLE_FAILED, SetWIFIServiceStatus(1));  // only an invalid name counts as missing here
  const win::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string binary = "\"" + std::string(self) + "\"";
  win::ServiceHandle service(CreateServiceA(manager.Get(), "Wlansvc", "WLAN AutoConfig", SERVICE_ALL_ACCESS,
                                            SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                            binary.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(service) << GetLastError();
  EXPECT_EQ(0u, GetWIFIServiceStatus());  // stopped
  EXPECT_EQ(0u, SetWIFIServiceStatus(0));  // stopping a stopped service succeeds...
  DWORD needed = 0;
  QueryServiceConfigA(service.Get(), nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
  ASSERT_TRUE(QueryServiceConfigA(service.Get(), config, needed, &needed));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_DEMAND_START), config->dwStartType);  // ...and leaves the start type
  DeleteService(service.Get());
}

TEST_F(NativeWifiTest, ConnectionAndProfileExportsAreNotAvailableYet) {
  ASSERT_EQ(2u, EnumerateAdapters());
  EXPECT_EQ(WLE_FAILED, ConnectToNetwork(0, "Office"));
  EXPECT_EQ(WLE_FAILED, EnumerateProfiles(0));
  EXPECT_EQ(WLE_FAILED, CreateTmpProfile(0));
}

}  // namespace
}  // namespace cvn::wlan
