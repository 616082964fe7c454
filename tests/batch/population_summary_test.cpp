#include "batch/population_summary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace batch {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct HistogramCase {
  const char* name;
  std::vector<double> values;
  int bins;
  double low;
  double high;
  std::vector<int> counts;
};

const HistogramCase kHistogramCases[] = {
    // (v - 0) / 4 * 4 = v: one value per bin, the largest in the last.
    {"Spread", {0, 1, 2, 3, 4}, 4, 0, 4, {1, 1, 1, 2}},
    {"Unordered", {4, 0, 3, 1, 2}, 4, 0, 4, {1, 1, 1, 2}},
    {"AllEqual", {0.5, 0.5, 0.5}, 20, 0.5, 0.5, {3}},
    {"Empty", {}, 20, 0, 0, {}},
    {"Negative", {-1, -0.5, 0, 1}, 2, -1, 1, {2, 2}},
};

class Histograms : public ::testing::TestWithParam<HistogramCase> {};

TEST_P(Histograms, CountEachValueInItsBin) {
  const HistogramCase& c = GetParam();
  const Histogram h = MakeHistogram(c.values, c.bins);
  EXPECT_EQ(h.low, c.low);
  EXPECT_EQ(h.high, c.high);
  EXPECT_EQ(h.counts, c.counts);
}

INSTANTIATE_TEST_SUITE_P(Cases, Histograms, ::testing::ValuesIn(kHistogramCases),
                         test_support::CaseName());

struct MedianCase {
  const char* name;
  std::vector<double> values;
  double median;
};

const MedianCase kMedianCases[] = {
    {"Odd", {3, 1, 2}, 2},
    {"Even", {4, 1, 3, 2}, (2.0 + 3.0) / 2.0},
    {"One", {0.25}, 0.25},
    {"Empty", {}, 0},
};

class Medians : public ::testing::TestWithParam<MedianCase> {};

TEST_P(Medians, AreTheMiddleOfTheSortedValues) {
  EXPECT_EQ(MedianOf(GetParam().values), GetParam().median);
}

INSTANTIATE_TEST_SUITE_P(Cases, Medians, ::testing::ValuesIn(kMedianCases),
                         test_support::CaseName());

struct BinCase {
  const char* name;
  double p;
  int bin;
};

const BinCase kBinCases[] = {
    {"Zero", 0.0, 0},        {"FirstEdge", 0.05, 1},      {"EdgeNotExactOverWidth", 0.15, 3},
    {"Inside", 0.52, 10},    {"JustBelowOne", 0.999, 19}, {"One", 1.0, 19},
    {"Negative", -0.01, -1}, {"AboveOne", 1.5, -1},       {"NotANumber", kNaN, -1},
};

class PropensityBins : public ::testing::TestWithParam<BinCase> {};

TEST_P(PropensityBins, AreTwentiethsOfTheUnitInterval) {
  EXPECT_EQ(PropensityBin(GetParam().p), GetParam().bin);
}

INSTANTIATE_TEST_SUITE_P(Cases, PropensityBins, ::testing::ValuesIn(kBinCases),
                         test_support::CaseName());

// Five agents over two steps: R carried by the first two, I spread over
// values whose bins are exact in binary.
PopulationRecord SmallPopulation() {
  PopulationRecord r;
  r.agentCount = 5;
  r.countR = 2;
  r.countRPrime = 5;
  r.sanctionsOn = true;
  r.attributes[kAttributeR] = {0.5, 0.5, 0, 0, 0};
  r.attributes[kAttributeI] = {0.625, 0.125, 0.375, 0.25, 0.5};
  r.attributes[kAttributeT] = {0.5, 0.5, 0.5, 0.5, 0.5};
  r.attributes[kAttributeE] = {0.5, 0.5, 0.5, 0.5, 0.5};
  r.attributes[kAttributeRPrime] = {0.2, 0.2, 0.2, 0.2, 0.2};
  r.propensity = {0, 0, 0, 0, 0, 0.1, 0.5, 1.0, 0.55, 0.52};
  r.volunteered = {0, 0, 0, 0, 0, 0, 1, 1, 0, 1};
  r.sanctionPropensity = {0, 0, 0, 0, 0, -0.2, 1.5, kNaN, 0.3, 0.31};
  r.sanctioned = {0, 0, 0, 0, 0, 0, 1, 0, 1, 1};
  return r;
}

struct AttributeCase {
  const char* name;
  PopulationAttribute attribute;
  std::vector<double> values;
  double median;
  std::vector<int> nonEmptyBins;
  std::size_t binCount;
};

const AttributeCase kAttributeCases[] = {
    // Only the two carriers, whose equal shares make one bin.
    {"RCarriersOnly", kAttributeR, {0.5, 0.5}, 0.5, {0}, 1},
    // (v - 0.125) / 0.5 * 20 = 0, 5, 10, 15 and 20, the last bin taking 20.
    {"ISpread", kAttributeI, {0.625, 0.125, 0.375, 0.25, 0.5}, 0.375, {19, 0, 10, 5, 15}, 20},
    {"TConstant", kAttributeT, {0.5, 0.5, 0.5, 0.5, 0.5}, 0.5, {0}, 1},
};

class AttributeSummaries : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(AttributeSummaries, TakeTheCarriersAndTheirMedian) {
  const AttributeCase& c = GetParam();
  const AttributeSummary s = SummariseAttribute(SmallPopulation(), c.attribute);
  EXPECT_EQ(s.values, c.values);
  EXPECT_EQ(s.median, c.median);
  ASSERT_EQ(s.histogram.counts.size(), c.binCount);
  std::vector<int> expected(c.binCount, 0);
  for (const int bin : c.nonEmptyBins) ++expected[static_cast<std::size_t>(bin)];
  if (c.binCount == 1) expected[0] = static_cast<int>(c.values.size());
  EXPECT_EQ(s.histogram.counts, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AttributeSummaries, ::testing::ValuesIn(kAttributeCases),
                         test_support::CaseName());

std::vector<int> BinsWith(std::initializer_list<std::pair<int, int>> counts) {
  std::vector<int> bins(kPropensityBinCount, 0);
  for (const auto& [bin, count] : counts) bins[static_cast<std::size_t>(bin)] = count;
  return bins;
}

std::vector<int> StepOf(const HeatStrip& strip, int step) {
  std::vector<int> bins;
  for (int b = 0; b < kPropensityBinCount; ++b) bins.push_back(strip.Count(step, b));
  return bins;
}

TEST(HeatStrips, CountEachStepsPropensitiesAndTheirMean) {
  const PopulationRecord r = SmallPopulation();
  const HeatStrip strip = PropensityStrip(r);
  ASSERT_EQ(strip.steps, 2);
  EXPECT_EQ(StepOf(strip, 0), BinsWith({{0, 5}}));
  EXPECT_EQ(StepOf(strip, 1), BinsWith({{2, 1}, {10, 2}, {19, 1}, {11, 1}}));
  EXPECT_EQ(strip.mean[0], 0.0);
  EXPECT_EQ(strip.mean[1], (0.1 + 0.5 + 1.0 + 0.55 + 0.52) / 5);
  EXPECT_FALSE(strip.HasOutside());
  EXPECT_EQ(strip.Largest(), 5);
}

TEST(HeatStrips, CountSanctionPropensitiesOutsideTheUnitApart) {
  const HeatStrip strip = SanctionStrip(SmallPopulation());
  ASSERT_EQ(strip.steps, 2);
  EXPECT_EQ(StepOf(strip, 1), BinsWith({{6, 2}}));
  EXPECT_EQ(strip.below, (std::vector<int>{0, 1}));
  EXPECT_EQ(strip.above, (std::vector<int>{0, 1}));
  EXPECT_EQ(strip.notANumber, (std::vector<int>{0, 1}));
  // The mean of the numbers, not-a-number left out.
  EXPECT_EQ(strip.mean[1], (-0.2 + 1.5 + 0.3 + 0.31) / 4);
  EXPECT_TRUE(strip.HasOutside());
}

TEST(HeatStrips, AreEmptyWithoutSanctions) {
  PopulationRecord r = SmallPopulation();
  r.sanctionsOn = false;
  r.sanctionPropensity.clear();
  EXPECT_EQ(SanctionStrip(r).steps, 0);
}

struct SplitCase {
  const char* name;
  int step;
  std::vector<int> volunteers;
  std::vector<int> nonVolunteers;
};

const SplitCase kSplitCases[] = {
    {"NobodyAtTheStart", 0, BinsWith({}), BinsWith({{0, 5}})},
    {"ByDecision", 1, BinsWith({{10, 2}, {19, 1}}), BinsWith({{2, 1}, {11, 1}})},
};

class StepSplits : public ::testing::TestWithParam<SplitCase> {};

TEST_P(StepSplits, SeparateVolunteersFromTheOthers) {
  const StepSplit split = SplitStep(SmallPopulation(), GetParam().step);
  EXPECT_EQ(split.volunteers, GetParam().volunteers);
  EXPECT_EQ(split.nonVolunteers, GetParam().nonVolunteers);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepSplits, ::testing::ValuesIn(kSplitCases),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
