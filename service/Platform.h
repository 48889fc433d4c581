// What the service's network commands need from the machine, cut at the operations they
// perform. The Win32 implementations are the production default; tests simulate a machine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace cvn::service {

// One argument of a management method: a text, an array of texts, or a number.
using MethodArgument = std::variant<std::string, std::vector<std::string>, std::uint32_t>;

// The locator or its connection to the management service failed.
class ManagementError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One adapter's Win32_NetworkAdapterConfiguration object.
class AdapterConfiguration {
 public:
  virtual ~AdapterConfiguration() = default;
  virtual bool DhcpEnabled() = 0;
  // The method's return value; -1 when the call itself failed.
  virtual int Invoke(const std::string& method, const std::vector<MethodArgument>& arguments) = 0;
};

class Management {
 public:
  virtual ~Management() = default;
  // nullptr when no configuration object has this SettingID; ManagementError when the
  // management service cannot be reached.
  virtual std::unique_ptr<AdapterConfiguration> OpenAdapter(const std::string& guid) = 0;
  // A method of the class itself (SetDNSSuffixSearchOrder); ManagementError as above.
  virtual int InvokeClassMethod(const std::string& method, const std::vector<MethodArgument>& arguments) = 0;
};

// A present device of the network class, as the device manager shows it.
struct NetDevice {
  std::string driverKey;    // "{class GUID}\0001"
  std::string description;
  bool disabled = false;
};

// Property-change requests (DIF_PROPERTYCHANGE): state change and scope.
enum DeviceStateChange : DWORD { kStateEnable = 1, kStateDisable = 2, kStateRestart = 3 };
enum DeviceScope : DWORD { kScopeGlobal = 1, kScopeConfigSpecific = 2 };

class NetDeviceList {
 public:
  virtual ~NetDeviceList() = default;
  virtual const std::vector<NetDevice>& Devices() const = 0;
  // True when the change was applied.
  virtual bool ChangeState(std::size_t device, DeviceStateChange change, DeviceScope scope) = 0;
};

class NetDevices {
 public:
  virtual ~NetDevices() = default;
  // nullptr when the list cannot be had.
  virtual std::unique_ptr<NetDeviceList> Open() = 0;
};

// An Ethernet adapter as IP Helper sees it.
struct AdapterLink {
  DWORD operStatus = 0;  // 0..2 no link, 3 connecting and above
  bool dhcpEnabled = false;
  std::string addresses;  // current IP addresses joined by ";"
};

class LinkState {
 public:
  virtual ~LinkState() = default;
  // Empty when the adapter is not an Ethernet adapter IP Helper lists, or its entry cannot be read.
  virtual std::optional<AdapterLink> Find(const std::string& guid) = 0;
};

// DHCP leases of the interfaces GetInterfaceInfo lists.
class Leases {
 public:
  virtual ~Leases() = default;
  // The interface indexes; empty when GetInterfaceInfo fails.
  virtual std::optional<std::vector<int>> Interfaces() = 0;
  // Windows error codes, 0 when done.
  virtual DWORD Release(int interfaceIndex) = 0;
  virtual DWORD Renew(int interfaceIndex) = 0;
};

// Read once at start.
struct OsFacts {
  bool ntFamily = true;
  DWORD major = 0, minor = 0, servicePackMajor = 0, servicePackMinor = 0;
};
OsFacts ReadOsFacts();

struct ServicePlatform {
  Management& management;
  NetDevices& devices;
  LinkState& links;
  Leases& leases;
  OsFacts os;
  std::function<void(DWORD)> sleep = [](DWORD ms) { Sleep(ms); };
};

// The real machine.
ServicePlatform& Win32Platform();

}  // namespace cvn::service
