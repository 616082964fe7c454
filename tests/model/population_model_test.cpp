#include "model/population_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/distribution_kind.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace model {
namespace {

using run::DefaultRunArguments;

// A model whose failed-check notices are collected instead of shown.
class ModelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    model.notice = [this](std::string_view message) { notices.emplace_back(message); };
    model.fixedSeed = 1;
  }

  std::vector<float> FirstOrderRate() const {
    return {model.firstOrderRate.get(), model.firstOrderRate.get() + kStepCount};
  }

  CPopulationModel model;
  std::vector<std::string> notices;
};

TEST_F(ModelFixture, ConstructionLeavesEverythingAbsent) {
  CPopulationModel fresh;
  EXPECT_EQ(fresh.agentCount, 0);
  EXPECT_FALSE(fresh.sanctionsOn);
  EXPECT_EQ(fresh.countR, 0);
  EXPECT_EQ(fresh.countRPrime, 0);
  for (const float* series : fresh.Series()) EXPECT_EQ(series, nullptr);
  EXPECT_EQ(fresh.attrR, nullptr);
}

struct CheckCase {
  const char* name;
  void (*edit)(RunArguments&);
  const char* message;  // nullptr: the run passes, or fails silently if rejectedSilently
  bool passes;
};

const CheckCase kCheckCases[] = {
    {"JZero", [](RunArguments& a) { a.paramJ = 0; }, nullptr, true},
    {"JOne", [](RunArguments& a) { a.paramJ = 1; }, nullptr, true},
    {"XMinusOne", [](RunArguments& a) { a.paramX = -1; }, nullptr, true},
    {"XOne", [](RunArguments& a) { a.paramX = 1; }, nullptr, true},
    {"JAboveOne", [](RunArguments& a) { a.paramJ = 1.01; }, "Inappropriate parameter J", false},
    {"JNegative", [](RunArguments& a) { a.paramJ = -0.01; }, "Inappropriate parameter J", false},
    {"XBelow", [](RunArguments& a) { a.paramX = -1.5; }, "Inappropriate parameter X", false},
    {"XAbove", [](RunArguments& a) { a.paramX = 2; }, "Inappropriate parameter X", false},
    {"NZero", [](RunArguments& a) { a.agentCount = 0; }, "Inappropriate parameter N", false},
    {"NNegative", [](RunArguments& a) { a.agentCount = -3; }, "Inappropriate parameter N", false},
    {"OnlyFirstFailureReported",
     [](RunArguments& a) {
       a.paramJ = 1.01;
       a.paramX = 2;
       a.agentCount = 0;
     },
     "Inappropriate parameter J", false},
    {"KindThreeSilent", [](RunArguments& a) { a.distT = 3; }, nullptr, false},
    {"KindNegativeSilent", [](RunArguments& a) { a.distRPrime = -1; }, nullptr, false},
    {"KindBeforeJ",
     [](RunArguments& a) {
       a.distR = 3;
       a.paramJ = 5;
     },
     nullptr, false},
};

class RunChecks : public ModelFixture, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(RunChecks, ReportsOnlyTheFirstFailureAndKeepsThePreviousSeries) {
  model.Run(DefaultRunArguments());
  const std::vector<float> before = FirstOrderRate();
  const float* storage = model.firstOrderRate.get();

  RunArguments a = DefaultRunArguments();
  a.sanctionsOn = 1;
  GetParam().edit(a);
  model.Run(a);

  EXPECT_TRUE(model.sanctionsOn) << "the flag is stored before the checks";
  if (GetParam().passes) {
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(model.agentCount, 100);
    return;
  }
  EXPECT_EQ(model.agentCount, 0);
  EXPECT_EQ(model.firstOrderRate.get(), storage);
  EXPECT_EQ(FirstOrderRate(), before);
  if (GetParam().message == nullptr) {
    EXPECT_TRUE(notices.empty());
  } else {
    EXPECT_EQ(notices, std::vector<std::string>{GetParam().message});
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RunChecks, ::testing::ValuesIn(kCheckCases),
                         test_support::CaseName());

TEST_F(ModelFixture, NoticeReturnsBeforeTheFailingEnd) {
  model.Run(DefaultRunArguments());
  int countSeenByNotice = -1;
  model.notice = [&](std::string_view) { countSeenByNotice = model.agentCount; };
  RunArguments a = DefaultRunArguments();
  a.paramX = 3;
  model.Run(a);
  EXPECT_EQ(countSeenByNotice, 100);
  EXPECT_EQ(model.agentCount, 0);
}

TEST_F(ModelFixture, KindThreeBeforeAnyRunLeavesTheSeriesAbsent) {
  RunArguments a = DefaultRunArguments();
  a.distR = a.distI = a.distT = a.distE = a.distRPrime = kNotChosen;
  model.Run(a);
  EXPECT_EQ(model.agentCount, 0);
  for (const float* series : model.Series()) EXPECT_EQ(series, nullptr);
}

TEST_F(ModelFixture, CarrierCountsAreCappedByTheAgentCount) {
  RunArguments a = DefaultRunArguments();
  a.requestedCountR = 150;
  a.requestedCountRPrime = 30;
  model.Run(a);
  EXPECT_EQ(model.countR, 100);
  EXPECT_EQ(model.countRPrime, 30);
}

struct ConstantShareCase {
  int requested;
  double share;
};

class ConstantShares : public ModelFixture,
                       public ::testing::WithParamInterface<ConstantShareCase> {};

TEST_P(ConstantShares, FirstCarriersHoldEqualShares) {
  RunArguments a = DefaultRunArguments();
  a.requestedCountR = GetParam().requested;
  a.requestedCountRPrime = GetParam().requested;
  model.Run(a);
  for (int i = 0; i < 100; ++i) {
    const double expected = i < GetParam().requested ? GetParam().share : 0.0;
    ASSERT_EQ(model.attrR[i], expected) << i;
    ASSERT_EQ(model.attrRPrime[i], expected) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, ConstantShares,
                         ::testing::Values(ConstantShareCase{40, 0.025},
                                           ConstantShareCase{100, 0.01}, ConstantShareCase{0, 0.0},
                                           ConstantShareCase{1, 1.0}));

TEST_F(ModelFixture, ConstantRuleWritesTheLocationToEveryAgent) {
  RunArguments a = DefaultRunArguments();
  a.valueI = 0.3;
  a.valueT = 0.7;
  a.valueE = 0.9;
  a.distI = 1;  // Normal with a spread of 0 takes the Constant rule too
  a.sigmaI = 0;
  model.Run(a);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(model.attrI[i], 0.3);
    ASSERT_EQ(model.attrT[i], 0.7);
    ASSERT_EQ(model.attrE[i], 0.9);
  }
}

TEST_F(ModelFixture, DerivedConstants) {
  RunArguments a = DefaultRunArguments();
  a.paramJ = 0.5;
  a.paramJPrime = 0;
  model.Run(a);
  EXPECT_DOUBLE_EQ(model.nPowMinusJ, 0.1);
  EXPECT_DOUBLE_EQ(model.costScale, 10.0);
  EXPECT_EQ(model.nPowMinusJPrime, 1.0);
  EXPECT_EQ(model.sanctionCostScale, 100.0);
  // The scales are products, not separate powers.
  EXPECT_EQ(model.costScale, model.nPowMinusJ * 100.0);
}

TEST_F(ModelFixture, TheSameSeedGivesIdenticalSeries) {
  const RunArguments a = test_support::AllNormalArguments();
  model.Run(a);
  const auto first = model.Series();
  std::vector<std::vector<float>> before;
  for (const float* series : first) before.emplace_back(series, series + kStepCount);
  model.Run(a);
  for (int s = 0; s < kSeriesCount; ++s) {
    EXPECT_EQ(std::vector<float>(model.Series()[s], model.Series()[s] + kStepCount), before[s]);
  }
  EXPECT_EQ(model.runSeed, 1);
}

TEST_F(ModelFixture, DifferentSeedsSampleDifferentPopulations) {
  model.Run(test_support::AllNormalArguments());
  const double firstR = model.attrR[0];
  model.fixedSeed = 2;
  model.Run(test_support::AllNormalArguments());
  EXPECT_NE(model.attrR[0], firstR);
}

TEST(ModelClock, UnfixedRunsAreSeededFromTheClock) {
  CPopulationModel model;
  const std::int32_t before = ClockSeed();
  model.Run(DefaultRunArguments());
  const std::int32_t after = ClockSeed();
  EXPECT_GE(model.runSeed, before);
  EXPECT_LE(model.runSeed, after);
}

TEST_F(ModelFixture, ReleaseArraysMarksEverythingAbsent) {
  model.Run(DefaultRunArguments());
  model.ReleaseArrays();
  for (const float* series : model.Series()) EXPECT_EQ(series, nullptr);
  EXPECT_EQ(model.propensity, nullptr);
  EXPECT_EQ(model.sanctioned, nullptr);
}

}  // namespace
}  // namespace model
