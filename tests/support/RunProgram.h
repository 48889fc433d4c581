// Starts one of our programs from the test program's folder and waits for its exit code.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handle.h"

namespace cvn::test {

inline std::string SiblingProgram(const std::string& fileName) {
  char path[MAX_PATH];
  const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return self.substr(0, self.rfind('\\') + 1) + fileName;
}

// The exit code, WAIT_TIMEOUT (the program is ended) or the error of CreateProcess.
inline DWORD RunProgram(const std::string& fileName, const std::string& arguments, DWORD timeoutMs = 30000) {
  std::string line = "\"" + SiblingProgram(fileName) + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return GetLastError();
  }
  const win::UniqueHandle process(info.hProcess), thread(info.hThread);
  if (WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), WAIT_TIMEOUT);
    return WAIT_TIMEOUT;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  return code;
}

}  // namespace cvn::test
