#pragma once

#include <QImage>
#include <QPoint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/popup_menu.h"
#include "tests/ui/main_dialog_harness.h"

namespace ui_test {

// A menu as the dialog offered it.
struct OfferedMenu {
  std::vector<platform::MenuItem> items;
  std::vector<std::string> texts;     // the items' texts as shown, kept beyond the offer
  std::vector<std::string> captions;  // the same with their access-letter marks
  QPoint at;
};

// Answers every popup menu with the item of a given shown text, or the one
// whose text begins with it and a colon (or dismisses it)
// instead of showing one, and records what was offered, for as long as it lives.
class MenuChooser {
 public:
  explicit MenuChooser(std::string choice = {});
  ~MenuChooser();
  MenuChooser(const MenuChooser&) = delete;
  MenuChooser& operator=(const MenuChooser&) = delete;

  void Choose(std::string choice) { choice_ = std::move(choice); }
  const std::vector<OfferedMenu>& Offers() const { return offers_; }

 private:
  std::string choice_;
  std::vector<OfferedMenu> offers_;
  platform::PopupMenuHandler previous_;
};

// Answers every save dialog with a path (nullopt: the user cancels) instead
// of showing one, and records the questions, for as long as it lives.
class SaveFileAnswer {
 public:
  explicit SaveFileAnswer(std::optional<std::string> path);
  ~SaveFileAnswer();
  SaveFileAnswer(const SaveFileAnswer&) = delete;
  SaveFileAnswer& operator=(const SaveFileAnswer&) = delete;

  void Answer(std::optional<std::string> path) { path_ = std::move(path); }
  struct Question {
    std::string title;
    std::string suggestedName;
    std::string filter;
    std::string defaultSuffix;
  };
  const std::vector<Question>& Questions() const { return questions_; }

 private:
  std::optional<std::string> path_;
  std::vector<Question> questions_;
  platform::SaveFileHandler previous_;
};

// Menu item texts.
inline constexpr std::string_view kSaveCsvItem = "Save Series as CSV\u2026";
inline constexpr std::string_view kSavePngItem = "Save Graph as PNG\u2026";
inline constexpr std::string_view kSavePng2xItem = "Save Graph as PNG (2x)\u2026";
inline constexpr std::string_view kSaveSvgItem = "Save Graph as SVG\u2026";
inline constexpr std::string_view kCopyItem = "Copy Graph";
inline constexpr std::string_view kCopyRerunItem = "Copy Re-run Command";

// A point of the graph band, well inside it, and one on the controls below.
inline constexpr QPoint kInGraph{400, 150};
inline constexpr QPoint kBelowGraph{400, 600};

// A right click on the dialog's window at point, as the window system sends it.
void RightClick(MainDialogHarness& harness, QPoint point);

// Right-clicks the graph with chooser set to pick choice.
void ChooseFromGraphMenu(MainDialogHarness& harness, MenuChooser& chooser, std::string_view choice);

// The band above the controls, from the window as it shows now.
QImage GrabGraphBand(const MainDialogHarness& harness);

// Ticks exactly the five series boxes and turns sanctions on, so that every
// series has a line of its own colour.
void ShowAllSeries(MainDialogHarness& harness);

}  // namespace ui_test
