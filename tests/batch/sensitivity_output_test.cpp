#include "batch/sensitivity_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/result_series.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"
#include "tests/support/text_lines.h"

namespace batch {
namespace {

SensitivityPlan Plan(SensitivityMethod method) {
  SensitivityPlan plan;
  plan.method = method;
  plan.context.arguments = run::DefaultRunArguments();
  plan.context.arguments.distR = 1;
  plan.context.factors = TrackbarFactors(plan.context.arguments);
  plan.context.seed = -4;
  plan.narrowed.assign(plan.context.factors.size(), false);
  plan.measure = {model::kMeanPropensity, 81, 100};
  plan.baseRows = 64;
  return plan;
}

struct CommandCase {
  const char* name;
  SensitivityMethod method;
  void (*change)(SensitivityPlan& plan);
  const char* expected;
};

const CommandCase kCommands[] = {
    {"Sobol", SensitivityMethod::kSobol, [](SensitivityPlan&) {},
     "corvellan-run --seed -4 --distR 1 --sensitivity sobol --samples 64 --resamples 200 "
     "--measure-series meanPropensity --measure-steps 81:100 --point-replicates 1"},
    {"MorrisAtOneStep", SensitivityMethod::kMorris,
     [](SensitivityPlan& p) {
       p.measure = {model::kFirstOrderRate, 50, 50};
       p.morris = {7, 6, 0};
       p.context.replicates = 3;
     },
     "corvellan-run --seed -4 --distR 1 --sensitivity morris --trajectories 7 --levels 6 "
     "--measure-series firstOrderRate --measure-steps 50 --point-replicates 3"},
    {"NarrowedSubset", SensitivityMethod::kSobol,
     [](SensitivityPlan& p) {
       p.context.factors = {p.context.factors[0], p.context.factors[2]};
       p.context.factors[1].lower = 0.25;
       p.everyTrackbar = false;
       p.narrowed = {false, true};
     },
     "corvellan-run --seed -4 --distR 1 --sensitivity sobol --samples 64 --resamples 200 "
     "--measure-series meanPropensity --measure-steps 81:100 --point-replicates 1 "
     "--factors paramJ,medianR --range medianR=0.25:1"},
};

class SensitivityCommandTextTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SensitivityCommandTextTest, NamesEveryChoiceThatDiffersFromTheDefaults) {
  SensitivityPlan plan = Plan(GetParam().method);
  GetParam().change(plan);
  EXPECT_EQ(SensitivityCommand(plan), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SensitivityCommandTextTest, ::testing::ValuesIn(kCommands),
                         test_support::CaseName());

TEST(SensitivityTableTest, OneRowPerFactorAndTheDrawLast) {
  SensitivityPlan plan = Plan(SensitivityMethod::kSobol);
  plan.context.factors.resize(2);
  plan.narrowed.resize(2);
  plan.everyTrackbar = false;
  const std::vector<SobolIndex> indices = {{0.5, 0.25, 0.75, 0.625, 0.5, 0.75},
                                           {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
                                           {0.125, 0.0, 0.25, 0.25, 0.125, 0.375}};
  const std::vector<std::string> lines =
      test_support::Lines(SobolTable(plan, indices, TableFormat::kCsv));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "# " + SensitivityCommand(plan));
  EXPECT_EQ(lines[1], "factor,lower,upper,first,first_low,first_high,total,total_low,total_high");
  EXPECT_EQ(lines[2], "paramJ,0,1,0.5,0.25,0.75,0.625,0.5,0.75");
  EXPECT_EQ(lines[3], "paramX,-1,1,0,0,0,0,0,0");
  EXPECT_EQ(lines[4], "seed,,,0.125,0,0.25,0.25,0.125,0.375");
  const std::string json = SobolTable(plan, indices, TableFormat::kJson);
  EXPECT_EQ(json.rfind("{\"command\":\"" + SensitivityCommand(plan) + "\",\"factors\":[", 0), 0u);
  EXPECT_NE(json.find("{\"factor\":\"seed\",\"first\":0.125,"), std::string::npos);
}

TEST(SensitivityTableTest, TheDesignTableHoldsEveryRunInOrder) {
  SensitivityPlan plan = Plan(SensitivityMethod::kMorris);
  plan.context.replicates = 2;
  plan.morris = {3, 4, 0};
  const MorrisModelDesign design(plan.context, plan.morris);
  MeasuredDesign measured;
  for (std::uint64_t run = 0; run < design.RecordCount() * 2; ++run) {
    measured.runs.push_back(static_cast<double>(run) / 8);
  }
  const std::vector<std::string> lines = test_support::Lines(DesignCsv(plan, design, measured));
  ASSERT_EQ(lines.size(), 2 + design.RecordCount() * 2);
  EXPECT_EQ(lines[1].rfind("trajectory,point,replicate,paramJ,", 0), 0u);
  EXPECT_EQ(lines[1].substr(lines[1].size() - 13), ",seed,measure");
  for (std::uint64_t run = 0; run < design.RecordCount() * 2; ++run) {
    const std::vector<std::string> cells = test_support::Split(lines[2 + run], ',');
    const std::uint64_t record = run / 2;
    EXPECT_EQ(cells[0], std::to_string(design.TrajectoryOf(record)));
    EXPECT_EQ(cells[1], std::to_string(design.PointOf(record)));
    EXPECT_EQ(cells[2], std::to_string(run % 2));
    EXPECT_EQ(cells[cells.size() - 2], std::to_string(design.Seed(record, run % 2)));
    EXPECT_EQ(std::stod(cells.back()), measured.runs[run]);
  }
}

}  // namespace
}  // namespace batch
