// corvellan_snapshot: shows the main dialog, plays a scenario of real clicks
// on it and saves what the window shows, for the pictures in docs/.
//   corvellan_snapshot default OUT.png
//   corvellan_snapshot all-series OUT.png
//   corvellan_snapshot band OUT.png
//   corvellan_snapshot pins OUT.png
//   corvellan_snapshot response OUT.png   (the parameter response window)
#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "response/response_window.h"
#include "ui/main_dialog.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;
constexpr int kArgumentCount = 3;

constexpr int kBandWaitMs = 10'000;
constexpr QSize kResponseWindowSize{760, 560};

void Click(ui::CMainDlg& dialog, int id) {
  QWidget* control = dialog.Window()->Control(id);
  QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

void Press(ui::CMainDlg& dialog, int id, Qt::Key key, int times) {
  QWidget* control = dialog.Window()->Control(id);
  for (int i = 0; i < times; ++i) QTest::keyClick(control, key);
}

// Controls clicked, in order, then what the graph's menu would do.
struct Scenario {
  std::vector<int> clicks;
  // What the graph's menu would do; returns the window to save, null for the dialog's.
  std::function<QWidget*(ui::CMainDlg&)> then;
};

const std::vector<int> kAllSeries = {res::kIdCheckSecondOrderRate,
                                     res::kIdCheckMeanPropensityVolunteers,
                                     res::kIdCheckMeanPropensityNonVolunteers,
                                     res::kIdCheckMeanPropensity,
                                     res::kIdCheckSanctions,
                                     res::kIdRadioNormalR,
                                     res::kIdRadioNormalT,
                                     res::kIdRadioNormalE,
                                     res::kIdRadioLogNormalI,
                                     res::kIdRadioNormalRPrime};

const std::map<std::string, Scenario> kScenarios = {
    {"default", {}},
    {"all-series", {kAllSeries, {}}},
    {"band",
     {{res::kIdCheckMeanPropensity, res::kIdRadioNormalR, res::kIdRadioNormalI,
       res::kIdRadioNormalT},
      [](ui::CMainDlg& dialog) {
        dialog.ShowBand(true);
        if (!QTest::qWaitFor([&dialog] { return !dialog.Band().Current().empty(); }, kBandWaitMs)) {
          std::fputs("corvellan_snapshot: the band never came\n", stderr);
        }
        return static_cast<QWidget*>(nullptr);
      }}},
    {"pins",
     {{res::kIdCheckMeanPropensity},
      [](ui::CMainDlg& dialog) {
        dialog.PinThisRun();
        Press(dialog, res::kIdSliderJ, Qt::Key_Left, 20);
        dialog.PinThisRun();
        Press(dialog, res::kIdSliderJ, Qt::Key_Right, 40);
        return static_cast<QWidget*>(nullptr);
      }}},
    // Five pins a step of J apart, and the second-order rate, flat at 0
    // with sanctions off, so that their ends crowd.
    {"crowded-pins",
     {{res::kIdCheckSecondOrderRate},
      [](ui::CMainDlg& dialog) {
        dialog.model.fixedSeed = 1;
        for (int pin = 0; pin < 5; ++pin) {
          Press(dialog, res::kIdSliderJ, Qt::Key_Right, 1);
          dialog.PinThisRun();
        }
        Press(dialog, res::kIdSliderJ, Qt::Key_Right, 10);
        return static_cast<QWidget*>(nullptr);
      }}},
    // A move after the band came: the band of the old position, out of date.
    {"band-out-of-date",
     {{res::kIdCheckMeanPropensity, res::kIdRadioNormalR, res::kIdRadioNormalI,
       res::kIdRadioNormalT},
      [](ui::CMainDlg& dialog) {
        dialog.ShowBand(true);
        if (!QTest::qWaitFor([&dialog] { return !dialog.Band().Current().empty(); }, kBandWaitMs)) {
          std::fputs("corvellan_snapshot: the band never came\n", stderr);
        }
        Press(dialog, res::kIdSliderJ, Qt::Key_Right, 10);
        return static_cast<QWidget*>(nullptr);
      }}},
    {"response",
     {{res::kIdRadioNormalR, res::kIdRadioNormalI},
      [](ui::CMainDlg& dialog) -> QWidget* {
        Press(dialog, res::kIdSliderMedianR, Qt::Key_Left, 10);
        auto* window = new response::ResponseWindow(dialog.Window());
        window->ShowFor(dialog.ResponseContextNow());
        window->resize(kResponseWindowSize);
        if (!QTest::qWaitForWindowExposed(window) ||
            !QTest::qWaitFor([window] { return !window->Computing(); }, kBandWaitMs)) {
          std::fputs("corvellan_snapshot: the response never came\n", stderr);
        }
        return window;
      }}},
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != kArgumentCount || !kScenarios.contains(argv[1])) {
    std::fputs(
        "Usage: corvellan_snapshot "
        "default|all-series|band|band-out-of-date|pins|crowded-pins|response OUT.png\n",
        stderr);
    return kExitUsage;
  }
  QApplication::setApplicationName("Corvellan");
  ui::CMainDlg dialog;
  dialog.Create();
  if (!QTest::qWaitForWindowExposed(dialog.Window())) {
    std::fputs("corvellan_snapshot: the window was never shown\n", stderr);
    return kExitFailure;
  }
  const Scenario& scenario = kScenarios.at(argv[1]);
  for (const int id : scenario.clicks) {
    Click(dialog, id);
  }
  QWidget* shown = scenario.then ? scenario.then(dialog) : nullptr;
  if (shown == nullptr) shown = dialog.Window();
  if (!shown->grab().save(argv[2])) {
    std::fprintf(stderr, "corvellan_snapshot: cannot write %s\n", argv[2]);
    return kExitFailure;
  }
  return 0;
}
