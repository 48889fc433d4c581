// cvnsvc.exe: run by the service control manager as the service CvnSrv, or from a command
// line to install it (/install), remove it (/uninstall), or serve the pipe in this console
// until Ctrl+C (/console). /silent suppresses the confirmation boxes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "CvnSrv.h"
#include "ServiceExecute.h"
#include "ServiceInstaller.h"
#include "StopSignal.h"

namespace cvn::service {
namespace {

struct ServiceState {
  StopSignal stop;
  SERVICE_STATUS_HANDLE statusHandle = nullptr;
  SERVICE_STATUS status{SERVICE_WIN32_OWN_PROCESS, SERVICE_START_PENDING, 0, NO_ERROR, 0, 0, 0};
};

ServiceState& State() {
  static ServiceState state;
  return state;
}

void Report(DWORD currentState) {
  ServiceState& state = State();
  state.status.dwCurrentState = currentState;
  state.status.dwControlsAccepted =
      currentState == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
  state.status.dwWaitHint = currentState == SERVICE_RUNNING || currentState == SERVICE_STOPPED ? 0 : 3000;
  SetServiceStatus(state.statusHandle, &state.status);
}

// Runs on the program's main thread: it only passes the request on to the service thread.
DWORD WINAPI ControlHandler(DWORD control, DWORD, LPVOID, LPVOID) {
  switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
      Report(SERVICE_STOP_PENDING);
      State().stop.Request();
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE: return NO_ERROR;
    default: return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

void WINAPI ServiceMain(DWORD, LPSTR*) {
  State().statusHandle = RegisterServiceCtrlHandlerExA(kServiceName, ControlHandler, nullptr);
  if (!State().statusHandle) return;
  Report(SERVICE_START_PENDING);
  Report(SERVICE_RUNNING);
  TCvnSrv commands(Win32Platform());
  ServiceExecute(State().stop, commands);
  Report(SERVICE_STOPPED);
}

BOOL WINAPI ConsoleHandler(DWORD) {
  State().stop.Request();
  return TRUE;
}

std::string ModulePath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

std::string ErrorText(DWORD error) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = text ? text : "Error " + std::to_string(error);
  if (text) LocalFree(text);
  return message;
}

int Confirm(DWORD error, const char* success, bool silent) {
  const std::string text = error == ERROR_SUCCESS ? success : ErrorText(error);
  std::fprintf(error == ERROR_SUCCESS ? stdout : stderr, "%s\n", text.c_str());
  if (!silent) {
    MessageBoxA(nullptr, text.c_str(), kServiceDisplayName,
                MB_OK | (error == ERROR_SUCCESS ? MB_ICONINFORMATION : MB_ICONERROR));
  }
  return error == ERROR_SUCCESS ? 0 : static_cast<int>(error);
}

bool HasSwitch(int argc, char** argv, const char* name) {
  for (int i = 1; i < argc; ++i) {
    if (lstrcmpiA(argv[i], name) == 0 || (argv[i][0] == '-' && lstrcmpiA(argv[i] + 1, name + 1) == 0)) return true;
  }
  return false;
}

}  // namespace
}  // namespace cvn::service

int main(int argc, char** argv) {
  using namespace cvn::service;
  const bool silent = HasSwitch(argc, argv, "/silent");
  if (HasSwitch(argc, argv, "/install")) {
    return Confirm(InstallService(ModulePath()), "Service installed successfully", silent);
  }
  if (HasSwitch(argc, argv, "/uninstall")) {
    return Confirm(UninstallService(), "Service uninstalled successfully", silent);
  }
  if (HasSwitch(argc, argv, "/console")) {
    SetConsoleCtrlHandler(ConsoleHandler, TRUE);
    TCvnSrv commands(Win32Platform());
    ServiceExecute(State().stop, commands);
    return 0;
  }
  SERVICE_TABLE_ENTRYA table[] = {{const_cast<char*>(kServiceName), ServiceMain}, {nullptr, nullptr}};
  if (!StartServiceCtrlDispatcherA(table)) {
    std::fprintf(stderr, "usage: cvnsvc [/install | /uninstall] [/silent] | /console\n");
    return static_cast<int>(GetLastError());
  }
  return 0;
}
