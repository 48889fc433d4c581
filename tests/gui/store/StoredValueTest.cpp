#include "gui/store/StoredValue.h"

#include <gtest/gtest.h>

#include "tests/support/RegistrySandbox.h"

namespace cvn::store {
namespace {

class StoredValueTest : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    ASSERT_EQ(ERROR_SUCCESS, key_.Create(HKEY_CURRENT_USER, "Software\\Corvane\\Office"));
  }
  void TearDown() override {
    key_.Close();
    RegistrySandbox::TearDown();
  }
  win::RegKey key_;
};

TEST_F(StoredValueTest, MissingValuesReadAsOffFallbackAndEmpty) {
  EXPECT_FALSE(ReadFlag(key_, "sNet"));
  EXPECT_EQ(185, ReadNumber(key_, "deskalpha", 185));
  EXPECT_EQ("", ReadText(key_, "Homepage"));
}

TEST_F(StoredValueTest, PresentFlagOfZeroIsOff) {
  key_.WriteDword("sNet", 0);
  key_.WriteDword("sProxy", 7);
  EXPECT_FALSE(ReadFlag(key_, "sNet"));
  EXPECT_TRUE(ReadFlag(key_, "sProxy"));
}

TEST_F(StoredValueTest, WrongTypeRaisesRegistryError) {
  key_.WriteString("sNet", "1");
  key_.WriteDword("Homepage", 1);
  EXPECT_THROW(ReadFlag(key_, "sNet"), win::RegistryError);
  EXPECT_THROW(ReadNumber(key_, "sNet"), win::RegistryError);
  EXPECT_THROW(ReadText(key_, "Homepage"), win::RegistryError);
}

TEST(StateSnTest, EmptyOrNonNumericReadsAsDhcp) {
  const std::pair<const char*, int> cases[] = {
      {"", 1}, {"abc", 1}, {"12x", 1}, {"-4", 1}, {"99999999999", 1},
      {"0", 0}, {"2", 2}, {"21", 21}, {" 6 ", 6}};
  for (const auto& [text, bits] : cases) EXPECT_EQ(bits, ParseStateSn(text)) << "'" << text << "'";
}

}  // namespace
}  // namespace cvn::store
