// Boot-time adapter defaults: CvnDefIp.ini in the installation folder names adapters and
// the addresses they get every time the service starts.
#pragma once

#include <optional>
#include <string>

#include "ServiceCommands.h"

namespace cvn::service {

struct BootRequest {
  std::string payload;  // adapter entries for scSetAdapters
  int keyKind = kKeyByConnectionName;
};

// The ini file named by HKLM\Software\Corvane "Path"; empty when the value is missing.
std::optional<std::string> BootIniPath();

// The adapter command the file asks for; empty when the file is missing, its [Cvn] Id is
// not "CVN", it names no adapter, or the entries come to 4 characters or fewer.
std::optional<BootRequest> ReadBootDefaults(const std::string& iniPath);

// Applies the file through the adapter command; the reply is discarded and any failure
// swallowed, so the service always goes on to serve clients.
void BootDefaults(ServiceCommands& commands);

}  // namespace cvn::service
