#include "model/step_observer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include "model/population_model.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace model {
namespace {

// Recomputes each step's five points from the agents the observer is shown,
// as the dynamics defines them: sums over the agents in order, then the
// conversion to single precision and the clamp of the means.
class PointsFromAgents : public StepObserver {
 public:
  explicit PointsFromAgents(const CPopulationModel& model) : model_(model) {
    for (auto& s : series) s.assign(kStepCount, 0.0f);
  }

  void Observe(const StepState& state) override {
    steps.push_back(state.step);
    const auto k = static_cast<std::size_t>(state.step);
    double s1 = 0.0, s2 = 0.0, volunteers = 0.0, others = 0.0, all = 0.0;
    int volunteerCount = 0;
    for (int i = 0; i < state.agentCount; ++i) {
      const double p = state.propensity[i];
      if (Acted(state.volunteerMask[i])) {
        s1 += model_.attrR[i];
        volunteers += p;
        ++volunteerCount;
      } else {
        others += p;
      }
      all += p;
      if (state.sanctionsOn && Acted(state.sanctionMask[i])) s2 += model_.attrRPrime[i];
    }
    const int otherCount = state.agentCount - volunteerCount;
    if (otherCount != 0) series[kMeanPropensityNonVolunteers][k] = Clamped(others / otherCount);
    if (volunteerCount != 0)
      series[kMeanPropensityVolunteers][k] = Clamped(volunteers / volunteerCount);
    series[kMeanPropensity][k] = Clamped(all / state.agentCount);
    series[kFirstOrderRate][k] = static_cast<float>(s1);
    series[kSecondOrderRate][k] = static_cast<float>(s2);
  }

  std::vector<int> steps;
  std::vector<float> series[kSeriesCount];

 private:
  static float Clamped(double v) {
    const auto f = static_cast<float>(v);
    return f > 1.0f ? 1.0f : (f < 0.0f ? 0.0f : f);
  }

  const CPopulationModel& model_;
};

struct ObservedCase {
  const char* name;
  RunArguments (*arguments)();
};

RunArguments RandomWithSanctions() {
  std::mt19937 rng(7);
  return test_support::RandomPanelArguments(rng, 1);
}

RunArguments SeventeenAgents() {
  RunArguments a = test_support::AllNormalUncorrelatedArguments();
  a.agentCount = 17;
  a.requestedCountR = 9;
  return a;
}

const ObservedCase kObservedCases[] = {
    {"Defaults", run::DefaultRunArguments},
    {"AllNormalWithSanctions", test_support::AllNormalUncorrelatedArguments},
    {"Correlated", test_support::AllNormalArguments},
    {"RandomPanel", RandomWithSanctions},
    {"SeventeenAgents", SeventeenAgents},
};

class ObservedRun : public ::testing::TestWithParam<ObservedCase> {};

std::uint32_t Bits(float v) {
  return std::bit_cast<std::uint32_t>(v);
}

TEST_P(ObservedRun, LeavesTheSeriesUnchangedBitForBit) {
  const RunArguments arguments = GetParam().arguments();
  CPopulationModel plain;
  plain.fixedSeed = 11;
  plain.Run(arguments);
  CPopulationModel watched;
  watched.fixedSeed = 11;
  PointsFromAgents observer(watched);
  watched.stepObserver = &observer;
  watched.Run(arguments);
  for (int s = 0; s < kSeriesCount; ++s) {
    for (int k = 0; k < kStepCount; ++k) {
      ASSERT_EQ(Bits(plain.Series()[s][k]), Bits(watched.Series()[s][k])) << s << " " << k;
    }
  }
}

TEST_P(ObservedRun, ShowsEveryStepWhoseAgentsGiveTheSeriesBitForBit) {
  CPopulationModel model;
  model.fixedSeed = 11;
  PointsFromAgents observer(model);
  model.stepObserver = &observer;
  model.Run(GetParam().arguments());
  ASSERT_EQ(observer.steps.size(), static_cast<std::size_t>(kStepCount));
  for (int k = 0; k < kStepCount; ++k) EXPECT_EQ(observer.steps[static_cast<std::size_t>(k)], k);
  for (int s = 0; s < kSeriesCount; ++s) {
    for (int k = 0; k < kStepCount; ++k) {
      ASSERT_EQ(Bits(observer.series[s][static_cast<std::size_t>(k)]), Bits(model.Series()[s][k]))
          << kSeriesNames[s] << " at step " << k;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ObservedRun, ::testing::ValuesIn(kObservedCases),
                         test_support::CaseName());

TEST(StepObserver, IsNotCalledForARejectedRun) {
  CPopulationModel model;
  model.notice = [](std::string_view) {};
  PointsFromAgents observer(model);
  model.stepObserver = &observer;
  RunArguments arguments = run::DefaultRunArguments();
  arguments.paramJ = 2.0;
  model.Run(arguments);
  EXPECT_TRUE(observer.steps.empty());
}

}  // namespace
}  // namespace model
