#include "ServiceInstaller.h"

#include "win/Handle.h"

namespace cvn::service {

DWORD InstallService(const std::string& binaryPath) {
  const win::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
  if (!manager) return GetLastError();
  const std::string command = "\"" + binaryPath + "\"";
  // No account: the service runs as the local system account.
  const win::ServiceHandle service(CreateServiceA(
      manager.Get(), kServiceName, kServiceDisplayName, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
      SERVICE_AUTO_START, SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr, nullptr, nullptr,
      nullptr));
  return service ? ERROR_SUCCESS : GetLastError();
}

DWORD UninstallService() {
  const win::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return GetLastError();
  const win::ServiceHandle service(
      OpenServiceA(manager.Get(), kServiceName, SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
  if (!service) return GetLastError();
  SERVICE_STATUS status{};
  if (ControlService(service.Get(), SERVICE_CONTROL_STOP, &status)) {
    for (int waited = 0; waited < 100 && status.dwCurrentState != SERVICE_STOPPED; ++waited) {
      Sleep(100);
      if (!QueryServiceStatus(service.Get(), &status)) break;
    }
  }
  return DeleteService(service.Get()) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace cvn::service
