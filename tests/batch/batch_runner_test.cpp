#include "batch/batch_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/case_name.h"

namespace batch {
namespace {

constexpr std::size_t kValuesPerRun = 2;
constexpr std::uint64_t kNeverFails = ~0ull;

// Makes a run's values from its place in the batch, sometimes after a short
// pause so that later runs finish before earlier ones.
class FakeWorker : public BatchWorker {
 public:
  explicit FakeWorker(std::uint64_t failingRecord) : failingRecord_(failingRecord) {}

  void Run(std::uint64_t record, std::uint64_t part, std::span<float> values) override {
    if (record == failingRecord_) throw std::runtime_error("record failed");
    if ((record * 7 + part) % 5 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
    values[0] = static_cast<float>(record);
    values[1] = static_cast<float>(part);
  }

  void Format(std::uint64_t record, std::span<const float> values, std::string& text) override {
    text += std::to_string(record) + ":";
    for (std::size_t i = 0; i < values.size(); i += kValuesPerRun) {
      text += std::to_string(static_cast<int>(values[i])) + "/" +
              std::to_string(static_cast<int>(values[i + 1])) + " ";
    }
    text += "\n";
  }

 private:
  const std::uint64_t failingRecord_;
};

std::string ExpectedText(std::uint64_t records, std::uint64_t runsPerRecord) {
  std::string text;
  for (std::uint64_t r = 0; r < records; ++r) {
    text += std::to_string(r) + ":";
    for (std::uint64_t p = 0; p < runsPerRecord; ++p) {
      text += std::to_string(r) + "/" + std::to_string(p) + " ";
    }
    text += "\n";
  }
  return text;
}

struct FakeBatch {
  BatchOutcome outcome;
  std::string text;
  std::vector<std::uint64_t> progress;
};

struct Setup {
  std::uint64_t records = 0;
  std::uint64_t runsPerRecord = 1;
  unsigned jobs = 1;
  std::uint64_t failingRecord = kNeverFails;
  std::uint64_t stopAfterRecords = kNeverFails;  // raise the stop flag once written
  std::uint64_t refuseWriteAt = kNeverFails;     // write returns false for this record
};

FakeBatch RunFake(const Setup& setup) {
  FakeBatch run;
  std::atomic<bool> stop{false};
  std::uint64_t written = 0;
  BatchCallbacks callbacks;
  callbacks.makeWorker = [&] { return std::make_unique<FakeWorker>(setup.failingRecord); };
  callbacks.write = [&](std::string_view text) {
    if (written == setup.refuseWriteAt) return false;
    run.text += text;
    if (++written == setup.stopAfterRecords) stop = true;
    return true;
  };
  callbacks.progress = [&](std::uint64_t done) { run.progress.push_back(done); };
  const BatchShape shape{setup.records, setup.runsPerRecord, kValuesPerRun, setup.jobs};
  run.outcome = RunOrderedBatch(shape, callbacks, stop);
  return run;
}

struct OrderCase {
  const char* name;
  std::uint64_t records;
  std::uint64_t runsPerRecord;
  unsigned jobs;
};

const OrderCase kOrderCases[] = {
    {"OneJob", 300, 1, 1},
    {"TwoJobs", 300, 1, 2},
    {"EightJobs", 300, 1, 8},
    {"RecordsOfThreeRuns", 100, 3, 4},
    {"RecordsOfFortyRuns", 10, 40, 3},
    {"MoreJobsThanRuns", 2, 1, 16},
    {"NoRecords", 0, 1, 2},
};

class OrderedOutput : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OrderedOutput, ComesInRecordOrderWithinABoundedWindow) {
  const OrderCase& c = GetParam();
  const FakeBatch run = RunFake({c.records, c.runsPerRecord, c.jobs});
  EXPECT_EQ(run.outcome.end, BatchEnd::kComplete);
  EXPECT_EQ(run.text, ExpectedText(c.records, c.runsPerRecord));
  EXPECT_EQ(run.outcome.recordsWritten, c.records);
  EXPECT_EQ(run.outcome.runsDone, c.records * c.runsPerRecord);
  EXPECT_LE(run.outcome.peakRecordsHeld, WindowRecords(c.runsPerRecord, c.jobs));
  if (c.records > 0) {
    ASSERT_FALSE(run.progress.empty());
    EXPECT_EQ(run.progress.back(), c.records * c.runsPerRecord);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OrderedOutput, ::testing::ValuesIn(kOrderCases),
                         test_support::CaseName());

TEST(BatchRunner, TheWindowIsSmallBesideALongBatch) {
  constexpr std::uint64_t kRecords = 2000;
  const FakeBatch run = RunFake({kRecords, 1, 2});
  EXPECT_EQ(run.outcome.end, BatchEnd::kComplete);
  EXPECT_LE(run.outcome.peakRecordsHeld, WindowRecords(1, 2));
  EXPECT_LT(WindowRecords(1, 2) * 10, kRecords);
}

TEST(BatchRunner, WindowKeepsEveryJobBusyAndAtLeastTwoRecords) {
  EXPECT_EQ(WindowRecords(1, 2), 32u);
  EXPECT_EQ(WindowRecords(20, 2), 2u);
  EXPECT_EQ(WindowRecords(1000, 8), 2u);
  EXPECT_EQ(WindowRecords(3, 1), 6u);
}

struct StopCase {
  const char* name;
  std::uint64_t runsPerRecord;
  unsigned jobs;
};

const StopCase kStopCases[] = {
    {"RunsOneJob", 1, 1}, {"RunsThreeJobs", 1, 3}, {"SummaryTwoJobs", 5, 2}};

class Stopped : public ::testing::TestWithParam<StopCase> {};

TEST_P(Stopped, WritesEveryFinishedRecordInOrderAndStartsNoOther) {
  constexpr std::uint64_t kRecords = 400;
  constexpr std::uint64_t kStopAfter = 10;
  const StopCase& c = GetParam();
  const FakeBatch run = RunFake({kRecords, c.runsPerRecord, c.jobs, kNeverFails, kStopAfter});
  EXPECT_EQ(run.outcome.end, BatchEnd::kStopped);
  const std::uint64_t written = run.outcome.recordsWritten;
  EXPECT_GE(written, kStopAfter);
  // No more than the window could have started before the flag was seen.
  EXPECT_LE(written, kStopAfter + WindowRecords(c.runsPerRecord, c.jobs));
  EXPECT_EQ(run.text, ExpectedText(written, c.runsPerRecord));
  // Every run started was finished; only the last record started can lack runs.
  EXPECT_GE(run.outcome.runsDone, written * c.runsPerRecord);
  EXPECT_LT(run.outcome.runsDone, (written + 1) * c.runsPerRecord);
}

INSTANTIATE_TEST_SUITE_P(Cases, Stopped, ::testing::ValuesIn(kStopCases), test_support::CaseName());

TEST(BatchRunner, AStopBeforeTheStartWritesNothing) {
  std::atomic<bool> stop{true};
  std::string text;
  BatchCallbacks callbacks;
  callbacks.makeWorker = [] { return std::make_unique<FakeWorker>(kNeverFails); };
  callbacks.write = [&](std::string_view t) {
    text += t;
    return true;
  };
  const BatchOutcome outcome = RunOrderedBatch({50, 1, kValuesPerRun, 2}, callbacks, stop);
  EXPECT_EQ(outcome.end, BatchEnd::kStopped);
  EXPECT_EQ(outcome.runsDone, 0u);
  EXPECT_EQ(text, "");
}

TEST(BatchRunner, AFailedWriteStopsTheBatch) {
  const FakeBatch run = RunFake({1000, 1, 2, kNeverFails, kNeverFails, 5});
  EXPECT_EQ(run.outcome.end, BatchEnd::kWriteFailed);
  EXPECT_EQ(run.outcome.recordsWritten, 5u);
  EXPECT_EQ(run.text, ExpectedText(5, 1));
  EXPECT_LT(run.outcome.runsDone, 1000u);
}

TEST(BatchRunner, AFailedRunEndsTheBatchAfterTheRecordsBeforeIt) {
  constexpr std::uint64_t kFailing = 7;
  for (const unsigned jobs : {1u, 3u}) {
    const FakeBatch run = RunFake({1000, 1, jobs, kFailing});
    EXPECT_EQ(run.outcome.end, BatchEnd::kRunFailed);
    EXPECT_EQ(run.outcome.failure, "record failed");
    EXPECT_EQ(run.outcome.recordsWritten, kFailing) << jobs;
    EXPECT_EQ(run.text, ExpectedText(kFailing, 1));
  }
}

TEST(BatchRunner, AWorkerThatCannotBeMadeFailsTheBatch) {
  std::atomic<bool> stop{false};
  BatchCallbacks callbacks;
  callbacks.makeWorker = []() -> std::unique_ptr<BatchWorker> {
    throw std::runtime_error("no worker");
  };
  callbacks.write = [](std::string_view) { return true; };
  const BatchOutcome outcome = RunOrderedBatch({10, 1, kValuesPerRun, 2}, callbacks, stop);
  EXPECT_EQ(outcome.end, BatchEnd::kRunFailed);
  EXPECT_EQ(outcome.failure, "no worker");
  EXPECT_EQ(outcome.recordsWritten, 0u);
}

TEST(BatchRunner, ARecordTooLargeForMemoryFailsTheBatch) {
  constexpr std::uint64_t kRunsBeyondMemory = std::uint64_t{1} << 62;
  std::atomic<bool> stop{false};
  BatchCallbacks callbacks;
  callbacks.makeWorker = [] { return std::make_unique<FakeWorker>(kNeverFails); };
  callbacks.write = [](std::string_view) { return true; };
  const BatchOutcome outcome =
      RunOrderedBatch({1, kRunsBeyondMemory, kValuesPerRun, 2}, callbacks, stop);
  EXPECT_EQ(outcome.end, BatchEnd::kRunFailed);
  EXPECT_EQ(outcome.failure, "not enough memory for the values of 4611686018427387904 runs");
  EXPECT_EQ(outcome.runsDone, 0u);
}

}  // namespace
}  // namespace batch
