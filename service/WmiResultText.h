#pragma once

#include <string>

namespace cvn::service {

// The text of a management method's return value, followed by CR LF.
std::string WmiResultText(int value);

}  // namespace cvn::service
