// Corvane.exe itself, started with a profile name and "fq".
#include <gtest/gtest.h>

#include "gui/store/ProfileStore.h"
#include "tests/support/RunProgram.h"
#include "win/RegKey.h"

namespace cvn::shell {
namespace {

// The program runs as its own process, so this works on the prefix's real registry.
TEST(CommandLineTest, ProfileNameAndFqActivatesSilentlyAndExits) {
  const std::string profile = "Command line test " + std::to_string(GetCurrentProcessId());
  store::CreateProfile(profile, 0, "");
  ASSERT_EQ(0u, test::RunProgram("Corvane.exe", "\"" + profile + "\" FQ"));

  win::RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, store::kAppKeyPath));
  EXPECT_EQ(profile, key.ReadString("His1"));
  const std::string log = key.ReadString("LastLog").value_or("");
  EXPECT_EQ(0u, log.find(">>> " + profile + ", ")) << log;
  EXPECT_NE(std::string::npos, log.find("\r\n\r\n>>> ")) << log;
  store::DeleteProfile(profile);
}

}  // namespace
}  // namespace cvn::shell
