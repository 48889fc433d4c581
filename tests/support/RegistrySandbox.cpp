#include "RegistrySandbox.h"

#include "win/RegKey.h"

namespace cvn::test {
namespace {

constexpr char kScratchRoot[] = "Software\\CorvaneTests";

}  // namespace

void RegistrySandbox::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  scratchPath_ = std::string(kScratchRoot) + "\\" + info->test_suite_name() + "." + info->name();
  win::DeleteKeyTree(HKEY_LOCAL_MACHINE, scratchPath_);
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, scratchPath_.c_str(), 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &scratch_, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, scratch_));
}

void RegistrySandbox::TearDown() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (scratch_) RegCloseKey(scratch_);
  win::DeleteKeyTree(HKEY_LOCAL_MACHINE, scratchPath_);
}

}  // namespace cvn::test
