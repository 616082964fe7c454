#include "tests/ui/graph_menu_driver.h"

#include <QTest>
#include <QWindow>
#include <utility>

#include "platform/dialog_window.h"
#include "platform/mnemonic_text.h"
#include "res/control_ids.h"
#include "res/main_dialog_template.h"
#include "ui/graph_band.h"

namespace ui_test {
namespace {

constexpr int kSeriesBoxes[] = {res::kIdCheckFirstOrderRate, res::kIdCheckSecondOrderRate,
                                res::kIdCheckMeanPropensityVolunteers,
                                res::kIdCheckMeanPropensityNonVolunteers,
                                res::kIdCheckMeanPropensity};

// An item is named by its whole text or by what comes before its colon
// ("Remove Pin 2" for "Remove Pin 2: J 0.30 (now 0.50)").
bool IsChoice(std::string_view shown, std::string_view choice) {
  return shown == choice || (shown.starts_with(choice) && shown.substr(choice.size(), 1) == ":");
}

}  // namespace

MenuChooser::MenuChooser(std::string choice)
    : choice_(std::move(choice)),
      previous_(platform::SetPopupMenuHandler(
          [this](std::span<const platform::MenuItem> items, int x, int y) {
            OfferedMenu offer{{items.begin(), items.end()}, {}, {}, QPoint(x, y)};
            int chosen = platform::kMenuDismissed;
            for (const platform::MenuItem& item : items) {
              offer.captions.emplace_back(item.text);
              offer.texts.push_back(platform::ShownCaption(item.text));
              if (IsChoice(offer.texts.back(), choice_) && item.enabled) {
                chosen = item.id;
              }
            }
            offers_.push_back(std::move(offer));
            return chosen;
          })) {}

MenuChooser::~MenuChooser() {
  platform::SetPopupMenuHandler(previous_);
}

SaveFileAnswer::SaveFileAnswer(std::optional<std::string> path)
    : path_(std::move(path)),
      previous_(platform::SetSaveFileHandler([this](const platform::SaveFileQuery& query) {
        questions_.push_back({std::string(query.title), std::string(query.suggestedName),
                              std::string(query.filter), std::string(query.defaultSuffix)});
        return path_;
      })) {}

SaveFileAnswer::~SaveFileAnswer() {
  platform::SetSaveFileHandler(previous_);
}

void RightClick(MainDialogHarness& harness, QPoint point) {
  QTest::mouseClick(harness.Dialog().Window()->windowHandle(), Qt::RightButton, Qt::NoModifier,
                    point);
}

void ChooseFromGraphMenu(MainDialogHarness& harness, MenuChooser& chooser,
                         std::string_view choice) {
  chooser.Choose(std::string(choice));
  RightClick(harness, kInGraph);
}

QImage GrabGraphBand(const MainDialogHarness& harness) {
  platform::DialogWindow* window = harness.Dialog().Window();
  const int bandBottom = ui::GraphBandBottom(res::kMainDialogTemplate);
  return window->grab(QRect(0, 0, window->width(), bandBottom))
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

void ShowAllSeries(MainDialogHarness& harness) {
  for (const int box : kSeriesBoxes) {
    if (!harness.Checked(box)) {
      harness.Click(box);
    }
  }
  if (!harness.Checked(res::kIdCheckSanctions)) {
    harness.Click(res::kIdCheckSanctions);
  }
}

}  // namespace ui_test
