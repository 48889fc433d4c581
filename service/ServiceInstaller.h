// Registers and removes the service with the service control manager.
#pragma once

#include <windows.h>

#include <string>

namespace cvn::service {

inline constexpr char kServiceName[] = "CvnSrv";
inline constexpr char kServiceDisplayName[] = "Corvane Engine";

// Both return a Win32 error code, ERROR_SUCCESS when done.
DWORD InstallService(const std::string& binaryPath);
// Stops the service first when it runs.
DWORD UninstallService();

}  // namespace cvn::service
