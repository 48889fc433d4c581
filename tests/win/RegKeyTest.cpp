#include "win/RegKey.h"

#include <gtest/gtest.h>

#include "tests/support/RegistrySandbox.h"

namespace cvn::win {
namespace {

class RegKeyTest : public test::RegistrySandbox {};

TEST_F(RegKeyTest, ReadsBackWhatItWrites) {
  RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, "Software\\Corvane"));
  key.WriteDword("Balance", static_cast<DWORD>(-100));
  key.WriteString("Remark", "line one\r\nline two");
  EXPECT_EQ(static_cast<DWORD>(-100), key.ReadDword("Balance"));
  EXPECT_EQ("line one\r\nline two", key.ReadString("Remark"));
  EXPECT_FALSE(key.ReadDword("Missing").has_value());
  EXPECT_FALSE(key.ReadString("Missing").has_value());
  key.DeleteValue("Remark");
  key.DeleteValue("Remark");  // already gone: not an error
  EXPECT_FALSE(key.HasValue("Remark"));
}

TEST_F(RegKeyTest, WrongTypeIsAnErrorNamingTheValue) {
  RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, "Software\\Corvane"));
  key.WriteString("sNet", "1");
  key.WriteDword("Remark", 1);
  try {
    key.ReadDword("sNet");
    FAIL() << "no error";
  } catch (const RegistryError& error) {
    EXPECT_STREQ("Invalid data type for 'sNet'", error.what());
  }
  EXPECT_THROW(key.ReadString("Remark"), RegistryError);
}

TEST_F(RegKeyTest, StringWithoutTerminatorReadsWhole) {
  RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, "Software\\Corvane"));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.Handle(), "Raw", 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>("abc"), 3));
  EXPECT_EQ("abc", key.ReadString("Raw"));
}

TEST_F(RegKeyTest, CopiesAndDeletesWholeTrees) {
  {
    RegKey deep;
    ASSERT_EQ(ERROR_SUCCESS, deep.Create(HKEY_CURRENT_USER, "Src\\a\\b"));
    deep.WriteString("leaf", "x");
    RegKey top;
    ASSERT_EQ(ERROR_SUCCESS, top.Open(HKEY_CURRENT_USER, "Src", KEY_READ | KEY_WRITE));
    const BYTE blob[] = {1, 2, 3};
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(top.Handle(), "bin", 0, REG_BINARY, blob, 3));
  }
  RegKey source;
  ASSERT_EQ(ERROR_SUCCESS, source.Open(HKEY_CURRENT_USER, "Src"));
  CopyKeyTree(source, HKEY_CURRENT_USER, "Dst");
  source.Close();

  RegKey leaf;
  ASSERT_EQ(ERROR_SUCCESS, leaf.Open(HKEY_CURRENT_USER, "Dst\\a\\b"));
  EXPECT_EQ("x", leaf.ReadString("leaf"));
  RegKey copy;
  ASSERT_EQ(ERROR_SUCCESS, copy.Open(HKEY_CURRENT_USER, "Dst"));
  ASSERT_EQ(1u, copy.Values().size());
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), copy.Values()[0].type);

  DeleteKeyTree(HKEY_CURRENT_USER, "Src");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Src"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Dst\\a\\b"));
  DeleteKeyTree(HKEY_CURRENT_USER, "Src");  // missing: not an error
}

}  // namespace
}  // namespace cvn::win
