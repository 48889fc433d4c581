#include "common/DottedQuad.h"

#include <gtest/gtest.h>

namespace cvn {
namespace {

struct QuadCase {
  const char* text;
  bool valid;
};

class DottedQuadTest : public ::testing::TestWithParam<QuadCase> {};

TEST_P(DottedQuadTest, DecidesByTheAddressRules) {
  EXPECT_EQ(GetParam().valid, IsDottedQuad(GetParam().text)) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(Cases, DottedQuadTest,
                         ::testing::Values(QuadCase{"192.168.1.10", true},
                                           QuadCase{"010.1.1.1", true},
                                           QuadCase{"0.0.0.0", true},
                                           QuadCase{"255.255.255.255", true},
                                           QuadCase{"0000000000000001.2.3.4", true},
                                           QuadCase{"1.2.3", false},
                                           QuadCase{"1.2.3.4.5", false},
                                           QuadCase{"1..2.3", false},
                                           QuadCase{".1.2.3", false},
                                           QuadCase{"1.2.3.", false},
                                           QuadCase{"256.1.1.1", false},
                                           QuadCase{"1.2.3.99999999999999999999", false},
                                           QuadCase{"1.2.3.4 ", false},
                                           QuadCase{" 1.2.3.4", false},
                                           QuadCase{"", false},
                                           QuadCase{"   ", false},
                                           QuadCase{"...", false},
                                           QuadCase{"a.b.c.d", false},
                                           QuadCase{"1.2.3.-4", false},
                                           QuadCase{"1234", false}));

}  // namespace
}  // namespace cvn
