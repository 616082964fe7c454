#include "batch/sweep_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

std::vector<bool> NoneGiven() {
  return std::vector<bool>(run::ParameterTable().size(), false);
}

std::vector<bool> Given(const char* name) {
  std::vector<bool> given = NoneGiven();
  given[*run::FindParameter(name)] = true;
  return given;
}

TEST(SweepGrid, TheLastSweepVariesFastest) {
  const std::vector<std::string> sweeps = {"paramJ=0.1,0.2", "medianR=0:1:0.5"};
  const BuiltGrid built = BuildSweepGrid(sweeps, run::DefaultRunArguments(), NoneGiven());
  ASSERT_TRUE(built.grid) << built.error;
  ASSERT_EQ(built.grid->PointCount(), 6u);
  const double expected[6][2] = {{0.1, 0}, {0.1, 0.5}, {0.1, 1}, {0.2, 0}, {0.2, 0.5}, {0.2, 1}};
  for (std::uint64_t g = 0; g < 6; ++g) {
    const model::RunArguments a = built.grid->PointArguments(g);
    EXPECT_EQ(a.paramJ, expected[g][0]) << g;
    EXPECT_EQ(a.medianR, expected[g][1]) << g;
  }
}

TEST(SweepGrid, UnsweptArgumentsKeepTheirBaseValues) {
  model::RunArguments base = run::DefaultRunArguments();
  base.distT = 1;
  base.sigmaT = 0.05;
  const std::vector<std::string> sweeps = {"agentCount=10,20"};
  const BuiltGrid built = BuildSweepGrid(sweeps, base, Given("distT"));
  ASSERT_TRUE(built.grid) << built.error;
  const model::RunArguments a = built.grid->PointArguments(1);
  EXPECT_EQ(a.agentCount, 20);
  EXPECT_EQ(a.distT, 1);
  EXPECT_EQ(a.sigmaT, 0.05);
  EXPECT_EQ(a.paramJ, base.paramJ);
}

TEST(SweepGrid, NoSweepsMakeOnePointOfTheBaseArguments) {
  model::RunArguments base = run::DefaultRunArguments();
  base.valueE = 0.25;
  const BuiltGrid built = BuildSweepGrid({}, base, NoneGiven());
  ASSERT_TRUE(built.grid);
  EXPECT_EQ(built.grid->PointCount(), 1u);
  EXPECT_EQ(built.grid->PointArguments(0).valueE, 0.25);
}

TEST(SweepGrid, IntegerArgumentsTakeWholeValues) {
  const std::vector<std::string> sweeps = {"slopeM=-3,7", "distE=2"};
  const BuiltGrid built = BuildSweepGrid(sweeps, run::DefaultRunArguments(), NoneGiven());
  ASSERT_TRUE(built.grid);
  EXPECT_EQ(built.grid->PointArguments(0).slopeM, -3);
  EXPECT_EQ(built.grid->PointArguments(1).slopeM, 7);
  EXPECT_EQ(built.grid->PointArguments(1).distE, 2);
}

struct BadGrid {
  const char* name;
  std::vector<std::string> sweeps;
  const char* givenOption;  // or null
  const char* badBase;      // argument set outside the model's limits in the base, or null
  double badValue;
  const char* message;
};

const BadGrid kBadGrids[] = {
    {"Duplicated",
     {"paramJ=0,1", "paramJ=0.5"},
     nullptr,
     nullptr,
     0,
     "--sweep paramJ is given twice"},
    {"AlsoPlainOption",
     {"paramJ=0,1"},
     "paramJ",
     nullptr,
     0,
     "--sweep paramJ and the plain option --paramJ are both given"},
    {"FirstBadSweepWins",
     {"paramJ=0,1", "paramZ=1", "paramJ=2"},
     nullptr,
     nullptr,
     0,
     "--sweep paramZ: not a run argument"},
    {"FixedJRejected", {"medianR=0,1"}, nullptr, "paramJ", 1.5, "Inappropriate parameter J"},
    {"FixedXRejected", {"medianR=0,1"}, nullptr, "paramX", -2, "Inappropriate parameter X"},
    {"FixedNRejected", {"medianR=0,1"}, nullptr, "agentCount", 0, "Inappropriate parameter N"},
};

class RefusedGrid : public ::testing::TestWithParam<BadGrid> {};

TEST_P(RefusedGrid, GivesTheFirstRefusal) {
  const BadGrid& c = GetParam();
  model::RunArguments base = run::DefaultRunArguments();
  if (c.badBase)
    run::SetParameterValue(run::ParameterTable()[*run::FindParameter(c.badBase)], c.badValue, base);
  const BuiltGrid built =
      BuildSweepGrid(c.sweeps, base, c.givenOption ? Given(c.givenOption) : NoneGiven());
  EXPECT_FALSE(built.grid);
  EXPECT_EQ(built.error.rfind(c.message, 0), 0u) << built.error;
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedGrid, ::testing::ValuesIn(kBadGrids),
                         test_support::CaseName());

TEST(SweepGrid, RefusesMorePointsThan64BitsCount) {
  // Five values of each of the 29 arguments: 5^29 points, above 2^64.
  std::vector<std::string> sweeps;
  for (const run::ParameterRow& entry : run::ParameterTable()) {
    const std::string value = run::FormatRoundTrip(entry.defaultValue);
    std::string sweep(entry.name);
    sweep.append("=").append(value);
    for (int i = 1; i < 5; ++i) sweep.append(",").append(value);
    sweeps.push_back(sweep);
  }
  const BuiltGrid built = BuildSweepGrid(sweeps, run::DefaultRunArguments(), NoneGiven());
  EXPECT_FALSE(built.grid);
  EXPECT_EQ(built.error, "the sweeps make more grid points than 64 bits can count");
}

TEST(SweepGrid, ASweptArgumentIsNotCheckedAtItsBaseValue) {
  model::RunArguments base = run::DefaultRunArguments();
  base.paramJ = 5;  // replaced by every grid point
  const std::vector<std::string> sweeps = {"paramJ=0,1"};
  EXPECT_TRUE(BuildSweepGrid(sweeps, base, NoneGiven()).grid);
}

}  // namespace
}  // namespace batch
