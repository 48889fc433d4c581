// Redirects HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE to fresh scratch keys for one test,
// so tests touch the real registry of the Wine prefix without seeing each other's values.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace cvn::test {

class RegistrySandbox : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  std::string scratchPath_;
  HKEY user_ = nullptr;
  HKEY machine_ = nullptr;
};

}  // namespace cvn::test
