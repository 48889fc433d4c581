#include "FakeMachine.h"

#include <algorithm>

#include "win/RegKey.h"

namespace cvn::test {
namespace {

constexpr char kClassKey[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kNetworkKey[] = "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

std::string Describe(const service::MethodArgument& argument) {
  if (const auto* text = std::get_if<std::string>(&argument)) return "'" + *text + "'";
  if (const auto* items = std::get_if<std::vector<std::string>>(&argument)) {
    std::string joined;
    for (const std::string& item : *items) joined += (joined.empty() ? "" : ",") + item;
    return "[" + joined + "]";
  }
  return std::to_string(std::get<std::uint32_t>(argument));
}

class FakeConfiguration : public service::AdapterConfiguration {
 public:
  FakeConfiguration(FakeMachine& machine, FakeAdapter& adapter) : machine_(machine), adapter_(adapter) {}
  bool DhcpEnabled() override { return adapter_.dhcp; }
  int Invoke(const std::string& method, const std::vector<service::MethodArgument>& arguments) override {
    const int result = machine_.Call(adapter_.guid, method, arguments);
    if (method == "EnableDHCP" && result == 0) adapter_.dhcp = true;
    if (method == "EnableStatic" && (result == 0 || result == 1)) adapter_.dhcp = false;
    return result;
  }

 private:
  FakeMachine& machine_;
  FakeAdapter& adapter_;
};

class FakeDeviceList : public service::NetDeviceList {
 public:
  explicit FakeDeviceList(FakeMachine& machine) : machine_(machine) {
    for (const FakeAdapter& adapter : machine.adapters) {
      devices_.push_back({"{4D36E972-E325-11CE-BFC1-08002BE10318}\\" + adapter.instance, adapter.description,
                          adapter.disabled});
    }
  }
  const std::vector<service::NetDevice>& Devices() const override { return devices_; }
  bool ChangeState(std::size_t device, service::DeviceStateChange change, service::DeviceScope scope) override {
    FakeAdapter& adapter = machine_.adapters[device];
    machine_.calls.push_back(adapter.guid + " state " + std::to_string(change) + "/" + std::to_string(scope));
    const auto key = std::make_pair(change, scope);
    if (std::find(machine_.refused.begin(), machine_.refused.end(), key) != machine_.refused.end()) return false;
    if (change == service::kStateEnable) adapter.disabled = false;
    if (change == service::kStateDisable) adapter.disabled = true;
    return true;
  }

 private:
  FakeMachine& machine_;
  std::vector<service::NetDevice> devices_;
};

}  // namespace

service::ServicePlatform FakeMachine::Platform() {
  service::ServicePlatform platform{*this, *this, *this, *this, service::OsFacts{true, 5, 1, 3, 0}};
  platform.sleep = [this](DWORD ms) { sleeps.push_back(ms); };
  return platform;
}

void FakeMachine::WriteRegistry() const {
  for (const FakeAdapter& adapter : adapters) {
    win::RegKey instance;
    instance.Create(HKEY_LOCAL_MACHINE, std::string(kClassKey) + "\\" + adapter.instance);
    instance.WriteString("NetCfgInstanceId", adapter.guid);
    win::RegKey connection;
    connection.Create(HKEY_LOCAL_MACHINE, std::string(kNetworkKey) + "\\" + adapter.guid + "\\Connection");
    connection.WriteString("Name", adapter.connection);
  }
}

std::string FakeMachine::NetworkAddress(const std::string& instance) {
  win::RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, std::string(kClassKey) + "\\" + instance) != ERROR_SUCCESS) return "<no key>";
  return key.ReadString("NetworkAddress").value_or("<none>");
}

int FakeMachine::Call(const std::string& target, const std::string& method,
                      const std::vector<service::MethodArgument>& arguments) {
  std::string call = target + " " + method;
  for (const auto& argument : arguments) call += " " + Describe(argument);
  calls.push_back(call);
  const auto it = returns.find(method);
  return it == returns.end() ? 0 : it->second;
}

std::unique_ptr<service::AdapterConfiguration> FakeMachine::OpenAdapter(const std::string& guid) {
  if (managementDown) throw service::ManagementError("down");
  for (FakeAdapter& adapter : adapters) {
    if (adapter.guid == guid && adapter.hasConfiguration) return std::make_unique<FakeConfiguration>(*this, adapter);
  }
  return nullptr;
}

int FakeMachine::InvokeClassMethod(const std::string& method, const std::vector<service::MethodArgument>& arguments) {
  if (managementDown) throw service::ManagementError("down");
  return Call("class", method, arguments);
}

std::unique_ptr<service::NetDeviceList> FakeMachine::Open() {
  if (noDeviceList) return nullptr;
  return std::make_unique<FakeDeviceList>(*this);
}

std::optional<service::AdapterLink> FakeMachine::Find(const std::string& guid) {
  for (const FakeAdapter& adapter : adapters) {
    if (adapter.guid == guid) return adapter.link;
  }
  return std::nullopt;
}

std::optional<std::vector<int>> FakeMachine::Interfaces() {
  std::vector<int> indexes;
  for (const FakeAdapter& adapter : adapters) indexes.push_back(adapter.interfaceIndex);
  return indexes;
}

DWORD FakeMachine::Release(int interfaceIndex) {
  calls.push_back("release " + std::to_string(interfaceIndex));
  return releaseResult;
}

DWORD FakeMachine::Renew(int interfaceIndex) {
  calls.push_back("renew " + std::to_string(interfaceIndex));
  return renewResult;
}

}  // namespace cvn::test
