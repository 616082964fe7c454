// A whole window session as the program runs it, with a home of its own:
// saving the series and opening them again through the real graph menu and
// file dialogs leaves the home (configuration, cache, data) and the runtime
// folder exactly as they were, and what an earlier start could have left in
// the configuration is not read.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_app.h"
#include "platform/dialog_window.h"
#include "platform/mnemonic_text.h"
#include "res/control_ids.h"
#include "tests/app/folder_listing.h"
#include "tests/app/private_home.h"
#include "tests/ui/graph_menu_driver.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/modal_dialog_driver.h"
#include "ui/main_dialog.h"

namespace app_test {
namespace {

constexpr std::string_view kOpenItem = "Open Series CSV\u2026";
constexpr const char* kSavedName = "session.csv";
constexpr std::string_view kSavedFirstLine = "# corvellan-run ";

// What Qt's file dialog stores when it may: as if an earlier start had been
// in another folder, so that a dialog that read it would open there.
std::string EarlierDialogSettings(const std::filesystem::path& elsewhere) {
  const std::string url =
      QUrl::fromLocalFile(QString::fromStdString(elsewhere.string())).toString().toStdString();
  return "[FileDialog]\nhistory=" + url + "\nlastVisited=" + url + "\nshortcuts=" + url +
         "\nsidebarWidth=91\nviewMode=Detail\n";
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string FirstLine(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  std::getline(in, line);
  return line;
}

std::string Canonical(const QString& folder) {
  return QFileInfo(folder).canonicalFilePath().toStdString();
}

// What a file dialog showed when it opened.
struct DialogLook {
  std::string folder;
  QStringList history;
  QList<QUrl> sidebar;
  bool qtOwnDialog = false;
};

DialogLook LookAt(const QFileDialog& dialog) {
  return {Canonical(dialog.directory().absolutePath()), dialog.history(), dialog.sidebarUrls(),
          dialog.testOption(QFileDialog::DontUseNativeDialog)};
}

struct SessionRecord {
  DialogLook firstOpen;
  DialogLook save;
  DialogLook open;
  int savedJ = -1;
  int movedJ = -1;
  int openedJ = -1;
};

// Runs work on the widget find returns once there is one: re-queued until
// then, a bounded number of times.
template <class W>
void WhenShown(std::function<W*()> find, std::function<void(W&)> work,
               int roundsLeft = ui_test::kDialogWaitRounds) {
  QTimer::singleShot(0, [find, work, roundsLeft] {
    if (W* widget = find()) {
      work(*widget);
    } else if (roundsLeft > 0) {
      WhenShown<W>(find, work, roundsLeft - 1);
    }
  });
}

// Chooses the item, named by its shown text, from the popup menu once it
// opens, with the keyboard; closes the menu when no item has that text.
void WhenMenuOpensChoose(std::string_view item) {
  const std::string text(item);
  WhenShown<QMenu>([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                   [text](QMenu& menu) {
                     QAction* chosen = nullptr;
                     for (QAction* action : menu.actions()) {
                       if (platform::ShownCaption(action->text().toStdString()) == text) {
                         chosen = action;
                       }
                     }
                     EXPECT_NE(chosen, nullptr) << "no menu item " << text;
                     if (chosen == nullptr) {
                       QTest::keyClick(&menu, Qt::Key_Escape);
                       return;
                     }
                     menu.setActiveAction(chosen);
                     QTest::keyClick(&menu, Qt::Key_Return);
                   });
}

// Looks at the file dialog once it opens, then answers it: picks file and
// accepts, or cancels when there is no file.
void WhenFileDialogOpensAnswer(const std::optional<std::filesystem::path>& file, DialogLook& look) {
  const std::optional<QString> path =
      file ? std::optional<QString>(QString::fromStdString(file->string())) : std::nullopt;
  WhenShown<QFileDialog>(
      [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); },
      [path, &look](QFileDialog& dialog) {
        look = LookAt(dialog);
        if (!path) {
          QTest::keyClick(&dialog, Qt::Key_Escape);
          return;
        }
        dialog.selectFile(*path);
        QTest::keyClick(&dialog, Qt::Key_Return);
      });
}

void RightClickGraph(ui::CMainDlg& dialog) {
  QTest::mouseClick(dialog.Window()->windowHandle(), Qt::RightButton, Qt::NoModifier,
                    ui_test::kInGraph);
}

// Looks into the open dialog and cancels it, saves the series, moves J,
// opens the saved series again, and ends the window with EXIT, as a user
// would. The first dialog is an open dialog: unlike a save dialog, it is
// given no folder, so it shows where a fresh start's dialogs begin.
void PlaySession(ui::CMainDlg& dialog, const std::filesystem::path& file, SessionRecord& record) {
  WhenMenuOpensChoose(kOpenItem);
  WhenFileDialogOpensAnswer(std::nullopt, record.firstOpen);
  RightClickGraph(dialog);

  record.savedJ = dialog.TrackbarPos(res::kIdSliderJ);
  WhenMenuOpensChoose(ui_test::kSaveCsvItem);
  WhenFileDialogOpensAnswer(file, record.save);
  RightClickGraph(dialog);

  QTest::keyClick(dialog.Window()->Control(res::kIdSliderJ), Qt::Key_End);
  record.movedJ = dialog.TrackbarPos(res::kIdSliderJ);

  WhenMenuOpensChoose(kOpenItem);
  WhenFileDialogOpensAnswer(file, record.open);
  RightClickGraph(dialog);
  record.openedJ = dialog.TrackbarPos(res::kIdSliderJ);

  ui_test::ClickButton(dialog, res::kIdButtonExit);
}

struct Listing {
  std::vector<std::string> home;
  std::vector<std::string> runtime;
};

Listing ListHome(const PrivateHome& home) {
  return {ListFolder(home.Home()), ListFolder(home.Runtime())};
}

class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~WorkingFolder() { std::filesystem::current_path(previous_); }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

TEST(KeepsNoState, SavingAndOpeningThroughTheDialogsLeavesTheHomeAsItWas) {
  const PrivateHome home;
  const std::filesystem::path work = home.Beside("work");
  const std::filesystem::path elsewhere = home.Beside("elsewhere");
  WriteFile(home.Config() / "QtProject.conf", EarlierDialogSettings(elsewhere));
  WriteFile(home.Home() / ".local/share/kept.txt", "a file of the user's\n");
  const WorkingFolder inWork(work);
  const Listing before = ListHome(home);

  SessionRecord record;
  const ui_test::MessageRecorder messages;
  {
    int argc = 1;
    char program[] = "corvellan";
    char* argv[] = {program, nullptr};
    app::CMainApp application(argc, argv);
    ui_test::WhenDialogOpens<ui::CMainDlg>(
        [&](ui::CMainDlg& dialog) { PlaySession(dialog, work / kSavedName, record); });
    application.InitInstance();
  }
  const Listing after = ListHome(home);

  // The session happened: the series were saved and opened again.
  EXPECT_EQ(FirstLine(work / kSavedName).substr(0, kSavedFirstLine.size()), kSavedFirstLine);
  EXPECT_NE(record.movedJ, record.savedJ);
  EXPECT_EQ(record.openedJ, record.savedJ);
  EXPECT_TRUE(messages.Messages().empty());

  // Both dialogs were Qt's own, opened in the current folder and knew nothing
  // of the earlier start.
  const QUrl elsewhereUrl = QUrl::fromLocalFile(QString::fromStdString(elsewhere.string()));
  for (const DialogLook* look : {&record.firstOpen, &record.save, &record.open}) {
    EXPECT_TRUE(look->qtOwnDialog);
    EXPECT_EQ(look->folder, std::filesystem::canonical(work).string());
    EXPECT_FALSE(look->history.contains(elsewhereUrl.toLocalFile()));
    EXPECT_FALSE(look->sidebar.contains(elsewhereUrl));
  }

  EXPECT_EQ(after.home, before.home);
  EXPECT_EQ(after.runtime, before.runtime);
}

}  // namespace
}  // namespace app_test
