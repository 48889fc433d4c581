#include "gui/store/AppSettings.h"

#include <gtest/gtest.h>

#include "gui/store/ProfileStore.h"
#include "tests/support/RegistrySandbox.h"
#include "win/RegKey.h"

namespace cvn::store {
namespace {

class AppSettingsTest : public test::RegistrySandbox {
 protected:
  win::RegKey AppKey() {
    win::RegKey key;
    EXPECT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, kAppKeyPath));
    return key;
  }
  AppSettings Load() {
    return LoadAppSettings([this](const std::string& error) { errors_.push_back(error); });
  }
  std::vector<std::string> errors_;
};

TEST_F(AppSettingsTest, FreshUserGetsTheDefaults) {
  const AppSettings settings = Load();
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(220, settings.left);
  EXPECT_EQ(110, settings.top);
  EXPECT_EQ(590, settings.width);
  EXPECT_EQ(410, settings.height);
  EXPECT_EQ("", settings.password);
  EXPECT_FALSE(settings.showGroup);
  EXPECT_FALSE(settings.deskInfo);
  EXPECT_EQ(1, settings.deskBackground);  // black
  EXPECT_EQ(185, settings.deskAlpha);
  EXPECT_TRUE(settings.CloseEndsProgram());
  EXPECT_TRUE(settings.showHint);
  EXPECT_EQ("Courier New", settings.deskFont.name);
}

TEST_F(AppSettingsTest, ReadsStoredValues) {
  {
    win::RegKey key = AppKey();
    key.WriteDword("NoTray", 0);
    key.WriteDword("ShowHint", 0);
    key.WriteDword("AutoClose", 1);
    key.WriteString("np", "225652");  // "abc"
    key.WriteString("Top", "300");
    key.WriteString("Left", "not a number");
    key.WriteDword("deskalpha", 999);  // outside 0..255: ignored
    key.WriteString("His1", "Office");
  }
  const AppSettings settings = Load();
  EXPECT_FALSE(settings.CloseEndsProgram());
  EXPECT_FALSE(settings.showHint);
  EXPECT_TRUE(settings.autoClose);
  EXPECT_EQ("abc", settings.password);
  EXPECT_EQ(300, settings.top);
  EXPECT_EQ(220, settings.left);
  EXPECT_EQ(185, settings.deskAlpha);
  EXPECT_EQ("Office", settings.lastProfile);
}

TEST_F(AppSettingsTest, WrongTypeIsReportedAndLaterSettingsKeepTheirDefaults) {
  {
    win::RegKey key = AppKey();
    key.WriteDword("ShowHint", 0);     // read before the bad value
    key.WriteString("AutoClose", "1");  // wrong type
    key.WriteDword("StartWifi", 1);    // read after it: stays default
  }
  const AppSettings settings = Load();
  ASSERT_EQ(1u, errors_.size());
  EXPECT_NE(std::string::npos, errors_[0].find("AutoClose"));
  EXPECT_FALSE(settings.showHint);
  EXPECT_FALSE(settings.startWifi);
}

TEST_F(AppSettingsTest, WindowStoredForALargerScreenComesBack) {
  AppSettings settings;
  settings.top = 5000;
  settings.left = 3000;
  FitToScreen(settings, 1280, 1024);
  EXPECT_EQ(10, settings.top);
  EXPECT_EQ(200, settings.left);
}

TEST(DeskFontTest, AppliesOnlyFieldsFollowedByAComma) {
  struct Case {
    const char* text;
    const char* name;
    int charset, color, size, style;
  };
  const Case cases[] = {
      {"", "Courier New", 1, kAlmostWhite, 8, 0},
      {",,,,", "Courier New", 1, kAlmostWhite, 8, 0},
      {"Arial", "Courier New", 1, kAlmostWhite, 8, 0},       // no comma: nothing changes
      {"Arial,0", "Arial", 1, kAlmostWhite, 8, 0},           // the charset has no closing comma
      {"Arial,0,255,12,3", "Arial", 0, 255, 12, 3},
      {" ,x,255, ,", "Courier New", 1, 255, 8, 0},           // blanks and non-numbers keep values
      {"Tahoma,1,16777215,9,1", "Tahoma", 1, kAlmostWhite, 9, 1},  // pure white is never used
  };
  for (const Case& c : cases) {
    DeskFont font;
    ApplyDeskFont(c.text, font);
    EXPECT_EQ(c.name, font.name) << c.text;
    EXPECT_EQ(c.charset, font.charset) << c.text;
    EXPECT_EQ(c.color, font.color) << c.text;
    EXPECT_EQ(c.size, font.size) << c.text;
    EXPECT_EQ(c.style, font.style) << c.text;
  }
  DeskFont white;
  white.color = 0xFFFFFF;
  EXPECT_EQ("Courier New,1,16448250,8,0", FormatDeskFont(white));
}

TEST_F(AppSettingsTest, RecentlyUsedListsKeepNewestFirstWithoutDuplicates) {
  for (const char* path : {"\\\\a\\x", "\\\\b\\x", "\\\\c\\x"}) AddRecentlyUsed("RUShare", path, 2);
  AddRecentlyUsed("RUShare", "\\\\c\\x", 2);
  EXPECT_EQ((std::vector<std::string>{"\\\\c\\x", "\\\\b\\x"}), ReadRecentlyUsed("RUShare"));
  EXPECT_EQ("|\\\\c\\x|\\\\b\\x", AppKey().ReadString("RUShare"));
}

TEST_F(AppSettingsTest, OwnersWriteWhatTheReaderReadsBack) {
  AppSettings settings;
  settings.noTray = false;
  settings.autoClose = true;
  settings.top = 42;
  settings.deskFont.name = "Arial";
  WriteOptions(settings);
  WriteShellSettings(settings);
  WriteLastActivation("log\r\n", "Home");
  const AppSettings read = Load();
  EXPECT_FALSE(read.CloseEndsProgram());
  EXPECT_TRUE(read.autoClose);
  EXPECT_EQ(42, read.top);
  EXPECT_EQ("Arial", read.deskFont.name);
  EXPECT_EQ("Home", read.lastProfile);
  EXPECT_EQ("log\r\n", AppKey().ReadString("LastLog"));
  EXPECT_TRUE(ReadAutoClose());
}

}  // namespace
}  // namespace cvn::store
