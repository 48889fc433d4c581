// The server end of the service pipe: one instance, message mode, overlapped I/O. Waits for
// a client, answers its requests one after another, disconnects, and waits again, noticing a
// stop request in every wait.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "PipeSecurity.h"
#include "ServiceCommands.h"
#include "StopSignal.h"
#include "win/Handle.h"

namespace cvn::service {

// No real request comes near this (a large hosts file is a few hundred kilobytes); a
// longer one ends its connection so that no client can exhaust the service's memory.
inline constexpr std::size_t kMaxRequestSize = 4 * 1024 * 1024;

class PipeServer {
 public:
  explicit PipeServer(const StopSignal& stop) : stop_(stop) {}

  // False when the descriptor, the pipe or the event cannot be created.
  bool Create(const std::string& pipeName);
  // Serves clients until a stop request, or until waiting for a client fails.
  void Run(ServiceCommands& commands);

 private:
  enum class Wait { Completed, Failed };

  bool WaitForClient();
  void ServeConnection(ServiceCommands& commands);
  std::optional<std::string> ReadRequest();
  bool ReadChunk(char* into, DWORD size, DWORD& read, bool& moreData);
  bool WriteReply(const std::string& reply);
  // Waits for an overlapped operation in slices; a stop request cancels it.
  Wait Complete(OVERLAPPED& overlapped, DWORD sliceMs);

  const StopSignal& stop_;
  PipeSecurity security_;
  win::UniqueHandle pipe_;
  win::UniqueHandle ioEvent_;
};

}  // namespace cvn::service
