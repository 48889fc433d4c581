#include "ActivationPipeClient.h"

#include "win/Pipe.h"

namespace cvn::activation {
namespace {

constexpr DWORD kSliceMs = 2000;

}  // namespace

ActivationPipeClient::ActivationPipeClient(PipeClientHooks hooks, std::string pipeName)
    : hooks_(std::move(hooks)), pipeName_(std::move(pipeName)) {}

bool ActivationPipeClient::Open() {
  pipe_ = win::OpenMessagePipe(pipeName_, FILE_FLAG_OVERLAPPED);
  if (!pipe_) {
    hooks_.log("[x] Service may stop running: " + std::to_string(GetLastError()));
    return false;
  }
  event_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!event_) {
    hooks_.log("[x] Create event failed: " + std::to_string(GetLastError()));
    pipe_.Reset();
    return false;
  }
  reply_.assign(kPipeBufferSize + 1, '\0');
  return true;
}

void ActivationPipeClient::Close() {
  reply_.clear();
  event_.Reset();
  pipe_.Reset();
}

// Completes an overlapped transfer that ReadFile or WriteFile started, waiting in slices
// while the user interface handles its messages.
bool ActivationPipeClient::Finish(OVERLAPPED& overlapped, BOOL started, DWORD& transferred) {
  if (!started && GetLastError() != ERROR_IO_PENDING) return false;
  const HANDLE event = event_.Get();
  while (!started) {
    const DWORD result = MsgWaitForMultipleObjects(1, &event, FALSE, kSliceMs, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) break;
    if (result != WAIT_FAILED) hooks_.processMessages();
    if (result == WAIT_FAILED || hooks_.cancelled()) {
      CancelIo(pipe_.Get());
      GetOverlappedResult(pipe_.Get(), &overlapped, &transferred, TRUE);
      return false;
    }
  }
  return GetOverlappedResult(pipe_.Get(), &overlapped, &transferred, FALSE) && transferred > 0;
}

ActivationPipeClient::Result ActivationPipeClient::Transact(std::string_view request) {
  if (!IsOpen()) return {Outcome::SendFailed, {}};
  if (request.size() > kPipeBufferSize) hooks_.log("(Buffer size " + std::to_string(request.size()) + ")");

  // ReadFile and WriteFile reset the event themselves when they start the transfer.
  OVERLAPPED write{};
  write.hEvent = event_.Get();
  DWORD transferred = 0;
  BOOL started = WriteFile(pipe_.Get(), request.data(), static_cast<DWORD>(request.size()), nullptr, &write);
  if (!Finish(write, started, transferred)) return {Outcome::SendFailed, {}};

  OVERLAPPED read{};
  read.hEvent = event_.Get();
  std::fill(reply_.begin(), reply_.end(), '\0');
  transferred = 0;
  started = ReadFile(pipe_.Get(), reply_.data(), kPipeBufferSize, nullptr, &read);
  if (!Finish(read, started, transferred) || transferred < 2) return {Outcome::ReceiveFailed, {}};

  const std::string_view text(reply_.data() + 1, transferred - 1);
  return {Outcome::Replied, {reply_[0], std::string(text.substr(0, text.find('\0')))}};
}

}  // namespace cvn::activation
