#include "common/HexXor.h"

#include <gtest/gtest.h>

#include <cctype>

namespace cvn {
namespace {

TEST(HexXorTest, ThreeCharactersBecomeSixUpperCaseHexDigits) {
  // 'a'^'C' = 0x22, 'b'^'4' = 0x56, 'c'^'1' = 0x52
  EXPECT_EQ("225652", EncodeHexXor("abc"));
  EXPECT_EQ("abc", DecodeHexXor("225652"));
}

TEST(HexXorTest, NinthCharacterReusesTheFirstKeyCharacter) {
  const std::string encoded = EncodeHexXor("aaaaaaaaa");
  ASSERT_EQ(18u, encoded.size());
  EXPECT_EQ(encoded.substr(0, 2), encoded.substr(16, 2));
  EXPECT_EQ("aaaaaaaaa", DecodeHexXor(encoded));
}

TEST(HexXorTest, EmptyTextStaysEmpty) {
  EXPECT_EQ("", EncodeHexXor(""));
  EXPECT_EQ("", DecodeHexXor(""));
}

TEST(HexXorTest, EveryByteValueRoundTrips) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string encoded = EncodeHexXor(all);
  EXPECT_EQ(std::string::npos, encoded.find_first_not_of("0123456789ABCDEF"));
  EXPECT_EQ(all, DecodeHexXor(encoded));
}

TEST(HexXorTest, AcceptsLowerCaseDigits) {
  std::string encoded = EncodeHexXor("secret");
  ASSERT_NE(std::string::npos, encoded.find_first_of("ABCDEF"));
  for (char& c : encoded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ("secret", DecodeHexXor(encoded));
}

TEST(HexXorTest, MalformedTextIsRejected) {
  for (const char* bad : {"2", "225", "ZZ", "2G", "22 5", "-1"}) {
    EXPECT_FALSE(DecodeHexXor(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace cvn
