#include "RegistrySandbox.h"

#include "win/RegKey.h"

namespace cvn::test {
namespace {

constexpr char kScratchRoot[] = "Software\\CorvaneTests";

HKEY CreateScratch(const std::string& path) {
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  return key;
}

}  // namespace

void RegistrySandbox::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  scratchPath_ = std::string(kScratchRoot) + "\\" + info->test_suite_name() + "." + info->name();
  win::DeleteKeyTree(HKEY_LOCAL_MACHINE, scratchPath_);
  user_ = CreateScratch(scratchPath_ + "\\HKCU");
  machine_ = CreateScratch(scratchPath_ + "\\HKLM");
  ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, user_));
  ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_));
}

void RegistrySandbox::TearDown() {
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (user_) RegCloseKey(user_);
  if (machine_) RegCloseKey(machine_);
  win::DeleteKeyTree(HKEY_LOCAL_MACHINE, scratchPath_);
}

}  // namespace cvn::test
