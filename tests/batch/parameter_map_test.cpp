#include "batch/parameter_map.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "model/distribution_kind.h"
#include "model/result_series.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

// That each cell is what the runner prints for the map's own command is
// checked in tests/cli/parameter_map_agreement_test.cpp.
namespace batch {
namespace {

std::vector<double> Steps(int count, double step) {
  std::vector<double> values;
  for (int p = 0; p < count; ++p) values.push_back(p * step);
  return values;
}

// J over 21 positions (two levels) against T over 11 (one stride).
MapRequest SmallMap(bool samePopulations) {
  MapRequest request;
  request.arguments = run::DefaultRunArguments();
  request.arguments.distR = static_cast<int>(model::DistributionKind::Normal);
  request.seed = 404;
  request.x = {"J", *run::FindParameter("paramJ"), Steps(21, 0.05), 10};
  request.y = {"T", *run::FindParameter("valueT"), Steps(11, 0.1), 5};
  request.series = model::kFirstOrderRate;
  request.replicates = 3;
  request.threshold = 0.3;
  request.samePopulations = samePopulations;
  return request;
}

TEST(ParameterMap, DeliversEachLevelWholeCoarseToFine) {
  std::vector<MapLevel> delivered;
  const std::atomic<bool> stop{false};
  const auto finest =
      ComputeMap(SmallMap(true), 2, stop, [&](const MapLevel& l) { delivered.push_back(l); });
  ASSERT_TRUE(finest.has_value());
  ASSERT_EQ(delivered.size(), 2u);
  EXPECT_EQ(delivered[0].xPositions.size(), 11u);
  EXPECT_FALSE(delivered[0].finest);
  EXPECT_EQ(delivered[1].xPositions.size(), 21u);
  EXPECT_TRUE(delivered[1].finest);
  for (const MapLevel& level : delivered) {
    EXPECT_EQ(level.yPositions.size(), 11u);
    EXPECT_EQ(level.cells.size(), level.xPositions.size() * level.yPositions.size());
  }
  EXPECT_EQ(finest->cells.size(), delivered[1].cells.size());
}

TEST(ParameterMap, SamePopulationsKeepTheCoarseCellsInTheFinerLevels) {
  std::vector<MapLevel> delivered;
  const std::atomic<bool> stop{false};
  ComputeMap(SmallMap(true), 2, stop, [&](const MapLevel& l) { delivered.push_back(l); });
  ASSERT_EQ(delivered.size(), 2u);
  const MapLevel& coarse = delivered[0];
  const MapLevel& fine = delivered[1];
  for (std::size_t i = 0; i < coarse.xPositions.size(); ++i) {
    for (std::size_t j = 0; j < coarse.yPositions.size(); ++j) {
      // Position p of the coarse x axis is position 2 i of the fine one.
      EXPECT_EQ(coarse.At(i, j).median, fine.At(2 * i, j).median) << i << "," << j;
      EXPECT_EQ(coarse.At(i, j).q95, fine.At(2 * i, j).q95) << i << "," << j;
    }
  }
}

TEST(ParameterMap, OneAndTwoJobsGiveTheSameBytes) {
  for (const bool same : {true, false}) {
    const MapRequest request = SmallMap(same);
    const std::atomic<bool> stop{false};
    const auto one = ComputeMap(request, 1, stop, {});
    const auto two = ComputeMap(request, 2, stop, {});
    ASSERT_TRUE(one && two);
    EXPECT_EQ(MapCsv(request, *one), MapCsv(request, *two)) << same;
  }
}

TEST(ParameterMap, ARaisedStopGivesNothingAndDeliversNothing) {
  const std::atomic<bool> stop{true};
  int deliveries = 0;
  EXPECT_FALSE(ComputeMap(SmallMap(true), 2, stop, [&](const MapLevel&) { ++deliveries; }));
  EXPECT_EQ(deliveries, 0);
}

struct RefusedMap {
  const char* name;
  void (*spoil)(MapRequest&);
};

const RefusedMap kRefusedMaps[] = {
    {"NoReplicates", [](MapRequest& r) { r.replicates = 0; }},
    {"OneParameterOnBothAxes", [](MapRequest& r) { r.y = r.x; }},
    {"NoValues", [](MapRequest& r) { r.x.values.clear(); }},
};

class RefusedMaps : public testing::TestWithParam<RefusedMap> {};

TEST_P(RefusedMaps, GiveNothing) {
  MapRequest request = SmallMap(true);
  GetParam().spoil(request);
  const std::atomic<bool> stop{false};
  EXPECT_FALSE(ComputeMap(request, 1, stop, {}).has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedMaps, testing::ValuesIn(kRefusedMaps),
                         test_support::CaseName());

struct MapChange {
  const char* name;
  void (*change)(MapRequest&);
  bool sameRuns;
};

const MapChange kMapChanges[] = {
    {"WhereTheWindowStands",
     [](MapRequest& r) {
       r.x.current = 3;
       r.y.current = 7;
       r.arguments.paramJ = 0.15;
       r.arguments.valueT = 0.7;
     },
     true},
    {"StatisticShown", [](MapRequest& r) { r.statistic = MapStatistic::kWidth; }, true},
    {"AnotherParameter", [](MapRequest& r) { r.arguments.medianR = 0.25; }, false},
    {"Seed", [](MapRequest& r) { ++r.seed; }, false},
    {"Threshold", [](MapRequest& r) { r.threshold = 0.9; }, false},
    {"Replicates", [](MapRequest& r) { r.replicates = 4; }, false},
    {"Populations", [](MapRequest& r) { r.samePopulations = false; }, false},
    {"Series", [](MapRequest& r) { r.series = model::kMeanPropensity; }, false},
    {"Measure", [](MapRequest& r) { r.measure = ResponseMeasure::kLateMean; }, false},
    {"AxisValues", [](MapRequest& r) { r.y.values.pop_back(); }, false},
};

class MapChanges : public testing::TestWithParam<MapChange> {};

TEST_P(MapChanges, KeepTheRunsOnlyWhereTheWindowStandsOrTheStatisticChanges) {
  MapRequest changed = SmallMap(true);
  GetParam().change(changed);
  EXPECT_EQ(SameMapRuns(SmallMap(true), changed), GetParam().sameRuns);
}

INSTANTIATE_TEST_SUITE_P(Cases, MapChanges, testing::ValuesIn(kMapChanges),
                         test_support::CaseName());

struct StatisticCase {
  const char* name;
  MapStatistic statistic;
  double expected;
};

const MapCell kCell{0.5, 0.25, 0.875, 0.375};

const StatisticCase kStatistics[] = {
    {"Median", MapStatistic::kMedian, kCell.median},
    {"Width", MapStatistic::kWidth, kCell.q95 - kCell.q05},
    {"ShareAbove", MapStatistic::kShareAbove, kCell.shareAbove},
};

class MapStatistics : public testing::TestWithParam<StatisticCase> {};

TEST_P(MapStatistics, ReadTheirPartOfTheCell) {
  EXPECT_EQ(StatisticOfCell(kCell, GetParam().statistic), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MapStatistics, testing::ValuesIn(kStatistics),
                         test_support::CaseName());

TEST(ParameterMapCommand, SweepsTheLevelsValuesXFirstAndSaysSamePopulations) {
  const MapRequest request = SmallMap(true);
  MapLevel level;
  level.xPositions = {0, 20};
  level.yPositions = {1, 10};
  const std::string command = MapSweepCommand(request, level);
  EXPECT_NE(command.find(" --distR 1 "), std::string::npos) << command;
  EXPECT_NE(command.find(" --sweep paramJ=0,1 --sweep valueT=0.1,1 --replicates 3 "
                         "--same-populations"),
            std::string::npos)
      << command;
  EXPECT_EQ(MapSweepCommand(SmallMap(false), level).find("--same-populations"), std::string::npos);
}

}  // namespace
}  // namespace batch
