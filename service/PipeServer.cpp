#include "PipeServer.h"

#include "CommandDispatcher.h"
#include "common/ServiceProtocol.h"

namespace cvn::service {
namespace {

constexpr DWORD kConnectSliceMs = 200;
constexpr DWORD kTransferSliceMs = 2000;
// Not known before Windows Vista, where the deny entry for network logons still applies.
constexpr DWORD kRejectRemoteClients = 0x00000008;

HANDLE CreatePipe(const std::string& name, SECURITY_ATTRIBUTES* security, DWORD extraMode) {
  return CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                          PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | extraMode, 1,
                          kPipeBufferSize, kPipeBufferSize, 0, security);
}

}  // namespace

bool PipeServer::Create(const std::string& pipeName) {
  if (!security_.IsValid()) return false;
  pipe_.Reset(CreatePipe(pipeName, security_.Attributes(), kRejectRemoteClients));
  if (!pipe_ && GetLastError() == ERROR_INVALID_PARAMETER) {
    pipe_.Reset(CreatePipe(pipeName, security_.Attributes(), 0));
  }
  if (!pipe_) return false;
  ioEvent_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  return static_cast<bool>(ioEvent_);
}

void PipeServer::Run(ServiceCommands& commands) {
  while (!stop_.IsRequested()) {
    if (!WaitForClient()) break;
    ServeConnection(commands);
    DisconnectNamedPipe(pipe_.Get());
  }
}

// Every overlapped call below resets the I/O event itself when it starts the operation.
PipeServer::Wait PipeServer::Complete(OVERLAPPED& overlapped, DWORD sliceMs) {
  const HANDLE handles[] = {ioEvent_.Get(), stop_.Event()};
  for (;;) {
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, sliceMs);
    if (result == WAIT_OBJECT_0) return Wait::Completed;
    if (result == WAIT_TIMEOUT) continue;
    // Stopping, or the wait itself failed: the operation must not outlive its OVERLAPPED.
    CancelIo(pipe_.Get());
    DWORD ignored = 0;
    GetOverlappedResult(pipe_.Get(), &overlapped, &ignored, TRUE);
    return Wait::Failed;
  }
}

bool PipeServer::WaitForClient() {
  for (;;) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioEvent_.Get();
    if (ConnectNamedPipe(pipe_.Get(), &overlapped)) return false;  // never synchronous
    const DWORD error = GetLastError();
    if (error == ERROR_PIPE_CONNECTED) return true;
    if (error == ERROR_NO_DATA) {
      // A client came and went before we looked: wait for the next one.
      DisconnectNamedPipe(pipe_.Get());
      continue;
    }
    if (error != ERROR_IO_PENDING) return false;
    if (Complete(overlapped, kConnectSliceMs) != Wait::Completed) return false;
    DWORD ignored = 0;
    return GetOverlappedResult(pipe_.Get(), &overlapped, &ignored, FALSE) != FALSE;
  }
}

void PipeServer::ServeConnection(ServiceCommands& commands) {
  for (;;) {
    const std::optional<std::string> request = ReadRequest();
    if (!request || request->size() < 2 || static_cast<std::uint8_t>((*request)[0]) == kHangUpByte) {
      return;
    }
    const ServiceReply reply = CommandDispatcher(commands, static_cast<std::uint8_t>((*request)[0]),
                                                 std::string_view(*request).substr(1));
    std::string message(1, reply.status);
    message += reply.text.substr(0, kMaxReplyText);
    if (!WriteReply(message)) return;
  }
}

bool PipeServer::ReadChunk(char* into, DWORD size, DWORD& read, bool& moreData) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = ioEvent_.Get();
  if (!ReadFile(pipe_.Get(), into, size, nullptr, &overlapped)) {
    const DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING) {
      if (Complete(overlapped, kTransferSliceMs) != Wait::Completed) return false;
    } else if (error != ERROR_MORE_DATA) {
      return false;
    }
  }
  read = 0;
  const BOOL done = GetOverlappedResult(pipe_.Get(), &overlapped, &read, FALSE);
  moreData = !done && GetLastError() == ERROR_MORE_DATA;
  return (done || moreData) && read > 0;
}

std::optional<std::string> PipeServer::ReadRequest() {
  std::string request(kPipeBufferSize, '\0');
  DWORD read = 0;
  bool moreData = false;
  if (!ReadChunk(request.data(), kPipeBufferSize, read, moreData)) return std::nullopt;
  std::size_t filled = read;
  while (moreData) {
    // The rest of a long message: ask how much is left, grow and read on.
    DWORD left = 0;
    if (!PeekNamedPipe(pipe_.Get(), nullptr, 0, nullptr, nullptr, &left) || left == 0) return std::nullopt;
    if (filled + left > kMaxRequestSize) return std::nullopt;
    request.resize(filled + left);
    if (!ReadChunk(request.data() + filled, left, read, moreData)) return std::nullopt;
    filled += read;
  }
  request.resize(filled);
  return request;
}

bool PipeServer::WriteReply(const std::string& reply) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = ioEvent_.Get();
  if (!WriteFile(pipe_.Get(), reply.data(), static_cast<DWORD>(reply.size()), nullptr, &overlapped)) {
    if (GetLastError() != ERROR_IO_PENDING) return false;
    if (Complete(overlapped, kTransferSliceMs) != Wait::Completed) return false;
  }
  DWORD written = 0;
  return GetOverlappedResult(pipe_.Get(), &overlapped, &written, FALSE) && written > 0;
}

}  // namespace cvn::service
