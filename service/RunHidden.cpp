#include "RunHidden.h"

#include <vector>

#include "win/Handle.h"

namespace cvn::service {

RunOutcome RunHidden(const std::string& program, const std::string& arguments, DWORD timeoutMs,
                     bool hideWindow) {
  const std::string commandLine = "\"" + program + "\" " + arguments;
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
  startup.wShowWindow = hideWindow ? SW_HIDE : SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &info)) {
    return {kCannotStart, GetLastError()};
  }
  const win::UniqueHandle process(info.hProcess), thread(info.hThread);
  switch (WaitForSingleObject(process.Get(), timeoutMs)) {
    case WAIT_OBJECT_0: {
      DWORD exitCode = 0;
      GetExitCodeProcess(process.Get(), &exitCode);
      return {static_cast<int>(exitCode)};
    }
    case WAIT_TIMEOUT: return {kTimedOut};
    default: return {kWaitFailed, GetLastError()};
  }
}

}  // namespace cvn::service
