#pragma once

#include <cstdint>
#include <string_view>

#include "ServiceCommands.h"

namespace cvn::service {

// Turns one request (opcode and payload up to its first NUL) into the reply to send.
ServiceReply CommandDispatcher(ServiceCommands& commands, std::uint8_t opcode, std::string_view payload);

}  // namespace cvn::service
