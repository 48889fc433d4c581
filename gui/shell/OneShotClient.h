// Single short requests from the Tools page (adapter restart, address renewal): one
// blocking connection per request, outcome shown by the client itself.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/ServiceProtocol.h"

namespace cvn::shell {

struct OneShotHooks {
  std::function<void(const std::string&)> showError;   // an error box
  std::function<void(const std::string&)> showResult;  // the Tools page's result label
  std::function<void()> processMessages;
};

class OneShotClient {
 public:
  // Requests and replies travel in buffers of this size: at most 40 characters and a NUL.
  static constexpr std::size_t kBufferSize = 41;

  explicit OneShotClient(OneShotHooks hooks, std::string pipeName = kPipeName);
  // True when the service answered 'Y' or 'M'.
  bool Send(std::string_view request);

 private:
  OneShotHooks hooks_;
  std::string pipeName_;
};

}  // namespace cvn::shell
