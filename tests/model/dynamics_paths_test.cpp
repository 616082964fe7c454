#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/dynamics_path.h"
#include "model/population_model.h"
#include "tests/support/sample_arguments.h"

namespace model {
namespace {

// Everything a run leaves behind that the dynamics wrote: the series and every
// agent's propensities, flags and costs, as bit patterns, so that two runs
// agree only when every bit of every value does, not-a-number included.
struct RunTrace {
  std::vector<std::uint32_t> series;
  std::vector<std::uint64_t> agents;
  std::vector<std::int32_t> flags;
};

RunTrace TraceOf(const CPopulationModel& m) {
  RunTrace t;
  for (const float* series : m.Series()) {
    for (int k = 0; k < kStepCount; ++k)
      t.series.push_back(std::bit_cast<std::uint32_t>(series[k]));
  }
  for (int i = 0; i < m.agentCount; ++i) {
    for (const double v :
         {m.propensity[i], m.sanctionPropensity[i], m.volunteerCost[i], m.sanctionCost[i]}) {
      t.agents.push_back(std::bit_cast<std::uint64_t>(v));
    }
    t.flags.push_back(m.volunteered[i]);
    t.flags.push_back(m.sanctioned[i]);
  }
  return t;
}

// Runs the same arguments and seed on every path this processor has and
// expects every path's trace to equal the pair path's.
class DynamicsPaths : public testing::Test {
 protected:
  void SetUp() override {
    if (!PathAvailable(DynamicsPath::kQuads)) GTEST_SKIP() << "only one path on this processor";
  }
  void TearDown() override { SelectDynamicsPath(chosenBefore_); }

  void ExpectPathsAgree(const RunArguments& a, std::int32_t seed) {
    std::vector<RunTrace> traces;
    for (const DynamicsPath path : kDynamicsPaths) {
      ASSERT_TRUE(SelectDynamicsPath(path));
      // One model per path, each kept from case to case, so that every path
      // also starts from the scratch a run of another size left.
      CPopulationModel& m = models_[static_cast<int>(path)];
      m.fixedSeed = seed;
      m.Run(a);
      traces.push_back(TraceOf(m));
    }
    for (std::size_t p = 1; p < traces.size(); ++p) {
      SCOPED_TRACE(std::string(PathName(kDynamicsPaths[p])) + " against " +
                   std::string(PathName(kDynamicsPaths[0])));
      ASSERT_EQ(traces[p].series, traces[0].series);
      ASSERT_EQ(traces[p].agents, traces[0].agents);
      ASSERT_EQ(traces[p].flags, traces[0].flags);
    }
  }

  DynamicsPath chosenBefore_ = ActiveDynamicsPath();
  CPopulationModel models_[std::size(kDynamicsPaths)];
};

TEST_F(DynamicsPaths, AgreeAcrossRandomPanels) {
  std::mt19937 rng(777);
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    ExpectPathsAgree(test_support::RandomPanelArguments(rng, trial % 2), trial);
  }
}

// Counts around whole groups of two and of four agents, where the paths pad
// differently and split shared from individual signals at different agents,
// with Constant attributes (shared signals) and Normal ones.
TEST_F(DynamicsPaths, AgreeAtEveryPadding) {
  struct Case {
    int agentCount;
    int sanctionsOn;
    bool normal;
  };
  std::vector<Case> cases;
  for (const int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 98, 99, 100, 101, 102, 103, 1023, 1025}) {
    for (const int sanctions : {0, 1}) {
      for (const bool normal : {false, true}) cases.push_back({n, sanctions, normal});
    }
  }
  for (const Case& c : cases) {
    RunArguments a = c.normal ? test_support::AllNormalArguments() : run::DefaultRunArguments();
    a.agentCount = a.requestedCountR = a.requestedCountRPrime = c.agentCount;
    a.sanctionsOn = c.sanctionsOn;
    SCOPED_TRACE("agents " + std::to_string(c.agentCount) + ", sanctions " +
                 std::to_string(c.sanctionsOn) + (c.normal ? ", Normal" : ", Constant"));
    ExpectPathsAgree(a, c.agentCount);
  }
}

TEST(DynamicsPathNames, ReadBackAndRefuseOthers) {
  for (const DynamicsPath path : kDynamicsPaths) EXPECT_EQ(PathNamed(PathName(path)), path);
  for (const char* name : {"", "avx2", "SSE2", "x86-64-v3 ", "x86-64-v4"}) {
    EXPECT_FALSE(PathNamed(name).has_value()) << name;
  }
}

TEST(DynamicsPathNames, ThePairPathIsAlwaysThere) {
  EXPECT_TRUE(PathAvailable(DynamicsPath::kPairs));
}

}  // namespace
}  // namespace model
