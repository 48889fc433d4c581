#include "WmiResultText.h"

#include <map>

namespace cvn::service {

std::string WmiResultText(int value) {
  static const std::map<int, const char*> texts = {
      {-1, "Unknown OLE Error"},
      {64, "Method not supported"},
      {65, "Unknown failure"},
      {66, "Invalid subnet mask"},
      {67, "An error was returned"},
      {68, "Invalid parameter"},
      {69, "More than 5 gateways"},
      {70, "Invalid IP address"},
      {71, "Invalid gateway address"},
      {72, "Failed access the registry"},
      {75, "No WINS server defined"},
      {76, "Invalid file"},
      {77, "Invalid system path"},
      {78, "File copy failed"},
      {79, "Invalid security parameter"},
      {80, "Unable to configure TCP/IP"},
      {81, "Unable to configure DHCP"},
      {82, "Unable to renew DHCP"},
      {83, "Unable to release DHCP"},
      {84, "Cable unplugged or IP not enabled"},
      {86, "Frame/network number bounds error"},
      {87, "Invalid frame type"},
      {88, "Invalid network number"},
      {89, "Duplicate network number"},
      {90, "Parameter out of bounds"},
      {91, "Access denied"},
      {92, "Out of memory"},
      {93, "Already exists"},
      {94, "Network cable unplugged"},
      {95, "Unable to notify service"},
      {96, "Unable to notify DNS service"},
      {97, "Interface not configurable"},
      {98, "Not all DHCP leases could be released"},
      {100, "DHCP not enabled on adapter"},
  };
  const auto it = texts.find(value);
  return (it != texts.end() ? std::string(it->second) : "Error " + std::to_string(value)) + "\r\n";
}

}  // namespace cvn::service
