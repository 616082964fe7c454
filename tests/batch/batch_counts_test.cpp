#include "batch/batch_counts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace batch {
namespace {

struct CountCase {
  const char* text;
  std::string replicatesError;  // empty when accepted
  std::string jobsError;
};

class BatchCountsTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(BatchCountsTest, ReadsAsTheRunnerReads) {
  const CountCase& c = GetParam();
  std::uint64_t replicates = 0;
  unsigned jobs = 0;
  EXPECT_EQ(ReadReplicates(c.text, replicates), c.replicatesError);
  EXPECT_EQ(ReadJobs(c.text, jobs), c.jobsError);
  if (c.replicatesError.empty()) {
    EXPECT_EQ(std::to_string(replicates), c.text);
  }
  if (c.jobsError.empty()) {
    EXPECT_EQ(std::to_string(jobs), c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BatchCountsTest,
    ::testing::Values(
        CountCase{"1", "", ""}, CountCase{"256", "", ""},
        CountCase{"257", "", "--jobs: 257 is outside 1 to " + std::to_string(kMaxJobs)},
        CountCase{"0", "--replicates: 0 is outside 1 or more", "--jobs: 0 is outside 1 to 256"},
        CountCase{"x", "--replicates: expected a whole number, got \"x\"",
                  "--jobs: expected a whole number, got \"x\""}));

TEST(BatchCountsTest, DefaultJobsIsAtLeastOne) {
  EXPECT_GE(DefaultJobs(), 1u);
}

}  // namespace
}  // namespace batch
