#include "gui/shell/OneShotClient.h"

#include <gtest/gtest.h>

#include "tests/support/FakeCommands.h"
#include "tests/support/RawPipeClient.h"
#include "tests/support/ServerThread.h"

namespace cvn::shell {
namespace {

class OneShotClientTest : public ::testing::Test {
 protected:
  OneShotClient Client(const std::string& pipeName) {
    return OneShotClient({[this](const std::string& text) { errors_.push_back(text); },
                          [this](const std::string& text) { results_.push_back(text); }, [] {}},
                         pipeName);
  }
  // Sends once the server is free of the previous one-shot connection.
  bool SendWhenFree(const std::string& request) {
    for (int attempt = 0;; ++attempt) {
      errors_.clear();
      const bool result = Client(server_.PipeName()).Send(request);
      if (errors_ != std::vector<std::string>{"Cannot connect to the CVN service"} || attempt == 100) return result;
      Sleep(10);
    }
  }

  test::FakeCommands commands_;
  test::ServerThread server_{commands_};
  std::vector<std::string> errors_, results_;
};

TEST_F(OneShotClientTest, StatusBecomesTheResultText) {
  const std::pair<char, const char*> cases[] = {
      {'Y', "Done."}, {'M', "Network cable unpluged or DHCP timeout."}, {'N', "Unknown error!"}};
  for (const auto& [status, text] : cases) {
    commands_.reply = {status, "ok"};
    EXPECT_EQ(status != 'N', SendWhenFree("\x8C" "7")) << status;
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(text, results_.back());
  }
  EXPECT_EQ("RenewAddress 7", commands_.Calls().at(0));
}

TEST_F(OneShotClientTest, RequestIsCutToFortyCharacters) {
  SendWhenFree("\x80" + std::string(50, 'g'));
  EXPECT_EQ("RestartAdapter " + std::string(39, 'g'), commands_.Calls().at(0));
}

TEST_F(OneShotClientTest, ReplyLongerThanTheBufferIsAServiceFailure) {
  commands_.reply = {'Y', std::string(60, 'r')};
  EXPECT_FALSE(SendWhenFree("\x8C" "7"));
  EXPECT_EQ((std::vector<std::string>{"CVN service failed"}), errors_);
  EXPECT_TRUE(results_.empty());
}

TEST_F(OneShotClientTest, UnreachableOrBusyServiceCannotBeConnected) {
  EXPECT_FALSE(Client("\\\\.\\PIPE\\cvn_nobody_listens").Send("\x8C" "7"));
  test::RawPipeClient holder;
  ASSERT_TRUE(holder.Connect(server_.PipeName()));
  EXPECT_FALSE(Client(server_.PipeName()).Send("\x8C" "7"));
  EXPECT_EQ((std::vector<std::string>{"Cannot connect to the CVN service", "Cannot connect to the CVN service"}),
            errors_);
}

}  // namespace
}  // namespace cvn::shell
