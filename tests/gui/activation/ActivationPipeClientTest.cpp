#include "gui/activation/ActivationPipeClient.h"

#include <gtest/gtest.h>

#include "tests/support/FakeCommands.h"
#include "tests/support/RawPipeClient.h"
#include "tests/support/ServerThread.h"

namespace cvn::activation {
namespace {

class ActivationPipeClientTest : public ::testing::Test {
 protected:
  PipeClientHooks Hooks() {
    return {[this](const std::string& line) { log_.push_back(line); },
            [this] {
              ++messageRounds_;
              MSG msg;
              while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            },
            [this] { return cancelAfterMessages_ && messageRounds_ > 0; }};
  }

  test::FakeCommands commands_;
  test::ServerThread server_{commands_};
  std::vector<std::string> log_;
  int messageRounds_ = 0;
  bool cancelAfterMessages_ = false;
};

TEST_F(ActivationPipeClientTest, OneConnectionServesEveryCommand) {
  ActivationPipeClient client(Hooks(), server_.PipeName());
  ASSERT_TRUE(client.Open());
  commands_.reply = {'M', "Adapter 1:\r\nDone\r\n"};
  const auto first = client.Transact("\x81{G}|\x01~");
  ASSERT_EQ(ActivationPipeClient::Outcome::Replied, first.outcome);
  EXPECT_EQ('M', first.reply.status);
  EXPECT_EQ("Adapter 1:\r\nDone\r\n", first.reply.text);
  commands_.reply = {'Y', ""};
  EXPECT_EQ("Done\r\n", client.Transact("\x83\x83").reply.text);
  EXPECT_EQ(2u, commands_.Calls().size());
  EXPECT_TRUE(log_.empty());
  client.Close();
  EXPECT_EQ(ActivationPipeClient::Outcome::SendFailed, client.Transact("\x83\x83").outcome);
}

TEST_F(ActivationPipeClientTest, LongRequestIsLoggedAndSentWhole) {
  ActivationPipeClient client(Hooks(), server_.PipeName());
  ASSERT_TRUE(client.Open());
  const std::string request = "\x88?|" + std::string(1497, 'h');
  EXPECT_EQ(ActivationPipeClient::Outcome::Replied, client.Transact(request).outcome);
  EXPECT_EQ((std::vector<std::string>{"(Buffer size 1500)"}), log_);
  EXPECT_EQ("SetHosts [?] [" + std::string(1497, 'h') + "]", commands_.Calls().at(0));
}

TEST_F(ActivationPipeClientTest, UnreachableServiceIsLoggedWithTheError) {
  ActivationPipeClient missing(Hooks(), "\\\\.\\PIPE\\cvn_nobody_listens");
  EXPECT_FALSE(missing.Open());
  EXPECT_FALSE(missing.IsOpen());

  test::RawPipeClient holder;
  ASSERT_TRUE(holder.Connect(server_.PipeName()));
  ActivationPipeClient busy(Hooks(), server_.PipeName());
  EXPECT_FALSE(busy.Open());
  EXPECT_EQ((std::vector<std::string>{"[x] Service may stop running: 2", "[x] Service may stop running: 231"}),
            log_);
}

TEST_F(ActivationPipeClientTest, CancelWhileAwaitingTheReplyEndsTheTransaction) {
  const win::UniqueHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  commands_.holdUntil = release.Get();
  cancelAfterMessages_ = true;
  ActivationPipeClient client(Hooks(), server_.PipeName());
  ASSERT_TRUE(client.Open());
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);  // wakes the wait for a message round
  EXPECT_EQ(ActivationPipeClient::Outcome::ReceiveFailed, client.Transact("\x8Bw").outcome);
  EXPECT_GT(messageRounds_, 0);
  SetEvent(release.Get());
  client.Close();

  cancelAfterMessages_ = false;
  commands_.holdUntil = nullptr;
  ActivationPipeClient next(Hooks(), server_.PipeName());
  for (int i = 0; i < 200 && !next.Open(); ++i) Sleep(10);
  EXPECT_EQ("Done\r\n", next.Transact("\x83\x83").reply.text);
}

TEST_F(ActivationPipeClientTest, ServiceStoppingMidConnectionFailsTheCommand) {
  ActivationPipeClient client(Hooks(), server_.PipeName());
  ASSERT_TRUE(client.Open());
  ASSERT_EQ(ActivationPipeClient::Outcome::Replied, client.Transact("\x83\x83").outcome);
  server_.Stop();
  EXPECT_NE(ActivationPipeClient::Outcome::Replied, client.Transact("\x83\x83").outcome);
}

}  // namespace
}  // namespace cvn::activation
