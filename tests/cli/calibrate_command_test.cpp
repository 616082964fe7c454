#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "batch/measures.h"
#include "batch/run_values.h"
#include "model/result_series.h"
#include "run_description/observed_data.h"
#include "run_description/saved_run.h"
#include "tests/cli/command_line_helpers.h"
#include "tests/cli/working_folder.h"
#include "tests/support/case_name.h"

namespace cli {
namespace {

using testing::Invoke;
using testing::Lines;
using testing::Outcome;
using testing::Split;

constexpr const char* kObserved = "observed.csv";

// Observed data the runner made at paramJ 0.3 and valueT 0.6, every series and
// step, as a user makes it.
void WriteObserved() {
  const Outcome made = Invoke({"--seed", "5", "--paramJ", "0.3", "--valueT", "0.6"});
  ASSERT_EQ(made.status, kExitSuccess) << made.err;
  std::ofstream(kObserved, std::ios::binary) << made.out;
}

std::vector<std::string> SmallFit(std::vector<std::string> more = {}) {
  std::vector<std::string> args = {
      "--seed",         "7",           "--calibrate", kObserved,  "--fit", "paramJ", "--fit",
      "valueT=0.3:0.9", "--particles", "40",          "--budget", "1500",  "--jobs", "2"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;
  std::string error;
};

const RefusalCase kRefusals[] = {
    {"FitWithoutCalibrate", {"--fit", "paramJ"}, "--fit belongs to a fit: give --calibrate FILE"},
    {"BudgetWithoutCalibrate",
     {"--budget", "10"},
     "--budget belongs to a fit: give --calibrate FILE"},
    {"NothingToFit", {"--calibrate", kObserved}, "--calibrate needs at least one --fit NAME"},
    {"SevenParameters",
     {"--calibrate", kObserved, "--fit", "paramJ", "--fit", "paramX", "--fit", "medianR", "--fit",
      "sigmaR", "--fit", "valueI", "--fit", "sigmaI", "--fit", "valueT"},
     "--fit: at most 6 parameters are fitted at once"},
    {"FittedTwice",
     {"--calibrate", kObserved, "--fit", "paramJ", "--fit", "paramJ=0:0.5"},
     "--fit: paramJ is fitted twice"},
    {"FittedAndSet",
     {"--calibrate", kObserved, "--paramJ", "0.3", "--fit", "paramJ"},
     "--paramJ sets what --fit paramJ fits: give one of them"},
    {"NoTrackbar",
     {"--calibrate", kObserved, "--fit", "slopeM"},
     "--fit \"slopeM\" is set by no trackbar; the parameters to fit are paramJ, paramX, "
     "medianR, sigmaR, valueI, sigmaI, valueT, sigmaT, valueE, sigmaE, medianRPrime, "
     "sigmaRPrime, paramJPrime, paramM, corrRRPrime, corrRI, corrRPrimeI, corrET, "
     "requestedCountR, requestedCountRPrime"},
    {"PriorPastTheTrackbar",
     {"--calibrate", kObserved, "--fit", "paramM=0.5:1.5"},
     "--fit paramM: the prior must lie within the trackbar's range, 1 to 2"},
    {"MissingFile",
     {"--calibrate", "missing.csv", "--fit", "paramJ"},
     "--calibrate missing.csv: cannot be read: No such file or directory"},
    {"FolderForFile",
     {"--calibrate", ".", "--fit", "paramJ"},
     "--calibrate .: cannot be read: it is a folder"},
    {"BadFile",
     {"--calibrate", "bad.csv", "--fit", "paramJ"},
     "--calibrate bad.csv: line 3, field meanPropensity: \"1.5\" lies outside 0 to 1"},
    {"OneParticle",
     {"--calibrate", kObserved, "--fit", "paramJ", "--particles", "1"},
     "--particles: 1 is outside 2 to 100000"},
    {"BudgetBelowAPopulation",
     {"--calibrate", kObserved, "--fit", "paramJ", "--budget", "499"},
     "the budget must at least pay for the first population (500 simulations)"},
    {"QuantileOne",
     {"--calibrate", kObserved, "--fit", "paramJ", "--quantile", "1"},
     "the quantile must lie between 0 and 1"},
    {"QuantileNotANumber",
     {"--calibrate", kObserved, "--fit", "paramJ", "--quantile", "half"},
     "--quantile: expected a number, got \"half\""},
    {"WithASweep",
     {"--calibrate", kObserved, "--fit", "paramJ", "--sweep", "paramX=0:1:0.5"},
     "--calibrate runs a fit of its own: leave out the batch and overlay options"},
    {"AsJson",
     {"--calibrate", kObserved, "--fit", "paramJ", "--format", "json"},
     "--calibrate writes CSV: leave out --format"},
};

class RefusedFit : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedFit, IsOneLineAndNoFile) {
  const testing::WorkingFolder folder;
  WriteObserved();
  std::ofstream("bad.csv") << "step,meanPropensity\n0,0.5\n1,1.5\n";
  std::vector<std::string> args = GetParam().args;
  args.insert(args.end(), {"--out", "fit.csv"});
  const Outcome outcome = Invoke(args);
  EXPECT_EQ(outcome.status, kExitBadInput);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "corvellan-run: " + GetParam().error + "\n");
  EXPECT_FALSE(std::filesystem::exists("fit.csv"));
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedFit, ::testing::ValuesIn(kRefusals),
                         test_support::CaseName());

TEST(Calibrate, WritesTheSameBytesWhateverTheJobsAndTheCommandRepeatsThem) {
  const testing::WorkingFolder folder;
  WriteObserved();
  std::vector<std::string> one = SmallFit();
  one.back() = "1";
  const Outcome first = Invoke(one);
  const Outcome second = Invoke(SmallFit());
  ASSERT_EQ(first.status, kExitSuccess) << first.err;
  ASSERT_EQ(second.status, kExitSuccess) << second.err;
  EXPECT_EQ(first.out, second.out);

  const std::vector<std::string> lines = Lines(first.out);
  ASSERT_GE(lines.size(), 3u + 40u);
  EXPECT_EQ(lines[0],
            "# corvellan-run --seed 7 --calibrate observed.csv --fit paramJ=0:1 --fit "
            "valueT=0.3:0.9 --particles 40 --budget 1500 --quantile 0.5 --final-tolerance 0 "
            "--min-acceptance 0.01");
  EXPECT_TRUE(lines[1].starts_with("# ended: ")) << lines[1];
  EXPECT_EQ(lines[2], "population,particle,tolerance,weight,distance,seed,paramJ,valueT");
  EXPECT_EQ(lines.size(), 3u + 40u);

  std::vector<std::string> again =
      Split(lines[0].substr(std::string("# corvellan-run ").size()), ' ');
  again.insert(again.end(), {"--out", "again.csv"});
  ASSERT_EQ(Invoke(again).status, kExitSuccess);
  EXPECT_EQ(testing::Read("again.csv"), first.out);
}

// A particle's seed and parameters with the fit's other settings make the
// run whose distance its row gives.
TEST(Calibrate, EveryParticleIsARunOfItsSeedAndSettings) {
  const testing::WorkingFolder folder;
  WriteObserved();
  // Only the late first-order rate is observed, and a setting is not the default.
  std::ofstream("late.csv") << "step,firstOrderRate\n90,0.3\n95,NA\n100,0.35\n";
  const Outcome fit =
      Invoke({"--seed", "3", "--calibrate", "late.csv", "--fit", "requestedCountR=20:100", "--fit",
              "paramJ", "--sigmaT", "0.1", "--particles", "30", "--budget", "400", "--jobs", "2"});
  ASSERT_EQ(fit.status, kExitSuccess) << fit.err;
  const run::ObservedDataReading observed = run::ReadObservedData(testing::Read("late.csv"));
  ASSERT_TRUE(observed.data.has_value());
  const std::vector<std::string> lines = Lines(fit.out);
  ASSERT_EQ(lines[2], "population,particle,tolerance,weight,distance,seed,requestedCountR,paramJ");
  for (std::size_t row = 3; row < lines.size(); row += 7) {
    const std::vector<std::string> cells = Split(lines[row]);
    ASSERT_EQ(cells.size(), 8u);
    EXPECT_EQ(cells[6].find('.'), std::string::npos) << "a count is whole: " << cells[6];
    const Outcome run = Invoke({"--seed", cells[5], "--requestedCountR", cells[6], "--paramJ",
                                cells[7], "--sigmaT", "0.1"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const run::SavedRunReading saved = run::ReadSavedRun(run.out);
    ASSERT_TRUE(saved.run.has_value()) << saved.error;
    const double distance = batch::RootMeanSquareDistance(saved.run->series, observed.data->points);
    EXPECT_EQ(std::stod(cells[4]), distance) << lines[row];
  }
}

TEST(Calibrate, WritesEveryPopulationWhenAskedTheLastOneAsAlone) {
  const testing::WorkingFolder folder;
  WriteObserved();
  const Outcome last = Invoke(SmallFit({"--max-populations", "3"}));
  const Outcome all = Invoke(SmallFit({"--max-populations", "3", "--all-populations"}));
  ASSERT_EQ(last.status, kExitSuccess) << last.err;
  ASSERT_EQ(all.status, kExitSuccess) << all.err;
  const std::vector<std::string> lastLines = Lines(last.out);
  const std::vector<std::string> allLines = Lines(all.out);
  EXPECT_EQ(lastLines[1], "# ended: the last population allowed was made; " +
                              lastLines[1].substr(lastLines[1].find("; ") + 2));
  EXPECT_TRUE(allLines[0].ends_with(" --max-populations 3 --all-populations")) << allLines[0];
  ASSERT_EQ(allLines.size(), 3u + 3 * 40u);
  double previousTolerance = 2.0;
  for (std::size_t population = 0; population < 3; ++population) {
    double weights = 0.0;
    for (std::size_t i = 0; i < 40; ++i) {
      const std::vector<std::string> cells = Split(allLines[3 + population * 40 + i]);
      EXPECT_EQ(cells[0], std::to_string(population));
      EXPECT_EQ(cells[1], std::to_string(i));
      weights += std::stod(cells[3]);
      const double tolerance = population == 0 ? 2.0 : std::stod(cells[2]);
      EXPECT_LE(tolerance, previousTolerance);
      if (i == 39) previousTolerance = tolerance;
    }
    EXPECT_NEAR(weights, 1.0, 1e-9);
  }
  // The final population alone is the last rows of every population.
  for (std::size_t i = 3; i < lastLines.size(); ++i) {
    EXPECT_EQ(lastLines[i], allLines[allLines.size() - lastLines.size() + i]);
  }
}

}  // namespace
}  // namespace cli
