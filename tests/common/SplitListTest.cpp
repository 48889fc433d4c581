#include "common/SplitList.h"

#include <gtest/gtest.h>

namespace cvn {
namespace {

using Items = std::vector<std::string>;

struct SplitCase {
  std::string text;
  std::string separators;
  std::string whitespace;
  Items expected;
};

class SplitListTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitListTest, SplitsByTheListRules) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(c.expected, SplitList(c.text, c.separators, c.whitespace)) << "text: " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitListTest,
    ::testing::Values(
        SplitCase{"", ";", " ", {}},
        SplitCase{"a.example;b.example", ";", " ", {"a.example", "b.example"}},
        SplitCase{"a;;b;", ";", " ", {"a", "b"}},                     // empty items dropped
        SplitCase{"||a|||b||", "|", " ", {"a", "b"}},                 // stray separators
        SplitCase{"  a ; b  ", ";", " ", {"a ", "b  "}},              // only leading blanks skipped
        SplitCase{"a\r\nb\rc\nd", "|", " ", {"a", "b", "c", "d"}},    // CR and LF always cut
        SplitCase{"x|\r\n  y", "|", " ", {"x", "y"}},                 // and are skipped at item start
        SplitCase{"'a|b'|c", "|", " ", {"'a|b'", "c"}},               // quotes protect separators
        SplitCase{"\"x;y\";z", ";", " ", {"\"x;y\"", "z"}},
        SplitCase{"'a\"b|c'|d", "|", " ", {"'a\"b|c'", "d"}},         // the other quote is plain text
        SplitCase{"a|'b|c", "|", " ", {"a", "'b|c"}},                 // an open quote runs to the end
        SplitCase{"|1A=x|2B=y", "|", "|", {"1A=x", "2B=y"}},          // separator as whitespace
        SplitCase{"\tk", ";", "\t", {"k"}},
        SplitCase{std::string("a|b\0|c", 7), "|", " ", {"a", "b"}},   // text ends at NUL
        SplitCase{"{G1}|\x02\x01\x02|?~{G2}|\x01~", "~", " ", {"{G1}|\x02\x01\x02|?", "{G2}|\x01"}}));

}  // namespace
}  // namespace cvn
