// Round trip of one service command through ActivationPipeClient and the service's pipe
// loop, against a bare message-mode pipe echo measured in the same run.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "gui/activation/ActivationPipeClient.h"
#include "service/CvnSrv.h"
#include "service/ServiceExecute.h"
#include "win/Handle.h"
#include "win/Pipe.h"

namespace {

constexpr int kRounds = 3000;
const std::string kRequest = "\x7F" "x";  // answered by the dispatcher itself
const std::string kReply = "YUnsupported command\r\n";

using Clock = std::chrono::steady_clock;

double MicrosecondsPerRound(Clock::duration elapsed) {
  return std::chrono::duration<double, std::micro>(elapsed).count() / kRounds;
}

std::string UniquePipe(const char* kind) {
  return std::string("\\\\.\\PIPE\\cvnbench_") + kind + std::to_string(GetCurrentProcessId());
}

void WaitForPipe(const std::string& name) {
  while (!WaitNamedPipeA(name.c_str(), NMPWAIT_USE_DEFAULT_WAIT)) Sleep(5);
}

double MeasureService() {
  cvn::service::StopSignal stop;
  cvn::service::TCvnSrv commands(cvn::service::Win32Platform());
  const std::string name = UniquePipe("service");
  std::thread server([&] { cvn::service::ServiceExecute(stop, commands, name); });
  WaitForPipe(name);

  cvn::activation::ActivationPipeClient client({[](const std::string&) {}, [] {}, [] { return false; }}, name);
  if (!client.Open()) return -1;
  const auto start = Clock::now();
  for (int i = 0; i < kRounds; ++i) client.Transact(kRequest);
  const auto elapsed = Clock::now() - start;
  client.Close();
  stop.Request();
  server.join();
  return MicrosecondsPerRound(elapsed);
}

double MeasureBareEcho() {
  const std::string name = UniquePipe("echo");
  const cvn::win::UniqueHandle pipe(CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX,
                                                     PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1,
                                                     1024, 1024, 0, nullptr));
  std::thread server([&] {
    ConnectNamedPipe(pipe.Get(), nullptr);
    char buffer[1024];
    DWORD read = 0, written = 0;
    while (ReadFile(pipe.Get(), buffer, sizeof buffer, &read, nullptr)) {
      WriteFile(pipe.Get(), kReply.data(), static_cast<DWORD>(kReply.size()), &written, nullptr);
    }
  });
  WaitForPipe(name);
  cvn::win::UniqueHandle client = cvn::win::OpenMessagePipe(name, 0);
  char buffer[1024];
  DWORD transferred = 0;
  const auto start = Clock::now();
  for (int i = 0; i < kRounds; ++i) {
    WriteFile(client.Get(), kRequest.data(), static_cast<DWORD>(kRequest.size()), &transferred, nullptr);
    ReadFile(client.Get(), buffer, sizeof buffer, &transferred, nullptr);
  }
  const auto elapsed = Clock::now() - start;
  client.Reset();
  server.join();
  return MicrosecondsPerRound(elapsed);
}

}  // namespace

int main() {
  const double bare = MeasureBareEcho();
  const double service = MeasureService();
  std::printf("rounds per measurement:        %d\n", kRounds);
  std::printf("bare message-mode pipe echo:   %.1f us per round trip\n", bare);
  std::printf("service command round trip:    %.1f us per round trip\n", service);
  std::printf("ratio service / bare:          %.2f (target: at most 1.20)\n", service / bare);
  return 0;
}
