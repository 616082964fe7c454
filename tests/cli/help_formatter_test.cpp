#include "cli/help_formatter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_name.h"

namespace cli {
namespace {

struct WrapCase {
  const char* name;
  std::string text;
  std::size_t width;
  std::string wrapped;
};

const WrapCase kWraps[] = {
    {"FitsAsItIs", "one two three", 13, "one two three"},
    {"BreaksBeforeTheWordThatOverflows", "one two three", 12, "one two\nthree"},
    {"LongWordGetsALineOfItsOwn", "a verylongword b", 4, "a\nverylongword\nb"},
    {"KeepsLineBreaks", "one\ntwo three", 20, "one\ntwo three"},
    {"KeepsEmptyLines", "one\n\ntwo", 20, "one\n\ntwo"},
    {"KeepsIndentedLinesAsTheyAre", "x\n  a  =  b + c", 5, "x\n  a  =  b + c"},
    {"RunsSpacesTogether", "one   two", 20, "one two"},
    {"Empty", "", 10, ""},
};

class WrapWordsCase : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapWordsCase, Wraps) {
  EXPECT_EQ(WrapWords(GetParam().text, GetParam().width), GetParam().wrapped);
}

INSTANTIATE_TEST_SUITE_P(Cases, WrapWordsCase, ::testing::ValuesIn(kWraps),
                         test_support::CaseName());

}  // namespace
}  // namespace cli
