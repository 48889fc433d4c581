#include "gui/store/ProfileLists.h"

#include <gtest/gtest.h>

#include "common/HexXor.h"

namespace cvn::store {
namespace {

TEST(RouteListTest, ReadsAddedAndDeletedRoutesAndSkipsShortItems) {
  const std::string text =
      "|+10.0.0.0 mask 255.0.0.0 192.168.1.1 metric 5"  // added, with metric
      "|+172.16.0.0 mask 255.240.0.0 10.1.1.1"          // added, 36 characters
      "|+1.0.0.0 mask 1.0.0.0 1.1.1"                    // 27 characters: too short for "+"
      "|-10.9.0.0"                                      // deleted, 8 characters
      "|-1.2.3"                                         // 6 characters: ignored
      "|x10.0.0.0 mask 255.0.0.0 192.168.1.1";          // neither add nor delete
  const std::vector<RouteEntry> routes = ParseRoutes(text);
  ASSERT_EQ(3u, routes.size());
  EXPECT_TRUE(routes[0].add);
  EXPECT_EQ("10.0.0.0", routes[0].destination);
  EXPECT_EQ("255.0.0.0", routes[0].mask);
  EXPECT_EQ("192.168.1.1", routes[0].gateway);
  EXPECT_EQ("5", routes[0].metric);
  EXPECT_EQ("", routes[1].metric);
  EXPECT_FALSE(routes[2].add);
  EXPECT_EQ("10.9.0.0", routes[2].destination);
}

TEST(RouteListTest, FormatsAsTheEditorWrites) {
  const std::vector<RouteEntry> routes = {{true, "10.0.0.0", "255.0.0.0", "192.168.1.1", "5"},
                                          {true, "172.16.0.0", "255.240.0.0", "10.1.1.1", ""},
                                          {false, "10.9.0.0", "", "", ""}};
  const std::string text = FormatRoutes(routes);
  EXPECT_EQ(
      "|+10.0.0.0 mask 255.0.0.0 192.168.1.1 metric 5|+172.16.0.0 mask 255.240.0.0 10.1.1.1|-10.9.0.0",
      text);
  EXPECT_EQ(3u, ParseRoutes(text).size());
}

TEST(DriveMappingTest, ReadsDrivesPathsAndCredentials) {
  ValueSet values;
  values.SetText("NetShare", "+:\\\\srv\\a|+:\\\\srv\\b|X:\\\\srv\\c||Y:");
  values.SetText("U\\\\srv\\a", "alice");
  values.SetText("P\\\\srv\\a", EncodeHexXor("s3cret"));
  values.SetText("U\\\\srv\\c", "carol");
  values.SetText("P\\\\srv\\c", "ZZZ");  // damaged: reads as no password
  const std::vector<DriveMapping> mappings = ReadDriveMappings(values);
  ASSERT_EQ(3u, mappings.size());
  EXPECT_EQ("+:", mappings[0].drive);
  EXPECT_EQ("\\\\srv\\a", mappings[0].unc);
  EXPECT_EQ("alice", mappings[0].user);
  EXPECT_EQ("s3cret", mappings[0].password);
  EXPECT_EQ("+:", mappings[1].drive);
  EXPECT_EQ("", mappings[1].user);
  EXPECT_EQ("carol", mappings[2].user);
  EXPECT_EQ("", mappings[2].password);
}

TEST(DriveMappingTest, StoringAMappingWithoutUserDropsItsCredentials) {
  ValueSet values;
  values.SetText("U\\\\srv\\a", "alice");
  values.SetText("P\\\\srv\\a", EncodeHexXor("old"));
  StoreDriveMappings(values, {{"-:", "\\\\srv\\a", "", ""}, {"H:", "\\\\srv\\home", "bob", "pw"}});
  EXPECT_EQ("-:\\\\srv\\a|H:\\\\srv\\home", values.Text("NetShare"));
  EXPECT_FALSE(values.Has("U\\\\srv\\a"));
  EXPECT_FALSE(values.Has("P\\\\srv\\a"));
  EXPECT_EQ("bob", values.Text("U\\\\srv\\home"));
  EXPECT_EQ(EncodeHexXor("pw"), values.Text("P\\\\srv\\home"));
}

TEST(ShareListTest, AppliesTheReadingRules) {
  const std::vector<ShareEntry> shares =
      ParseShares("|docs/C:\\Docs?Everyone=F"   // full item
                  "|pub/D:\\Pub"                // no "?": default permissions
                  "|bad?x/C:\\Bad"              // "?" before "/": shown as an error row
                  "|/C:\\NoName"                // "/" first: ignored
                  "|noslash");                  // no "/": ignored
  ASSERT_EQ(3u, shares.size());
  EXPECT_EQ("docs", shares[0].name);
  EXPECT_EQ("C:\\Docs", shares[0].folder);
  EXPECT_EQ("Everyone=F", shares[0].permissions);
  EXPECT_EQ("D:\\Pub", shares[1].folder);
  EXPECT_EQ("Everyone=R", shares[1].permissions);
  EXPECT_EQ("error! Please remove this item.", shares[2].folder);
  EXPECT_EQ("Everyone=R", shares[2].permissions);
  EXPECT_EQ("|docs/C:\\Docs?Everyone=F|pub/D:\\Pub?Everyone=R",
            FormatShares({shares[0], shares[1]}));
}

TEST(EnvironmentListTest, SkipsItemsWithoutANameAndReadsOddDigitsAsReplace) {
  const std::vector<EnvEntry> entries =
      ParseEnvironment("|1PATHX=C:\\bin|2PATH=;D:\\x|9ODD=1|1=nameless|4A=|noequals");
  ASSERT_EQ(4u, entries.size());
  EXPECT_EQ(EnvOperation::Replace, entries[0].operation);
  EXPECT_EQ("PATHX", entries[0].name);
  EXPECT_EQ("C:\\bin", entries[0].value);
  EXPECT_EQ(EnvOperation::Append, entries[1].operation);
  EXPECT_EQ(";D:\\x", entries[1].value);
  EXPECT_EQ(EnvOperation::Replace, entries[2].operation);
  EXPECT_EQ(EnvOperation::Delete, entries[3].operation);
  EXPECT_EQ("A", entries[3].name);
  EXPECT_EQ("|1PATHX=C:\\bin|2PATH=;D:\\x", FormatEnvironment({entries[0], entries[1]}));
}

TEST(IniEntryTest, NeedsFourNonEmptyParts) {
  const auto entry = ParseIniEntry("C:\\app.ini]Main]Server]10.0.0.1");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ("C:\\app.ini", entry->path);
  EXPECT_EQ("Main", entry->section);
  EXPECT_EQ("Server", entry->key);
  EXPECT_EQ("10.0.0.1", entry->value);
  EXPECT_EQ("C:\\app.ini]Main]Server]10.0.0.1", FormatIniEntry(*entry));
  EXPECT_FALSE(ParseIniEntry("C:\\app.ini]Main]Server]").has_value());  // empty value part
  EXPECT_FALSE(ParseIniEntry("C:\\app.ini]]Server]x").has_value());
  EXPECT_FALSE(ParseIniEntry("").has_value());
}

TEST(IniEntryTest, ReadsOnlyIndexesBelowTheCount) {
  ValueSet values;
  values.SetNumber("IniNum", 2);
  values.SetText("Ini0", "a.ini]S]K]V");
  values.SetText("Ini1", "b.ini]S]K]");  // ignored
  values.SetText("Ini2", "c.ini]S]K]V");  // beyond the count: never read
  ASSERT_EQ(1u, ReadIniEntries(values).size());

  StoreIniEntries(values, {});
  EXPECT_EQ(0, values.Number("IniNum"));
  EXPECT_TRUE(values.Has("sIni"));
  EXPECT_FALSE(values.Flag("sIni"));
}

TEST(ScriptListTest, ReadsStateWaitPathAndParameters) {
  const std::vector<ScriptEntry> scripts =
      ParseScripts(";3YC:\\vpn.exe*-connect office; ;0Nnotes.txt;;");
  ASSERT_EQ(2u, scripts.size());
  EXPECT_EQ('3', scripts[0].state);
  EXPECT_TRUE(scripts[0].wait);
  EXPECT_EQ("C:\\vpn.exe", scripts[0].path);
  EXPECT_EQ("-connect office", scripts[0].parameters);
  EXPECT_FALSE(scripts[1].wait);
  EXPECT_EQ("notes.txt", scripts[1].path);
  EXPECT_EQ("", scripts[1].parameters);
  EXPECT_EQ(";3YC:\\vpn.exe*-connect office;0Nnotes.txt", FormatScripts(scripts));
  EXPECT_EQ("", FormatScripts({}));
}

}  // namespace
}  // namespace cvn::store
