// "Open Series CSV": a saved run sets every control and comes back pixel for
// pixel; a file the window cannot take changes nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "platform/dialog_window.h"
#include "platform/file_dialog.h"
#include "res/control_ids.h"
#include "tests/support/case_name.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/temporary_current_directory.h"
#include "ui/radio_work.h"
#include "ui/slider_table.h"

namespace ui_test {
namespace {

constexpr std::string_view kOpenItem = "Open Series CSV\u2026";
constexpr std::int32_t kSavedSeed = 424242;

// Everything a user sees of the controls.
struct ControlState {
  std::vector<int> positions;
  std::vector<std::string> labels;
  std::vector<bool> checks;
  std::vector<bool> enabled;
  friend bool operator==(const ControlState&, const ControlState&) = default;
};

ControlState StateOf(const MainDialogHarness& harness) {
  ControlState state;
  for (const ui::SliderSpec& row : ui::kSliderTable) {
    state.positions.push_back(harness.Position(row.trackbarId));
    state.labels.push_back(harness.Text(row.labelId));
    state.enabled.push_back(harness.Enabled(row.trackbarId));
  }
  for (const ui::RadioWork& work : ui::kRadioWork) {
    state.checks.push_back(harness.Checked(work.radioId));
    state.enabled.push_back(harness.Enabled(work.radioId));
  }
  state.checks.push_back(harness.Checked(res::kIdCheckSanctions));
  return state;
}

// Answers the open dialog with a path, for as long as it lives.
class OpenFileAnswer {
 public:
  explicit OpenFileAnswer(std::string path)
      : previous_(platform::SetOpenFileHandler(
            [path](const platform::OpenFileQuery&) { return std::optional<std::string>(path); })) {}
  ~OpenFileAnswer() { platform::SetOpenFileHandler(previous_); }
  OpenFileAnswer(const OpenFileAnswer&) = delete;
  OpenFileAnswer& operator=(const OpenFileAnswer&) = delete;

 private:
  platform::OpenFileHandler previous_;
};

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A setting far from the defaults: distributions, sanctions, a correlation,
// moved trackbars.
void SetUpSavedSetting(MainDialogHarness& harness) {
  harness.Click(res::kIdCheckSecondOrderRate);
  harness.Click(res::kIdCheckSanctions);
  harness.Click(res::kIdRadioNormalR);
  harness.Click(res::kIdRadioNormalI);
  harness.Click(res::kIdRadioLogNormalRPrime);
  harness.Keys(res::kIdSliderCorrRI, {Qt::Key_End, Qt::Key_Left, Qt::Key_Left});
  harness.Keys(res::kIdSliderJ, {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right});
  harness.Keys(res::kIdSliderCountR, {Qt::Key_PageDown});
  harness.Dialog().model.fixedSeed = kSavedSeed;
  harness.Keys(res::kIdSliderM, {Qt::Key_Right});
}

// Somewhere else entirely, with another seed.
void MoveAway(MainDialogHarness& harness) {
  harness.Dialog().model.fixedSeed = kSavedSeed + 1;
  harness.Click(res::kIdRadioConstantR);
  harness.Click(res::kIdRadioLogNormalI);
  harness.Click(res::kIdRadioConstantRPrime);
  harness.Click(res::kIdCheckSanctions);
  harness.Keys(res::kIdSliderJ, {Qt::Key_End});
  harness.Keys(res::kIdSliderCountR, {Qt::Key_Home});
  harness.Dialog().model.fixedSeed.reset();
}

class OpenSeries : public testing::Test {
 protected:
  std::filesystem::path SaveSeries(const char* name) {
    const std::filesystem::path path = directory_.Path() / name;
    const SaveFileAnswer answer(path.string());
    ChooseFromGraphMenu(harness_, chooser_, kSaveCsvItem);
    return path;
  }
  void Open(const std::filesystem::path& path) {
    const OpenFileAnswer answer(path.string());
    ChooseFromGraphMenu(harness_, chooser_, kOpenItem);
  }

  TemporaryCurrentDirectory directory_;
  MainDialogHarness harness_;
  MenuChooser chooser_;
};

TEST_F(OpenSeries, BringsBackEveryControlAndTheGraphPixelForPixel) {
  SetUpSavedSetting(harness_);
  const ControlState saved = StateOf(harness_);
  const QImage graph = GrabGraphBand(harness_);
  const ui::RunOnScreen shown = *harness_.Dialog().ShownRun();
  const std::filesystem::path file = SaveSeries("saved.csv");
  MoveAway(harness_);
  ASSERT_NE(StateOf(harness_), saved);

  Open(file);
  EXPECT_TRUE(harness_.Messages().empty());
  EXPECT_EQ(StateOf(harness_), saved);
  EXPECT_EQ(harness_.Dialog().ShownRun()->seed, kSavedSeed);
  EXPECT_EQ(harness_.LastRun(), shown.arguments);
  EXPECT_EQ(GrabGraphBand(harness_), graph);
  EXPECT_FALSE(harness_.Dialog().model.fixedSeed.has_value());  // the next move takes the clock
}

TEST_F(OpenSeries, ADroppedFileOpensLikeTheMenu) {
  SetUpSavedSetting(harness_);
  const ControlState saved = StateOf(harness_);
  const QImage graph = GrabGraphBand(harness_);
  const std::filesystem::path file = SaveSeries("dropped.csv");
  MoveAway(harness_);

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
  platform::DialogWindow* window = harness_.Dialog().Window();
  ASSERT_TRUE(window->acceptDrops());
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  EXPECT_EQ(StateOf(harness_), saved);
  EXPECT_EQ(GrabGraphBand(harness_), graph);
}

// corvellan-run writes 0.35, a rounding error away from position 35's value.
TEST_F(OpenSeries, TakesADecimalNearAPositionAndSaysSo) {
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunCommandLine({"--seed", "5", "--paramJ", "0.35", "--distR", "1"}, out, err),
            cli::kExitSuccess);
  const std::filesystem::path file = directory_.Path() / "runner.csv";
  WriteText(file, out.str());
  Open(file);
  EXPECT_EQ(harness_.Position(res::kIdSliderJ), 35);
  EXPECT_TRUE(harness_.Checked(res::kIdRadioNormalR));
  EXPECT_EQ(harness_.Dialog().ShownRun()->seed, 5);
  ASSERT_EQ(harness_.Messages().size(), 1U);
  EXPECT_NE(harness_.Messages()[0].text.find("--paramJ 0.35"), std::string::npos);
}

struct BadOpen {
  const char* name;
  std::string content;  // empty: no file at all, or what make puts there
  std::string reason;
  // Makes something other than a file at the path, when given.
  std::function<void(const std::filesystem::path&)> make = {};
};

std::string RunnerOutput(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  cli::RunCommandLine(args, out, err);
  return out.str();
}

// Cut short after the row of step 49.
std::string Truncated(const std::string& text) {
  return text.substr(0, text.find("\n50,") + 1);
}

const std::vector<BadOpen>& BadOpens() {
  static const std::vector<BadOpen> cases = {
      {"Missing", "", "No such file or directory"},
      {"NotText", std::string("\x89PNG\r\n\x1a\n", 8), "the file is not text"},
      {"Truncated", Truncated(RunnerOutput({"--seed", "1"})),
       "the file ends after line 52, before the row of step 50"},
      {"OtherAgentCount", RunnerOutput({"--seed", "1", "--agentCount", "200"}),
       "--agentCount 200: the window runs 100 agents"},
      {"BetweenPositions", RunnerOutput({"--seed", "1", "--paramX", "0.125"}),
       "--paramX 0.125 is no position of its trackbar"},
      {"OtherSlope", RunnerOutput({"--seed", "1", "--slopeM", "12"}),
       "--slopeM 12: the window always runs with 10"},
      // None of these may hold the window: a FIFO would until a writer came.
      {"Fifo", "", "not a regular file",
       [](const std::filesystem::path& path) { ::mkfifo(path.c_str(), 0644); }},
      {"Folder", "", "not a regular file",
       [](const std::filesystem::path& path) { std::filesystem::create_directory(path); }},
      {"LinkToADevice", "", "not a regular file",
       [](const std::filesystem::path& path) {
         std::filesystem::create_symlink("/dev/zero", path);
       }},
  };
  return cases;
}

class RefusedOpen : public OpenSeries, public testing::WithParamInterface<BadOpen> {};

TEST_P(RefusedOpen, ChangesNothingAndNamesTheFileAndTheFault) {
  SetUpSavedSetting(harness_);
  const ControlState before = StateOf(harness_);
  const QImage graph = GrabGraphBand(harness_);
  const ui::RunOnScreen shown = *harness_.Dialog().ShownRun();
  const int runs = harness_.Runs();
  const std::filesystem::path file = directory_.Path() / "bad.csv";
  if (GetParam().make) {
    GetParam().make(file);
  } else if (!GetParam().content.empty()) {
    WriteText(file, GetParam().content);
  }

  Open(file);
  ASSERT_EQ(harness_.Messages().size(), 1U);
  const std::string& message = harness_.Messages()[0].text;
  EXPECT_NE(message.find(file.string()), std::string::npos) << message;
  EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
  EXPECT_EQ(harness_.Runs(), runs);
  EXPECT_EQ(StateOf(harness_), before);
  EXPECT_EQ(harness_.Dialog().ShownRun()->seed, shown.seed);
  EXPECT_EQ(GrabGraphBand(harness_), graph);
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedOpen, testing::ValuesIn(BadOpens()),
                         test_support::CaseName());

}  // namespace
}  // namespace ui_test
