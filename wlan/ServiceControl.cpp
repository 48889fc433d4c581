// The Windows Wi-Fi service: Wlansvc on major version 6, WZCSVC before.
#include "Library.h"
#include "win/Handle.h"

namespace cvn::wlan {
namespace {

constexpr DWORD kPollMs = 250;
constexpr int kMaxPolls = 30;

const char* ServiceName() { return Lib().isVista ? "Wlansvc" : "WZCSVC"; }

DWORD ManagerError(DWORD error) { return error == ERROR_ACCESS_DENIED ? WLE_ACCESS_DENIED : WLE_FAILED; }

using QueryStatusEx = BOOL(WINAPI*)(SC_HANDLE, SC_STATUS_TYPE, LPBYTE, DWORD, LPDWORD);

// Looked up once; without it a query "succeeds" with a zeroed answer.
bool QueryState(SC_HANDLE service, DWORD& state) {
  static const auto query = reinterpret_cast<QueryStatusEx>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("Advapi32.dll"), "QueryServiceStatusEx")));
  SERVICE_STATUS_PROCESS status{};
  DWORD needed = 0;
  if (query && !query(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof status, &needed)) {
    return false;
  }
  state = status.dwCurrentState;
  return true;
}

void WaitWhile(SC_HANDLE service, DWORD pendingState) {
  DWORD state = 0;
  for (int poll = 0; poll < kMaxPolls && QueryState(service, state) && state == pendingState; ++poll) Sleep(kPollMs);
}

DWORD SetStartType(SC_HANDLE service, DWORD startType) {
  if (ChangeServiceConfigA(service, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr)) {
    return 0;
  }
  return ManagerError(GetLastError());
}

}  // namespace
}  // namespace cvn::wlan

using namespace cvn::wlan;

DWORD WINAPI GetWIFIServiceStatus() {
  EnsureInitialised();
  const cvn::win::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return ManagerError(GetLastError());
  const cvn::win::ServiceHandle service(OpenServiceA(manager.Get(), ServiceName(), SERVICE_QUERY_STATUS));
  if (!service) {
    const DWORD error = GetLastError();
    if (error == ERROR_INVALID_NAME || error == ERROR_SERVICE_DOES_NOT_EXIST) return WLE_SERVICE_MISSING;
    return ManagerError(error);
  }
  DWORD state = 0;
  if (!QueryState(service.Get(), state)) return ManagerError(GetLastError());
  if (state == SERVICE_RUNNING) return 1;
  if (state == SERVICE_STOPPED) return 0;
  return state;
}

DWORD WINAPI SetWIFIServiceStatus(DWORD enable) {
  EnsureInitialised();
  const cvn::win::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return ManagerError(GetLastError());
  const cvn::win::ServiceHandle service(OpenServiceA(manager.Get(), ServiceName(),
                                    SERVICE_CHANGE_CONFIG | SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP));
  if (!service) {
    const DWORD error = GetLastError();
    return error == ERROR_INVALID_NAME ? WLE_SERVICE_MISSING : ManagerError(error);
  }
  if (enable) {
    if (const DWORD error = SetStartType(service.Get(), SERVICE_AUTO_START)) return error;
    if (StartServiceA(service.Get(), 0, nullptr)) {
      WaitWhile(service.Get(), SERVICE_START_PENDING);
      return 0;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SERVICE_ALREADY_RUNNING ? 0 : ManagerError(error);
  }
  SERVICE_STATUS status{};
  if (!ControlService(service.Get(), SERVICE_CONTROL_STOP, &status)) {
    const DWORD error = GetLastError();
    return error == ERROR_SERVICE_NOT_ACTIVE ? 0 : ManagerError(error);
  }
  WaitWhile(service.Get(), SERVICE_STOP_PENDING);
  return SetStartType(service.Get(), SERVICE_DISABLED);
}
