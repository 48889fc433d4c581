// A small simulated machine behind the service's network commands: adapters with GUIDs,
// connection names, descriptions, enabled state, link state and addresses, and management
// methods whose return values are scripted. The registry side (class keys, connection
// names) is written for real, into the sandboxed HKEY_LOCAL_MACHINE.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "service/Platform.h"

namespace cvn::test {

struct FakeAdapter {
  std::string guid;
  std::string instance;  // class key instance, "0001"
  std::string description;
  std::string connection;
  bool disabled = false;
  bool dhcp = true;                          // DHCPEnabled of its configuration object
  std::optional<service::AdapterLink> link;  // empty: IP Helper does not list it
  int interfaceIndex = 0;
  bool hasConfiguration = true;
};

class FakeMachine : public service::Management,
                    public service::NetDevices,
                    public service::LinkState,
                    public service::Leases {
 public:
  std::vector<FakeAdapter> adapters;
  std::map<std::string, int> returns;  // by method name; 0 when not given
  bool managementDown = false;
  bool noDeviceList = false;
  // (state change, scope) pairs that are refused.
  std::vector<std::pair<service::DeviceStateChange, service::DeviceScope>> refused;
  DWORD releaseResult = NO_ERROR, renewResult = NO_ERROR;

  std::vector<std::string> calls;  // in order: "{guid} Method args" and "{guid} state N/S"
  std::vector<DWORD> sleeps;

  service::ServicePlatform Platform();
  // Class keys with NetCfgInstanceId and the connection names, in HKLM.
  void WriteRegistry() const;
  static std::string NetworkAddress(const std::string& instance);  // "<none>" when absent

  // Management
  std::unique_ptr<service::AdapterConfiguration> OpenAdapter(const std::string& guid) override;
  int InvokeClassMethod(const std::string& method, const std::vector<service::MethodArgument>& arguments) override;
  // NetDevices
  std::unique_ptr<service::NetDeviceList> Open() override;
  // LinkState
  std::optional<service::AdapterLink> Find(const std::string& guid) override;
  // Leases
  std::optional<std::vector<int>> Interfaces() override;
  DWORD Release(int interfaceIndex) override;
  DWORD Renew(int interfaceIndex) override;

  int Call(const std::string& target, const std::string& method, const std::vector<service::MethodArgument>& arguments);
};

}  // namespace cvn::test
