#include "batch/sweep_axis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

struct SweepCase {
  const char* name;
  const char* text;
  const char* argument;
  std::vector<double> values;
};

const SweepCase kSweeps[] = {
    {"Range", "paramJ=0:1:0.25", "paramJ", {0, 0.25, 0.5, 0.75, 1}},
    {"CleanTenths", "valueT=0.1:0.5:0.1", "valueT", {0.1, 0.2, 0.3, 0.4, 0.5}},
    {"List", "medianR=0.3,0.1,0.2", "medianR", {0.3, 0.1, 0.2}},
    {"ListKeepsRepeats", "corrET=0.5,0.5", "corrET", {0.5, 0.5}},
    {"ListTakesWhatTheOptionTakes", "sigmaE=1e-1,+0.2", "sigmaE", {0.1, 0.2}},
    {"SingleValue", "sanctionsOn=1", "sanctionsOn", {1}},
    {"IntegerRange", "agentCount=10:50:20", "agentCount", {10, 30, 50}},
    {"KindList", "distR=0,1,2", "distR", {0, 1, 2}},
    {"NegativeRange", "paramX=-1:-0.5:0.25", "paramX", {-1, -0.75, -0.5}},
    {"ModelBoundsIncluded", "paramJ=0,1", "paramJ", {0, 1}},
    {"UncheckedIntegers", "slopeM=-5,0,5", "slopeM", {-5, 0, 5}},
};

class ParsedSweepCase : public ::testing::TestWithParam<SweepCase> {};

TEST_P(ParsedSweepCase, GivesTheArgumentAndItsValuesInOrder) {
  const SweepCase& c = GetParam();
  const ParsedSweep parsed = ParseSweep(c.text);
  ASSERT_TRUE(parsed.axis) << parsed.error;
  EXPECT_EQ(run::ParameterTable()[parsed.axis->argument].name, c.argument);
  EXPECT_EQ(parsed.axis->values, c.values);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParsedSweepCase, ::testing::ValuesIn(kSweeps),
                         test_support::CaseName());

struct BadSweep {
  const char* name;
  const char* text;
  const char* message;  // the whole error line
};

const BadSweep kBadSweeps[] = {
    {"NoEquals", "paramJ", "--sweep \"paramJ\": expected NAME=START:STOP:STEP or NAME=v1,v2,..."},
    {"NoName", "=0:1:0.5", "--sweep \"=0:1:0.5\": expected NAME=START:STOP:STEP or NAME=v1,v2,..."},
    {"UnknownName", "paramZ=0:1:0.5",
     "--sweep paramZ: not a run argument (see --help for their names)"},
    {"NameCaseMatters", "PARAMJ=0,1", "--sweep PARAMJ: not a run argument"},
    {"NoValues", "paramJ=", "--sweep paramJ: no values after '='"},
    {"TwoPartRange", "paramJ=0:1", "--sweep paramJ: expected START:STOP:STEP"},
    {"FourPartRange", "paramJ=0:1:0.1:2", "--sweep paramJ: expected START:STOP:STEP"},
    {"RangeWithList", "paramJ=0:1:0.1,0.2",
     "--sweep paramJ: expected a plain decimal like 0.25, got \"0.1,0.2\""},
    {"EmptyRange", "paramJ=1:0:0.1", "--sweep paramJ: empty range: START 1 is above STOP 0"},
    {"ZeroStep", "paramJ=0:1:0", "--sweep paramJ: the step must be positive, got \"0\""},
    {"NegativeStep", "paramJ=0:1:-0.5", "--sweep paramJ: the step must be positive, got \"-0.5\""},
    {"TooManyValues", "paramJ=0:1:0.0000001",
     "--sweep paramJ: the range has more than 1000000 values"},
    {"EmptyListValue", "paramJ=0.1,,0.2", "--sweep paramJ: empty value in the list"},
    {"TrailingComma", "paramJ=0.1,", "--sweep paramJ: empty value in the list"},
    {"ListWord", "medianR=0.1,half", "--sweep medianR: expected a number, got \"half\""},
    {"ListNaN", "medianR=nan", "--sweep medianR: expected a finite number, got \"nan\""},
    {"AboveTrackbar", "sigmaR=0:0.4:0.05", "--sweep sigmaR: 0.4 is outside 0 to 0.35"},
    {"BelowTrackbar", "paramM=0.9,1", "--sweep paramM: 0.9 is outside 1 to 2"},
    {"FractionalCount", "agentCount=10:20:2.5",
     "--sweep agentCount: expected a whole number, got \"12.5\""},
    {"KindThree", "distR=0:3:1", "--sweep distR: 3 is outside 0 to 2"},
    {"FlagTwo", "sanctionsOn=0,2", "--sweep sanctionsOn: 2 is outside 0 to 1"},
    {"NegativeCarriers", "requestedCountR=-1,5",
     "--sweep requestedCountR: -1 is outside 0 or more"},
    {"ModelRejectsJ", "paramJ=0.5:1.5:0.5",
     "--sweep paramJ: 1.5 fails the model's check \"Inappropriate parameter J\""},
    {"ModelRejectsX", "paramX=-1.5,0",
     "--sweep paramX: -1.5 fails the model's check \"Inappropriate parameter X\""},
    {"ModelRejectsN", "agentCount=0,10",
     "--sweep agentCount: 0 fails the model's check \"Inappropriate parameter N\""},
};

class RefusedSweep : public ::testing::TestWithParam<BadSweep> {};

TEST_P(RefusedSweep, GivesOneLineNamingTheSweep) {
  const ParsedSweep parsed = ParseSweep(GetParam().text);
  EXPECT_FALSE(parsed.axis);
  EXPECT_EQ(parsed.error.rfind(GetParam().message, 0), 0u) << parsed.error;
  EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSweep, ::testing::ValuesIn(kBadSweeps),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
