#include "run_description/parameter_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "tests/support/case_name.h"

namespace run {
namespace {

// Converts to anything: how many of these an aggregate takes is its number of fields.
struct AnyField {
  template <typename T>
  operator T() const;  // NOLINT: only ever used unevaluated
};

template <typename T, std::size_t... I>
constexpr bool TakesInitialisers(std::index_sequence<I...>) {
  return requires {
    T{(static_cast<void>(I), AnyField{})...};
  };
}

template <typename T, std::size_t N = 0>
constexpr std::size_t FieldCount() {
  if constexpr (TakesInitialisers<T>(std::make_index_sequence<N + 1>{})) {
    return FieldCount<T, N + 1>();
  } else {
    return N;
  }
}

// Each parameter has a field of its own, and together they fill a run: a
// field added to the run without a row fails here.
TEST(ParameterTable, ReachesEveryFieldOfARunOnce) {
  std::set<std::string_view> names;
  model::RunArguments marked{};
  for (const ParameterRow& entry : ParameterTable()) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    EXPECT_EQ(ParameterValue(entry, marked), 0) << entry.name << " shares a field";
    SetParameterValue(entry, 1, marked);
    EXPECT_EQ(FindParameter(entry.name),
              static_cast<std::size_t>(&entry - ParameterTable().data()));
  }
  EXPECT_EQ(ParameterTable().size(), FieldCount<model::RunArguments>());
  EXPECT_FALSE(FindParameter("seed"));
}

TEST(ParameterTable, DefaultsLieWithinTheirBounds) {
  const model::RunArguments defaults = DefaultRunArguments();
  for (const ParameterRow& entry : ParameterTable()) {
    const double value = ParameterValue(entry, defaults);
    EXPECT_EQ(value, entry.defaultValue) << entry.name;
    if (entry.minimum) {
      EXPECT_GE(value, *entry.minimum) << entry.name;
    }
    if (entry.maximum) {
      EXPECT_LE(value, *entry.maximum) << entry.name;
    }
  }
}

struct ReadCase {
  const char* name;
  const char* parameter;
  const char* text;
  const char* error;  // empty when the text is taken
};

class ReadValue : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadValue, TakesOrRefusesTheText) {
  const ReadCase& c = GetParam();
  model::RunArguments arguments = DefaultRunArguments();
  const ParameterRow& entry = ParameterTable()[*FindParameter(c.parameter)];
  EXPECT_EQ(ApplyArgument(entry, c.text, arguments), c.error);
  if (*c.error != '\0') {
    EXPECT_EQ(arguments, DefaultRunArguments()) << "a refused value is kept";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadValue,
    testing::Values(
        ReadCase{"RealInRange", "medianR", "0.25", ""},
        ReadCase{"UpperBoundIncluded", "sigmaR", "0.35000000000000003", ""},
        ReadCase{"AboveTheTrackbar", "sigmaR", "0.36", "--sigmaR: 0.36 is outside 0 to 0.35"},
        ReadCase{"LeftToTheModel", "paramJ", "7", ""},
        ReadCase{"KindTooLarge", "distR", "3", "--distR: 3 is outside 0 to 2"},
        ReadCase{"FlagNotZeroOrOne", "sanctionsOn", "2", "--sanctionsOn: 2 is outside 0 to 1"},
        ReadCase{"NegativeCount", "requestedCountR", "-1",
                 "--requestedCountR: -1 is outside 0 or more"},
        ReadCase{"NotANumber", "paramX", "nan", "--paramX: expected a finite number, got \"nan\""},
        ReadCase{"Word", "valueI", "half", "--valueI: expected a number, got \"half\""},
        ReadCase{"FractionForAnInteger", "slopeM", "2.5",
                 "--slopeM: expected a whole number, got \"2.5\""},
        ReadCase{"BeyondThirtyTwoBits", "agentCount", "2147483648",
                 "--agentCount: \"2147483648\" does not fit a 32-bit integer"}),
    test_support::CaseName());

// The window passes 35 * 0.01, which is not the double nearest 0.35; both
// must reach the model exactly as written.
TEST(ReadValue, KeepsEveryDecimalDigit) {
  const ParameterRow& sigmaR = ParameterTable()[*FindParameter("sigmaR")];
  model::RunArguments a = DefaultRunArguments();
  ASSERT_EQ(ReadParameterValue(sigmaR, "0.35000000000000003", a), "");
  EXPECT_EQ(a.sigmaR, 35 * 0.01);
  ASSERT_EQ(ReadParameterValue(sigmaR, "0.35", a), "");
  EXPECT_EQ(a.sigmaR, 0.35);
  EXPECT_NE(0.35, 35 * 0.01);
}

TEST(DescribeBounds, SaysTheDefaultAndTheRange) {
  const auto describe = [](const char* name) {
    return DescribeBounds(ParameterTable()[*FindParameter(name)]);
  };
  EXPECT_EQ(describe("paramM"), "default 1; 1 to 2");
  EXPECT_EQ(describe("requestedCountR"), "default 100; 0 or more");
  EXPECT_EQ(describe("paramJ"), "default 0.5; 0 to 1, checked by the model");
  EXPECT_EQ(describe("slopeM"), "default 10; any whole number");
}

}  // namespace
}  // namespace run
