#include "platform/mnemonic_text.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace platform_test
