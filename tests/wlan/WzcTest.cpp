// The wireless library on the WZC back end: this program runs as Windows XP with Service
// Pack 3 (its Wine version setting), beside a wzcsapi.dll stand-in of one record layout.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "Library.h"
#include "cvnwlan.h"
#include "tests/support/ModuleExports.h"
#include "tests/wlan/FakeDriver.h"

namespace cvn::wlan {
namespace {

constexpr wchar_t kFirst[] = L"{33333333-AAAA-BBBB-CCCC-000000000001}";
constexpr wchar_t kSecond[] = L"{33333333-AAAA-BBBB-CCCC-000000000002}";
const BYTE kMacA[6] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
const BYTE kMacB[6] = {0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5};

class FakeWzc {
 public:
  FakeWzc() : module_(LoadLibraryA("wzcsapi.dll")) {
    test::BindExport(module_, "FakeWzcReset", reset);
    test::BindExport(module_, "FakeWzcExtended", extended);
    test::BindExport(module_, "FakeWzcAddInterface", addInterface);
    test::BindExport(module_, "FakeWzcAddVisible", addVisible);
    test::BindExport(module_, "FakeWzcSetSsid", setSsid);
    test::BindExport(module_, "FakeWzcControlFlags", controlFlags);
    test::BindExport(module_, "FakeWzcFail", fail);
    test::BindExport(module_, "FakeWzcWithhold", withhold);
    test::BindExport(module_, "FakeWzcVisibleAfterScan", visibleAfterScan);
    test::BindExport(module_, "FakeWzcSetResult", setResult);
    test::BindExport(module_, "FakeWzcQueries", queries);
    test::BindExport(module_, "FakeWzcRefreshes", refreshes);
    test::BindExport(module_, "FakeWzcOutstanding", outstanding);
    test::BindExport(module_, "FakeWzcLastSetFlags", lastSetFlags);
    reset();
  }
  void(__stdcall* reset)();
  BOOL(__stdcall* extended)();
  int(__stdcall* addInterface)(const wchar_t*, const wchar_t*, DWORD);
  void(__stdcall* addVisible)(int, const char*, const BYTE*, LONG, DWORD, DWORD, DWORD, DWORD);
  void(__stdcall* setSsid)(int, const char*);
  DWORD(__stdcall* controlFlags)(int);
  void(__stdcall* fail)(const char*, DWORD);
  void(__stdcall* withhold)(DWORD);
  void(__stdcall* visibleAfterScan)(int);
  void(__stdcall* setResult)(DWORD);
  int(__stdcall* queries)();
  int(__stdcall* refreshes)();
  int(__stdcall* outstanding)();
  DWORD(__stdcall* lastSetFlags)();

 private:
  HMODULE module_;
};

using test::driverAnswers;

class WzcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeAllResources();
    driverAnswers.clear();
    SetDriverQuery(test::FakeDriverQuery);
    first_ = fake_.addInterface(kFirst, L"Intel PRO/Wireless 2200BG - Packet Scheduler Miniport", 0x8002);
    fake_.addInterface(kSecond, L"Second", 0x0001);
    std::printf("wzcsapi.dll stand-in with the %s record layout\n", fake_.extended() ? "extended" : "basic");
  }
  void TearDown() override {
    EXPECT_EQ(0, fake_.outstanding()) << "every record the service handed out is released";
    FreeAllResources();
    SetDriverQuery(nullptr);
  }
  void AddNetworks() {
    fake_.addVisible(first_, "Office", kMacA, -40, 2412000, 1, 6, 7);  // WPA2-PSK with AES
    fake_.addVisible(first_, "Office", kMacB, -75, 2437000, 1, 4, 4);  // WPA-PSK with TKIP
    fake_.addVisible(first_, "Cafe", kMacB, -120, 2462000, 0, 1, 0);   // ad hoc, open
    fake_.addVisible(first_, "Old", kMacA, 60, 0, 2, 0, 1);            // WEP, positive RSSI
    fake_.addVisible(first_, "Odd", kMacA, -100, 2484000, 5, 5, 2);
  }

  FakeWzc fake_;
  int first_ = 0;
};

TEST_F(WzcTest, ChoosesWzcAndListsAdaptersWithTheirDescriptions) {
  EXPECT_EQ(0u, IsNativeWIFI());
  ASSERT_EQ(2u, EnumerateAdapters());
  char buffer[64];
  ASSERT_EQ(38u, GetAdapterGUID(1, buffer, sizeof buffer));
  EXPECT_STREQ("{33333333-AAAA-BBBB-CCCC-000000000002}", buffer);
  ASSERT_EQ(25u, GetAdapterName(0, buffer, sizeof buffer));
  EXPECT_STREQ("Intel PRO/Wireless 2200BG", buffer);
  fake_.withhold(kWzcDescription);
  EXPECT_EQ(WLE_NOT_RETURNED, GetAdapterName(0, buffer, sizeof buffer));
  fake_.fail("WZCQueryInterface", ERROR_GEN_FAILURE);
  EXPECT_EQ(WLE_QUERY_FAILED, GetAdapterName(0, buffer, sizeof buffer));
  fake_.fail("WZCEnumInterfaces", ERROR_GEN_FAILURE);
  EXPECT_EQ(WLE_ENUM_FAILED, EnumerateAdapters());
}

TEST_F(WzcTest, OptionsAreTheServiceControlFlags) {
  ASSERT_EQ(2u, EnumerateAdapters());
  EXPECT_EQ(0x8002u, GetAdapterOption(0, 0x8003));
  EXPECT_EQ(2u, GetAdapterOption(0, 3));
  EXPECT_EQ(0u, SetAdapterOption(0, 3, 1));
  EXPECT_EQ(0x8001u, fake_.controlFlags(first_));
  EXPECT_EQ(static_cast<DWORD>(kWzcControlFlags), fake_.lastSetFlags());  // as the query returned them
  fake_.setResult(kWzcSetPartly);
  EXPECT_EQ(0u, SetAdapterOption(0, 0x8000, 0));
  EXPECT_EQ(0x0001u, fake_.controlFlags(first_));
  fake_.setResult(ERROR_ACCESS_DENIED);
  EXPECT_EQ(WLE_SET_FAILED, SetAdapterOption(0, 3, 2));
}

TEST_F(WzcTest, BusyAdapterIsPolledUntilTheTimeout) {
  ASSERT_EQ(2u, EnumerateAdapters());
  EXPECT_EQ(0u, CheckAdapterBusyStatus(0, 5000));
  EXPECT_EQ(1, fake_.queries());
  fake_.withhold(kWzcWepStatus);
  EXPECT_EQ(WLE_NOT_RETURNED, CheckAdapterBusyStatus(0, 0));
  EXPECT_EQ(2, fake_.queries());
  EXPECT_EQ(WLE_NOT_RETURNED, CheckAdapterBusyStatus(0, 500));
  EXPECT_EQ(5, fake_.queries());  // 500 / 250 + 1
}

TEST_F(WzcTest, VisibleNetworksComeFromTheServiceList) {
  AddNetworks();
  ASSERT_EQ(2u, EnumerateAdapters());
  ASSERT_EQ(5u, EnumerateAvailableNetworks(0, 0));
  EXPECT_EQ(0, fake_.refreshes());
  const DWORD quality[] = {100, 50, 0, 80, 0};
  const DWORD type[] = {1, 1, 2, 3, 6};
  const DWORD channel[] = {1, 6, 11, 0, 15};
  const DWORD secure[] = {1, 1, 0, 1, 1};
  const DWORD auth[] = {7, 4, 0, 1, 2};
  const DWORD cipher[] = {4, 2, 0, 257, 261};
  for (DWORD i = 0; i < 5; ++i) {
    EXPECT_EQ(quality[i], GetAvailableNetworkSignalQuality(0, i)) << i;
    EXPECT_EQ(type[i], GetAvailableNetworkType(0, i)) << i;
    EXPECT_EQ(channel[i], GetAvailableNetworkChannel(0, i)) << i;
    EXPECT_EQ(secure[i], IsAvailableNetworkSecure(0, i)) << i;
    EXPECT_EQ(auth[i], GetAvailableNetworkAuthMode(0, i)) << i;
    EXPECT_EQ(cipher[i], GetAvailableNetworkCipherMode(0, i)) << i;
  }
  EXPECT_EQ(static_cast<DWORD>(-75), GetAvailableNetworkRSSI(0, 1));
  EXPECT_EQ(0u, GetAvailableNetworkIndex(0, "Office"));
  EXPECT_EQ(WLE_BAD_NETWORK, GetAvailableNetworkType(0, 5));
}

TEST_F(WzcTest, OverLongSsidIsCutToThirtyTwoBytes) {
  fake_.addVisible(first_, std::string(40, 'W').c_str(), kMacA, -50, 2412000, 1, 1, 0);
  ASSERT_EQ(2u, EnumerateAdapters());
  ASSERT_EQ(1u, EnumerateAvailableNetworks(0, 0));
  char buffer[64];
  EXPECT_EQ(32u, GetAvailableNetworkName(0, 0, buffer, sizeof buffer));
  EXPECT_EQ(std::string(32, 'W'), buffer);
}

TEST_F(WzcTest, RescanWaitsForTheServiceList) {
  AddNetworks();
  ASSERT_EQ(2u, EnumerateAdapters());
  fake_.visibleAfterScan(2);  // ready at the third look
  EXPECT_EQ(5u, EnumerateAvailableNetworks(0, 1));
  EXPECT_EQ(1, fake_.refreshes());
  fake_.fail("WZCRefreshInterface", ERROR_GEN_FAILURE);
  EXPECT_EQ(WLE_SCAN_FAILED, EnumerateAvailableNetworks(0, 1));
  fake_.fail("WZCRefreshInterface", ERROR_SUCCESS);
  fake_.withhold(kWzcVisibleList);
  EXPECT_EQ(WLE_NOT_RETURNED, EnumerateAvailableNetworks(0, 0));
}

TEST_F(WzcTest, CurrentConnectionNeedsTheNetworkInRange) {
  AddNetworks();
  ASSERT_EQ(2u, EnumerateAdapters());
  char buffer[33] = "unchanged";
  EXPECT_EQ(0u, GetCurrentNetworkName(0, buffer, sizeof buffer));  // the driver says nothing
  EXPECT_STREQ("", buffer);
  driverAnswers[0x00010114] = std::vector<BYTE>(4, 0);  // media connected
  fake_.setSsid(first_, "Elsewhere");                   // held, but not in range
  EXPECT_EQ(0u, GetCurrentNetworkName(0, buffer, sizeof buffer));
  EXPECT_EQ(WLE_NOT_CONNECTED, GetCurrentNetworkChannel(0));

  fake_.setSsid(first_, "Cafe");
  EXPECT_EQ(4u, GetCurrentNetworkName(0, buffer, sizeof buffer));
  EXPECT_STREQ("Cafe", buffer);
  BYTE mac[6] = {};
  EXPECT_EQ(0u, GetCurrentNetworkMac(0, &mac[0], &mac[1], &mac[2], &mac[3], &mac[4], &mac[5]));
  EXPECT_EQ(0, std::memcmp(mac, kMacB, 6));

  EXPECT_EQ(WLE_DEVICE_QUERY_FAILED, GetCurrentNetworkChannel(0));
  std::vector<BYTE> configuration(32, 0);
  const DWORD frequency = 2437000;
  std::memcpy(configuration.data() + 12, &frequency, 4);
  driverAnswers[0x0D010211] = configuration;
  EXPECT_EQ(6u, GetCurrentNetworkChannel(0));

  fake_.withhold(kWzcWepStatus);
  EXPECT_EQ(WLE_NOT_RETURNED, GetCurrentNetworkName(0, buffer, sizeof buffer));
}

}  // namespace
}  // namespace cvn::wlan
