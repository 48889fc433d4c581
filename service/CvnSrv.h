// The service's command handlers.
#pragma once

#include "ServiceCommands.h"

namespace cvn::service {

class TCvnSrv : public ServiceCommands {
 public:
  ServiceReply scRestartAdapter(const std::string& guid) override;
  ServiceReply scSetAdapters(const std::string& payload, int keyKind) override;
  ServiceReply scSetSuffixList(const std::string& list) override;
  ServiceReply scFlushDns() override;
  ServiceReply scSetFirewall(std::uint8_t mode) override;
  ServiceReply scSetMailClient(const std::string& client) override;
  ServiceReply scSetTimeZone(const std::string& zoneKey) override;
  ServiceReply scSetEnvironment(const std::string& actions) override;
  ServiceReply scSetHosts(const std::string& smtpAddress, const std::string& hostsLines) override;
  ServiceReply scSetShares(bool removeOtherShares, const std::string& shares) override;
  ServiceReply scSetDialDefaults(const std::string& connection, const std::string& location) override;
  ServiceReply scSetWorkgroup(const std::string& workgroup) override;
  ServiceReply scRenewAddress(int interfaceIndex) override;
  ServiceReply scControlService(std::uint8_t action, const std::string& serviceName) override;
  ServiceReply scSetRoutes(const std::string& items) override;
};

}  // namespace cvn::service
