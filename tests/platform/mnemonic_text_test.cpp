#include "platform/mnemonic_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace platform_test {
namespace {

class ShownCaptions : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(ShownCaptions, ResolveAmpersands) {
  EXPECT_EQ(platform::ShownCaption(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Captions, ShownCaptions,
                         testing::Values(std::pair<std::string, std::string>{"R && R'", "R & R'"},
                                         std::pair<std::string, std::string>{"E && T", "E & T"},
                                         std::pair<std::string, std::string>{"&Apply", "Apply"},
                                         std::pair<std::string, std::string>{"a&&&b", "a&b"},
                                         std::pair<std::string, std::string>{"end&", "end"},
                                         std::pair<std::string, std::string>{"0.00", "0.00"},
                                         std::pair<std::string, std::string>{"", ""}));

struct AccessLetterCase {
  std::string caption;
  std::optional<char> letter;
};

class AccessLetters : public testing::TestWithParam<AccessLetterCase> {};

TEST_P(AccessLetters, AreTheMarkedCharacterLowerCased) {
  EXPECT_EQ(platform::AccessLetter(GetParam().caption), GetParam().letter) << GetParam().caption;
}

INSTANTIATE_TEST_SUITE_P(Captions, AccessLetters,
                         testing::Values(AccessLetterCase{"Save Graph as P&NG", 'n'},
                                         AccessLetterCase{"&Copy Graph", 'c'},
                                         AccessLetterCase{"Band of &8", '8'},
                                         AccessLetterCase{"R && R' &x", 'x'},
                                         AccessLetterCase{"R && R'", std::nullopt},
                                         AccessLetterCase{"end&", std::nullopt},
                                         AccessLetterCase{"plain", std::nullopt}));

TEST(EscapedAmpersands, ShowAsTheyWere) {
  for (const std::string text : {"R & R'", "a&&b", "&", "none"}) {
    EXPECT_EQ(platform::ShownCaption(platform::EscapeAmpersands(text)), text);
    EXPECT_EQ(platform::AccessLetter(platform::EscapeAmpersands(text)), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace platform_test
