// The service body running on a thread of the test process, on a pipe name of its own.
#pragma once

#include <string>
#include <thread>

#include "service/ServiceExecute.h"
#include "service/StopSignal.h"

namespace cvn::test {

class ServerThread {
 public:
  explicit ServerThread(service::ServiceCommands& commands)
      : pipeName_("\\\\.\\PIPE\\cvntest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++count_)),
        thread_([this, &commands] { service::ServiceExecute(stop_, commands, pipeName_); }) {
    // Wait until the pipe exists, so that clients do not race its creation.
    for (int i = 0; i < 500 && !WaitNamedPipeA(pipeName_.c_str(), NMPWAIT_USE_DEFAULT_WAIT) &&
                    GetLastError() == ERROR_FILE_NOT_FOUND;
         ++i) {
      Sleep(10);
    }
  }
  ~ServerThread() { Stop(); }
  ServerThread(const ServerThread&) = delete;
  ServerThread& operator=(const ServerThread&) = delete;

  const std::string& PipeName() const { return pipeName_; }
  void Stop() {
    stop_.Request();
    if (thread_.joinable()) thread_.join();
  }
  bool Stopped() const { return !thread_.joinable(); }

 private:
  static inline int count_ = 0;
  service::StopSignal stop_;
  std::string pipeName_;
  std::thread thread_;
};

}  // namespace cvn::test
