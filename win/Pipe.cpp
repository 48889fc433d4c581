#include "Pipe.h"

namespace cvn::win {

UniqueHandle OpenMessagePipe(const std::string& name, DWORD flags) {
  UniqueHandle pipe(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, flags,
                                nullptr));
  if (!pipe) return pipe;
  DWORD mode = PIPE_READMODE_MESSAGE;
  if (!SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr)) {
    const DWORD error = GetLastError();
    pipe.Reset();
    SetLastError(error);
  }
  return pipe;
}

}  // namespace cvn::win
