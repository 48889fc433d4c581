#include "gui/store/ProfileStore.h"

#include <gtest/gtest.h>

#include "common/HexXor.h"
#include "tests/support/RegistrySandbox.h"
#include "win/RegKey.h"

namespace cvn::store {
namespace {

using win::RegKey;
using win::RegistryError;

constexpr char kLan[] = "{11111111-2222-3333-4444-555555555555}";
constexpr char kWifi[] = "{AAAAAAAA-2222-3333-4444-555555555555}";

class ProfileStoreTest : public test::RegistrySandbox {
 protected:
  static RegKey OpenProfile(const std::string& name, const std::string& sub = "") {
    RegKey key;
    const std::string path = ProfileKeyPath(name) + (sub.empty() ? "" : "\\" + sub);
    EXPECT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, path, KEY_READ | KEY_WRITE)) << path;
    return key;
  }

  // A profile with values, an adapter sub-key and a deeper key, written straight to the registry.
  static void WriteSampleProfile(const std::string& name) {
    CreateProfile(name, 3, "first line\r\nsecond line");
    RegKey key = OpenProfile(name);
    key.WriteDword("sNet", 1);
    key.WriteString("Suffixes", "a.example;b.example");
    RegKey adapter;
    ASSERT_EQ(ERROR_SUCCESS, adapter.Create(HKEY_CURRENT_USER, ProfileKeyPath(name) + "\\" + kLan));
    adapter.WriteDword("sIP", 1);
    adapter.WriteString("IP", "10.0.0.5");
  }
};

TEST_F(ProfileStoreTest, ListIsTheSubKeysOfTheAppKey) {
  EXPECT_TRUE(ListProfiles().empty());  // no key at all yet
  CreateProfile("Office", 0, "");
  CreateProfile("Home", 1, "");
  EXPECT_EQ((std::vector<std::string>{"Home", "Office"}), ListProfiles());
}

TEST_F(ProfileStoreTest, CreateWritesIconAndRemarkAndRefusesDuplicates) {
  CreateProfile("Office", 4, "desk 12");
  RegKey key = OpenProfile("Office");
  EXPECT_EQ(4u, key.ReadDword("Icon"));
  EXPECT_EQ("desk 12", key.ReadString("Remark"));
  EXPECT_THROW(CreateProfile("OFFICE", 0, ""), RegistryError);
  EXPECT_EQ(4u, OpenProfile("Office").ReadDword("Icon"));
}

TEST_F(ProfileStoreTest, BadNamesAreRefusedAndNeverReachTheAppKey) {
  WriteSampleProfile("Office");
  for (const char* bad : {"", "   ", "a\\b"}) {
    EXPECT_THROW(CreateProfile(bad, 0, ""), RegistryError) << bad;
    EXPECT_THROW(DeleteProfile(bad), RegistryError) << bad;
    EXPECT_THROW(RenameProfile("Office", bad), RegistryError) << bad;
  }
  EXPECT_EQ((std::vector<std::string>{"Office"}), ListProfiles());
}

TEST_F(ProfileStoreTest, RenameMovesValuesAndSubKeys) {
  WriteSampleProfile("Office");
  RenameProfile("Office", "Head office");
  EXPECT_FALSE(ProfileExists("Office"));
  EXPECT_EQ("first line\r\nsecond line", OpenProfile("Head office").ReadString("Remark"));
  EXPECT_EQ("10.0.0.5", OpenProfile("Head office", kLan).ReadString("IP"));
}

TEST_F(ProfileStoreTest, RenameOntoAnotherProfileChangesNeither) {
  WriteSampleProfile("Office");
  CreateProfile("Home", 7, "");
  EXPECT_THROW(RenameProfile("Office", "home"), RegistryError);
  EXPECT_EQ("10.0.0.5", OpenProfile("Office", kLan).ReadString("IP"));
  EXPECT_EQ(7u, OpenProfile("Home").ReadDword("Icon"));
  EXPECT_THROW(RenameProfile("Nowhere", "Else"), RegistryError);
}

TEST_F(ProfileStoreTest, RenameThatOnlyChangesLetterCaseKeepsTheData) {
  WriteSampleProfile("office");
  RenameProfile("office", "Office");
  EXPECT_EQ((std::vector<std::string>{"Office"}), ListProfiles());
  EXPECT_EQ("10.0.0.5", OpenProfile("Office", kLan).ReadString("IP"));
  EXPECT_EQ(3u, OpenProfile("Office").ReadDword("Icon"));
}

TEST_F(ProfileStoreTest, CopyDuplicatesAndKeepsTheSource) {
  WriteSampleProfile("Office");
  CopyProfile("Office", "Office 2");
  EXPECT_EQ("10.0.0.5", OpenProfile("Office 2", kLan).ReadString("IP"));
  EXPECT_EQ("10.0.0.5", OpenProfile("Office", kLan).ReadString("IP"));
  EXPECT_THROW(CopyProfile("Office", "office 2"), RegistryError);
}

TEST_F(ProfileStoreTest, DeleteRemovesSubKeysAndLeavesOthers) {
  WriteSampleProfile("Office");
  WriteSampleProfile("Home");
  DeleteProfile("Office");
  EXPECT_EQ((std::vector<std::string>{"Home"}), ListProfiles());
  EXPECT_EQ("10.0.0.5", OpenProfile("Home", kLan).ReadString("IP"));
}

TEST_F(ProfileStoreTest, LoadReadsValuesByKindAndAdaptersInRegistryOrder) {
  WriteSampleProfile("Office");
  {
    RegKey wifi;
    ASSERT_EQ(ERROR_SUCCESS, wifi.Create(HKEY_CURRENT_USER, ProfileKeyPath("Office") + "\\" + kWifi));
    wifi.WriteString("Wifi", "YNN");
  }
  const auto record = LoadProfile("Office");
  ASSERT_TRUE(record.has_value());
  EXPECT_TRUE(record->values.Flag("sNet"));
  EXPECT_FALSE(record->values.Flag("sProxy"));
  EXPECT_EQ(3, record->values.Number("Icon"));
  EXPECT_EQ("a.example;b.example", record->values.Text("suffixes"));
  ASSERT_EQ(2u, record->adapters.size());
  EXPECT_EQ(kLan, record->adapters[0].guid);
  EXPECT_EQ("10.0.0.5", record->adapters[0].values.Text("IP"));
  EXPECT_EQ(kWifi, record->adapters[1].guid);
  EXPECT_FALSE(LoadProfile("Nowhere").has_value());
}

TEST_F(ProfileStoreTest, LoadReportsAValueOfTheWrongType) {
  WriteSampleProfile("Office");
  OpenProfile("Office").WriteString("sProxy", "1");
  try {
    LoadProfile("Office");
    FAIL() << "no error";
  } catch (const RegistryError& error) {
    EXPECT_NE(std::string::npos, std::string(error.what()).find("sProxy"));
  }
  OpenProfile("Office").WriteDword("sProxy", 1);
  OpenProfile("Office", kLan).WriteDword("StateSn", 5);
  EXPECT_THROW(LoadProfile("Office"), RegistryError);
}

TEST_F(ProfileStoreTest, SaveRoundTripsARecord) {
  ProfileRecord record;
  record.name = "Office";
  record.values.SetText("pwd", EncodeHexXor("pw"));
  record.values.SetFlag("sProxy", true);
  record.values.SetNumber("ProxyMode", 3);
  record.values.SetText("Proxy", "proxy:8080");
  record.values.SetFlag("sSound", true);
  record.values.SetNumber("Balance", -40);
  record.values.SetFlag("sNet", true);
  AdapterRecord adapter{kLan, {}};
  adapter.values.SetFlag("sIP", true);
  adapter.values.SetText("StateSn", "1");
  adapter.values.SetText("Wifi", "YNY");
  adapter.values.SetText("Ssid", "corp");
  record.adapters.push_back(adapter);
  ASSERT_TRUE(SaveProfile(record));

  const auto loaded = LoadProfile("Office");
  ASSERT_TRUE(loaded.has_value());
  for (const auto& [name, value] : record.values.All()) {
    EXPECT_TRUE(loaded->values.Has(name)) << name;
  }
  EXPECT_EQ(-40, loaded->values.Number("Balance"));
  EXPECT_EQ("proxy:8080", loaded->values.Text("Proxy"));
  EXPECT_EQ(DecodeHexXor(loaded->values.Text("pwd")), "pw");
  ASSERT_EQ(1u, loaded->adapters.size());
  EXPECT_EQ("corp", loaded->adapters[0].values.Text("Ssid"));
  // Values always written read back as off or empty.
  EXPECT_FALSE(loaded->values.Flag("sMap"));
  EXPECT_TRUE(loaded->values.Has("ScriptsBefore"));
  EXPECT_EQ("", loaded->adapters[0].values.Text("MacAddress"));
}

TEST_F(ProfileStoreTest, ComponentSwitchedOffKeepsItsOldData) {
  ProfileRecord record;
  record.name = "Office";
  record.values.SetFlag("sProxy", true);
  record.values.SetNumber("ProxyMode", 3);
  record.values.SetText("Proxy", "proxy:8080");
  record.values.SetFlag("sScreen", true);
  record.values.SetText("ScrRes", "1024 x 768");
  ASSERT_TRUE(SaveProfile(record));

  record.values.SetFlag("sProxy", false);
  record.values.SetNumber("ProxyMode", 1);
  record.values.SetText("Proxy", "");
  record.values.SetFlag("sScreen", false);
  record.values.SetText("ScrRes", "800 x 600");
  ASSERT_TRUE(SaveProfile(record));

  RegKey key = OpenProfile("Office");
  EXPECT_EQ(0u, key.ReadDword("sProxy"));
  EXPECT_EQ(3u, key.ReadDword("ProxyMode"));
  EXPECT_EQ("proxy:8080", key.ReadString("Proxy"));
  EXPECT_EQ(0u, key.ReadDword("sScreen"));
  EXPECT_EQ("1024 x 768", key.ReadString("ScrRes"));
}

TEST_F(ProfileStoreTest, SaveDeletesPasswordAutoDialAndEmptyMappingList) {
  CreateProfile("Office", 0, "");
  {
    RegKey key = OpenProfile("Office");
    key.WriteString("pwd", EncodeHexXor("old"));
    key.WriteString("AutoDial", "Dial-up");
    key.WriteString("NetShare", "X:\\\\srv\\a");
  }
  ProfileRecord record;
  record.name = "Office";
  record.values.SetFlag("sDial", true);  // "Do not dial" chosen: no AutoDial held
  record.values.SetText("NetShare", "");
  ASSERT_TRUE(SaveProfile(record));

  RegKey key = OpenProfile("Office");
  EXPECT_FALSE(key.HasValue("pwd"));
  EXPECT_FALSE(key.HasValue("AutoDial"));
  EXPECT_FALSE(key.HasValue("NetShare"));
  EXPECT_TRUE(key.HasValue("Icon"));  // bookkeeping values are not the editor's
}

TEST_F(ProfileStoreTest, SaveWritesMappingCredentialsAndDropsThemForMappingsWithoutUser) {
  CreateProfile("Office", 0, "");
  {
    RegKey key = OpenProfile("Office");
    key.WriteString("U\\\\srv\\b", "stale");
    key.WriteString("P\\\\srv\\b", EncodeHexXor("stale"));
  }
  ProfileRecord record;
  record.name = "Office";
  record.values.SetText("NetShare", "X:\\\\srv\\a|Y:\\\\srv\\b");
  record.values.SetText("U\\\\srv\\a", "alice");
  record.values.SetText("P\\\\srv\\a", EncodeHexXor("pw"));
  ASSERT_TRUE(SaveProfile(record));

  RegKey key = OpenProfile("Office");
  EXPECT_EQ("alice", key.ReadString("U\\\\srv\\a"));
  EXPECT_EQ(EncodeHexXor("pw"), key.ReadString("P\\\\srv\\a"));
  EXPECT_FALSE(key.HasValue("U\\\\srv\\b"));
  EXPECT_FALSE(key.HasValue("P\\\\srv\\b"));
}

TEST_F(ProfileStoreTest, SaveRewritesIniEntriesBelowTheCountOnly) {
  CreateProfile("Office", 0, "");
  {
    RegKey key = OpenProfile("Office");
    for (const char* name : {"Ini0", "Ini1", "Ini2"}) key.WriteString(name, "old.ini]S]K]V");
  }
  ProfileRecord record;
  record.name = "Office";
  record.values.SetFlag("sIni", true);
  record.values.SetNumber("IniNum", 1);
  record.values.SetText("Ini0", "new.ini]S]K]V");
  ASSERT_TRUE(SaveProfile(record));

  RegKey key = OpenProfile("Office");
  EXPECT_EQ(1u, key.ReadDword("IniNum"));
  EXPECT_EQ("new.ini]S]K]V", key.ReadString("Ini0"));
  EXPECT_EQ("old.ini]S]K]V", key.ReadString("Ini2"));
}

TEST_F(ProfileStoreTest, WirelessValuesAreWrittenOnlyWhenConnectingToWifi) {
  ProfileRecord record;
  record.name = "Office";
  AdapterRecord adapter{kWifi, {}};
  adapter.values.SetText("Wifi", "NNN");
  adapter.values.SetText("Ssid", "corp");
  adapter.values.SetText("Key", EncodeHexXor("k"));
  record.adapters.push_back(adapter);
  ASSERT_TRUE(SaveProfile(record));
  EXPECT_FALSE(OpenProfile("Office", kWifi).HasValue("Ssid"));

  record.adapters[0].values.SetText("Wifi", "YNN");
  ASSERT_TRUE(SaveProfile(record));
  EXPECT_EQ("corp", OpenProfile("Office", kWifi).ReadString("Ssid"));
  EXPECT_EQ(EncodeHexXor("k"), OpenProfile("Office", kWifi).ReadString("Key"));
}

}  // namespace
}  // namespace cvn::store
