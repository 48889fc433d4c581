#include "ServiceExecute.h"

#include <objbase.h>

#include "BootDefaults.h"
#include "PipeServer.h"

namespace cvn::service {
namespace {

// The commands use COM (the management interface) in the apartment model.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

}  // namespace

void ServiceExecute(const StopSignal& stop, ServiceCommands& commands, const std::string& pipeName) {
  PipeServer server(stop);
  if (!server.Create(pipeName)) return;
  ComApartment com;
  BootDefaults(commands);
  server.Run(commands);
}

}  // namespace cvn::service
