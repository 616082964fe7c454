#include "population/population_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <bit>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "batch/population_csv.h"
#include "batch/population_summary.h"
#include "batch/seeded_run.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace population {
namespace {

constexpr std::int32_t kSeed = 321;

batch::ResponseContext ContextOf(const model::RunArguments& arguments, std::int32_t seed) {
  batch::ResponseContext context;
  context.arguments = arguments;
  context.seed = seed;
  return context;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PopulationWindowTest : public testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // The window shown for a run of arguments, as the main window shows it.
  void ShowFor(const model::RunArguments& arguments, std::int32_t seed = kSeed) {
    window_.ShowFor(ContextOf(arguments, seed));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }

  void ExpectRecordOf(const model::RunArguments& arguments, std::int32_t seed) {
    const batch::PopulationRecord* record = window_.Record();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->seed, seed);
    EXPECT_EQ(record->arguments, arguments);
    batch::SeededRunner runner;
    const model::SeriesPointers series = runner.Run(arguments, seed);
    for (int s = 0; s < model::kSeriesCount; ++s) {
      for (int k = 0; k < model::kStepCount; ++k) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(series[s][k]),
                  std::bit_cast<std::uint32_t>(
                      record->series[static_cast<std::size_t>(s)][static_cast<std::size_t>(k)]));
      }
    }
  }

  std::filesystem::path File(const char* name) {
    std::filesystem::create_directories(folder_);
    return folder_ / name;
  }

  PopulationWindow window_;
  std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() / ("population-window-" + std::to_string(getpid()));
};

TEST_F(PopulationWindowTest, ShowsTheRunOfTheMainWindow) {
  const model::RunArguments arguments = test_support::AllNormalArguments();
  ShowFor(arguments);
  ExpectRecordOf(arguments, kSeed);
  const PopulationPicture& picture = window_.Picture();
  ASSERT_EQ(picture.attributes.size(), static_cast<std::size_t>(batch::kAttributeCount));
  for (int a = 0; a < batch::kAttributeCount; ++a) {
    const auto expected =
        batch::SummariseAttribute(*window_.Record(), static_cast<batch::PopulationAttribute>(a));
    EXPECT_EQ(picture.attributes[static_cast<std::size_t>(a)].values, expected.values);
    EXPECT_EQ(picture.attributes[static_cast<std::size_t>(a)].median, expected.median);
  }
  EXPECT_EQ(picture.propensity.steps, model::kStepCount);
  EXPECT_EQ(picture.sanction.steps, model::kStepCount);
}

TEST_F(PopulationWindowTest, ShowsNoSanctionStripWithSanctionsOff) {
  ShowFor(run::DefaultRunArguments());
  EXPECT_EQ(window_.Picture().propensity.steps, model::kStepCount);
  EXPECT_EQ(window_.Picture().sanction.steps, 0);
}

TEST_F(PopulationWindowTest, FollowsEveryRunWhileShown) {
  ShowFor(run::DefaultRunArguments());
  const model::RunArguments next = test_support::AllNormalArguments();
  window_.Follow(ContextOf(next, kSeed + 1));
  ExpectRecordOf(next, kSeed + 1);
  EXPECT_EQ(window_.Recordings(), 2);
}

TEST_F(PopulationWindowTest, RecordsNothingWhileHiddenAndTheLatestRunWhenShownAgain) {
  ShowFor(run::DefaultRunArguments());
  window_.close();
  const model::RunArguments next = test_support::AllNormalArguments();
  for (int seed = 1; seed <= 3; ++seed) window_.Follow(ContextOf(next, seed));
  EXPECT_EQ(window_.Recordings(), 1);
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  EXPECT_EQ(window_.Recordings(), 2);
  ExpectRecordOf(next, 3);
}

TEST_F(PopulationWindowTest, SaysWhyARunFailed) {
  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.paramJ = 2.0;
  ShowFor(arguments);
  EXPECT_EQ(window_.Record(), nullptr);
  EXPECT_TRUE(window_.StatusText().contains(QStringLiteral("Inappropriate parameter J")));
  EXPECT_FALSE(window_.SaveCsv(File("refused.csv").string()).empty());
}

struct KeyCase {
  const char* name;
  int start;
  Qt::Key key;
  int step;
};

const KeyCase kKeyCases[] = {
    {"RightMovesOn", 0, Qt::Key_Right, 1},
    {"LeftStopsAtTheFirst", 0, Qt::Key_Left, 0},
    {"EndGoesToTheLast", 3, Qt::Key_End, 100},
    {"HomeGoesToTheFirst", 60, Qt::Key_Home, 0},
    {"PageUpTakesTen", 40, Qt::Key_PageUp, 50},
    {"PageDownTakesTen", 40, Qt::Key_PageDown, 30},
    {"RightStopsAtTheLast", 100, Qt::Key_Right, 100},
};

class StepKeys : public PopulationWindowTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(StepKeys, MoveTheStepAndItsSplit) {
  ShowFor(test_support::AllNormalArguments());
  window_.ChooseStep(GetParam().start);
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(qobject_cast<QSlider*>(focused), nullptr) << "the step slider has the focus";
  QTest::keyClick(focused, GetParam().key);
  EXPECT_EQ(window_.Step(), GetParam().step);
  const PopulationPicture& picture = window_.Picture();
  EXPECT_EQ(picture.step, GetParam().step);
  const batch::StepSplit split = batch::SplitStep(*window_.Record(), GetParam().step);
  EXPECT_EQ(picture.split.volunteers, split.volunteers);
  EXPECT_EQ(picture.split.nonVolunteers, split.nonVolunteers);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepKeys, testing::ValuesIn(kKeyCases), test_support::CaseName());

struct CloseCase {
  const char* name;
  QKeyCombination keys;
};

const CloseCase kCloseCases[] = {
    {"Escape", QKeyCombination(Qt::Key_Escape)},
    {"ControlW", QKeyCombination(Qt::ControlModifier, Qt::Key_W)},
};

class ClosingKeys : public PopulationWindowTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingKeys, CloseTheWindow) {
  ShowFor(run::DefaultRunArguments());
  QTest::keyClick(QApplication::focusWidget(), GetParam().keys.key(),
                  GetParam().keys.keyboardModifiers());
  EXPECT_FALSE(window_.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, ClosingKeys, testing::ValuesIn(kCloseCases),
                         test_support::CaseName());

TEST_F(PopulationWindowTest, TabReachesTheSliderAndEveryButton) {
  ShowFor(run::DefaultRunArguments());
  std::vector<QString> reached;
  QWidget* focused = QApplication::focusWidget();
  for (int i = 0; i < 4 && focused != nullptr; ++i) {
    if (auto* button = qobject_cast<QPushButton*>(focused)) reached.push_back(button->text());
    if (qobject_cast<QSlider*>(focused)) reached.push_back(QStringLiteral("slider"));
    QTest::keyClick(focused, Qt::Key_Tab);
    focused = QApplication::focusWidget();
  }
  EXPECT_EQ(reached,
            (std::vector<QString>{QStringLiteral("slider"), QStringLiteral("Save as &CSV\u2026"),
                                  QStringLiteral("Save as P&NG\u2026"),
                                  QStringLiteral("Save as S&VG\u2026")}));
}

TEST_F(PopulationWindowTest, SavesTheRecordAsCsv) {
  ShowFor(test_support::AllNormalArguments());
  const auto path = File("population.csv");
  ASSERT_EQ(window_.SaveCsv(path.string()), "");
  EXPECT_EQ(ReadFile(path), batch::PopulationCsv(*window_.Record()));
}

TEST_F(PopulationWindowTest, SavesThePictureAsPngAndSvg) {
  ShowFor(test_support::AllNormalArguments());
  const auto png = File("population.png");
  ASSERT_EQ(window_.SavePng(png.string()), "");
  const QImage image(QString::fromStdString(png.string()));
  ASSERT_FALSE(image.isNull());
  EXPECT_GE(image.width(), 1000);
  EXPECT_GE(image.height(), 720);
  const auto svg = File("population.svg");
  ASSERT_EQ(window_.SaveSvg(svg.string()), "");
  const std::string text = ReadFile(svg);
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_NE(text.find("Propensity to sanction by step"), std::string::npos);
}

}  // namespace
}  // namespace population
