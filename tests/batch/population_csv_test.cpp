#include "batch/population_csv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "run_description/rerun_command.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace batch {
namespace {

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Two agents over two steps.
PopulationRecord TwoAgents(bool sanctionsOn) {
  PopulationRecord r;
  r.arguments = run::DefaultRunArguments();
  r.arguments.sanctionsOn = sanctionsOn ? 1 : 0;
  r.seed = 5;
  r.agentCount = 2;
  r.sanctionsOn = sanctionsOn;
  r.attributes = {std::vector<double>{0.5, 0.5}, {0.1, 0.2}, {0.3, 0.4}, {0.6, 0.7}, {1, 0}};
  r.propensity = {0, 0, 0.25, 0.125};
  r.volunteered = {0, 0, 1, 0};
  if (sanctionsOn) {
    r.sanctionPropensity = {0, 0, -0.5, std::numeric_limits<double>::quiet_NaN()};
    r.sanctioned = {0, 0, 0, 1};
  }
  return r;
}

struct CsvCase {
  const char* name;
  bool sanctionsOn;
  std::vector<std::string> rows;  // after the command line
};

const CsvCase kCsvCases[] = {
    {"SanctionsOff",
     false,
     {"step,agent,propensity,volunteered,R,I,T,E,R'", "0,0,0,0,0.5,0.1,0.3,0.6,1",
      "0,1,0,0,0.5,0.2,0.4,0.7,0", "1,0,0.25,1,0.5,0.1,0.3,0.6,1",
      "1,1,0.125,0,0.5,0.2,0.4,0.7,0"}},
    {"SanctionsOn",
     true,
     {"step,agent,propensity,volunteered,sanctionPropensity,sanctioned,R,I,T,E,R'",
      "0,0,0,0,0,0,0.5,0.1,0.3,0.6,1", "0,1,0,0,0,0,0.5,0.2,0.4,0.7,0",
      "1,0,0.25,1,-0.5,0,0.5,0.1,0.3,0.6,1", "1,1,0.125,0,nan,1,0.5,0.2,0.4,0.7,0"}},
};

class PopulationTables : public ::testing::TestWithParam<CsvCase> {};

TEST_P(PopulationTables, StartWithTheRerunCommandThenOneRowPerStepAndAgent) {
  const PopulationRecord r = TwoAgents(GetParam().sanctionsOn);
  const std::vector<std::string> lines = LinesOf(PopulationCsv(r));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "# " + run::ShortRerunCommand(r.seed, r.arguments));
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Cases, PopulationTables, ::testing::ValuesIn(kCsvCases),
                         test_support::CaseName());

TEST(PopulationTable, OfARealRunHoldsEveryAgentAtEveryStepExactly) {
  PopulationRecorder recorder;
  const PopulationRecord& r = recorder.Record(test_support::AllNormalArguments(), 77);
  const std::vector<std::string> lines = LinesOf(PopulationCsv(r));
  ASSERT_EQ(lines.size(), 2u + static_cast<std::size_t>(model::kStepCount) * 100u);
  // Step 60, agent 42: its propensity reads back as the recorded double.
  const std::size_t row = 2 + r.Index(60, 42);
  std::istringstream fields(lines[row]);
  std::string step, agent, propensity;
  std::getline(fields, step, ',');
  std::getline(fields, agent, ',');
  std::getline(fields, propensity, ',');
  EXPECT_EQ(step, "60");
  EXPECT_EQ(agent, "42");
  EXPECT_EQ(std::strtod(propensity.c_str(), nullptr), r.propensity[r.Index(60, 42)]);
}

}  // namespace
}  // namespace batch
