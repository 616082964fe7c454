#include "drawing/svg_markup.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_name.h"

namespace platform_test {
namespace {

struct NumberCase {
  std::string name;
  double value;
  std::string expected;
};

class SvgNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(SvgNumbers, AreWrittenInTheFewestCharacters) {
  EXPECT_EQ(platform::SvgNumber(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SvgNumbers,
                         testing::Values(NumberCase{"Whole", 305.0, "305"},
                                         NumberCase{"Half", 100.5, "100.5"},
                                         NumberCase{"NegativeHalf", -0.5, "-0.5"},
                                         NumberCase{"Zero", 0.0, "0"},
                                         NumberCase{"TinyNegative", -1e-9, "0"},
                                         NumberCase{"FourDecimals", 4.242640687, "4.2426"}),
                         test_support::CaseName());

struct EscapeCase {
  std::string name;
  std::string text;
  std::string expected;
};

class XmlEscapes : public testing::TestWithParam<EscapeCase> {};

TEST_P(XmlEscapes, LeaveNothingThatEndsATextOrAnAttribute) {
  EXPECT_EQ(platform::XmlEscaped(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlEscapes,
    testing::Values(EscapeCase{"Plain", " ITERATIONS ", " ITERATIONS "},
                    EscapeCase{"Markup", "a<b>&\"c\"", "a&lt;b&gt;&amp;&quot;c&quot;"},
                    EscapeCase{"Apostrophe", "'Liberation Sans'", "'Liberation Sans'"},
                    EscapeCase{"Utf8", "\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9"}),
    test_support::CaseName());

TEST(SvgColours, AreSixHexDigits) {
  EXPECT_EQ(platform::SvgColour({222, 0, 0}), "#de0000");
  EXPECT_EQ(platform::SvgColour({171, 171, 171}), "#ababab");
}

}  // namespace
}  // namespace platform_test
