// corvellan_snapshot: shows the main dialog, plays a scenario of real clicks
// on it and saves what the window shows, for the pictures in docs/.
//   corvellan_snapshot default OUT.png
//   corvellan_snapshot all-series OUT.png
#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog_window.h"
#include "res/control_ids.h"
#include "ui/main_dialog.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;
constexpr int kArgumentCount = 3;

// Controls clicked, in order, for each scenario.
const std::map<std::string, std::vector<int>> kScenarios = {
    {"default", {}},
    {"all-series",
     {res::kIdCheckSecondOrderRate, res::kIdCheckMeanPropensityVolunteers,
      res::kIdCheckMeanPropensityNonVolunteers, res::kIdCheckMeanPropensity, res::kIdCheckSanctions,
      res::kIdRadioNormalR, res::kIdRadioNormalT, res::kIdRadioNormalE, res::kIdRadioLogNormalI,
      res::kIdRadioNormalRPrime}},
};

void Click(ui::CMainDlg& dialog, int id) {
  QWidget* control = dialog.Window()->Control(id);
  QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != kArgumentCount || !kScenarios.contains(argv[1])) {
    std::fputs("Usage: corvellan_snapshot default|all-series OUT.png\n", stderr);
    return kExitUsage;
  }
  QApplication::setApplicationName("Corvellan");
  ui::CMainDlg dialog;
  dialog.Create();
  if (!QTest::qWaitForWindowExposed(dialog.Window())) {
    std::fputs("corvellan_snapshot: the window was never shown\n", stderr);
    return kExitFailure;
  }
  for (const int id : kScenarios.at(argv[1])) {
    Click(dialog, id);
  }
  if (!dialog.Window()->grab().save(argv[2])) {
    std::fprintf(stderr, "corvellan_snapshot: cannot write %s\n", argv[2]);
    return kExitFailure;
  }
  return 0;
}
