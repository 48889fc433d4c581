#pragma once

#include <string>

#include "ServiceCommands.h"
#include "StopSignal.h"
#include "common/ServiceProtocol.h"

namespace cvn::service {

// The body of the service, run on the service thread: creates the pipe, applies the
// boot-time adapter defaults once, then serves clients until `stop` is requested.
// Returns at once when the pipe cannot be created.
void ServiceExecute(const StopSignal& stop, ServiceCommands& commands,
                    const std::string& pipeName = kPipeName);

}  // namespace cvn::service
