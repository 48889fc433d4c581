#include "common/AdapterRequest.h"

#include <gtest/gtest.h>

namespace cvn {
namespace {

constexpr char kGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

TEST(AdapterRequestTest, DisableEntryIsKeyAndOneByte) {
  AdapterRequest request;
  request.key = kGuid;
  request.disable = true;
  EXPECT_EQ(std::string(kGuid) + "|\x01~", FormatAdapterEntry(request));
}

TEST(AdapterRequestTest, StaticEntryCarriesTenFieldsWithControlBytes) {
  AdapterRequest request;
  request.key = kGuid;
  request.dhcp = false;
  request.changeMac = true;
  request.ips = "10.0.0.5;10.0.0.6";
  request.masks = "255.0.0.0;255.0.0.0";
  request.gateways = "10.0.0.1";
  request.dns = "10.0.0.2";
  request.wins = OrUnset("");
  request.suffix = "corp.example";
  request.mac = "00112233AABB";
  request.netbios = kNetbiosDisable;
  const std::string entry = FormatAdapterEntry(request);
  EXPECT_EQ(std::string(kGuid) +
                "|\x02\x02\x01|10.0.0.5;10.0.0.6|255.0.0.0;255.0.0.0|10.0.0.1|10.0.0.2|?|corp.example|"
                "00112233AABB|\x03~",
            entry);

  const std::vector<std::string> entries = SplitAdapterEntries(entry + entry);
  ASSERT_EQ(2u, entries.size());
  const std::vector<std::string> fields = SplitAdapterFields(entries[0]);
  ASSERT_EQ(kAdapterFieldCount, fields.size());
  EXPECT_EQ(kGuid, fields[afKey]);
  EXPECT_EQ("\x02\x02\x01", fields[afFlags]);
  EXPECT_EQ("10.0.0.5;10.0.0.6", fields[afIp]);
  EXPECT_EQ("?", fields[afWins]);
  EXPECT_EQ("00112233AABB", fields[afMac]);
  EXPECT_EQ("\x03", fields[afNetbios]);
}

TEST(AdapterRequestTest, LeaveNetbiosUnchangedTravelsAsFF) {
  AdapterRequest request;
  request.key = "LAN";
  for (std::string* field : {&request.ips, &request.masks, &request.gateways, &request.dns,
                             &request.wins, &request.suffix, &request.mac}) {
    *field = OrUnset(*field);
  }
  EXPECT_EQ("LAN|\x02\x01\x02|?|?|?|?|?|?|?|\xFF~", FormatAdapterEntry(request));
}

TEST(AdapterRequestTest, AnEmptyFieldShiftsTheFollowingOnes) {
  // Why "?" must stand for empty values: the splitter drops empty items.
  const std::vector<std::string> fields = SplitAdapterFields("LAN|\x02\x02\x02|1.2.3.4|255.0.0.0||?|?|?|?|\xFF");
  EXPECT_EQ(9u, fields.size());
}

TEST(AdapterRequestTest, OrUnsetKeepsGivenValues) {
  EXPECT_EQ("?", OrUnset(""));
  EXPECT_EQ("1.1.1.1", OrUnset("1.1.1.1"));
}

}  // namespace
}  // namespace cvn
