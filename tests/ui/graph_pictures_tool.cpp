// corvellan_graph_pictures: saves the graph through its menu, as a user
// would, with a fixed seed, so that two sessions can be compared file by file.
//   corvellan_graph_pictures default|all-series OUT-FOLDER
// writes graph.png, graph@2x.png, clipboard.png and graph.svg there, with the
// series ticked at start-up or with all five.
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;
constexpr int kArgumentCount = 3;
constexpr std::string_view kDefaultScenario = "default";
constexpr std::string_view kAllSeriesScenario = "all-series";
constexpr std::int32_t kSeed = 20240611;

void Save(ui_test::MainDialogHarness& harness, ui_test::MenuChooser& chooser, std::string_view item,
          const std::filesystem::path& path) {
  const ui_test::SaveFileAnswer answer(path.string());
  ui_test::ChooseFromGraphMenu(harness, chooser, item);
}

// The clipboard holds an image, not a file: it is written as PNG here.
bool SaveClipboard(ui_test::MainDialogHarness& harness, ui_test::MenuChooser& chooser,
                   const std::filesystem::path& path) {
  QGuiApplication::clipboard()->clear();
  ui_test::ChooseFromGraphMenu(harness, chooser, ui_test::kCopyItem);
  const QImage copied = QGuiApplication::clipboard()->image();
  return !copied.isNull() && copied.save(QString::fromStdString(path.string()), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::string_view scenario = argc == kArgumentCount ? argv[1] : "";
  if (scenario != kDefaultScenario && scenario != kAllSeriesScenario) {
    std::fputs("Usage: corvellan_graph_pictures default|all-series OUT-FOLDER\n", stderr);
    return kExitUsage;
  }
  const std::filesystem::path folder = argv[2];
  ui_test::MainDialogHarness harness;
  harness.Dialog().model.fixedSeed = kSeed;
  if (scenario == kAllSeriesScenario) {
    ui_test::ShowAllSeries(harness);
  }
  harness.Dialog().Recompute();
  ui_test::MenuChooser chooser;
  Save(harness, chooser, ui_test::kSavePngItem, folder / "graph.png");
  Save(harness, chooser, ui_test::kSavePng2xItem, folder / "graph@2x.png");
  Save(harness, chooser, ui_test::kSaveSvgItem, folder / "graph.svg");
  if (!SaveClipboard(harness, chooser, folder / "clipboard.png")) {
    std::fputs("corvellan_graph_pictures: the clipboard holds no image\n", stderr);
    return kExitFailure;
  }
  if (!harness.Messages().empty()) {
    std::fprintf(stderr, "corvellan_graph_pictures: %s\n", harness.Messages().front().text.c_str());
    return kExitFailure;
  }
  return 0;
}
