// The service's TCP/IP and adapter commands against a simulated machine.
#include <gtest/gtest.h>
#include <iphlpapi.h>

#include "common/AdapterRequest.h"
#include "service/BootDefaults.h"
#include "service/CommandDispatcher.h"
#include "service/CvnSrv.h"
#include "service/WmiResultText.h"
#include "tests/support/FakeMachine.h"
#include "tests/support/RegistrySandbox.h"
#include "win/RegKey.h"

namespace cvn::service {
namespace {

const std::string kLan = "{11111111-AAAA-BBBB-CCCC-000000000001}";
const std::string kWlan = "{11111111-AAAA-BBBB-CCCC-000000000002}";

AdapterRequest Static(const std::string& guid, const std::string& ips, const std::string& gateways) {
  AdapterRequest request;
  request.key = guid;
  request.dhcp = false;
  request.ips = ips;
  request.masks = "255.255.255.0";
  request.gateways = gateways;
  request.dns = request.wins = request.suffix = request.mac = "?";
  return request;
}

AdapterRequest Dhcp(const std::string& guid) {
  AdapterRequest request;
  request.key = guid;
  request.ips = request.masks = request.gateways = request.dns = request.wins = request.suffix = request.mac = "?";
  return request;
}

AdapterRequest Disable(const std::string& key) {
  AdapterRequest request;
  request.key = key;
  request.disable = true;
  return request;
}

class NetworkCommandsTest : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    machine_.adapters = {
        {kLan, "0001", "Intel(R) PRO/1000", "Local Area Connection", false, true, service::AdapterLink{5, true, "10.0.0.9"}, 11},
        {kWlan, "0002", "Wireless 3945ABG", "Wireless|Network~Connection", false, true, std::nullopt, 12},
    };
  }
  void Registry() { machine_.WriteRegistry(); }

  ServiceReply SetAdapters(const std::vector<AdapterRequest>& requests, int keyKind = kKeyByGuid) {
    Registry();
    std::string payload;
    for (const AdapterRequest& request : requests) payload += FormatAdapterEntry(request);
    return commands_.scSetAdapters(payload, keyKind);
  }
  bool Called(const std::string& call) const {
    return std::find(machine_.calls.begin(), machine_.calls.end(), call) != machine_.calls.end();
  }

  test::FakeMachine machine_;
  ServicePlatform platform_ = machine_.Platform();
  TCvnSrv commands_{platform_};
};

TEST_F(NetworkCommandsTest, DisableEntryForADisabledAdapterIsDone) {
  machine_.adapters[0].disabled = true;
  const ServiceReply reply = SetAdapters({Disable(kLan)});
  EXPECT_EQ('Y', reply.status);
  EXPECT_EQ("Adapter 1:\r\nDone\r\n", reply.text);
  EXPECT_TRUE(machine_.calls.empty());
}

TEST_F(NetworkCommandsTest, DisableEntryDisablesAnEnabledAdapter) {
  EXPECT_EQ("Adapter 1:\r\nDisabled\r\n", SetAdapters({Disable(kLan)}).text);
  EXPECT_TRUE(machine_.adapters[0].disabled);
  machine_.adapters[0].disabled = false;
  machine_.refused = {{kStateDisable, kScopeConfigSpecific}};
  const ServiceReply refused = SetAdapters({Disable(kLan)});
  EXPECT_EQ('M', refused.status);
  EXPECT_EQ("Adapter 1:\r\nFailed to disable\r\n", refused.text);
}

TEST_F(NetworkCommandsTest, DisabledAdapterIsEnabledWithTheGlobalRetryThenConfigured) {
  machine_.adapters[0].disabled = true;
  machine_.refused = {{kStateEnable, kScopeConfigSpecific}};
  const ServiceReply reply = SetAdapters({Dhcp(kLan)});
  EXPECT_EQ('Y', reply.status);
  EXPECT_EQ("Adapter 1:\r\nDone\r\n", reply.text);
  EXPECT_TRUE(Called(kLan + " state 1/2"));
  EXPECT_TRUE(Called(kLan + " state 1/1"));
  EXPECT_FALSE(machine_.adapters[0].disabled);

  machine_.adapters[0].disabled = true;
  machine_.refused.push_back({kStateEnable, kScopeGlobal});
  EXPECT_EQ("Adapter 1:\r\nFailed to enable\r\n", SetAdapters({Dhcp(kLan)}).text);
}

TEST_F(NetworkCommandsTest, StaticAddressFailingWith70IsReportedAndCounted) {
  machine_.adapters[0].dhcp = false;
  machine_.returns["EnableStatic"] = 70;
  const ServiceReply reply = SetAdapters({Static(kLan, "10.0.0.300", "?")});
  EXPECT_EQ('M', reply.status);
  EXPECT_EQ("Adapter 1:\r\nIP:Invalid IP address\r\n", reply.text);
  // Gateway "?" on a static adapter goes through DHCP first to drop the old gateways.
  EXPECT_EQ(kLan + " EnableDHCP", machine_.calls.at(0));
  EXPECT_EQ((std::vector<DWORD>{1500}), machine_.sleeps);
  EXPECT_FALSE(Called(kLan + " SetGateways"));
}

TEST_F(NetworkCommandsTest, StaticSettingsAreSentAsManagementArrays) {
  AdapterRequest request = Static(kLan, "10.0.0.5;10.0.0.6", "10.0.0.1");
  request.masks = "255.0.0.0;255.0.0.0";
  request.dns = "10.0.0.2;10.0.0.3";
  request.wins = "10.0.0.7";
  request.suffix = "corp.example";
  request.netbios = kNetbiosDisable;
  machine_.adapters[0].link = AdapterLink{5, false, "10.0.0.5;10.0.0.6"};  // already shows the new addresses
  const ServiceReply reply = SetAdapters({request});
  EXPECT_EQ('Y', reply.status);
  EXPECT_EQ("Adapter 1:\r\nDone\r\n", reply.text);
  EXPECT_EQ((std::vector<std::string>{
                kLan + " EnableStatic [10.0.0.5,10.0.0.6] [255.0.0.0,255.0.0.0]",
                kLan + " SetGateways [10.0.0.1]",
                kLan + " SetDNSServerSearchOrder [10.0.0.2,10.0.0.3]",
                kLan + " SetWINSServer '10.0.0.7' ''",
                kLan + " SetDNSDomain 'corp.example'",
                kLan + " SetTcpipNetbios 2",
            }),
            machine_.calls);
}

TEST_F(NetworkCommandsTest, RebootRequiredRestartsTheAdapter) {
  machine_.returns["EnableStatic"] = 1;
  const ServiceReply reply = SetAdapters({Static(kLan, "10.0.0.5", "10.0.0.1")});
  EXPECT_EQ("Adapter 1:\r\nDone\r\n", reply.text);
  EXPECT_EQ(kLan + " state 3/2", machine_.calls.back());
}

TEST_F(NetworkCommandsTest, CabledAdapterStillShowingTheOldAddressIsRestarted) {
  machine_.adapters[0].link = AdapterLink{5, false, "10.0.0.9"};
  SetAdapters({Static(kLan, "10.0.0.5", "10.0.0.1")});
  EXPECT_EQ(kLan + " state 3/2", machine_.calls.back());
}

TEST_F(NetworkCommandsTest, FailedRestartIsMentionedButNotAnError) {
  machine_.returns["EnableStatic"] = 1;
  machine_.refused = {{kStateRestart, kScopeConfigSpecific}};
  const ServiceReply reply = SetAdapters({Static(kLan, "10.0.0.5", "10.0.0.1")});
  EXPECT_EQ('Y', reply.status);
  EXPECT_EQ("Adapter 1:\r\nDone\r\nRestart this adapter to load new config\r\n", reply.text);
}

TEST_F(NetworkCommandsTest, WinsPairAndClearedValues) {
  AdapterRequest request = Dhcp(kLan);
  request.wins = "10.0.0.7;10.0.0.8";
  request.suffix = "!";
  SetAdapters({request});
  EXPECT_TRUE(Called(kLan + " SetDNSServerSearchOrder"));  // "?" clears the list
  EXPECT_TRUE(Called(kLan + " SetWINSServer '10.0.0.7' '10.0.0.8'"));
  EXPECT_TRUE(Called(kLan + " SetDNSDomain"));
  EXPECT_FALSE(Called(kLan + " SetTcpipNetbios 254"));  // 0xFF leaves NetBIOS alone
}

TEST_F(NetworkCommandsTest, DhcpWithADnsErrorStillReportsDone) {
  machine_.returns["SetDNSServerSearchOrder"] = 68;
  const ServiceReply reply = SetAdapters({Dhcp(kLan)});
  EXPECT_EQ('Y', reply.status);
  EXPECT_EQ("Adapter 1:\r\nDNS:Invalid parameter\r\n\r\nDone\r\n", reply.text);
}

TEST_F(NetworkCommandsTest, SwitchingToDhcpAsksForARestart) {
  machine_.adapters[0].dhcp = false;
  machine_.returns["EnableDHCP"] = 1;
  const ServiceReply reply = SetAdapters({Dhcp(kLan)});
  EXPECT_EQ("Adapter 1:\r\nRefresh adapter\r\nDone\r\n", reply.text);
  EXPECT_EQ(kLan + " state 3/2", machine_.calls.back());
  machine_.adapters[0].dhcp = false;
  machine_.returns["EnableDHCP"] = 65;
  EXPECT_EQ("Adapter 1:\r\nEnable DHCP:Unknown failure\r\n\r\nDone\r\n", SetAdapters({Dhcp(kLan)}).text);
}

TEST_F(NetworkCommandsTest, DhcpForAnAdapterWithoutLinkIsAlsoSetInTheRegistry) {
  const std::string interfaceKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + kWlan;
  win::RegKey created;
  ASSERT_EQ(ERROR_SUCCESS, created.Create(HKEY_LOCAL_MACHINE, interfaceKey));
  created.Close();
  SetAdapters({Dhcp(kWlan)});
  win::RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, interfaceKey));
  EXPECT_EQ(1u, key.ReadDword("EnableDHCP"));
  // A cabled adapter is left to the management service.
  const std::string lanKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + kLan;
  ASSERT_EQ(ERROR_SUCCESS, created.Create(HKEY_LOCAL_MACHINE, lanKey));
  created.Close();
  SetAdapters({Dhcp(kLan)});
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, lanKey));
  EXPECT_FALSE(key.HasValue("EnableDHCP"));
}

TEST_F(NetworkCommandsTest, MacOverrideIsWrittenOrRemovedAndRestartsTheAdapter) {
  AdapterRequest change = Dhcp(kLan);
  change.changeMac = true;
  change.mac = "00112233AABB";
  SetAdapters({change});
  EXPECT_EQ("00112233AABB", test::FakeMachine::NetworkAddress("0001"));
  EXPECT_EQ(kLan + " state 3/2", machine_.calls.back());

  machine_.calls.clear();
  change.mac = "x";
  const ServiceReply reply = SetAdapters({change});
  EXPECT_EQ("Adapter 1:\r\nDone\r\n", reply.text);
  EXPECT_EQ("<none>", test::FakeMachine::NetworkAddress("0001"));
  EXPECT_EQ(kLan + " state 3/2", machine_.calls.back());
}

TEST_F(NetworkCommandsTest, MacChangeForAnAdapterWithoutClassKeyFails) {
  Registry();
  win::DeleteKeyTree(HKEY_LOCAL_MACHINE,
                     "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001");
  // Without its class key the adapter has no GUID, so it is found by description instead.
  AdapterRequest change = Dhcp("Intel(R) PRO/1000");
  change.changeMac = true;
  change.mac = "00112233AABB";
  const ServiceReply reply = commands_.scSetAdapters(FormatAdapterEntry(change) + std::string(30, ' '), kKeyByDescription);
  EXPECT_EQ('M', reply.status);
  EXPECT_EQ(0u, reply.text.find("Adapter 1:\r\nFailed to change MAC address\r\n"));
}

TEST_F(NetworkCommandsTest, EntriesForAbsentAdaptersProduceNothing) {
  const ServiceReply reply =
      SetAdapters({Disable("{99999999-AAAA-BBBB-CCCC-000000000009}"), Disable(kWlan)});
  EXPECT_EQ('Y', reply.status);
  EXPECT_EQ("Adapter 2:\r\nDisabled\r\n", reply.text);
}

TEST_F(NetworkCommandsTest, ConnectionNamesAreComparedWithTheirEntrySpelling) {
  const ServiceReply reply =
      SetAdapters({Disable("wireless_network_connection"), Disable("Local Area Connection")}, kKeyByConnectionName);
  EXPECT_EQ("Adapter 2:\r\nDisabled\r\nAdapter 1:\r\nDisabled\r\n", reply.text);
}

TEST_F(NetworkCommandsTest, MalformedPayloadsAndEntries) {
  Registry();
  EXPECT_EQ("Invalid data\r\n", commands_.scSetAdapters(kLan, kKeyByGuid).text);
  EXPECT_EQ("No data\r\n", commands_.scSetAdapters(std::string(40, '~'), kKeyByGuid).text);
  EXPECT_EQ("Adapter 1:\r\nInvalid parameters\r\n", commands_.scSetAdapters(kLan + "|\x02\x01|?|?~", kKeyByGuid).text);
  EXPECT_EQ("Adapter 1:\r\nInvalid parameters\r\n", commands_.scSetAdapters(kLan + "|~" + kLan, kKeyByGuid).text);
  machine_.noDeviceList = true;
  const ServiceReply none = commands_.scSetAdapters(FormatAdapterEntry(Dhcp(kLan)), kKeyByGuid);
  EXPECT_EQ('N', none.status);
  EXPECT_EQ("No network adapter installed\r\n", none.text);
}

TEST_F(NetworkCommandsTest, UnreachableManagementServiceFailsTheAdapter) {
  machine_.managementDown = true;
  EXPECT_EQ("Adapter 1:\r\nOLE failed\r\n", SetAdapters({Dhcp(kLan)}).text);
  EXPECT_EQ("Adapter 1:\r\nOLE fault\r\n", SetAdapters({Static(kLan, "10.0.0.5", "?")}).text);
  EXPECT_EQ('N', commands_.scSetSuffixList("a.example").status);
  EXPECT_EQ("OLE error", commands_.scSetSuffixList("a.example").text);
}

TEST_F(NetworkCommandsTest, RestartAdapterFindsTheAdapterByGuid) {
  Registry();
  EXPECT_EQ('Y', commands_.scRestartAdapter(kWlan).status);
  EXPECT_EQ(kWlan + " state 3/2", machine_.calls.back());
  EXPECT_EQ('N', commands_.scRestartAdapter("{short}").status);
  EXPECT_EQ('N', commands_.scRestartAdapter("{99999999-AAAA-BBBB-CCCC-000000000009}").status);
  machine_.refused = {{kStateRestart, kScopeConfigSpecific}};
  EXPECT_EQ('N', commands_.scRestartAdapter(kWlan).status);
}

TEST_F(NetworkCommandsTest, SuffixListIsSetOrCleared) {
  EXPECT_EQ("YDone\r\n", [&] {
    const ServiceReply reply = CommandDispatcher(commands_, scSetSuffixList, "?");
    return std::string(1, reply.status) + reply.text;
  }());
  EXPECT_EQ("class SetDNSSuffixSearchOrder", machine_.calls.back());
  commands_.scSetSuffixList("a.example;b.example");
  EXPECT_EQ("class SetDNSSuffixSearchOrder [a.example,b.example]", machine_.calls.back());
  machine_.returns["SetDNSSuffixSearchOrder"] = 1;
  const ServiceReply reply = commands_.scSetSuffixList("a.example");
  EXPECT_EQ('N', reply.status);
  EXPECT_EQ("Error 1\r\n", reply.text);
}

TEST_F(NetworkCommandsTest, RenewAddressOutcomes) {
  auto renew = [&](const std::string& payload) {
    const ServiceReply reply = CommandDispatcher(commands_, scRenewAddress, payload);
    return std::string(1, reply.status) + reply.text;
  };
  EXPECT_EQ("NFault\r\n", renew("eleven"));
  EXPECT_EQ("NFault\r\n", renew("99"));
  EXPECT_EQ("YDone\r\n", renew("11"));
  EXPECT_EQ((std::vector<std::string>{"release 11", "renew 11"}), machine_.calls);
  machine_.renewResult = ERROR_FILE_NOT_FOUND;  // unplugged
  EXPECT_EQ("MFault\r\n", renew("12"));
  machine_.renewResult = ERROR_SEM_TIMEOUT;
  EXPECT_EQ("MFault\r\n", renew("12"));
  machine_.releaseResult = ERROR_ACCESS_DENIED;
  EXPECT_EQ("NFault\r\n", renew("12"));
}

TEST_F(NetworkCommandsTest, BootDefaultsApplyThroughTheAdapterCommand) {
  Registry();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "cvnboot2_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string ini = folder + "\\CvnDefIp.ini";
  WritePrivateProfileStringA("Cvn", "Id", "CVN", ini.c_str());
  WritePrivateProfileStringA("Local Area Connection", "DHCP", "0", ini.c_str());
  WritePrivateProfileStringA("Local Area Connection", "IP", "192.168.5.10", ini.c_str());
  WritePrivateProfileStringA("Local Area Connection", "Mask", "255.255.255.0", ini.c_str());
  WritePrivateProfileStringA("Local Area Connection", "Gateway", "192.168.5.1", ini.c_str());
  WritePrivateProfileStringA("Wireless_Network_Connection", "Enable", "0", ini.c_str());
  {
    win::RegKey key;
    key.Create(HKEY_LOCAL_MACHINE, "Software\\Corvane");
    key.WriteString("Path", folder);
  }
  BootDefaults(commands_);
  DeleteFileA(ini.c_str());
  RemoveDirectoryA(folder.c_str());

  EXPECT_TRUE(Called(kLan + " EnableStatic [192.168.5.10] [255.255.255.0]"));
  EXPECT_TRUE(Called(kLan + " SetGateways [192.168.5.1]"));
  EXPECT_TRUE(machine_.adapters[1].disabled);
}

TEST(WmiResultTextTest, KnownAndUnknownValues) {
  EXPECT_EQ("Unknown OLE Error\r\n", WmiResultText(-1));
  EXPECT_EQ("Invalid IP address\r\n", WmiResultText(70));
  EXPECT_EQ("DHCP not enabled on adapter\r\n", WmiResultText(100));
  for (int value : {1, 73, 74, 85, 99}) EXPECT_EQ("Error " + std::to_string(value) + "\r\n", WmiResultText(value));
}

// The Win32 implementation under Wine, which lists no network devices and lacks the
// configuration methods: every answer is a reply, never a crash.
TEST(Win32PlatformTest, AnswersWithoutDevicesOrManagementMethods) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));  // as the service thread does
  TCvnSrv commands(Win32Platform());
  const ServiceReply adapters = commands.scSetAdapters(FormatAdapterEntry(Dhcp(kLan)), kKeyByGuid);
  EXPECT_EQ('N', adapters.status);
  EXPECT_EQ("No network adapter installed\r\n", adapters.text);
  EXPECT_EQ('N', commands.scRestartAdapter(kLan).status);
  bool restart = false;
  EXPECT_EQ("", commands.ConfigureDhcp(kLan, "?", "?", "?", 0xFF, restart));  // no such SettingID

  // An adapter Wine does list: the query finds its configuration object, and every method
  // Wine lacks comes back as a management error text.
  ULONG size = 0;
  GetAdaptersInfo(nullptr, &size);
  std::vector<BYTE> buffer(size);
  if (size && GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size) == NO_ERROR) {
    const std::string guid = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data())->AdapterName;
    const std::string text = commands.ConfigureStatic(guid, "10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2",
                                                      "?", "?", 0xFF, restart);
    std::printf("static configuration of %s under Wine:\n%s", guid.c_str(), text.c_str());
    EXPECT_NE("OLE fault\r\n", text);
  }
  const ServiceReply suffixes = commands.scSetSuffixList("?");
  std::printf("suffix list under Wine: %c %s\n", suffixes.status, suffixes.text.c_str());
  EXPECT_NE("OLE error", suffixes.text);
  EXPECT_EQ('N', commands.scRenewAddress(-1).status);
  CoUninitialize();
}

}  // namespace
}  // namespace cvn::service
