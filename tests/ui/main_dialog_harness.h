#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "model/run_arguments.h"
#include "platform/message_box.h"
#include "tests/support/paint_counting.h"
#include "ui/main_dialog.h"

namespace ui_test {

// What the message box was asked to show.
struct ShownMessage {
  std::string text;
  platform::MessageIcon icon;
};

// Records every message instead of showing a box, for as long as it lives.
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<ShownMessage>& Messages() const { return messages_; }

 private:
  std::vector<ShownMessage> messages_;
  platform::MessageBoxHandler previous_;
};

// The main dialog, made without a modal loop, with its runs counted through
// the dialog's run observer (set before the window exists, so start-up runs
// count too) and its messages recorded. Input goes through real Qt events.
class MainDialogHarness {
 public:
  MainDialogHarness();

  ui::CMainDlg& Dialog() { return dialog_; }
  // Paints of the dialog's window so far.
  int PaintCount() const { return dialog_.PaintCount(); }
  const ui::CMainDlg& Dialog() const { return dialog_; }
  int Runs() const { return static_cast<int>(runs_.size()); }
  const std::vector<model::RunArguments>& RunLog() const { return runs_; }
  const model::RunArguments& LastRun() const { return runs_.back(); }
  const std::vector<ShownMessage>& Messages() const { return messages_.Messages(); }

  QWidget* Control(int id) const;
  // A left click in the middle of the control.
  void Click(int id);
  // A key pressed and released on the control.
  void Key(int id, int key);
  void Keys(int id, std::initializer_list<int> keys);
  // Drags the trackbar's thumb pixel by pixel by distance pixels and lets go.
  void Drag(int trackbarId, int distance);

  bool Enabled(int id) const { return dialog_.IsControlEnabled(id); }
  bool Checked(int id) const { return dialog_.GetCheck(id) != platform::kUnchecked; }
  std::string Text(int id) const { return dialog_.ControlText(id); }
  int Position(int trackbarId) const { return dialog_.TrackbarPos(trackbarId); }

 private:
  MessageRecorder messages_;
  std::vector<model::RunArguments> runs_;
  test_support::PaintCounting<ui::CMainDlg> dialog_;
};

// Turns sanctions on and chooses R' Normal, so that every R' row is usable.
void EnableRPrime(MainDialogHarness& harness);

}  // namespace ui_test
