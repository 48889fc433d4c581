#include "service/BootDefaults.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/FakeCommands.h"
#include "tests/support/RegistrySandbox.h"
#include "win/RegKey.h"

namespace cvn::service {
namespace {

class BootDefaultsTest : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "cvnboot" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    path_ = folder_ + "\\CvnDefIp.ini";
  }
  void TearDown() override {
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(folder_.c_str());
    RegistrySandbox::TearDown();
  }
  void WriteIni(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  void SetInstallPath(const std::string& path) {
    win::RegKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_LOCAL_MACHINE, "Software\\Corvane"));
    key.WriteString("Path", path);
  }

  std::string folder_, path_;
};

TEST_F(BootDefaultsTest, BuildsOneEntryPerAdapterSectionInFileOrder) {
  WriteIni(
      "[Cvn]\r\nId= CVN \r\nRef=1\r\n"
      "[LAN]\r\nDHCP=0\r\nIP=192.168.1.10\r\nMask=255.255.255.0\r\nGateway=192.168.1.1\r\n"
      "DNS=192.168.1.2;192.168.1.3\r\nRestoreMAC=1\r\n"
      "[Wi|Fi~2]\r\nEnable=0\r\n"
      "[Other]\r\n");
  const auto request = ReadBootDefaults(path_);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(kKeyByConnectionName, request->keyKind);
  EXPECT_EQ(
      "LAN|\x02\x02\x01|192.168.1.10|255.255.255.0|192.168.1.1|192.168.1.2;192.168.1.3|?|?|x|\xFF~"
      "Wi_Fi_2|\x01~"
      "Other|\x02\x01\x02|?|?|?|?|?|?|?|\xFF~",
      request->payload);
}

TEST_F(BootDefaultsTest, DhcpWithMacRestoreAndKeyKinds) {
  WriteIni("[cvn]\r\nid=CVN\r\nref=2\r\n[Ethernet adapter]\r\nrestoremac=1\r\n");
  const auto request = ReadBootDefaults(path_);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ(kKeyByDescription, request->keyKind);
  EXPECT_EQ("Ethernet adapter|\x02\x01\x01|?|?|?|?|?|?|x|\xFF~", request->payload);

  WriteIni("[Cvn]\r\nId=CVN\r\nRef=abc\r\n[LAN]\r\n");
  EXPECT_EQ(kKeyByConnectionName, ReadBootDefaults(path_)->keyKind);
}

TEST_F(BootDefaultsTest, ControlSectionInCapitalsIsStillTheControlSection) {
  WriteIni("[CVN]\r\nId=CVN\r\n[LAN]\r\nEnable=0\r\n");
  const auto request = ReadBootDefaults(path_);
  ASSERT_TRUE(request.has_value());
  EXPECT_EQ("LAN|\x01~", request->payload);
}

TEST_F(BootDefaultsTest, PresentButEmptyKeyTravelsAsAnEmptyField) {
  WriteIni("[Cvn]\r\nId=CVN\r\n[LAN]\r\nDHCP=0\r\nIP=10.0.0.2\r\nMask=255.0.0.0\r\nGateway=\r\n");
  EXPECT_EQ("LAN|\x02\x02\x02|10.0.0.2|255.0.0.0||?|?|?|?|\xFF~", ReadBootDefaults(path_)->payload);
}

TEST_F(BootDefaultsTest, FilesThatAskForNothing) {
  for (const char* text : {"[Cvn]\r\nId=cvn\r\n[LAN]\r\n",       // lower-case id
                           "[Cvn]\r\nId=CVN\r\n",                // no adapter section
                           "[LAN]\r\nEnable=0\r\n[Other]\r\n",   // no control section
                           "[Cvn]\r\nId=CVN\r\n[A]\r\nEnable=0\r\n"}) {  // "A|\x01~": 4 characters
    WriteIni(text);
    EXPECT_FALSE(ReadBootDefaults(path_).has_value()) << text;
  }
  DeleteFileA(path_.c_str());
  EXPECT_FALSE(ReadBootDefaults(path_).has_value());
}

TEST_F(BootDefaultsTest, RunsTheAdapterCommandFromTheInstallFolder) {
  SetInstallPath("  " + folder_ + "  ");
  WriteIni("[Cvn]\r\nId=CVN\r\n[LAN]\r\nEnable=0\r\n");
  test::FakeCommands commands;
  BootDefaults(commands);
  EXPECT_EQ((std::vector<std::string>{"SetAdapters 1 LAN|\x01~"}), commands.Calls());
}

TEST_F(BootDefaultsTest, NothingHappensWithoutTheInstallPathOrFile) {
  test::FakeCommands commands;
  BootDefaults(commands);  // no Path value
  SetInstallPath(folder_ + "\\");
  BootDefaults(commands);  // no file
  EXPECT_TRUE(commands.Calls().empty());
  EXPECT_FALSE(BootIniPath().value().empty());
}

}  // namespace
}  // namespace cvn::service
