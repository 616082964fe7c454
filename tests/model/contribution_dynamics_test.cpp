#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "model/decision_sequence.h"
#include "model/population_model.h"
#include "tests/support/reference_dynamics.h"
#include "tests/support/sample_arguments.h"

namespace model {
namespace {

using run::DefaultRunArguments;

TEST(DecisionSequence, StartsFromItsSeed) {
  DecisionSequence d;
  const int expectedStates[] = {1803, 823, 19, 95, 475, 2375, 3683, 2031};
  for (int state : expectedStates) {
    d.Next();
    EXPECT_EQ(d.state(), state);
  }
  DecisionSequence fresh;
  EXPECT_EQ(fresh.Next(), 0.440185546875);
  EXPECT_EQ(fresh.Next(), 0.200927734375);
  EXPECT_EQ(fresh.Next(), 0.004638671875);
}

TEST(DecisionSequence, RepeatsAfter1024DrawsAndNeverReachesZeroOrOne) {
  DecisionSequence d;
  for (int i = 0; i < 1024; ++i) {
    const double u = d.Next();
    ASSERT_GT(u, 0.0);
    ASSERT_LT(u, 1.0);
    ASSERT_EQ(d.state() % 2, 1);
    if (i < 1023) {
      ASSERT_NE(d.state(), kDecisionSeed);
    }
  }
  EXPECT_EQ(d.state(), kDecisionSeed);
}

struct UpdateCase {
  double p;
  double s;
  bool took;
  double expected;
};

class UpdateRule : public ::testing::TestWithParam<UpdateCase> {};

TEST_P(UpdateRule, MovesThePropensity) {
  const UpdateCase& c = GetParam();
  EXPECT_EQ(reference::UpdatePropensity(c.p, c.s, c.took), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, UpdateRule,
                         ::testing::Values(UpdateCase{0.5, 0.5, true, 0.875},
                                           UpdateCase{0.5, 0.5, false, 0.125},
                                           UpdateCase{0.5, -0.5, true, 0.125},
                                           UpdateCase{0.5, -0.5, false, 0.875},
                                           UpdateCase{0.3, 0.0, true, 0.3},      // zero signal
                                           UpdateCase{0.0, -0.25, false, 0.25},  // q is 0
                                           UpdateCase{1.0, 0.4, true, 1.0}));    // q is 1

TEST(UpdateRule, NegativeBaseWithAFractionalPowerIsNotANumber) {
  EXPECT_TRUE(std::isnan(reference::UpdatePropensity(-0.1, 0.3, false)));
}

class Dynamics : public ::testing::Test {
 protected:
  Dynamics() { model.fixedSeed = 99; }

  void ExpectMatchesReference() {
    const reference::Series expected = reference::ReplayDynamics(model, nullptr);
    for (int s = 0; s < kSeriesCount; ++s) {
      for (int k = 0; k < kStepCount; ++k) {
        const float got = model.Series()[s][k];
        const float want = expected[s][k];
        ASSERT_TRUE(got == want || (std::isnan(got) && std::isnan(want)))
            << "series " << s << " point " << k << ": " << got << " vs " << want;
      }
    }
  }

  CPopulationModel model;
};

TEST_F(Dynamics, WorkedFirstStep) {
  struct Case {
    int sanctionsOn;
    double propensityAfterStepZero;
  };
  for (const Case c : {Case{0, 0.4484610}, Case{1, 0.2349082}}) {
    RunArguments a = DefaultRunArguments();
    a.valueE = 1.0;
    a.sanctionsOn = c.sanctionsOn;
    model.Run(a);
    // Every agent is alike, so the mean of step 1 is each agent's propensity
    // after step 0: seven places, plus the rounding to single precision.
    constexpr double kSevenPlacesInFloat = 5e-8 + 3e-8;
    EXPECT_NEAR(model.meanPropensity[1], c.propensityAfterStepZero, kSevenPlacesInFloat);
    EXPECT_EQ(model.meanPropensityNonVolunteers[1], model.meanPropensity[1]);
  }
}

TEST_F(Dynamics, PointZeroIsZeroInEverySeries) {
  for (int sanctions = 0; sanctions <= 1; ++sanctions) {
    RunArguments a = test_support::AllNormalArguments();
    a.sanctionsOn = sanctions;
    model.Run(a);
    for (const float* series : model.Series()) EXPECT_EQ(series[0], 0.0f);
  }
}

TEST_F(Dynamics, SanctionsOffLeavesTheSanctionStateUntouched) {
  model.Run(test_support::AllNormalArguments());
  RunArguments a = test_support::AllNormalArguments();
  a.sanctionsOn = 0;
  model.Run(a);
  for (int k = 0; k < kStepCount; ++k) ASSERT_EQ(model.secondOrderRate[k], 0.0f);
  for (int i = 0; i < model.agentCount; ++i) {
    ASSERT_EQ(model.sanctionPropensity[i], 0.0);
    ASSERT_EQ(model.sanctioned[i], 0);
    ASSERT_EQ(model.sanctionCost[i], 0.0);
  }
}

TEST_F(Dynamics, NegativeSanctionPropensityTurnsIntoNotANumberWithoutStoppingTheRun) {
  RunArguments a = DefaultRunArguments();
  a.paramX = 1.0;  // a positive signal pushes non-sanctioners below 0
  a.sanctionsOn = 1;
  model.Run(a);
  for (int i = 0; i < model.agentCount; ++i) ASSERT_TRUE(std::isnan(model.sanctionPropensity[i]));
  for (int k = 0; k < kStepCount; ++k) {
    ASSERT_EQ(model.secondOrderRate[k], 0.0f);
    ASSERT_TRUE(std::isfinite(model.firstOrderRate[k]));
  }
}

// R & R' can leave R' shares, and so a step's S2, below 0; a fractional m then
// has no real power of it, and the step must raise no sanction term rather than
// turn every propensity into not-a-number.
TEST_F(Dynamics, ANegativeSecondOrderSumRaisesNoSanctionTerm) {
  RunArguments a = DefaultRunArguments();
  a.paramX = -1.0;
  a.distR = a.distRPrime = 1;
  a.medianRPrime = 0.2;
  a.sigmaRPrime = 0.25;
  a.sanctionsOn = 1;
  a.paramJPrime = 0.0;
  a.paramM = 1.44;
  a.corrRRPrime = 1.0;
  a.requestedCountR = 7;
  model.fixedSeed = -831308473;
  model.Run(a);
  bool negativeSum = false;
  for (int k = 0; k < kStepCount; ++k) {
    negativeSum = negativeSum || model.secondOrderRate[k] < 0.0f;
    for (const float* series : model.Series()) ASSERT_TRUE(std::isfinite(series[k])) << k;
  }
  EXPECT_TRUE(negativeSum) << "the run no longer reaches a negative S2";
  for (int i = 0; i < model.agentCount; ++i) ASSERT_FALSE(std::isnan(model.propensity[i]));
}

TEST_F(Dynamics, MeansStayInTheUnitIntervalRatesAreUnclamped) {
  RunArguments a = test_support::AllNormalArguments();
  for (int seed = 1; seed <= 10; ++seed) {
    model.fixedSeed = seed;
    model.Run(a);
    for (int k = 0; k < kStepCount; ++k) {
      for (int s : {kMeanPropensityVolunteers, kMeanPropensityNonVolunteers, kMeanPropensity}) {
        ASSERT_GE(model.Series()[s][k], 0.0f);
        ASSERT_LE(model.Series()[s][k], 1.0f);
      }
    }
  }
}

// Random configurations across kinds, sanctions, correlations and counts must
// give the same series, bit for bit, as a straightforward replay.
TEST_F(Dynamics, MatchesAStraightforwardReplay) {
  std::mt19937 rng(12345);
  for (int trial = 0; trial < 300; ++trial) {
    const RunArguments a = test_support::RandomPanelArguments(rng, trial % 2);
    model.fixedSeed = trial;
    model.Run(a);
    SCOPED_TRACE("trial " + std::to_string(trial));
    ExpectMatchesReference();
  }
}

// The flags and costs left behind are step 100's decisions: their shares add
// up to the step's recorded rates.
TEST_F(Dynamics, LeavesTheLastStepsDecisions) {
  for (const int agents : {100, 101}) {
    RunArguments a = test_support::AllNormalArguments();
    a.agentCount = a.requestedCountR = a.requestedCountRPrime = agents;
    model.Run(a);
    double s1 = 0.0;
    double s2 = 0.0;
    for (int i = 0; i < agents; ++i) {
      ASSERT_EQ(model.volunteerCost[i],
                model.volunteered[i] ? model.attrR[i] * model.costScale : 0.0);
      ASSERT_EQ(model.sanctionCost[i],
                model.sanctioned[i] ? model.attrRPrime[i] * model.sanctionCostScale : 0.0);
      s1 += model.volunteered[i] ? model.attrR[i] : 0.0;
      s2 += model.sanctioned[i] ? model.attrRPrime[i] : 0.0;
    }
    EXPECT_EQ(model.firstOrderRate[kStepCount - 1], static_cast<float>(s1)) << agents;
    EXPECT_EQ(model.secondOrderRate[kStepCount - 1], static_cast<float>(s2)) << agents;
    EXPECT_GT(s1, 0.0);
  }
}

// Odd counts, counts past the period of the decision sequence and a shared
// threshold, all on one model so that each run follows a run of another size.
TEST_F(Dynamics, MatchesAStraightforwardReplayAtAnySize) {
  struct SizeCase {
    int agentCount;
    int sanctionsOn;
    int distT;
  };
  const SizeCase cases[] = {{1, 0, 1},    {1, 1, 0},   {3, 1, 1},    {7, 0, 0},
                            {99, 1, 1},   {101, 0, 1}, {512, 1, 1},  {1025, 0, 1},
                            {1025, 1, 0}, {100, 1, 1}, {2049, 1, 1}, {100, 0, 0}};
  for (const SizeCase& c : cases) {
    RunArguments a = test_support::AllNormalArguments();
    a.agentCount = c.agentCount;
    a.requestedCountR = a.requestedCountRPrime = c.agentCount;
    a.sanctionsOn = c.sanctionsOn;
    a.distT = c.distT;
    model.Run(a);
    SCOPED_TRACE("agents " + std::to_string(c.agentCount) + ", sanctions " +
                 std::to_string(c.sanctionsOn) + ", T kind " + std::to_string(c.distT));
    ExpectMatchesReference();
  }
}

// Every attribute Constant and every agent a carrier: each agent's response,
// E and shares are the same, the case of the window's defaults. Odd counts
// leave a padding agent beside the last; a share of carriers below 100 %
// makes R, or R', differ between agents again.
TEST_F(Dynamics, MatchesAStraightforwardReplayWithAlikeAgents) {
  struct AlikeCase {
    int agentCount;
    int sanctionsOn;
    double carriersR;       // share of the agents that carry R
    double carriersRPrime;  // and R'
  };
  const AlikeCase cases[] = {{100, 0, 1.0, 1.0},  {100, 1, 1.0, 1.0},  {1, 1, 1.0, 1.0},
                             {7, 0, 1.0, 1.0},    {101, 1, 1.0, 1.0},  {100, 1, 0.6, 1.0},
                             {101, 1, 1.0, 0.35}, {1025, 1, 1.0, 1.0}, {100, 0, 0.6, 1.0}};
  std::mt19937 rng(2024);
  const auto position = [&rng](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng) * 0.01;
  };
  for (const AlikeCase& c : cases) {
    for (int trial = 0; trial < 8; ++trial) {
      RunArguments a = DefaultRunArguments();
      a.agentCount = c.agentCount;
      a.requestedCountR = static_cast<int>(c.carriersR * c.agentCount);
      a.requestedCountRPrime = static_cast<int>(c.carriersRPrime * c.agentCount);
      a.sanctionsOn = c.sanctionsOn;
      a.paramJ = position(0, 100);
      a.paramX = position(-100, 100);
      a.medianR = position(1, 100);
      a.valueI = position(0, 100);
      a.valueT = position(0, 100);
      a.valueE = position(0, 100);
      a.medianRPrime = position(1, 100);
      a.paramJPrime = position(0, 100);
      a.paramM = position(100, 200);
      model.fixedSeed = trial;
      model.Run(a);
      SCOPED_TRACE("agents " + std::to_string(c.agentCount) + ", sanctions " +
                   std::to_string(c.sanctionsOn) + ", carriers " + std::to_string(c.carriersR) +
                   " and " + std::to_string(c.carriersRPrime) + ", trial " + std::to_string(trial));
      ExpectMatchesReference();
    }
  }
}

}  // namespace
}  // namespace model
