#include "Components.h"

#include "NetworkComponent.h"

namespace cvn::activation {

ComponentSequence StandardComponents(bool startWifi) {
  // In order: programs before; network; proxy and home page; printer; dial-up and VPN;
  // routes (not a cancel point); drive mapping; screen; sound; firewall; mail; hosts and
  // SMTP; environment; sharing; workgroup; time zone. Then, after the service connection
  // is closed: ini files; programs after. Each component joins this list as it is built.
  return {{NetworkStep(startWifi)}, {}};
}

}  // namespace cvn::activation
