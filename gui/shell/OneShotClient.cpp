#include "OneShotClient.h"

#include <windows.h>

#include <array>

#include "win/Pipe.h"

namespace cvn::shell {

OneShotClient::OneShotClient(OneShotHooks hooks, std::string pipeName)
    : hooks_(std::move(hooks)), pipeName_(std::move(pipeName)) {}

bool OneShotClient::Send(std::string_view request) {
  const win::UniqueHandle pipe = win::OpenMessagePipe(pipeName_, 0);
  if (!pipe) {
    hooks_.showError("Cannot connect to the CVN service");
    return false;
  }
  std::array<char, kBufferSize> buffer{};
  request.copy(buffer.data(), kBufferSize - 1);
  hooks_.processMessages();

  DWORD transferred = 0;
  if (!WriteFile(pipe.Get(), buffer.data(), kBufferSize, &transferred, nullptr) || transferred < 2) {
    hooks_.showError("Send command to CVN service failed");
    return false;
  }
  buffer.fill('\0');
  transferred = 0;
  if (!ReadFile(pipe.Get(), buffer.data(), kBufferSize, &transferred, nullptr) || transferred < 2) {
    hooks_.showError("CVN service failed");
    return false;
  }
  switch (buffer[0]) {
    case kStatusDone: hooks_.showResult("Done."); return true;
    case kStatusPartly: hooks_.showResult("Network cable unpluged or DHCP timeout."); return true;
    default: hooks_.showResult("Unknown error!"); return false;
  }
}

}  // namespace cvn::shell
