// The platform's own save dialog, answered by queued work from inside its
// modal loop, as a user would answer it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "platform/file_dialog.h"
#include "tests/ui/main_dialog_harness.h"
#include "tests/ui/modal_dialog_driver.h"
#include "tests/ui/temporary_current_directory.h"

namespace ui_test {
namespace {

constexpr platform::SaveFileQuery kQuery = {"Save Series as CSV", "corvellan-7.csv",
                                            "CSV files (*.csv)", "csv"};

// Works on the file dialog once it is open: re-queues itself until then.
void WhenFileDialogOpens(std::function<void(QFileDialog&)> work,
                         int roundsLeft = kDialogWaitRounds) {
  QTimer::singleShot(0, [work, roundsLeft] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      work(*dialog);
    } else if (roundsLeft > 0) {
      WhenFileDialogOpens(work, roundsLeft - 1);
    }
  });
}

class SaveFileDialog : public testing::Test {
 protected:
  TemporaryCurrentDirectory directory_;
  MainDialogHarness harness_;  // the active dialog owns the file dialog
};

TEST_F(SaveFileDialog, AsksWithTheTitleNameAndFilterAndAddsTheSuffix) {
  QString title;
  QString offered;
  QStringList filters;
  const QString chosen = QString::fromStdString((directory_.Path() / "chosen").string());
  WhenFileDialogOpens([&](QFileDialog& dialog) {
    title = dialog.windowTitle();
    offered = dialog.selectedFiles().value(0);
    filters = dialog.nameFilters();
    dialog.selectFile(chosen);
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  const std::optional<std::string> path = platform::GetSaveFileName(kQuery);
  EXPECT_EQ(title.toStdString(), kQuery.title);
  EXPECT_TRUE(offered.endsWith("corvellan-7.csv")) << offered.toStdString();
  EXPECT_EQ(filters, QStringList{"CSV files (*.csv)"});
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, (directory_.Path() / "chosen.csv").string());
}

TEST_F(SaveFileDialog, CancelGivesNoName) {
  bool opened = false;
  WhenFileDialogOpens([&opened](QFileDialog& dialog) {
    opened = true;
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_FALSE(platform::GetSaveFileName(kQuery).has_value());
  EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace ui_test
