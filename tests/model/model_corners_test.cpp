// Runs the model at the corners of what the window can pass: every parameter
// that shapes a run at its trackbar's ends or midpoint, for every combination
// of distribution kinds and the sanctions flag.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <sstream>
#include <string>

#include "model/population_model.h"
#include "tests/support/sample_arguments.h"

namespace model {
namespace {

constexpr double kScale = 0.01;
constexpr int kKindCount = 3;
constexpr int kAttributeCount = 5;
constexpr int kSamplesPerKindCombination = 24;

// Ends and midpoint of a trackbar range, as values the window passes.
std::array<double, 3> Corners(int minimum, int maximum) {
  return {minimum * kScale, (minimum + maximum) / 2 * kScale, maximum * kScale};
}

struct CornerPicker {
  std::mt19937 random;
  double Pick(int minimum, int maximum) {
    return Corners(minimum, maximum)[std::uniform_int_distribution<int>(0, 2)(random)];
  }
  int PickCount(int agentCount) { return static_cast<int>(Pick(0, 100) * agentCount); }
};

RunArguments CornerArguments(CornerPicker& pick, const std::array<int, kAttributeCount>& kinds,
                             int sanctionsOn) {
  RunArguments a = run::DefaultRunArguments();
  a.paramJ = pick.Pick(0, 100);
  a.paramX = pick.Pick(-100, 100);
  a.distR = kinds[0];
  a.medianR = pick.Pick(0, 100);
  a.sigmaR = pick.Pick(0, 35);
  a.distI = kinds[1];
  a.valueI = pick.Pick(0, 100);
  a.sigmaI = pick.Pick(0, 20);
  a.distT = kinds[2];
  a.valueT = pick.Pick(0, 100);
  a.sigmaT = pick.Pick(0, 20);
  a.distE = kinds[3];
  a.valueE = pick.Pick(0, 100);
  a.sigmaE = pick.Pick(0, 20);
  a.sanctionsOn = sanctionsOn;
  a.distRPrime = kinds[4];
  a.medianRPrime = pick.Pick(0, 100);
  a.sigmaRPrime = pick.Pick(0, 35);
  a.paramJPrime = pick.Pick(0, 100);
  a.paramM = pick.Pick(100, 200);
  a.corrRRPrime = pick.Pick(-100, 100);
  a.corrRI = pick.Pick(-100, 100);
  a.corrRPrimeI = pick.Pick(-100, 100);
  a.corrET = pick.Pick(-100, 100);
  a.requestedCountR = pick.PickCount(a.agentCount);
  a.requestedCountRPrime = pick.PickCount(a.agentCount);
  return a;
}

std::string Describe(const RunArguments& a) {
  std::ostringstream text;
  text.precision(17);
  text << "J " << a.paramJ << " X " << a.paramX << " kinds " << a.distR << a.distI << a.distT
       << a.distE << a.distRPrime << " R " << a.medianR << "/" << a.sigmaR << " I " << a.valueI
       << "/" << a.sigmaI << " T " << a.valueT << "/" << a.sigmaT << " E " << a.valueE << "/"
       << a.sigmaE << " R' " << a.medianRPrime << "/" << a.sigmaRPrime << " J' " << a.paramJPrime
       << " m " << a.paramM << " corr " << a.corrRRPrime << " " << a.corrRI << " " << a.corrRPrimeI
       << " " << a.corrET << " counts " << a.requestedCountR << " " << a.requestedCountRPrime
       << " sanctions " << a.sanctionsOn;
  return text.str();
}

// Shares are finite and sum to 1 over all agents when anyone carries them
// (non-carriers hold 0), or are all 0 when nobody does.
void ExpectShares(const double* shares, int agentCount, const std::string& context) {
  double sum = 0.0;
  bool anyNonZero = false;
  for (int i = 0; i < agentCount; ++i) {
    ASSERT_TRUE(std::isfinite(shares[i])) << context;
    sum += shares[i];
    anyNonZero = anyNonZero || shares[i] != 0.0;
  }
  if (anyNonZero) {
    EXPECT_NEAR(sum, 1.0, 1e-12) << context;
  }
}

TEST(ModelCorners, EveryKindCombinationAtTheTrackbarCorners) {
  CornerPicker pick{std::mt19937(20261210)};
  CPopulationModel model;
  int runs = 0;
  for (int combination = 0; combination < 243; ++combination) {
    std::array<int, kAttributeCount> kinds{};
    for (int a = 0, rest = combination; a < kAttributeCount; ++a, rest /= kKindCount) {
      kinds[a] = rest % kKindCount;
    }
    for (int sanctionsOn = 0; sanctionsOn <= 1; ++sanctionsOn) {
      for (int sample = 0; sample < kSamplesPerKindCombination; ++sample) {
        const RunArguments a = CornerArguments(pick, kinds, sanctionsOn);
        model.fixedSeed = runs;
        model.Run(a);
        ++runs;
        const std::string context = Describe(a);
        ASSERT_EQ(model.agentCount, a.agentCount) << context;
        ExpectShares(model.attrR.get(), model.agentCount, context);
        ExpectShares(model.attrRPrime.get(), model.agentCount, context);
        for (int k = 0; k < kStepCount; ++k) {
          ASSERT_TRUE(std::isfinite(model.firstOrderRate[k])) << context;
          ASSERT_TRUE(std::isfinite(model.secondOrderRate[k])) << context;
          for (const float* mean :
               {model.meanPropensityVolunteers.get(), model.meanPropensityNonVolunteers.get(),
                model.meanPropensity.get()}) {
            ASSERT_GE(mean[k], 0.0f) << context;
            ASSERT_LE(mean[k], 1.0f) << context;
          }
        }
      }
    }
  }
  EXPECT_EQ(runs, 243 * 2 * kSamplesPerKindCombination);
}

// The same run grows linearly in the agent count; the extremes must work.
TEST(ModelCorners, AgentCountsFromOneToAHundredThousand) {
  CPopulationModel model;
  model.fixedSeed = 5;
  for (int agents : {1, 2, 3, 10, 1000, 100000}) {
    RunArguments a = test_support::AllNormalArguments();
    a.agentCount = agents;
    a.requestedCountR = a.requestedCountRPrime = agents;
    model.Run(a);
    ASSERT_EQ(model.agentCount, agents);
    ExpectShares(model.attrR.get(), agents, "agents " + std::to_string(agents));
    for (int k = 0; k < kStepCount; ++k) ASSERT_TRUE(std::isfinite(model.meanPropensity[k]));
  }
}

}  // namespace
}  // namespace model
