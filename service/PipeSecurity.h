// The security attributes of the service pipe: every local user may read and write, network
// logons are denied. The service changes the hosts file, routes, shares and the environment
// on request, so the pipe must not be reachable from other machines.
#pragma once

#include <windows.h>

namespace cvn::service {

// Local users read, write data and set message mode (no new pipe instances); the local
// system and administrators have full control; any network logon is denied first.
inline constexpr char kPipeSddl[] = "D:(D;;GA;;;NU)(A;;0x12018b;;;WD)(A;;GA;;;SY)(A;;GA;;;BA)";

class PipeSecurity {
 public:
  PipeSecurity();
  ~PipeSecurity();
  PipeSecurity(const PipeSecurity&) = delete;
  PipeSecurity& operator=(const PipeSecurity&) = delete;

  bool IsValid() const { return attributes_.lpSecurityDescriptor != nullptr; }
  SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

 private:
  SECURITY_ATTRIBUTES attributes_{};
};

}  // namespace cvn::service
