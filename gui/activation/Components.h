// The components of a profile in the order they are applied. The service connection is
// closed between the two lists: every step that sends service commands is in the first.
#pragma once

#include <functional>
#include <vector>

#include "ActivationContext.h"

namespace cvn::activation {

struct ComponentStep {
  std::function<bool(const win::RegKey& profile)> selected;  // its selector flags are on
  std::function<void(ActivationContext& run)> apply;
  bool cancelPoint = true;  // the user's cancel is honoured before this step
};

struct ComponentSequence {
  std::vector<ComponentStep> withService;   // programs before, network ... time zone
  std::vector<ComponentStep> afterService;  // ini files, programs after
};

// The components this build applies. `startWifi`: start the Windows wireless service
// before connecting wireless adapters.
ComponentSequence StandardComponents(bool startWifi);

}  // namespace cvn::activation
