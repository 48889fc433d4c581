// The service's command handlers.
#pragma once

#include "Platform.h"
#include "ServiceCommands.h"

namespace cvn::service {

class TCvnSrv : public ServiceCommands {
 public:
  explicit TCvnSrv(ServicePlatform& platform) : platform_(platform) {}

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

  // One adapter's TCP/IP settings through the management interface. The result text ends
  // in "Done" when the settings reached the adapter; `restart` is set when the adapter must
  // be restarted for them to take effect.
  std::string ConfigureStatic(const std::string& guid, const std::string& ips, const std::string& masks,
                              const std::string& gateways, const std::string& dns, const std::string& wins,
                              const std::string& suffix, std::uint8_t netbios, bool& restart);
  std::string ConfigureDhcp(const std::string& guid, const std::string& dns, const std::string& wins,
                            const std::string& suffix, std::uint8_t netbios, bool& restart);
  // Writes or removes the adapter's NetworkAddress override; false when no class key has this GUID.
  bool ChangeMac(const std::string& guid, const std::string& mac);

 private:
  // DNS servers, WINS, the connection suffix and NetBIOS: the same for static and DHCP.
  void ApplyNameSettings(AdapterConfiguration& adapter, const std::string& dns, const std::string& wins,
                         const std::string& suffix, std::uint8_t netbios, bool& restart, std::string& text);

  ServicePlatform& platform_;
};

}  // namespace cvn::service
