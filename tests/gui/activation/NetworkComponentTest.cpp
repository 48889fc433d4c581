#include "gui/activation/NetworkComponent.h"

#include <gtest/gtest.h>

#include "gui/shell/ActivateProfile.h"
#include "gui/store/ProfileStore.h"
#include "service/CvnSrv.h"
#include "tests/support/FakeCommands.h"
#include "tests/support/FakeMachine.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ServerThread.h"
#include "win/RegKey.h"

namespace cvn::activation {
namespace {

const std::string kFirst = "{11111111-AAAA-BBBB-CCCC-000000000001}";
const std::string kSecond = "{11111111-AAAA-BBBB-CCCC-000000000002}";

using Values = std::vector<std::pair<std::string, std::string>>;

class NetworkComponentTest : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    store::CreateProfile("Office", 0, "");
  }
  // An adapter sub-key: "sIP" and "sDs" are flags, the rest texts.
  void Adapter(const std::string& guid, const Values& values) {
    win::RegKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, store::ProfileKeyPath("Office") + "\\" + guid));
    for (const auto& [name, value] : values) {
      if (name == "sIP" || name == "sDs") key.WriteDword(name, value == "1");
      else key.WriteString(name, value);
    }
  }
  void ProfileValue(const std::string& name, const std::string& value) {
    win::RegKey key;
    key.Open(HKEY_CURRENT_USER, store::ProfileKeyPath("Office"), KEY_WRITE);
    key.WriteString(name, value);
  }
  NetworkCommands Build() {
    win::RegKey profile;
    EXPECT_EQ(ERROR_SUCCESS, profile.Open(HKEY_CURRENT_USER, store::ProfileKeyPath("Office")));
    log_.clear();
    return BuildNetworkCommands(profile, [this](const std::string& line) { log_.push_back(line); });
  }
  std::vector<std::string> log_;
};

TEST_F(NetworkComponentTest, SingleDisabledAdapter) {
  Adapter(kFirst, {{"sIP", "1"}, {"sDs", "1"}, {"CardName", "Intel PRO/1000"}, {"StateSn", "1"}});
  const NetworkCommands commands = Build();
  EXPECT_TRUE(commands.present);
  EXPECT_EQ("\x81" + kFirst + "|\x01~", commands.adapters);
  EXPECT_EQ((std::vector<std::string>{"Adapter 1: Intel PRO/1000\r\nDisable"}), log_);
  EXPECT_FALSE(commands.flush || commands.suffix || commands.wireless);
}

TEST_F(NetworkComponentTest, DhcpWithStaticDnsServers) {
  Adapter(kFirst, {{"sIP", "1"}, {"StateSn", "5"}, {"Dns", " 10.0.0.2;10.0.0.3 "}, {"IP", "1.2.3.4"}});
  EXPECT_EQ("\x81" + kFirst + "|\x02\x01\x02|?|?|?|10.0.0.2;10.0.0.3|?|?|?|\xFF~", Build().adapters);
  EXPECT_EQ((std::vector<std::string>{"Adapter 1: ", "DHCP"}), log_);
  // Without flag 4 the DNS servers come from DHCP too.
  Adapter(kFirst, {{"StateSn", "1"}});
  EXPECT_EQ("\x81" + kFirst + "|\x02\x01\x02|?|?|?|?|?|?|?|\xFF~", Build().adapters);
}

TEST_F(NetworkComponentTest, StaticAdapterWithoutWins) {
  Adapter(kFirst, {{"sIP", "1"}, {"CardName", "LAN"}, {"StateSn", "0"}, {"IP", "10.0.0.5"}, {"Mask", "255.0.0.0"},
                   {"Gateway", "10.0.0.1"}, {"Dns", "10.0.0.2"}, {"Wins", ""}, {"Misc", "1"}});
  EXPECT_EQ("\x81" + kFirst + "|\x02\x02\x02|10.0.0.5|255.0.0.0|10.0.0.1|10.0.0.2|?|?|?|\x01~", Build().adapters);
  EXPECT_EQ((std::vector<std::string>{"Adapter 1: LAN", "IP:10.0.0.5/255.0.0.0\r\nGateway:10.0.0.1\r\nDNS:10.0.0.2",
                                      "WinBIOS:1"}),
            log_);
}

TEST_F(NetworkComponentTest, MiscSetsFlushAndNetbios) {
  const std::tuple<const char*, bool, char> cases[] = {
      {"6", true, '\x02'}, {"4", true, '\xFF'}, {"3", false, '\x03'}, {"0", false, '\xFF'}, {"junk", false, '\xFF'}};
  for (const auto& [misc, flush, netbios] : cases) {
    Adapter(kFirst, {{"sIP", "1"}, {"StateSn", "1"}, {"Misc", misc}});
    const NetworkCommands commands = Build();
    EXPECT_EQ(flush, commands.flush) << misc;
    EXPECT_EQ(std::string("|") + netbios + "~", commands.adapters.substr(commands.adapters.size() - 3)) << misc;
  }
}

TEST_F(NetworkComponentTest, SuffixesAndConnectionSuffix) {
  Adapter(kFirst, {{"sIP", "1"}, {"StateSn", "19"}, {"Suffix", ""}});  // DHCP, connection suffix, search list
  ProfileValue("Suffixes", "");
  NetworkCommands commands = Build();
  EXPECT_TRUE(commands.suffix);
  EXPECT_EQ("\x82?", commands.suffixes);
  EXPECT_EQ("\x81" + kFirst + "|\x02\x01\x02|?|?|?|?|?|!|?|\xFF~", commands.adapters);
  EXPECT_EQ("DNS suffixes:", log_.back());

  Adapter(kFirst, {{"Suffix", "corp.example"}});
  ProfileValue("Suffixes", "a.example;b.example");
  commands = Build();
  EXPECT_EQ("\x82" "a.example;b.example", commands.suffixes);
  EXPECT_NE(std::string::npos, commands.adapters.find("|corp.example|?|"));
}

TEST_F(NetworkComponentTest, MacChangeAndRestore) {
  Adapter(kFirst, {{"sIP", "1"}, {"CardName", "LAN"}, {"StateSn", "9"}, {"MacAddress", "00112233AABB"}});
  EXPECT_EQ("\x81" + kFirst + "|\x02\x01\x01|?|?|?|?|?|?|00112233AABB|\xFF~", Build().adapters);
  EXPECT_EQ("Adapter 1: LAN\r\nMAC: 00112233AABB", log_[0]);
  Adapter(kFirst, {{"MacAddress", ""}});
  EXPECT_EQ("\x81" + kFirst + "|\x02\x01\x01|?|?|?|?|?|?|x|\xFF~", Build().adapters);
  EXPECT_EQ("Adapter 1: LAN\r\nMAC: Orignal", log_[0]);
}

TEST_F(NetworkComponentTest, AdaptersInRegistryOrderAndMissingParameters) {
  Adapter(kSecond, {{"sIP", "1"}, {"sDs", "1"}});
  Adapter(kFirst, {{"sIP", "1"}, {"StateSn", " "}, {"Wifi", "YNN"}});
  Adapter("{00000000-0000-0000-0000-000000000000}", {{"sIP", "0"}, {"sDs", "1"}});  // not included
  const NetworkCommands commands = Build();
  EXPECT_EQ("\x81~" + kSecond + "|\x01~", commands.adapters);
  EXPECT_EQ((std::vector<std::string>{"Parameter missing, skip", "Adapter 2: \r\nDisable"}), log_);
  EXPECT_TRUE(commands.wireless);
}

TEST_F(NetworkComponentTest, OnlySkippedAdaptersIsNoSettings) {
  Adapter(kFirst, {{"sIP", "1"}});
  EXPECT_FALSE(Build().present);
  win::DeleteKeyTree(HKEY_CURRENT_USER, store::ProfileKeyPath("Office") + "\\" + kFirst);
  EXPECT_FALSE(Build().present);
}

// The whole component in an activation, against the service running on a simulated machine.
class NetworkActivationTest : public NetworkComponentTest {
 protected:
  void SetUp() override {
    NetworkComponentTest::SetUp();
    win::RegKey key;
    key.Open(HKEY_CURRENT_USER, store::ProfileKeyPath("Office"), KEY_WRITE);
    key.WriteDword("sNet", 1);
    machine_.adapters = {{kFirst, "0001", "LAN adapter", "Local Area Connection", false, true, std::nullopt, 7}};
    machine_.WriteRegistry();
  }
  void TearDown() override {
    shell_.window.reset();
    server_.reset();
    NetworkComponentTest::TearDown();
  }
  TCvSetForm& Activate(service::ServiceCommands& commands) {
    server_ = std::make_unique<test::ServerThread>(commands);
    shell_.pipeName = server_->PipeName();
    shell::ActivateProfile(shell_, "Office", false);
    return *shell_.window;
  }
  std::vector<std::string> Rows(const TCvSetForm& form) {
    std::vector<std::string> rows;
    for (int i = 0; i < form.StateList.Count(); ++i) rows.push_back(form.StateList.Text(i, 0) + "|" + form.StateList.Text(i, 1));
    return rows;
  }

  test::ScriptedDialogs dialogs_;
  test::FakeMachine machine_;
  service::ServicePlatform platform_ = machine_.Platform();
  std::unique_ptr<test::ServerThread> server_;
  shell::ActivationShell shell_;
};

TEST_F(NetworkActivationTest, ServiceRepliesGoToTheLogAndMarkTheRows) {
  Adapter(kFirst, {{"sIP", "1"}, {"CardName", "LAN adapter"}, {"StateSn", "16"}, {"IP", "10.0.0.5"},
                   {"Mask", "255.0.0.0"}, {"Gateway", "10.0.0.1"}, {"Misc", "4"}});
  Adapter("{99999999-0000-0000-0000-000000000009}", {{"sIP", "1"}, {"sDs", "1"}});  // no longer installed
  ProfileValue("Suffixes", "corp.example");
  service::TCvnSrv commands(platform_);
  TCvSetForm& form = Activate(commands);
  // Wine's DnsFlushResolverCache is a stub that reports success.
  EXPECT_EQ((std::vector<std::string>{"Network|Y", "Suffixes|Y", "Flush DNS cacher|Y", "Done|"}), Rows(form))
      << form.LogText();
  EXPECT_NE(std::string::npos, form.LogText().find("\r\n[Result]\r\n\r\nAdapter 1:\r\nDone\r\n\r\n*** Suffixes"))
      << form.LogText();
  EXPECT_TRUE(std::find(machine_.calls.begin(), machine_.calls.end(),
                        kFirst + " EnableStatic [10.0.0.5] [255.0.0.0]") != machine_.calls.end());
  EXPECT_EQ("class SetDNSSuffixSearchOrder [corp.example]", machine_.calls.back());
}

TEST_F(NetworkActivationTest, FailingAdapterMarksTheRowButTheRunGoesOn) {
  Adapter(kFirst, {{"sIP", "1"}, {"StateSn", "0"}, {"IP", "10.0.0.300"}, {"Mask", "255.0.0.0"}});
  machine_.returns["EnableStatic"] = 70;
  service::TCvnSrv commands(platform_);
  TCvSetForm& form = Activate(commands);
  EXPECT_EQ((std::vector<std::string>{"Network|M", "Done|"}), Rows(form));
  EXPECT_NE(std::string::npos, form.LogText().find("Adapter 1:\r\nIP:Invalid IP address\r\n"));
}

TEST_F(NetworkActivationTest, WirelessServiceIsStartedWithoutARowAndItsFailureIgnored) {
  Adapter(kFirst, {{"sIP", "1"}, {"StateSn", "1"}, {"Wifi", "YNN"}, {"Misc", "5"}});
  shell_.startWifi = true;
  test::FakeCommands commands;
  commands.reply = {'N', ""};
  TCvSetForm& form = Activate(commands);
  const std::vector<std::string> calls = commands.Calls();
  ASSERT_EQ(3u, calls.size());
  EXPECT_EQ(0u, calls[0].find("SetAdapters 0 " + kFirst));
  EXPECT_TRUE(calls[1] == "ControlService 3 Wlansvc" || calls[1] == "ControlService 3 WZCSVC") << calls[1];
  EXPECT_EQ("FlushDns", calls[2]);
  EXPECT_EQ((std::vector<std::string>{"Network|N", "Wireless|", "Flush DNS cacher|N", "Done|"}), Rows(form));

  shell_.startWifi = false;
  shell_.window.reset();
  shell::ActivateProfile(shell_, "Office", false);
  EXPECT_EQ(5u, commands.Calls().size());  // adapters and flush only
}

}  // namespace
}  // namespace cvn::activation
