#include "batch/record_engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/case_name.h"

namespace batch {
namespace {

constexpr std::uint64_t kNeverFails = ~0ull;
// The fake design packs a run's record and part into its seed.
constexpr std::int32_t kPartsPerSeed = 1000;

class FakeDesign : public Design {
 public:
  FakeDesign(std::uint64_t records, std::uint64_t runsPerRecord)
      : records_(records), runsPerRecord_(runsPerRecord) {}
  std::uint64_t RecordCount() const override { return records_; }
  std::uint64_t RunsPerRecord() const override { return runsPerRecord_; }
  model::RunArguments Arguments(std::uint64_t) const override { return {}; }
  std::int32_t Seed(std::uint64_t record, std::uint64_t part) const override {
    return static_cast<std::int32_t>(record) * kPartsPerSeed + static_cast<std::int32_t>(part);
  }

 private:
  std::uint64_t records_;
  std::uint64_t runsPerRecord_;
};

// Makes a run's values from its seed, sometimes after a short pause so that
// later runs finish before earlier ones.
class FakeRunner : public RunMaker {
 public:
  explicit FakeRunner(std::uint64_t failingRecord) : failingRecord_(failingRecord) {}

  void Run(const model::RunArguments&, std::int32_t seed, std::span<float> values) override {
    const std::uint64_t record = static_cast<std::uint64_t>(seed / kPartsPerSeed);
    const std::uint64_t part = static_cast<std::uint64_t>(seed % kPartsPerSeed);
    if (record == failingRecord_) throw std::runtime_error("record failed");
    if ((record * 7 + part) % 5 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
    values[0] = static_cast<float>(record);
    values[kValuesPerRun - 1] = static_cast<float>(part);
  }

 private:
  const std::uint64_t failingRecord_;
};

std::string RecordText(const Record& record) {
  std::string text = std::to_string(record.index) + ":";
  for (std::uint64_t r = 0; r < record.RunCount(); ++r) {
    const std::span<const float> run = record.Run(r);
    text += std::to_string(static_cast<int>(run[0])) + "/" +
            std::to_string(static_cast<int>(run[kValuesPerRun - 1])) + " ";
  }
  return text + "\n";
}

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

struct FakeSetup {
  std::uint64_t records = 0;
  std::uint64_t runsPerRecord = 1;
  unsigned jobs = 1;
  std::uint64_t failingRecord = kNeverFails;
  std::uint64_t stopAfterRecords = kNeverFails;  // raise the stop flag once consumed
  std::uint64_t refuseAt = kNeverFails;          // Consume returns false for this record
  bool formatInConsume = false;                  // read the values in Consume rather than Digest
};

// Writes each record's values as text, made on the workers (as writers do) or
// in order on the calling thread.
class TextConsumer : public RecordConsumer {
 public:
  TextConsumer(const FakeSetup& setup, std::atomic<bool>& stop) : setup_(setup), stop_(stop) {}

  std::string text;

  void Open(std::size_t slots) override { digests_.resize(slots); }
  void Digest(const Record& record, std::size_t slot) override {
    if (!setup_.formatInConsume) digests_[slot] = RecordText(record);
  }
  bool Consume(const Record& record, std::size_t slot) override {
    if (consumed_ == setup_.refuseAt) return false;
    text += setup_.formatInConsume ? RecordText(record) : digests_[slot];
    if (++consumed_ == setup_.stopAfterRecords) stop_ = true;
    return true;
  }

 private:
  const FakeSetup& setup_;
  std::atomic<bool>& stop_;
  std::vector<std::string> digests_;
  std::uint64_t consumed_ = 0;
};

struct FakeDesignRun {
  DesignOutcome outcome;
  std::string text;
  std::vector<std::uint64_t> progress;
};

FakeDesignRun RunFake(const FakeSetup& setup) {
  FakeDesignRun run;
  std::atomic<bool> stop{false};
  const FakeDesign design(setup.records, setup.runsPerRecord);
  TextConsumer consumer(setup, stop);
  EngineSettings settings;
  settings.jobs = setup.jobs;
  settings.progress = [&](std::uint64_t done) { run.progress.push_back(done); };
  settings.makeRunner = [&] { return std::make_unique<FakeRunner>(setup.failingRecord); };
  run.outcome = RunDesign(design, consumer, settings, stop);
  run.text = consumer.text;
  return run;
}

struct OrderCase {
  const char* name;
  std::uint64_t records;
  std::uint64_t runsPerRecord;
  unsigned jobs;
  bool formatInConsume = false;
};

const OrderCase kOrderCases[] = {
    {"OneJob", 300, 1, 1},
    {"TwoJobs", 300, 1, 2},
    {"EightJobs", 300, 1, 8},
    {"RecordsOfThreeRuns", 100, 3, 4},
    {"RecordsOfFortyRuns", 10, 40, 3},
    {"MoreJobsThanRuns", 2, 1, 16},
    {"NoRecords", 0, 1, 2},
    // The values are still the record's own while it is consumed.
    {"ReadInConsumeEightJobs", 300, 1, 8, true},
    {"ReadInConsumeRecordsOfFortyRuns", 10, 40, 3, true},
};

class OrderedOutput : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OrderedOutput, ComesInRecordOrderWithinABoundedWindow) {
  const OrderCase& c = GetParam();
  FakeSetup setup{c.records, c.runsPerRecord, c.jobs};
  setup.formatInConsume = c.formatInConsume;
  const FakeDesignRun run = RunFake(setup);
  EXPECT_EQ(run.outcome.end, DesignEnd::kComplete);
  EXPECT_EQ(run.text, ExpectedText(c.records, c.runsPerRecord));
  EXPECT_EQ(run.outcome.recordsConsumed, c.records);
  EXPECT_EQ(run.outcome.runsDone, c.records * c.runsPerRecord);
  EXPECT_LE(run.outcome.peakRecordsHeld, WindowRecords(c.runsPerRecord, c.jobs));
  if (c.records > 0) {
    ASSERT_FALSE(run.progress.empty());
    EXPECT_EQ(run.progress.back(), c.records * c.runsPerRecord);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OrderedOutput, ::testing::ValuesIn(kOrderCases),
                         test_support::CaseName());

TEST(RecordEngine, TheWindowIsSmallBesideALongBatch) {
  constexpr std::uint64_t kRecords = 2000;
  const FakeDesignRun run = RunFake({kRecords, 1, 2});
  EXPECT_EQ(run.outcome.end, DesignEnd::kComplete);
  EXPECT_LE(run.outcome.peakRecordsHeld, WindowRecords(1, 2));
  EXPECT_LT(WindowRecords(1, 2) * 10, kRecords);
}

TEST(RecordEngine, WindowKeepsEveryJobBusyAndAtLeastTwoRecords) {
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
  const FakeDesignRun run = RunFake({kRecords, c.runsPerRecord, c.jobs, kNeverFails, kStopAfter});
  EXPECT_EQ(run.outcome.end, DesignEnd::kStopped);
  const std::uint64_t written = run.outcome.recordsConsumed;
  EXPECT_GE(written, kStopAfter);
  // No more than the window could have started before the flag was seen.
  EXPECT_LE(written, kStopAfter + WindowRecords(c.runsPerRecord, c.jobs));
  EXPECT_EQ(run.text, ExpectedText(written, c.runsPerRecord));
  // Every run started was finished; only the last record started can lack runs.
  EXPECT_GE(run.outcome.runsDone, written * c.runsPerRecord);
  EXPECT_LT(run.outcome.runsDone, (written + 1) * c.runsPerRecord);
}

INSTANTIATE_TEST_SUITE_P(Cases, Stopped, ::testing::ValuesIn(kStopCases), test_support::CaseName());

TEST(RecordEngine, AStopBeforeTheStartConsumesNothing) {
  std::atomic<bool> stop{true};
  const FakeSetup setup{50, 1, 2};
  const FakeDesign design(setup.records, setup.runsPerRecord);
  TextConsumer consumer(setup, stop);
  EngineSettings settings;
  settings.jobs = setup.jobs;
  settings.makeRunner = [] { return std::make_unique<FakeRunner>(kNeverFails); };
  const DesignOutcome outcome = RunDesign(design, consumer, settings, stop);
  EXPECT_EQ(outcome.end, DesignEnd::kStopped);
  EXPECT_EQ(outcome.runsDone, 0u);
  EXPECT_EQ(consumer.text, "");
}

TEST(RecordEngine, ARefusingConsumerStopsTheDesign) {
  const FakeDesignRun run = RunFake({1000, 1, 2, kNeverFails, kNeverFails, 5});
  EXPECT_EQ(run.outcome.end, DesignEnd::kConsumerRefused);
  EXPECT_EQ(run.outcome.recordsConsumed, 5u);
  EXPECT_EQ(run.text, ExpectedText(5, 1));
  EXPECT_LT(run.outcome.runsDone, 1000u);
}

TEST(RecordEngine, AFailedRunEndsTheBatchAfterTheRecordsBeforeIt) {
  constexpr std::uint64_t kFailing = 7;
  for (const unsigned jobs : {1u, 3u}) {
    const FakeDesignRun run = RunFake({1000, 1, jobs, kFailing});
    EXPECT_EQ(run.outcome.end, DesignEnd::kRunFailed);
    EXPECT_EQ(run.outcome.failure, "record failed");
    EXPECT_EQ(run.outcome.recordsConsumed, kFailing) << jobs;
    EXPECT_EQ(run.text, ExpectedText(kFailing, 1));
  }
}

// A consumer that only counts, for the failures that come before any record.
class CountingConsumer : public RecordConsumer {
 public:
  bool Consume(const Record&, std::size_t) override { return ++consumed > 0; }
  std::uint64_t consumed = 0;
};

TEST(RecordEngine, ARunnerThatCannotBeMadeFailsTheDesign) {
  std::atomic<bool> stop{false};
  const FakeDesign design(10, 1);
  CountingConsumer consumer;
  EngineSettings settings;
  settings.jobs = 2;
  settings.makeRunner = []() -> std::unique_ptr<RunMaker> {
    throw std::runtime_error("no runner");
  };
  const DesignOutcome outcome = RunDesign(design, consumer, settings, stop);
  EXPECT_EQ(outcome.end, DesignEnd::kRunFailed);
  EXPECT_EQ(outcome.failure, "no runner");
  EXPECT_EQ(consumer.consumed, 0u);
}

TEST(RecordEngine, ARecordTooLargeForMemoryFailsTheDesign) {
  constexpr std::uint64_t kRunsBeyondMemory = std::uint64_t{1} << 62;
  std::atomic<bool> stop{false};
  const FakeDesign design(1, kRunsBeyondMemory);
  CountingConsumer consumer;
  EngineSettings settings;
  settings.jobs = 2;
  settings.makeRunner = [] { return std::make_unique<FakeRunner>(kNeverFails); };
  const DesignOutcome outcome = RunDesign(design, consumer, settings, stop);
  EXPECT_EQ(outcome.end, DesignEnd::kRunFailed);
  EXPECT_EQ(outcome.failure, "not enough memory for the values of 4611686018427387904 runs");
  EXPECT_EQ(outcome.runsDone, 0u);
}

// A consumer whose ordered step throws ends the design like a failed run.
class ThrowingConsumer : public RecordConsumer {
 public:
  bool Consume(const Record& record, std::size_t) override {
    if (record.index == 3) throw std::runtime_error("cannot take record 3");
    return true;
  }
};

TEST(RecordEngine, AThrowingConsumerFailsTheDesignAfterTheRecordsBeforeIt) {
  std::atomic<bool> stop{false};
  const FakeDesign design(100, 1);
  ThrowingConsumer consumer;
  EngineSettings settings;
  settings.jobs = 2;
  settings.makeRunner = [] { return std::make_unique<FakeRunner>(kNeverFails); };
  const DesignOutcome outcome = RunDesign(design, consumer, settings, stop);
  EXPECT_EQ(outcome.end, DesignEnd::kRunFailed);
  EXPECT_EQ(outcome.failure, "cannot take record 3");
  EXPECT_EQ(outcome.recordsConsumed, 3u);
}

}  // namespace
}  // namespace batch
