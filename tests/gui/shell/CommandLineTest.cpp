// Corvane.exe itself, started with a profile name and "fq".
#include <gtest/gtest.h>

#include "gui/store/ProfileStore.h"
#include "win/Handle.h"
#include "win/RegKey.h"

namespace cvn::shell {
namespace {

DWORD RunCorvane(const std::string& arguments) {
  char path[MAX_PATH];
  std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  std::string line = "\"" + self.substr(0, self.rfind('\\') + 1) + "Corvane.exe\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return GetLastError();
  }
  const win::UniqueHandle process(info.hProcess), thread(info.hThread);
  if (WaitForSingleObject(process.Get(), 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 99);
    return WAIT_TIMEOUT;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}

// The program runs as its own process, so this works on the prefix's real registry.
TEST(CommandLineTest, ProfileNameAndFqActivatesSilentlyAndExits) {
  const std::string profile = "Command line test " + std::to_string(GetCurrentProcessId());
  store::CreateProfile(profile, 0, "");
  ASSERT_EQ(0u, RunCorvane("\"" + profile + "\" FQ"));

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
