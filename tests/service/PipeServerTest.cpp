#include "service/PipeServer.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <chrono>
#include <random>

#include "tests/support/FakeCommands.h"
#include "tests/support/RawPipeClient.h"
#include "tests/support/ServerThread.h"

namespace cvn::service {
namespace {

using test::RawPipeClient;

class PipeServerTest : public ::testing::Test {
 protected:
  test::FakeCommands commands_;
  test::ServerThread server_{commands_};

  // Connects once the server has finished with its previous client.
  RawPipeClient Connected() {
    RawPipeClient client;
    bool connected = client.Connect(server_.PipeName());
    for (int i = 0; i < 200 && !connected && GetLastError() == ERROR_PIPE_BUSY; ++i) {
      Sleep(10);
      connected = client.Connect(server_.PipeName());
    }
    EXPECT_TRUE(connected) << GetLastError();
    return client;
  }
};

TEST_F(PipeServerTest, AnswersRequestsOneAfterAnotherOnOneConnection) {
  RawPipeClient client = Connected();
  EXPECT_EQ("YUnsupported command\r\n", client.Transact("\x7F" "x"));
  EXPECT_EQ("YDone\r\n", client.Transact("\x83\x83"));
  commands_.reply = {'N', ""};
  EXPECT_EQ("NFault\r\n", client.Transact("\x8BWORKGROUP"));
  EXPECT_EQ((std::vector<std::string>{"FlushDns", "SetWorkgroup WORKGROUP"}), commands_.Calls());
}

TEST_F(PipeServerTest, ZeroPaddedRequestIsReadUpToItsFirstNul) {
  RawPipeClient client = Connected();
  std::string request(41, '\0');
  request.replace(0, 3, "\x8C" "12");
  EXPECT_EQ("YDone\r\n", client.Transact(request));
  EXPECT_EQ((std::vector<std::string>{"RenewAddress 12"}), commands_.Calls());
}

TEST_F(PipeServerTest, LongRequestIsDispatchedWhole) {
  RawPipeClient client = Connected();
  const std::string payload(1499, 'h');
  EXPECT_EQ("YDone\r\n", client.Transact("\x8E" + payload));
  const std::string hosts(300 * 1024, 'x');  // a large hosts file still passes
  EXPECT_EQ("YDone\r\n", client.Transact("\x88?|" + hosts));
  const auto calls = commands_.Calls();
  ASSERT_EQ(2u, calls.size());
  EXPECT_EQ("SetRoutes " + payload, calls[0]);
  EXPECT_EQ("SetHosts [?] [" + hosts + "]", calls[1]);
}

TEST_F(PipeServerTest, ReplyTextIsCutTo1023Characters) {
  commands_.reply = {'Y', std::string(1100, 'r')};
  RawPipeClient client = Connected();
  const auto reply = client.Transact("\x8Bw");
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(1024u, reply->size());
  EXPECT_EQ('Y', (*reply)[0]);
}

TEST_F(PipeServerTest, SecondClientIsRefusedWhileTheFirstIsConnected) {
  RawPipeClient first = Connected();
  RawPipeClient second;
  EXPECT_FALSE(second.Connect(server_.PipeName()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PIPE_BUSY), GetLastError());
  EXPECT_EQ("YDone\r\n", first.Transact("\x83\x83"));
}

TEST_F(PipeServerTest, ShortOrHangUpRequestEndsTheConnectionUnanswered) {
  for (const std::string& request : {std::string("\x83"), std::string("\xFF" "abc")}) {
    RawPipeClient client = Connected();
    ASSERT_TRUE(client.Send(request));
    EXPECT_FALSE(client.Receive().has_value());
    client.Disconnect();
  }
  EXPECT_TRUE(commands_.Calls().empty());
  EXPECT_EQ("YDone\r\n", Connected().Transact("\x83\x83"));
}

TEST_F(PipeServerTest, ClientVanishingMidRequestLeavesTheServerServing) {
  {
    RawPipeClient connectsOnly = Connected();
  }
  {
    RawPipeClient leavesBeforeReply = Connected();
    ASSERT_TRUE(leavesBeforeReply.Send("\x8Bw"));
  }
  EXPECT_EQ("YDone\r\n", Connected().Transact("\x83\x83"));
}

TEST_F(PipeServerTest, OversizedRequestEndsTheConnection) {
  RawPipeClient client = Connected();
  client.Send("\x8E" + std::string(kMaxRequestSize + 10, 'x'));
  EXPECT_FALSE(client.Receive().has_value());
  EXPECT_TRUE(commands_.Calls().empty());
}

TEST_F(PipeServerTest, StopRequestEndsTheWaitForAClientPromptly) {
  const auto start = std::chrono::steady_clock::now();
  server_.Stop();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(2));  // in practice well inside one 200 ms slice
}

TEST_F(PipeServerTest, RandomAndMutatedRequestsAreAnsweredOrEndTheConnection) {
  std::mt19937 random(20261211);
  const std::string templates[] = {
      "\x81{G}|\x02\x02\x02|1.2.3.4|255.0.0.0|?|?|?|?|?|\xFF~", "\x88?|127.0.0.1 localhost",
      "\x89Y|docs/C:\\d?Everyone=R", "\x8A" "a|b", "\x8D\x03Wlansvc", "\x8C" "7", "\x84\x01"};
  RawPipeClient client = Connected();
  int answered = 0, ended = 0;
  for (int round = 0; round < 400; ++round) {
    std::string request;
    if (round % 2 == 0) {
      request.resize(random() % 3000);
      for (char& c : request) c = static_cast<char>(random());
    } else {
      request = templates[random() % std::size(templates)];
      for (int flips = random() % 6; flips >= 0 && !request.empty(); --flips) {
        request[random() % request.size()] = static_cast<char>(random());
      }
      request.resize(random() % (request.size() + 4));
    }
    if (request.empty()) continue;  // a zero-byte message cannot be told from no message
    const auto reply = client.Transact(request);
    if (reply) {
      ASSERT_GE(reply->size(), 2u);
      EXPECT_NE(std::string::npos, std::string("YNM").find((*reply)[0]));
      ++answered;
    } else {
      ++ended;
      client = Connected();
    }
  }
  EXPECT_GT(answered, 0);
  EXPECT_GT(ended, 0);
  EXPECT_EQ("YUnsupported command\r\n", client.Transact("\x7Fz"));
}

TEST(PipeSecurityTest, DeniesNetworkLogonsAndLetsLocalUsersReadAndWrite) {
  PipeSecurity security;
  ASSERT_TRUE(security.IsValid());
  char* sddl = nullptr;
  ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorA(
      security.Attributes()->lpSecurityDescriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &sddl, nullptr));
  const std::string text = sddl;
  LocalFree(sddl);
  EXPECT_EQ(0u, text.find("D:(D;;GA;;;NU)")) << text;  // the deny entry comes first
  EXPECT_NE(std::string::npos, text.find(";;;WD)")) << text;
  EXPECT_EQ(std::string::npos, text.find("D:NO_ACCESS_CONTROL")) << text;
}

}  // namespace
}  // namespace cvn::service
