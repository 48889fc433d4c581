// The activation's connection to the service: opened on the first service command of an
// activation, used for all of them, closed after the last. Waits keep the window alive and
// end when the user cancels the activation.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ServiceProtocol.h"
#include "win/Handle.h"

namespace cvn::activation {

struct PipeClientHooks {
  std::function<void(const std::string&)> log;  // one line of the activation log
  std::function<void()> processMessages;        // let the user interface handle its messages
  std::function<bool()> cancelled;              // the user has cancelled the activation
};

class ActivationPipeClient {
 public:
  explicit ActivationPipeClient(PipeClientHooks hooks, std::string pipeName = kPipeName);

  // False, with a log line saying why, when the service cannot be reached.
  bool Open();
  bool IsOpen() const { return static_cast<bool>(pipe_); }
  enum class Outcome { Replied, SendFailed, ReceiveFailed };
  struct Result {
    Outcome outcome;
    ServiceReply reply;  // when Replied
  };
  // Sends one request and reads its reply. A transfer cancelled by the user counts as
  // failed, as does a reply shorter than two bytes.
  Result Transact(std::string_view request);
  void Close();

 private:
  bool Finish(OVERLAPPED& overlapped, BOOL started, DWORD& transferred);

  PipeClientHooks hooks_;
  std::string pipeName_;
  win::UniqueHandle pipe_;
  win::UniqueHandle event_;
  std::vector<char> reply_;
};

}  // namespace cvn::activation
