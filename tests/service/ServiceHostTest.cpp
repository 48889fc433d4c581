// cvnsvc.exe itself, installed into the Wine prefix and run by the service control manager.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "common/ServiceProtocol.h"
#include "service/ServiceInstaller.h"
#include "tests/support/RawPipeClient.h"
#include "tests/support/RunProgram.h"
#include "win/Handle.h"

namespace cvn::service {
namespace {

DWORD RunServiceProgram(const std::string& arguments) { return test::RunProgram("cvnsvc.exe", arguments); }

std::string ServiceProgram() { return test::SiblingProgram("cvnsvc.exe"); }

DWORD WaitForState(SC_HANDLE service, DWORD wanted) {
  SERVICE_STATUS status{};
  for (int i = 0; i < 300; ++i) {
    if (!QueryServiceStatus(service, &status) || status.dwCurrentState == wanted) break;
    Sleep(10);
  }
  return status.dwCurrentState;
}

class ServiceHostTest : public ::testing::Test {
 protected:
  void TearDown() override { RunServiceProgram("/uninstall /silent"); }
};

TEST_F(ServiceHostTest, InstallsWithTheServiceDefinition) {
  ASSERT_EQ(0u, RunServiceProgram("/install /silent"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SERVICE_EXISTS), RunServiceProgram("/install /silent"));

  const win::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  win::ServiceHandle service(OpenServiceA(manager.Get(), kServiceName, SERVICE_QUERY_CONFIG));
  ASSERT_TRUE(service);
  DWORD needed = 0;
  QueryServiceConfigA(service.Get(), nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
  ASSERT_TRUE(QueryServiceConfigA(service.Get(), config, needed, &needed));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS), config->dwServiceType);
  EXPECT_EQ(static_cast<DWORD>(SERVICE_AUTO_START), config->dwStartType);
  EXPECT_EQ(static_cast<DWORD>(SERVICE_ERROR_NORMAL), config->dwErrorControl);
  EXPECT_STREQ("Corvane Engine", config->lpDisplayName);
  EXPECT_EQ("\"" + ServiceProgram() + "\"", std::string(config->lpBinaryPathName));
  EXPECT_STREQ("LocalSystem", config->lpServiceStartName);
  service.Reset();  // a service is removed once its last handle is closed

  ASSERT_EQ(0u, RunServiceProgram("/uninstall /silent"));
  EXPECT_FALSE(win::ServiceHandle(OpenServiceA(manager.Get(), kServiceName, SERVICE_QUERY_STATUS)));
  EXPECT_EQ(static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST), GetLastError());
}

TEST_F(ServiceHostTest, StartedServiceAnswersOverThePipeAndStopsPromptly) {
  ASSERT_EQ(0u, RunServiceProgram("/install /silent"));
  const win::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  const win::ServiceHandle service(
      OpenServiceA(manager.Get(), kServiceName, SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS));
  ASSERT_TRUE(service);
  ASSERT_TRUE(StartServiceA(service.Get(), 0, nullptr)) << GetLastError();
  ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), WaitForState(service.Get(), SERVICE_RUNNING));

  test::RawPipeClient client;
  for (int i = 0; i < 300 && !client.Connect(kPipeName); ++i) Sleep(10);
  EXPECT_EQ("YUnsupported command\r\n", client.Transact("\x7F" "x"));
  EXPECT_EQ("NInvalid parameter\r\n", client.Transact("\x88" "ab"));
  client.Disconnect();

  SERVICE_STATUS status{};
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(ControlService(service.Get(), SERVICE_CONTROL_STOP, &status));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), WaitForState(service.Get(), SERVICE_STOPPED));
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("service stopped %lld ms after the stop request\n", static_cast<long long>(elapsed.count()));
  EXPECT_LT(elapsed.count(), 2000);
}

}  // namespace
}  // namespace cvn::service
