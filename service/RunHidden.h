#pragma once

#include <windows.h>

#include <string>

namespace cvn::service {

enum RunFailure : int {
  kCannotStart = -1,  // error: why CreateProcess failed
  kTimedOut = -2,     // the program is left running
  kWaitFailed = -3,   // error: why the wait failed
};

struct RunOutcome {
  int code;           // the program's exit code, or a RunFailure
  DWORD error = 0;
};

// Starts "program" with `arguments` (the system searches the path) and waits up to
// `timeoutMs` for it to end.
RunOutcome RunHidden(const std::string& program, const std::string& arguments, DWORD timeoutMs,
                     bool hideWindow);

}  // namespace cvn::service
