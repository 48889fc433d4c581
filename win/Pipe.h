#pragma once

#include <windows.h>

#include <string>

#include "Handle.h"

namespace cvn::win {

// Opens the client end of a message-mode pipe for reading and writing, without sharing,
// and switches it to message read mode. `flags` may add FILE_FLAG_OVERLAPPED. On failure
// the handle is empty and GetLastError() tells why.
UniqueHandle OpenMessagePipe(const std::string& name, DWORD flags);

}  // namespace cvn::win
