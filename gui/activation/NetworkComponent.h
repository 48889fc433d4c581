// The Network component: every included adapter's TCP/IP settings in one adapter command
// for the service, then the DNS suffix search list, the Wi-Fi step and the DNS flush.
#pragma once

#include <functional>
#include <string>

#include "ActivationContext.h"
#include "Components.h"

namespace cvn::activation {

struct NetworkCommands {
  std::string adapters;  // 0x81 and the adapter entries
  std::string suffixes;  // 0x82 and the search list, or "?"
  bool present = false;  // there is something to send
  bool wireless = false;
  bool suffix = false;
  bool flush = false;
};

// Reads the profile's adapter sub-keys (in registry order) and builds the commands,
// logging what each adapter gets.
NetworkCommands BuildNetworkCommands(const win::RegKey& profile, const std::function<void(const std::string&)>& log);

void ApplyNetwork(ActivationContext& run, bool startWifi, DWORD windowsMajor);

ComponentStep NetworkStep(bool startWifi);

}  // namespace cvn::activation
