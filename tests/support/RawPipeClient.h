// A plain blocking client of the service pipe that sends and receives exact bytes.
#pragma once

#include <optional>
#include <string>

#include "win/Pipe.h"

namespace cvn::test {

class RawPipeClient {
 public:
  // False (with GetLastError set) when the pipe cannot be opened.
  bool Connect(const std::string& pipeName) {
    pipe_ = win::OpenMessagePipe(pipeName, 0);
    return static_cast<bool>(pipe_);
  }
  void Disconnect() { pipe_.Reset(); }

  bool Send(const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(pipe_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }
  // One whole message; empty when the server ended the connection.
  std::optional<std::string> Receive() {
    std::string message(64 * 1024, '\0');
    DWORD read = 0;
    if (!ReadFile(pipe_.Get(), message.data(), static_cast<DWORD>(message.size()), &read, nullptr)) {
      return std::nullopt;
    }
    message.resize(read);
    return message;
  }
  std::optional<std::string> Transact(const std::string& bytes) {
    if (!Send(bytes)) return std::nullopt;
    return Receive();
  }

 private:
  win::UniqueHandle pipe_;
};

}  // namespace cvn::test
