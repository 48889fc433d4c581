// The service manager's (or the console's) request to stop, seen by the service thread.
#pragma once

#include <windows.h>

#include "win/Handle.h"

namespace cvn::service {

class StopSignal {
 public:
  StopSignal() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  void Request() const { SetEvent(event_.Get()); }
  bool IsRequested() const { return WaitForSingleObject(event_.Get(), 0) == WAIT_OBJECT_0; }
  HANDLE Event() const { return event_.Get(); }

 private:
  win::UniqueHandle event_;
};

}  // namespace cvn::service
