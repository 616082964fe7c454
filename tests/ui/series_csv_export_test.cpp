// "Save Series as CSV": the file equals corvellan-run's output for the seed
// and the arguments of the run on screen, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "model/population_model.h"
#include "res/control_ids.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/temporary_current_directory.h"

namespace ui_test {
namespace {

constexpr const char* kCsvFile = "series.csv";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What corvellan-run prints for this seed and these arguments, every one
// given as an option in the runner's own spelling.
std::string RunnerCsv(std::int32_t seed, const model::RunArguments& arguments) {
  std::vector<std::string> args = {"--seed", std::to_string(seed)};
  for (const run::ParameterRow& entry : run::ParameterTable()) {
    args.push_back("--" + std::string(entry.name));
    args.push_back(run::FormatRoundTrip(run::ParameterValue(entry, arguments)));
  }
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(cli::RunCommandLine(args, out, err), cli::kExitSuccess) << err.str();
  return out.str();
}

struct Scenario {
  const char* name;
  std::function<void(MainDialogHarness&)> play;
};

std::ostream& operator<<(std::ostream& out, const Scenario& s) {
  return out << s.name;
}

const std::vector<Scenario> kScenarios = {
    {"StartUp", [](MainDialogHarness&) {}},
    {"NormalRWithSanctions",
     [](MainDialogHarness& h) {
       h.Click(res::kIdRadioNormalR);
       EnableRPrime(h);
       h.Keys(res::kIdSliderJ, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right});
       h.Keys(res::kIdSliderX, {Qt::Key_Home});
       h.Keys(res::kIdSliderJPrime, {Qt::Key_PageDown});
       h.Keys(res::kIdSliderM, {Qt::Key_End});
     }},
    // Sigma at 35 passes 0.35000000000000003, which the file must keep exactly.
    {"LogNormalWithCorrelations",
     [](MainDialogHarness& h) {
       h.Click(res::kIdRadioLogNormalR);
       h.Click(res::kIdRadioNormalI);
       h.Click(res::kIdRadioNormalR);
       h.Keys(res::kIdSliderSigmaR, {Qt::Key_End});
       h.Keys(res::kIdSliderCorrRI, {Qt::Key_PageUp, Qt::Key_Left});
       h.Keys(res::kIdSliderCountR, {Qt::Key_PageUp, Qt::Key_PageUp});
     }},
    // Position 29 of an "N" trackbar requests 28 agents.
    {"AgentCountEdge",
     [](MainDialogHarness& h) {
       h.Keys(res::kIdSliderCountR, {Qt::Key_Home});
       for (int step = 0; step < 29; ++step) {
         h.Key(res::kIdSliderCountR, Qt::Key_Right);
       }
     }},
};

class SaveSeriesCsv : public testing::TestWithParam<Scenario> {
 protected:
  TemporaryCurrentDirectory directory_;
  MainDialogHarness harness_;
  MenuChooser chooser_;
};

TEST_P(SaveSeriesCsv, EqualsTheRunnersOutputForTheRunOnScreen) {
  GetParam().play(harness_);
  const model::RunArguments onScreen = harness_.LastRun();
  const std::int32_t seed = harness_.Dialog().model.runSeed;
  const SaveFileAnswer answer((directory_.Path() / kCsvFile).string());

  ChooseFromGraphMenu(harness_, chooser_, kSaveCsvItem);

  const std::string saved = ReadFile(directory_.Path() / kCsvFile);
  EXPECT_EQ(saved, RunnerCsv(seed, onScreen));
  EXPECT_TRUE(harness_.Messages().empty());
}

// The file holds the graph's own numbers: each saved value reads back as the
// single-precision point the window draws.
TEST_P(SaveSeriesCsv, HoldsTheSeriesOnScreen) {
  GetParam().play(harness_);
  const SaveFileAnswer answer((directory_.Path() / kCsvFile).string());
  ChooseFromGraphMenu(harness_, chooser_, kSaveCsvItem);

  std::istringstream lines(ReadFile(directory_.Path() / kCsvFile));
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("# corvellan-run --seed " + std::to_string(harness_.Dialog().model.runSeed) +
                           " --paramJ ",
                       0),
            0U)
      << line;
  std::getline(lines, line);
  EXPECT_EQ(line,
            "step,firstOrderRate,secondOrderRate,meanPropensityVolunteers,"
            "meanPropensityNonVolunteers,meanPropensity");
  const auto series = harness_.Dialog().model.Series();
  int step = 0;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string field;
    std::getline(fields, field, ',');
    EXPECT_EQ(field, std::to_string(step));
    for (const float* values : series) {
      ASSERT_TRUE(std::getline(fields, field, ','));
      EXPECT_EQ(std::stof(field), values[step]) << "step " << step;
    }
    ++step;
  }
  EXPECT_EQ(step, model::kStepCount);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SaveSeriesCsv, testing::ValuesIn(kScenarios),
                         test_support::CaseName());

// The series of a run made since the menu was last used, never of an older one.
TEST(SaveSeriesCsvTwice, EachFileHoldsTheRunOnScreenThen) {
  TemporaryCurrentDirectory directory;
  MainDialogHarness harness;
  MenuChooser chooser;
  harness.Click(res::kIdRadioNormalR);
  for (const char* name : {"first.csv", "second.csv"}) {
    harness.Key(res::kIdSliderMedianR, Qt::Key_Right);
    const SaveFileAnswer answer((directory.Path() / name).string());
    ChooseFromGraphMenu(harness, chooser, kSaveCsvItem);
    EXPECT_EQ(ReadFile(directory.Path() / name),
              RunnerCsv(harness.Dialog().model.runSeed, harness.LastRun()))
        << name;
  }
}

// A run the model refuses leaves the graph on the last run that passed its
// checks; the file holds that run, with its seed.
TEST(SaveSeriesCsvAfterARefusedRun, HoldsTheLastRunThatPassedItsChecks) {
  TemporaryCurrentDirectory directory;
  MainDialogHarness harness;
  MenuChooser chooser;
  constexpr std::int32_t kShownSeed = 424242;
  harness.Dialog().model.fixedSeed = kShownSeed;
  harness.Click(res::kIdRadioNormalT);
  const model::RunArguments shown = harness.LastRun();

  harness.Dialog().model.fixedSeed = kShownSeed + 1;
  harness.Dialog().agentCount = 0;  // the model refuses N = 0
  harness.Key(res::kIdSliderJ, Qt::Key_Right);
  ASSERT_FALSE(harness.Messages().empty());  // one per run: the key's step and its end
  for (const ShownMessage& message : harness.Messages()) {
    ASSERT_EQ(message.text, model::kMessageBadN);
  }
  ASSERT_EQ(harness.LastRun().agentCount, 0);

  const SaveFileAnswer answer((directory.Path() / kCsvFile).string());
  ChooseFromGraphMenu(harness, chooser, kSaveCsvItem);
  EXPECT_EQ(ReadFile(directory.Path() / kCsvFile), RunnerCsv(kShownSeed, shown));
  EXPECT_EQ(harness.Dialog().ShownRun()->seed, kShownSeed);
}

}  // namespace
}  // namespace ui_test
