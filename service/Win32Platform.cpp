// The real machine behind the service's network commands: WMI through COM, the network
// device class through the Setup API, IP Helper for link state and leases.
#include <windows.h>
#include <devguid.h>
#include <iphlpapi.h>
#include <setupapi.h>
#include <cfgmgr32.h>
#include <wbemidl.h>

#include <map>

#include "Platform.h"
#include "win/Com.h"
#include "common/Text.h"

namespace cvn::service {
namespace {

using win::Bstr;
using win::ComPtr;
using win::Variant;
using win::Widen;

constexpr wchar_t kConfigurationClass[] = L"Win32_NetworkAdapterConfiguration";

// Management methods take named parameters, in this order.
const std::map<std::string, std::vector<const wchar_t*>>& ParameterNames() {
  static const std::map<std::string, std::vector<const wchar_t*>> names = {
      {"EnableStatic", {L"IPAddress", L"SubnetMask"}},
      {"SetGateways", {L"DefaultIPGateway"}},
      {"SetDNSServerSearchOrder", {L"DNSServerSearchOrder"}},
      {"SetWINSServer", {L"WINSPrimaryServer", L"WINSSecondaryServer"}},
      {"SetDNSDomain", {L"DNSDomain"}},
      {"SetTcpipNetbios", {L"TcpipNetbiosOptions"}},
      {"SetDNSSuffixSearchOrder", {L"DNSDomainSuffixSearchOrder"}},
      {"EnableDHCP", {}},
  };
  return names;
}

void ToVariant(const MethodArgument& argument, VARIANT* value) {
  if (const auto* text = std::get_if<std::string>(&argument)) {
    value->vt = VT_BSTR;
    const std::wstring wide = Widen(*text);
    value->bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  } else if (const auto* items = std::get_if<std::vector<std::string>>(&argument)) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(items->size()));
    for (LONG i = 0; i < static_cast<LONG>(items->size()); ++i) {
      const std::wstring wide = Widen((*items)[static_cast<std::size_t>(i)]);
      const BSTR element = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
      SafeArrayPutElement(array, &i, element);
      SysFreeString(element);
    }
    value->vt = VT_ARRAY | VT_BSTR;
    value->parray = array;
  } else {
    value->vt = VT_I4;
    value->lVal = static_cast<LONG>(std::get<std::uint32_t>(argument));
  }
}

// Runs a method on the object at `path`; -1 when the call itself fails.
int ExecMethod(IWbemServices* services, const std::wstring& path, const std::string& method,
               const std::vector<MethodArgument>& arguments) {
  const auto names = ParameterNames().find(method);
  if (names == ParameterNames().end() || arguments.size() > names->second.size()) return -1;
  const std::wstring wideMethod = Widen(method);
  ComPtr<IWbemClassObject> classObject, signature, input, output;
  if (FAILED(services->GetObject(Bstr(kConfigurationClass).Get(), 0, nullptr, classObject.Receive(), nullptr)) ||
      FAILED(classObject->GetMethod(wideMethod.c_str(), 0, signature.Receive(), nullptr))) {
    return -1;
  }
  if (signature && FAILED(signature->SpawnInstance(0, input.Receive()))) return -1;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    Variant value;
    ToVariant(arguments[i], value.Get());
    if (!input || FAILED(input->Put(names->second[i], 0, value.Get(), 0))) return -1;
  }
  if (FAILED(services->ExecMethod(Bstr(path).Get(), Bstr(wideMethod).Get(), 0, nullptr, input.Get(),
                                  output.Receive(), nullptr)) ||
      !output) {
    return -1;
  }
  Variant result;
  if (FAILED(output->Get(L"ReturnValue", 0, result.Get(), nullptr, nullptr))) return -1;
  Variant number;
  if (FAILED(VariantChangeType(number.Get(), result.Get(), 0, VT_I4))) return -1;
  return static_cast<int>((*number).lVal);
}

ComPtr<IWbemServices> Connect() {
  ComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              locator.ReceiveVoid()))) {
    throw ManagementError("Cannot create the management locator");
  }
  ComPtr<IWbemServices> services;
  if (FAILED(locator->ConnectServer(Bstr(L"ROOT\\CIMV2").Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                    services.Receive()))) {
    throw ManagementError("Cannot connect to the management service");
  }
  CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  return services;
}

class WmiAdapter : public AdapterConfiguration {
 public:
  WmiAdapter(ComPtr<IWbemServices> services, ComPtr<IWbemClassObject> object, std::wstring path)
      : services_(std::move(services)), object_(std::move(object)), path_(std::move(path)) {}

  bool DhcpEnabled() override {
    Variant value;
    return SUCCEEDED(object_->Get(L"DHCPEnabled", 0, value.Get(), nullptr, nullptr)) && (*value).vt == VT_BOOL &&
           (*value).boolVal != VARIANT_FALSE;
  }
  int Invoke(const std::string& method, const std::vector<MethodArgument>& arguments) override {
    return ExecMethod(services_.Get(), path_, method, arguments);
  }

 private:
  ComPtr<IWbemServices> services_;
  ComPtr<IWbemClassObject> object_;
  std::wstring path_;
};

class WmiManagement : public Management {
 public:
  std::unique_ptr<AdapterConfiguration> OpenAdapter(const std::string& guid) override {
    if (guid.find_first_of("'\\") != std::string::npos) return nullptr;  // never part of a GUID
    ComPtr<IWbemServices> services = Connect();
    const std::wstring query = L"Select * from Win32_NetworkAdapterConfiguration where SettingID='" + Widen(guid) + L"'";
    ComPtr<IEnumWbemClassObject> results;
    if (FAILED(services->ExecQuery(Bstr(L"WQL").Get(), Bstr(query).Get(),
                                   WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                   results.Receive()))) {
      throw ManagementError("The adapter query failed");
    }
    ComPtr<IWbemClassObject> object;
    ULONG returned = 0;
    if (results->Next(static_cast<LONG>(WBEM_INFINITE), 1, object.Receive(), &returned) != WBEM_S_NO_ERROR ||
        returned == 0) {
      return nullptr;
    }
    Variant path;
    if (FAILED(object->Get(L"__PATH", 0, path.Get(), nullptr, nullptr)) || (*path).vt != VT_BSTR) return nullptr;
    return std::make_unique<WmiAdapter>(std::move(services), std::move(object), std::wstring((*path).bstrVal));
  }

  int InvokeClassMethod(const std::string& method, const std::vector<MethodArgument>& arguments) override {
    ComPtr<IWbemServices> services = Connect();
    return ExecMethod(services.Get(), kConfigurationClass, method, arguments);
  }
};

std::string DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  std::vector<BYTE> buffer(1024);
  DWORD needed = 0;
  while (!SetupDiGetDeviceRegistryPropertyA(set, &device, property, nullptr, buffer.data(),
                                            static_cast<DWORD>(buffer.size()), &needed)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return {};
    buffer.resize(needed);
  }
  return Trim(std::string(reinterpret_cast<const char*>(buffer.data())));
}

using GetDevNodeStatus = CONFIGRET(WINAPI*)(PULONG, PULONG, DEVINST, ULONG);

class SetupApiDeviceList : public NetDeviceList {
 public:
  explicit SetupApiDeviceList(HDEVINFO set) : set_(set) {}
  ~SetupApiDeviceList() override { SetupDiDestroyDeviceInfoList(set_); }
  SetupApiDeviceList(const SetupApiDeviceList&) = delete;
  SetupApiDeviceList& operator=(const SetupApiDeviceList&) = delete;

  void Load(GetDevNodeStatus status) {
    SP_DEVINFO_DATA info{};
    info.cbSize = sizeof info;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set_, index, &info); ++index) {
      ULONG flags = 0, problem = 0;
      if (!status || status(&flags, &problem, info.DevInst, 0) != CR_SUCCESS || (flags & DN_NO_SHOW_IN_DM)) continue;
      infos_.push_back(info);
      devices_.push_back({DeviceProperty(set_, info, SPDRP_DRIVER), DeviceProperty(set_, info, SPDRP_DEVICEDESC),
                          (flags & DN_HAS_PROBLEM) != 0 && problem == CM_PROB_DISABLED});
    }
  }

  const std::vector<NetDevice>& Devices() const override { return devices_; }

  bool ChangeState(std::size_t device, DeviceStateChange change, DeviceScope scope) override {
    SP_PROPCHANGE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = change;
    params.Scope = scope;
    params.HwProfile = 0;
    return SetupDiSetClassInstallParamsA(set_, &infos_[device], &params.ClassInstallHeader, sizeof params) &&
           SetupDiChangeState(set_, &infos_[device]);
  }

 private:
  HDEVINFO set_;
  std::vector<SP_DEVINFO_DATA> infos_;
  std::vector<NetDevice> devices_;
};

class SetupApiDevices : public NetDevices {
 public:
  explicit SetupApiDevices(const OsFacts& os) : os_(os) {}

  std::unique_ptr<NetDeviceList> Open() override {
    const HDEVINFO set = SetupDiGetClassDevsA(&GUID_DEVCLASS_NET, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) return nullptr;
    auto list = std::make_unique<SetupApiDeviceList>(set);
    // Windows 2000 and later export it from setupapi.dll, earlier systems from cfgmgr32.dll.
    const HMODULE module = LoadLibraryA(os_.major >= 5 ? "setupapi.dll" : "cfgmgr32.dll");
    list->Load(module ? reinterpret_cast<GetDevNodeStatus>(GetProcAddress(module, "CM_Get_DevNode_Status")) : nullptr);
    if (module) FreeLibrary(module);
    if (list->Devices().empty()) return nullptr;
    return list;
  }

 private:
  const OsFacts& os_;
};

class IpHelperLinks : public LinkState {
 public:
  std::optional<AdapterLink> Find(const std::string& guid) override {
    ULONG size = 0;
    std::vector<BYTE> buffer;
    DWORD result = GetAdaptersInfo(nullptr, &size);
    while (result == ERROR_BUFFER_OVERFLOW) {
      buffer.resize(size);
      result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    }
    if (result != NO_ERROR) return std::nullopt;
    for (auto* adapter = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); adapter; adapter = adapter->Next) {
      if (adapter->Type != MIB_IF_TYPE_ETHERNET || lstrcmpiA(adapter->AdapterName, guid.c_str()) != 0) continue;
      MIB_IFROW row{};
      row.dwIndex = adapter->Index;
      if (GetIfEntry(&row) != NO_ERROR) return std::nullopt;
      AdapterLink link{static_cast<DWORD>(row.dwOperStatus), adapter->DhcpEnabled != 0, {}};
      for (const IP_ADDR_STRING* address = &adapter->IpAddressList; address; address = address->Next) {
        if (!link.addresses.empty()) link.addresses += ';';
        link.addresses += address->IpAddress.String;
      }
      return link;
    }
    return std::nullopt;
  }
};

class IpHelperLeases : public Leases {
 public:
  std::optional<std::vector<int>> Interfaces() override {
    ULONG size = 0;
    const DWORD probe = GetInterfaceInfo(nullptr, &size);
    if (probe != ERROR_INSUFFICIENT_BUFFER && probe != ERROR_BUFFER_OVERFLOW) return std::nullopt;
    buffer_.assign(size, 0);
    if (GetInterfaceInfo(Table(), &size) != NO_ERROR) return std::nullopt;
    std::vector<int> indexes;
    for (LONG i = 0; i < Table()->NumAdapters; ++i) indexes.push_back(static_cast<int>(Table()->Adapter[i].Index));
    return indexes;
  }
  DWORD Release(int interfaceIndex) override {
    IP_ADAPTER_INDEX_MAP* adapter = Entry(interfaceIndex);
    return adapter ? IpReleaseAddress(adapter) : ERROR_NOT_FOUND;
  }
  DWORD Renew(int interfaceIndex) override {
    IP_ADAPTER_INDEX_MAP* adapter = Entry(interfaceIndex);
    return adapter ? IpRenewAddress(adapter) : ERROR_NOT_FOUND;
  }

 private:
  IP_INTERFACE_INFO* Table() { return reinterpret_cast<IP_INTERFACE_INFO*>(buffer_.data()); }
  IP_ADAPTER_INDEX_MAP* Entry(int interfaceIndex) {
    if (buffer_.empty()) return nullptr;
    for (LONG i = 0; i < Table()->NumAdapters; ++i) {
      if (static_cast<int>(Table()->Adapter[i].Index) == interfaceIndex) return &Table()->Adapter[i];
    }
    return nullptr;
  }
  std::vector<BYTE> buffer_;
};

}  // namespace

OsFacts ReadOsFacts() {
  OSVERSIONINFOEXA version{};
  version.dwOSVersionInfoSize = sizeof version;
  OsFacts facts;
  if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version))) {
    facts.ntFamily = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    facts.major = version.dwMajorVersion;
    facts.minor = version.dwMinorVersion;
    facts.servicePackMajor = version.wServicePackMajor;
    facts.servicePackMinor = version.wServicePackMinor;
  }
  return facts;
}

ServicePlatform& Win32Platform() {
  static WmiManagement management;
  static const OsFacts os = ReadOsFacts();
  static SetupApiDevices devices(os);
  static IpHelperLinks links;
  static IpHelperLeases leases;
  static ServicePlatform platform{management, devices, links, leases, os};
  return platform;
}

}  // namespace cvn::service
