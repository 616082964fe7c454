#include "batch/unit_shard_design.h"

#include <gtest/gtest.h>

#include <set>

#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"

namespace batch {
namespace {

struct ShardCase {
  const char* name;
  std::size_t baseRows;
  std::uint64_t shards;
};

const ShardCase kCases[] = {
    {"OneShard", 4, 1},
    {"EvenSplit", 6, 3},
    {"UnevenSplit", 7, 3},
    {"MoreShardsThanRows", 2, 5},
};

class UnitShardDesignTest : public ::testing::TestWithParam<ShardCase> {};

// Together the shards hold every record of the whole design once, each
// shard whole base rows in order, with the whole design's settings and seeds.
TEST_P(UnitShardDesignTest, ShardsShareOutWholeUnits) {
  const ShardCase& c = GetParam();
  SensitivityContext context;
  context.arguments = run::DefaultRunArguments();
  context.factors = TrackbarFactors(context.arguments);
  context.seed = 3;
  const SobolModelDesign whole(context, c.baseRows);
  std::multiset<std::uint64_t> seen;
  for (std::uint64_t index = 0; index < c.shards; ++index) {
    const UnitShardDesign part(whole, {index, c.shards});
    std::uint64_t previous = 0;
    for (std::uint64_t local = 0; local < part.RecordCount(); ++local) {
      const std::uint64_t record = part.WholeRecord(local);
      EXPECT_EQ(whole.RowOf(record) % c.shards, index);
      if (local > 0) {
        EXPECT_GT(record, previous);
      }
      previous = record;
      EXPECT_EQ(part.Arguments(local), whole.Arguments(record));
      EXPECT_EQ(part.Seed(local, 0), whole.Seed(record, 0));
      seen.insert(record);
    }
  }
  ASSERT_EQ(seen.size(), whole.RecordCount());
  EXPECT_EQ(std::set<std::uint64_t>(seen.begin(), seen.end()).size(), whole.RecordCount());
}

INSTANTIATE_TEST_SUITE_P(Cases, UnitShardDesignTest, ::testing::ValuesIn(kCases),
                         test_support::CaseName());

}  // namespace
}  // namespace batch
