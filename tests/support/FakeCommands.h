// A stand-in for the service's command handlers: records each call as text and answers
// with a scripted reply.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "service/ServiceCommands.h"

namespace cvn::test {

class FakeCommands : public service::ServiceCommands {
 public:
  ServiceReply reply{kStatusDone, {}};
  // When set, every command waits for this event before answering.
  HANDLE holdUntil = nullptr;
  // Runs on the server's thread as each command arrives.
  std::function<void()> onCall;

  std::vector<std::string> Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }

  ServiceReply scRestartAdapter(const std::string& guid) override { return Record("RestartAdapter " + guid); }
  ServiceReply scSetAdapters(const std::string& payload, int keyKind) override {
    return Record("SetAdapters " + std::to_string(keyKind) + " " + payload);
  }
  ServiceReply scSetSuffixList(const std::string& list) override { return Record("SetSuffixList " + list); }
  ServiceReply scFlushDns() override { return Record("FlushDns"); }
  ServiceReply scSetFirewall(std::uint8_t mode) override { return Record("SetFirewall " + std::to_string(mode)); }
  ServiceReply scSetMailClient(const std::string& client) override { return Record("SetMailClient " + client); }
  ServiceReply scSetTimeZone(const std::string& zoneKey) override { return Record("SetTimeZone " + zoneKey); }
  ServiceReply scSetEnvironment(const std::string& actions) override { return Record("SetEnvironment " + actions); }
  ServiceReply scSetHosts(const std::string& smtp, const std::string& hosts) override {
    return Record("SetHosts [" + smtp + "] [" + hosts + "]");
  }
  ServiceReply scSetShares(bool removeOthers, const std::string& shares) override {
    return Record(std::string("SetShares ") + (removeOthers ? "Y " : "N ") + shares);
  }
  ServiceReply scSetDialDefaults(const std::string& connection, const std::string& location) override {
    return Record("SetDialDefaults [" + connection + "] [" + location + "]");
  }
  ServiceReply scSetWorkgroup(const std::string& workgroup) override { return Record("SetWorkgroup " + workgroup); }
  ServiceReply scRenewAddress(int index) override { return Record("RenewAddress " + std::to_string(index)); }
  ServiceReply scControlService(std::uint8_t action, const std::string& name) override {
    return Record("ControlService " + std::to_string(action) + " " + name);
  }
  ServiceReply scSetRoutes(const std::string& items) override { return Record("SetRoutes " + items); }

 private:
  ServiceReply Record(std::string call) {
    {
      std::lock_guard lock(mutex_);
      calls_.push_back(std::move(call));
    }
    if (onCall) onCall();
    if (holdUntil) WaitForSingleObject(holdUntil, INFINITE);
    return reply;
  }

  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace cvn::test
