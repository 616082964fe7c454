#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "model/population_model.h"
#include "model/spread_cap.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace model {
namespace {

using run::DefaultRunArguments;

struct CapCase {
  const char* name;
  Attribute attribute;
  DistributionKind kind;
  double location;
  double spread;
  double expected;
};

const CapCase kCapCases[] = {
    {"MedianRCapsSigma", Attribute::R, DistributionKind::Normal, 0.3, 0.35, 0.09999999999999999},
    {"RBelowCapUnchanged", Attribute::R, DistributionKind::LogNormal, 0.9, 0.2, 0.2},
    {"TNormalHalf", Attribute::T, DistributionKind::Normal, 0.5, 0.2, 0.16666666666666666},
    {"TLogNormalHalf", Attribute::T, DistributionKind::LogNormal, 0.5, 0.2, 0.16666666666666666},
    {"EUncappedUnderNormal", Attribute::E, DistributionKind::Normal, 0.05, 0.2, 0.2},
    {"ECappedUnderLogNormal", Attribute::E, DistributionKind::LogNormal, 0.05, 0.2,
     0.016666666666666666},
    {"IAtOneCapsToZero", Attribute::I, DistributionKind::Normal, 1.0, 0.2, 0.0},
    {"RPrimeAtZero", Attribute::RPrime, DistributionKind::Normal, 0.0, 0.15, 0.0},
};

class SpreadCap : public ::testing::TestWithParam<CapCase> {};

TEST_P(SpreadCap, LimitsTheSpread) {
  const CapCase& c = GetParam();
  EXPECT_EQ(CappedSpread(c.attribute, c.kind, c.location, c.spread), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpreadCap, ::testing::ValuesIn(kCapCases),
                         test_support::CaseName());

class Sampling : public ::testing::Test {
 protected:
  Sampling() { model.fixedSeed = 20261210; }

  std::vector<double> Values(const std::unique_ptr<double[]>& array) const {
    return {array.get(), array.get() + model.agentCount};
  }
  double Sum(const std::unique_ptr<double[]>& array, int count) const {
    return std::accumulate(array.get(), array.get() + count, 0.0);
  }

  CPopulationModel model;
};

TEST_F(Sampling, NormalSharesSumToOneOverTheirCarriers) {
  RunArguments a = DefaultRunArguments();
  a.distR = 1;
  a.distRPrime = 2;
  a.requestedCountR = 30;
  a.requestedCountRPrime = 70;
  model.Run(a);
  EXPECT_NEAR(Sum(model.attrR, 30), 1.0, 1e-12);
  EXPECT_NEAR(Sum(model.attrRPrime, 70), 1.0, 1e-12);
  for (int i = 0; i < 100; ++i) {
    if (i < 30)
      EXPECT_GE(model.attrR[i], 0.0);
    else
      EXPECT_EQ(model.attrR[i], 0.0);
    if (i < 70)
      EXPECT_GT(model.attrRPrime[i], 0.0);
    else
      EXPECT_EQ(model.attrRPrime[i], 0.0);
  }
}

TEST_F(Sampling, DrawnUnitAttributesStayInsideTheUnitInterval) {
  RunArguments a = DefaultRunArguments();
  a.distI = 2;
  a.valueI = 0.9;
  a.distT = 1;
  a.distE = 1;
  a.valueE = 0.05;  // Normal E keeps its full spread and redraws below 0
  a.sigmaE = 0.2;
  for (int seed = 1; seed <= 20; ++seed) {
    model.fixedSeed = seed;
    model.Run(a);
    for (int i = 0; i < 100; ++i) {
      for (const auto* array : {&model.attrI, &model.attrT, &model.attrE}) {
        ASSERT_GE((*array)[i], 0.0);
        ASSERT_LE((*array)[i], 1.0);
      }
    }
  }
}

TEST_F(Sampling, ACapOfZeroWritesTheLocationButStillConsumesDeviates) {
  RunArguments drawn = DefaultRunArguments();
  drawn.distI = 1;
  drawn.valueI = 1.0;
  drawn.sigmaI = 0.2;
  drawn.distT = 1;
  model.Run(drawn);
  for (double v : Values(model.attrI)) ASSERT_EQ(v, 1.0);
  const std::vector<double> tAfterDrawnI = Values(model.attrT);

  RunArguments constant = drawn;
  constant.sigmaI = 0.0;  // the Constant rule draws nothing
  model.Run(constant);
  for (double v : Values(model.attrI)) ASSERT_EQ(v, 1.0);
  EXPECT_NE(Values(model.attrT), tAfterDrawnI);
}

TEST_F(Sampling, ZeroMedianGivesEqualSharesAndKeepsTheDrawOrder) {
  RunArguments zeroMedian = DefaultRunArguments();
  zeroMedian.distR = 1;
  zeroMedian.medianR = 0.0;
  zeroMedian.distRPrime = 2;
  zeroMedian.medianRPrime = 0.0;
  zeroMedian.requestedCountRPrime = 40;
  zeroMedian.distT = 1;
  model.Run(zeroMedian);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(model.attrR[i], 0.01);
    ASSERT_EQ(model.attrRPrime[i], i < 40 ? 1.0 / 40 : 0.0);
  }
  const std::vector<double> t = Values(model.attrT);

  // I drawn with a cap of 0 consumes the same 100 deviates before T as R did.
  RunArguments sameDraws = DefaultRunArguments();
  sameDraws.distI = 1;
  sameDraws.valueI = 1.0;
  sameDraws.distT = 1;
  model.Run(sameDraws);
  EXPECT_EQ(Values(model.attrT), t);
  for (const float* series : model.Series()) {
    for (int k = 0; k < kStepCount; ++k) ASSERT_TRUE(std::isfinite(series[k]));
  }
}

TEST_F(Sampling, PerfectCorrelationCopiesTheDeviate) {
  RunArguments a = DefaultRunArguments();
  a.distE = a.distT = 1;
  a.valueE = 0.4;
  a.sigmaE = 0.2;
  a.valueT = 0.5;
  a.sigmaT = 0.2;
  a.corrET = 1.0;
  model.Run(a);
  const double sigmaT = CappedSpread(Attribute::T, DistributionKind::Normal, 0.5, 0.2);
  for (int i = 0; i < 100; ++i) {
    const double zE = (model.attrE[i] - 0.4) / 0.2;
    const double zT = (model.attrT[i] - 0.5) / sigmaT;
    ASSERT_NEAR(zT, zE, 1e-9) << i;
  }
}

TEST_F(Sampling, PerfectAntiCorrelationMirrorsIAgainstR) {
  RunArguments a = DefaultRunArguments();
  a.distR = a.distI = 1;
  a.valueI = 0.5;
  a.sigmaI = 0.1;
  a.requestedCountR = 30;  // the correlation redraws R for every agent anyway
  a.corrRI = -1.0;
  model.Run(a);
  const double sigmaR = CappedSpread(Attribute::R, DistributionKind::Normal, 0.5, 0.15);
  // Before normalisation R = sigmaR * z + 0.5 and I = 0.5 - 0.1 * z; the
  // normalisation scales every R by the same factor.
  std::vector<double> factors;
  for (int i = 0; i < 100; ++i) {
    const double z = (0.5 - model.attrI[i]) / 0.1;
    factors.push_back(model.attrR[i] / (sigmaR * z + 0.5));
  }
  for (double f : factors) ASSERT_NEAR(f, factors.front(), 1e-9);
  EXPECT_NEAR(Sum(model.attrR, 100), 1.0, 1e-12);
  for (int i = 0; i < 100; ++i) ASSERT_GE(model.attrR[i], 0.0);
}

TEST_F(Sampling, ROfTwoCorrelationsSkipsRPrimeAndI) {
  RunArguments a = DefaultRunArguments();
  a.distR = a.distI = a.distRPrime = 1;
  a.valueI = 0.5;
  a.corrRRPrime = 0.3;
  a.corrRI = 0.4;
  a.corrRPrimeI = 0.0;
  model.Run(a);
  const std::vector<double> rPrime = Values(model.attrRPrime);
  const std::vector<double> i = Values(model.attrI);
  a.corrRPrimeI = 0.9;
  model.Run(a);
  EXPECT_EQ(Values(model.attrRPrime), rPrime);
  EXPECT_EQ(Values(model.attrI), i);
}

struct NotApplyingCase {
  const char* name;
  void (*edit)(RunArguments&);
};

// Each of these leaves the attributes exactly as the per-attribute rules wrote them.
const NotApplyingCase kNotApplying[] = {
    {"ZeroCoefficient", [](RunArguments& a) { a.corrRRPrime = 0; }},
    {"RLogNormal", [](RunArguments& a) { a.distR = 2; }},
    {"RConstant", [](RunArguments& a) { a.distR = 0; }},
    {"RPrimeSpreadZero", [](RunArguments& a) { a.sigmaRPrime = 0; }},
    {"RMedianZero", [](RunArguments& a) { a.medianR = 0; }},
};

class CorrelationNotApplying : public Sampling,
                               public ::testing::WithParamInterface<NotApplyingCase> {};

TEST_P(CorrelationNotApplying, LeavesTheOwnRuleValues) {
  RunArguments a = DefaultRunArguments();
  a.distR = a.distRPrime = 1;
  a.corrRRPrime = 0.7;
  GetParam().edit(a);
  model.Run(a);
  const std::vector<double> r = Values(model.attrR);
  a.corrRRPrime = 0.0;
  model.Run(a);
  EXPECT_EQ(Values(model.attrR), r);
}

INSTANTIATE_TEST_SUITE_P(Cases, CorrelationNotApplying, ::testing::ValuesIn(kNotApplying),
                         test_support::CaseName());

TEST_F(Sampling, AnApplyingCorrelationRedrawsEveryAgent) {
  RunArguments a = DefaultRunArguments();
  a.distR = a.distRPrime = 1;
  a.requestedCountR = 20;
  a.requestedCountRPrime = 10;
  a.corrRRPrime = 0.7;
  model.Run(a);
  EXPECT_NEAR(Sum(model.attrR, 100), 1.0, 1e-12);
  EXPECT_NEAR(Sum(model.attrRPrime, 100), 1.0, 1e-12);
  EXPECT_GT(model.attrR[99], 0.0);
  EXPECT_NE(model.attrRPrime[99], 0.0);
}

}  // namespace
}  // namespace model
