#include "batch/population_record.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>

#include "batch/seeded_run.h"
#include "model/dynamics_path.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace batch {
namespace {

using model::RunArguments;

constexpr std::int32_t kSeed = 2024;

std::uint32_t Bits(float v) {
  return std::bit_cast<std::uint32_t>(v);
}

float Clamped(double v) {
  const auto f = static_cast<float>(v);
  return f > 1.0f ? 1.0f : (f < 0.0f ? 0.0f : f);
}

// The five points of step k, from the recorded agents alone.
std::array<float, model::kSeriesCount> PointsOf(const PopulationRecord& r, int k) {
  std::array<float, model::kSeriesCount> points{};  // a mean over nobody is left at 0
  double s1 = 0.0, s2 = 0.0, volunteers = 0.0, others = 0.0, all = 0.0;
  int volunteerCount = 0;
  for (int i = 0; i < r.agentCount; ++i) {
    const std::size_t at = r.Index(k, i);
    const double p = r.propensity[at];
    if (r.volunteered[at] != 0) {
      s1 += r.attributes[kAttributeR][static_cast<std::size_t>(i)];
      volunteers += p;
      ++volunteerCount;
    } else {
      others += p;
    }
    all += p;
    if (r.sanctionsOn && r.sanctioned[at] != 0) {
      s2 += r.attributes[kAttributeRPrime][static_cast<std::size_t>(i)];
    }
  }
  const int otherCount = r.agentCount - volunteerCount;
  if (otherCount != 0) {
    points[model::kMeanPropensityNonVolunteers] = Clamped(others / otherCount);
  }
  if (volunteerCount != 0) {
    points[model::kMeanPropensityVolunteers] = Clamped(volunteers / volunteerCount);
  }
  points[model::kMeanPropensity] = Clamped(all / r.agentCount);
  points[model::kFirstOrderRate] = static_cast<float>(s1);
  points[model::kSecondOrderRate] = static_cast<float>(s2);
  return points;
}

struct RecordCase {
  const char* name;
  RunArguments (*arguments)();
};

RunArguments RandomPanel() {
  std::mt19937 rng(3);
  return test_support::RandomPanelArguments(rng, 1);
}

RunArguments SanctionsOff() {
  RunArguments a = test_support::AllNormalArguments();
  a.sanctionsOn = 0;
  return a;
}

const RecordCase kRecordCases[] = {
    {"Defaults", run::DefaultRunArguments},
    {"AllNormal", test_support::AllNormalArguments},
    {"SanctionsOff", SanctionsOff},
    {"RandomPanel", RandomPanel},
};

// Every case once on every path of the dynamics this processor has.
class RecordOnPath : public ::testing::TestWithParam<std::tuple<RecordCase, model::DynamicsPath>> {
 protected:
  void SetUp() override {
    const model::DynamicsPath path = std::get<1>(GetParam());
    if (!model::PathAvailable(path)) GTEST_SKIP() << "this processor lacks the path";
    model::SelectDynamicsPath(path);
  }
  void TearDown() override { model::SelectDynamicsPath(defaultPath_); }

  RunArguments Arguments() const { return std::get<0>(GetParam()).arguments(); }

 private:
  model::DynamicsPath defaultPath_ = model::ActiveDynamicsPath();
};

std::string CaseAndPathName(
    const ::testing::TestParamInfo<std::tuple<RecordCase, model::DynamicsPath>>& info) {
  const bool pairs = std::get<1>(info.param) == model::DynamicsPath::kPairs;
  return std::string(std::get<0>(info.param).name) + (pairs ? "_pairs" : "_quads");
}

TEST_P(RecordOnPath, TheRecordedAgentsGiveTheRunsSeriesBitForBit) {
  PopulationRecorder recorder;
  const PopulationRecord& record = recorder.Record(Arguments(), kSeed);
  for (int k = 0; k < model::kStepCount; ++k) {
    const auto points = PointsOf(record, k);
    for (int s = 0; s < model::kSeriesCount; ++s) {
      ASSERT_EQ(Bits(points[static_cast<std::size_t>(s)]),
                Bits(record.series[static_cast<std::size_t>(s)][static_cast<std::size_t>(k)]))
          << model::kSeriesNames[s] << " at step " << k;
    }
  }
}

TEST_P(RecordOnPath, KeepsTheSeriesOfAnOrdinaryRunOfTheSameSeed) {
  PopulationRecorder recorder;
  const PopulationRecord& record = recorder.Record(Arguments(), kSeed);
  SeededRunner runner;
  const model::SeriesPointers plain = runner.Run(Arguments(), kSeed);
  for (int s = 0; s < model::kSeriesCount; ++s) {
    for (int k = 0; k < model::kStepCount; ++k) {
      ASSERT_EQ(Bits(plain[s][k]),
                Bits(record.series[static_cast<std::size_t>(s)][static_cast<std::size_t>(k)]));
    }
  }
}

TEST_P(RecordOnPath, EveryAgentStartsAtZeroAndNobodyActsInTheFirstStep) {
  PopulationRecorder recorder;
  const PopulationRecord& record = recorder.Record(Arguments(), kSeed);
  for (int i = 0; i < record.agentCount; ++i) {
    EXPECT_EQ(record.propensity[record.Index(0, i)], 0.0);
    EXPECT_EQ(record.volunteered[record.Index(0, i)], 0);
    if (record.sanctionsOn) {
      EXPECT_EQ(record.sanctionPropensity[record.Index(0, i)], 0.0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordOnPath,
                         ::testing::Combine(::testing::ValuesIn(kRecordCases),
                                            ::testing::ValuesIn(model::kDynamicsPaths)),
                         CaseAndPathName);

TEST(PopulationRecorder, SizesItsArraysForEachRun) {
  PopulationRecorder recorder;
  RunArguments small = test_support::AllNormalArguments();
  small.agentCount = 17;
  const PopulationRecord& first = recorder.Record(small, kSeed);
  EXPECT_EQ(first.agentCount, 17);
  EXPECT_EQ(first.propensity.size(), 17u * model::kStepCount);
  EXPECT_EQ(first.sanctioned.size(), 17u * model::kStepCount);
  EXPECT_EQ(first.attributes[kAttributeE].size(), 17u);
  const PopulationRecord& second = recorder.Record(run::DefaultRunArguments(), kSeed);
  EXPECT_EQ(second.agentCount, 100);
  EXPECT_EQ(second.propensity.size(), 100u * model::kStepCount);
  EXPECT_TRUE(second.sanctionPropensity.empty());
  EXPECT_TRUE(second.sanctioned.empty());
}

TEST(PopulationRecorder, NamesTheFailedCheck) {
  PopulationRecorder recorder;
  RunArguments arguments = run::DefaultRunArguments();
  arguments.paramX = 3.0;
  try {
    recorder.Record(arguments, kSeed);
    FAIL() << "the run was accepted";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Inappropriate parameter X");
  }
}

struct CarrierCase {
  const char* name;
  RunArguments (*arguments)();
  int carriersOfR;
  int carriersOfRPrime;
};

RunArguments FortyConstantCarriers() {
  RunArguments a = run::DefaultRunArguments();
  a.distR = 0;
  a.requestedCountR = 40;
  a.requestedCountRPrime = 30;
  return a;
}

RunArguments CorrelatedFromThirtyCarriers() {
  RunArguments a = test_support::AllNormalArguments();
  a.requestedCountR = 30;
  a.requestedCountRPrime = 30;
  return a;
}

const CarrierCase kCarrierCases[] = {
    // R and R' are shares of their first carriers only.
    {"ConstantShares", FortyConstantCarriers, 40, 30},
    // A correlation that involves R (and R') draws it for every agent.
    {"Correlated", CorrelatedFromThirtyCarriers, 100, 100},
};

class Carriers : public ::testing::TestWithParam<CarrierCase> {};

TEST_P(Carriers, AreTheAgentsThatHoldTheShare) {
  PopulationRecorder recorder;
  const PopulationRecord& record = recorder.Record(GetParam().arguments(), kSeed);
  int r = 0, rPrime = 0, e = 0;
  for (int i = 0; i < record.agentCount; ++i) {
    r += record.Carries(kAttributeR, i) ? 1 : 0;
    rPrime += record.Carries(kAttributeRPrime, i) ? 1 : 0;
    e += record.Carries(kAttributeE, i) ? 1 : 0;
  }
  EXPECT_EQ(r, GetParam().carriersOfR);
  EXPECT_EQ(rPrime, GetParam().carriersOfRPrime);
  EXPECT_EQ(e, record.agentCount);
}

INSTANTIATE_TEST_SUITE_P(Cases, Carriers, ::testing::ValuesIn(kCarrierCases),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
