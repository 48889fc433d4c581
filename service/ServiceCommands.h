// The fifteen commands the service carries out, one method each. The dispatcher decodes
// payloads into these arguments; a handler that leaves the text empty gets "Done" or "Fault".
#pragma once

#include <cstdint>
#include <string>

#include "common/ServiceProtocol.h"

namespace cvn::service {

// How field 0 of an adapter entry names its adapter.
enum AdapterKeyKind : int { kKeyByGuid = 0, kKeyByConnectionName = 1, kKeyByDescription = 2 };

class ServiceCommands {
 public:
  virtual ~ServiceCommands() = default;
  virtual ServiceReply scRestartAdapter(const std::string& guid) = 0;
  virtual ServiceReply scSetAdapters(const std::string& payload, int keyKind) = 0;
  virtual ServiceReply scSetSuffixList(const std::string& list) = 0;
  virtual ServiceReply scFlushDns() = 0;
  virtual ServiceReply scSetFirewall(std::uint8_t mode) = 0;
  virtual ServiceReply scSetMailClient(const std::string& client) = 0;
  virtual ServiceReply scSetTimeZone(const std::string& zoneKey) = 0;
  virtual ServiceReply scSetEnvironment(const std::string& actions) = 0;
  virtual ServiceReply scSetHosts(const std::string& smtpAddress, const std::string& hostsLines) = 0;
  virtual ServiceReply scSetShares(bool removeOtherShares, const std::string& shares) = 0;
  virtual ServiceReply scSetDialDefaults(const std::string& connection, const std::string& location) = 0;
  virtual ServiceReply scSetWorkgroup(const std::string& workgroup) = 0;
  virtual ServiceReply scRenewAddress(int interfaceIndex) = 0;
  virtual ServiceReply scControlService(std::uint8_t action, const std::string& serviceName) = 0;
  virtual ServiceReply scSetRoutes(const std::string& items) = 0;
};

}  // namespace cvn::service
