#include "batch/summary_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "batch/run_values.h"
#include "tests/support/case_name.h"
#include "tests/support/sorted_quantile.h"

namespace batch {
namespace {

constexpr double kTolerance = 1e-12;

struct StatisticsCase {
  const char* name;
  std::vector<double> values;
  SummaryStatistics expected;  // worked out by hand
};

std::vector<double> OneToTwentyShuffled() {
  return {7, 19, 2, 14, 1, 20, 11, 5, 16, 9, 3, 18, 12, 6, 15, 10, 4, 17, 13, 8};
}

const StatisticsCase kCases[] = {
    // One replicate: every quantile is the value, the deviation 0.
    {"One", {0.375}, {0.375, 0.0, 0.375, 0.375, 0.375}},
    // Two: h = 0.05, 0.5, 0.95 between the only two order statistics.
    // sd = sqrt(((1-2)^2 + (3-2)^2) / 1).
    {"Two", {3, 1}, {2.0, std::sqrt(2.0), 1.1, 2.0, 2.9}},
    {"TwoEqual", {0.25, 0.25}, {0.25, 0.0, 0.25, 0.25, 0.25}},
    // Twenty: 1..20, h = 0.95, 9.5, 18.05; sd^2 = 665 / 19 = 35.
    {"Twenty", OneToTwentyShuffled(), {10.5, std::sqrt(35.0), 1.95, 10.5, 19.05}},
    // Three: h = 0.1, 1, 1.9 over -2, 0, 4; the squared deviations from the
    // mean 2/3 add up to 64/9 + 4/9 + 100/9 = 56/3, so sd^2 = 28/3.
    {"ThreeNegative", {4, -2, 0}, {2.0 / 3.0, std::sqrt(28.0 / 3.0), -1.8, 0.0, 3.6}},
};

class Statistics : public ::testing::TestWithParam<StatisticsCase> {};

TEST_P(Statistics, MatchTheHandWorkedValues) {
  std::vector<double> values = GetParam().values;
  const SummaryStatistics s = Summarise(values);
  const SummaryStatistics& e = GetParam().expected;
  EXPECT_NEAR(s.mean, e.mean, kTolerance);
  EXPECT_NEAR(s.standardDeviation, e.standardDeviation, kTolerance);
  EXPECT_NEAR(s.q05, e.q05, kTolerance);
  EXPECT_NEAR(s.q50, e.q50, kTolerance);
  EXPECT_NEAR(s.q95, e.q95, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Cases, Statistics, ::testing::ValuesIn(kCases), test_support::CaseName());

// One quantile of values asked on its own.
double QuantileOf(std::vector<double> values, double p) {
  std::size_t from = 0;
  return SelectQuantile(values, p, from);
}

TEST(SelectQuantile, EndsAreTheExtremesExactly) {
  const std::vector<double> values = {0.7, 0.1, 0.2};
  EXPECT_EQ(QuantileOf(values, 0.0), 0.1);
  EXPECT_EQ(QuantileOf(values, 1.0), 0.7);
  EXPECT_EQ(QuantileOf(values, 0.5), 0.2);
}

TEST(SelectQuantile, AboveOneHalfInterpolatesDownFromTheUpperValue) {
  // numpy's form b - (b - a)(1 - t) for t >= 0.5; a + (b - a) t below.
  const std::vector<double> values = {0.7, 0.1};
  const double t = 0.95;
  EXPECT_EQ(QuantileOf(values, 0.95), 0.7 - (0.7 - 0.1) * (1 - t));
  EXPECT_EQ(QuantileOf(values, 0.05), 0.1 + (0.7 - 0.1) * 0.05);
}

// Selection gives the sorted values' quantiles bit for bit, whatever the
// count, with ties, and asked in ascending order on the same values.
TEST(SelectQuantile, GivesTheQuantileOfTheSortedValues) {
  struct SizeCase {
    std::size_t count;
    int distinctValues;  // few distinct values make ties
  };
  const SizeCase cases[] = {{1, 1000},  {2, 1000}, {3, 2},      {19, 1000},  {20, 3},
                            {21, 1000}, {200, 5},  {200, 1000}, {3000, 1000}};
  const double quantiles[] = {0.0, 0.05, 0.5, 0.95, 1.0};
  std::mt19937 rng(7);
  for (const SizeCase& c : cases) {
    std::uniform_int_distribution<int> pick(0, c.distinctValues - 1);
    std::vector<double> values(c.count);
    for (double& v : values) v = pick(rng) * 0.001 - 0.25;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    std::size_t from = 0;
    for (const double p : quantiles) {
      EXPECT_EQ(SelectQuantile(values, p, from), test_support::SortedQuantile(sorted, p))
          << "count " << c.count << ", p " << p;
    }
  }
}

TEST(Summarise, NotANumberMakesEveryStatisticNotANumber) {
  std::vector<double> values = {1, std::numeric_limits<double>::quiet_NaN(), 3};
  const SummaryStatistics s = Summarise(values);
  EXPECT_TRUE(std::isnan(s.mean));
  EXPECT_TRUE(std::isnan(s.standardDeviation));
  EXPECT_TRUE(std::isnan(s.q05));
  EXPECT_TRUE(std::isnan(s.q50));
  EXPECT_TRUE(std::isnan(s.q95));
}

TEST(SummariseRuns, TakesEachSeriesAndStepAcrossTheRuns) {
  constexpr std::size_t kRuns = 2;
  std::vector<float> runs(kRuns * kValuesPerRun);
  for (std::size_t run = 0; run < kRuns; ++run) {
    for (std::size_t i = 0; i < kValuesPerRun; ++i) {
      runs[run * kValuesPerRun + i] = static_cast<float>(i) + (run == 0 ? 0.0f : 2.0f);
    }
  }
  const std::vector<SummaryStatistics> statistics = SummariseRuns(runs, kRuns);
  ASSERT_EQ(statistics.size(), kValuesPerRun);
  const std::size_t i = ValueIndex(3, 40);
  EXPECT_EQ(statistics[i].mean, static_cast<double>(i) + 1.0);
  EXPECT_DOUBLE_EQ(statistics[i].standardDeviation, std::sqrt(2.0));
  EXPECT_EQ(statistics[i].q50, static_cast<double>(i) + 1.0);
}

// Each column of the runs, gathered as doubles and given to Summarise, has
// exactly the statistics SummariseRuns gives it: for one run, a few runs, and
// many runs with ties, a not-a-number and an infinity in columns of their own.
TEST(SummariseRuns, GivesEachColumnExactlyWhatSummariseGivesIt) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  for (const std::size_t runCount : {std::size_t{1}, std::size_t{3}, std::size_t{257}}) {
    std::vector<float> runs(runCount * kValuesPerRun);
    for (float& v : runs) v = value(random);
    for (std::size_t run = 0; run < runCount; ++run) {
      runs[run * kValuesPerRun + ValueIndex(1, 5)] = 0.25f;  // every value tied
      runs[run * kValuesPerRun + ValueIndex(4, 100)] = static_cast<float>(run % 3);
    }
    runs[ValueIndex(2, 17)] = std::numeric_limits<float>::quiet_NaN();
    runs[(runCount - 1) * kValuesPerRun + ValueIndex(0, 9)] =
        std::numeric_limits<float>::infinity();
    const std::vector<SummaryStatistics> statistics = SummariseRuns(runs, runCount);
    for (std::size_t i = 0; i < kValuesPerRun; ++i) {
      std::vector<double> column;
      for (std::size_t run = 0; run < runCount; ++run)
        column.push_back(runs[run * kValuesPerRun + i]);
      const SummaryStatistics expected = Summarise(column);
      for (const SummaryColumn& member : kSummaryColumns) {
        const double a = statistics[i].*member.member;
        const double b = expected.*member.member;
        EXPECT_TRUE(std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)))
            << runCount << " runs, value " << i << " " << member.name << ": " << a << " vs " << b;
      }
    }
  }
}

// Shared among threads, the columns come out exactly as from one thread,
// whatever the number of threads (more than there are tiles included).
TEST(SummariseRuns, GivesTheSameBitsOnAnyNumberOfThreads) {
  constexpr std::size_t kRuns = 300;
  std::vector<float> runs(kRuns * kValuesPerRun);
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(0.0f, 1.0f);
  for (float& v : runs) v = value(random);
  runs[ValueIndex(2, 17)] = std::numeric_limits<float>::quiet_NaN();
  const std::vector<SummaryStatistics> alone = SummariseRuns(runs, kRuns, 1);
  for (const unsigned threads : {2u, 3u, 7u, 1000u}) {
    const std::vector<SummaryStatistics> shared = SummariseRuns(runs, kRuns, threads);
    ASSERT_EQ(shared.size(), alone.size());
    for (std::size_t i = 0; i < alone.size(); ++i) {
      for (const SummaryColumn& column : kSummaryColumns) {
        const double a = alone[i].*column.member;
        const double b = shared[i].*column.member;
        EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b)))
            << threads << " threads, value " << i << " " << column.name;
      }
    }
  }
}

}  // namespace
}  // namespace batch
