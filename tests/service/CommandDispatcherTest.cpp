#include "service/CommandDispatcher.h"

#include <gtest/gtest.h>

#include "tests/support/FakeCommands.h"

namespace cvn::service {
namespace {

struct DispatchCase {
  std::uint8_t opcode;
  std::string payload;
  std::string call;  // what the handler was asked, empty when none was called
  char status;
  std::string text;
};

class CommandDispatcherTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(CommandDispatcherTest, DecodesPayloadAndFillsEmptyReplies) {
  const DispatchCase& c = GetParam();
  test::FakeCommands commands;
  const ServiceReply reply = CommandDispatcher(commands, c.opcode, c.payload);
  const std::vector<std::string> calls = commands.Calls();
  if (c.call.empty()) {
    EXPECT_TRUE(calls.empty());
  } else {
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(c.call, calls[0]);
  }
  EXPECT_EQ(c.status, reply.status);
  EXPECT_EQ(c.text, reply.text);
}

const std::string kGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandDispatcherTest,
    ::testing::Values(
        DispatchCase{0x80, kGuid, "RestartAdapter " + kGuid, 'Y', "Done\r\n"},
        DispatchCase{0x81, "entries~", "SetAdapters 0 entries~", 'Y', "Done\r\n"},
        DispatchCase{0x82, "?", "SetSuffixList ?", 'Y', "Done\r\n"},
        DispatchCase{0x83, "\x83", "FlushDns", 'Y', "Done\r\n"},
        DispatchCase{0x84, "\x02", "SetFirewall 2", 'Y', "Done\r\n"},
        DispatchCase{0x84, "", "", 'N', "Invalid parameter\r\n"},
        DispatchCase{0x85, "Outlook", "SetMailClient Outlook", 'Y', "Done\r\n"},
        DispatchCase{0x86, "W. Europe Standard Time", "SetTimeZone W. Europe Standard Time", 'Y', "Done\r\n"},
        DispatchCase{0x87, "|1A=b", "SetEnvironment |1A=b", 'Y', "Done\r\n"},
        DispatchCase{0x88, "?|127.0.0.1 a|b", "SetHosts [?] [127.0.0.1 a|b]", 'Y', "Done\r\n"},
        DispatchCase{0x88, "|x", "", 'N', "Invalid parameter\r\n"},        // shorter than 3
        DispatchCase{0x88, "abc", "", 'N', "Invalid parameter\r\n"},       // no "|"
        DispatchCase{0x89, "Y|docs/C:\\d", "SetShares Y |docs/C:\\d", 'Y', "Done\r\n"},
        DispatchCase{0x89, "N?", "SetShares N ?", 'Y', "Done\r\n"},
        DispatchCase{0x89, "Y", "", 'N', "Invalid parameter\r\n"},
        DispatchCase{0x8A, "Office VPN|?", "SetDialDefaults [Office VPN] [?]", 'Y', "Done\r\n"},
        DispatchCase{0x8A, "ab|", "SetDialDefaults [ab] []", 'Y', "Done\r\n"},
        DispatchCase{0x8A, "a|", "", 'N', "Invalid parameter\r\n"},
        DispatchCase{0x8A, "ab", "", 'N', "Invalid parameter\r\n"},
        DispatchCase{0x8B, "WORKGROUP", "SetWorkgroup WORKGROUP", 'Y', "Done\r\n"},
        DispatchCase{0x8C, "12", "RenewAddress 12", 'Y', "Done\r\n"},
        DispatchCase{0x8C, "12a", "RenewAddress -1", 'Y', "Done\r\n"},
        DispatchCase{0x8D, "\x03Wlansvc", "ControlService 3 Wlansvc", 'Y', "Done\r\n"},
        DispatchCase{0x8E, "|-10.0.0.0", "SetRoutes |-10.0.0.0", 'Y', "Done\r\n"},
        DispatchCase{0x7F, "x", "", 'Y', "Unsupported command\r\n"},
        DispatchCase{0x8F, "x", "", 'Y', "Unsupported command\r\n"},
        DispatchCase{0x82, std::string("a.example\0junk", 14), "SetSuffixList a.example", 'Y', "Done\r\n"}));

TEST(CommandDispatcherReplyTest, EmptyTextBecomesDoneOrFault) {
  test::FakeCommands commands;
  for (const char status : {'N', 'M'}) {
    commands.reply = {status, ""};
    EXPECT_EQ("Fault\r\n", CommandDispatcher(commands, 0x8B, "w").text);
  }
  commands.reply = {'M', "Adapter 1:\r\nDone\r\n"};
  EXPECT_EQ("Adapter 1:\r\nDone\r\n", CommandDispatcher(commands, 0x81, "x").text);
}

}  // namespace
}  // namespace cvn::service
