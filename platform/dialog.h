#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/client_rect.h"
#include "drawing/paint_context.h"
#include "platform/command_word.h"
#include "platform/dialog_events.h"
#include "platform/dialog_template.h"
#include "platform/scroll_code.h"

class QEventLoop;

namespace platform {

class DialogWindow;

// Check states of radio buttons and check boxes.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;

// A dialog box built from a template. Derived dialogs override the handlers;
// the platform calls them for the window's events. Operations on controls
// address them by template id and do nothing (or report a neutral value) for
// an id the dialog does not have or while the dialog has no window.
class Dialog : private DialogEvents {
 public:
  explicit Dialog(const DialogTemplate& dialogTemplate);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Creates the window, runs OnInitDialog once, shows the dialog and runs a
  // modal loop until EndDialog; returns EndDialog's result. The dialog that
  // is active when it starts is its owner and stays disabled meanwhile. The
  // window is destroyed before it returns.
  int DoModal();
  // Creates the window, runs OnInitDialog and shows it without blocking.
  void Create();
  // Records the result and ends the modal loop once control returns to it, so
  // the handler that called it runs to its end with the window alive. A
  // dialog made with Create is hidden at once.
  void EndDialog(int result);
  int Result() const { return result_; }
  bool HasWindow() const { return window_ != nullptr; }
  bool IsWindowVisible() const;
  bool IsWindowEnabled() const;
  void EnableWindow(bool enable);

  // Controls.
  bool HasControl(int id) const;
  void EnableControl(int id, bool enable);
  // The control's own state: a control stays enabled while its disabled owner
  // window keeps it from input.
  bool IsControlEnabled(int id) const;
  // Text of labels, buttons, group boxes and edits. Setting an edit's text
  // raises EN_UPDATE then EN_CHANGE; other controls raise nothing.
  void SetControlText(int id, std::string_view text);
  std::string ControlText(int id) const;
  void SetCheck(int id, int state);
  // What a user's click on an enabled button does: its check state changes as
  // a click changes it and its command is raised. Nothing for a disabled one.
  void ClickControl(int id);
  int GetCheck(int id) const;
  // Gives an edit the keyboard focus with its whole text selected.
  void FocusAndSelectAll(int id);
  // A control's tooltip; it also shows when the control takes the focus from
  // the keyboard (Tab or Shift+Tab).
  void SetControlToolTip(int id, std::string_view text);
  std::string ControlToolTip(int id) const;

  // Trackbars. Nothing set from code raises a scroll notification. The redraw
  // flag is accepted for form: a changed trackbar is always redrawn lazily.
  void SetTrackbarRange(int id, int minimum, int maximum, bool redraw);
  int TrackbarMin(int id) const;
  int TrackbarMax(int id) const;
  // Clamped into the range.
  void SetTrackbarPos(int id, int position, bool redraw);
  int TrackbarPos(int id) const;
  // Attaches label buddyId at the trackbar's right end (0 detaches); returns
  // the id of the buddy attached before, 0 for none.
  int SetTrackbarBuddy(int id, int buddyId);
  int TrackbarBuddy(int id) const;

  // Window. Invalidate marks the whole client area for a deferred paint (the
  // background is always erased); UpdateWindow paints at once if anything is
  // invalid; RedrawWindow invalidates and paints at once.
  void Invalidate(bool erase);
  void UpdateWindow();
  void RedrawWindow();
  void SetIcon(int iconId, bool big);
  bool IsIconic() const;
  ClientRect GetClientRect() const;

  // The Qt window, for the platform's own tests and the application; null
  // while the dialog has no window.
  DialogWindow* Window() const { return window_.get(); }

 protected:
  // Runs once, after the controls exist and before the dialog shows. Its
  // result is not used: the first control that takes the focus gets it.
  virtual bool OnInitDialog();
  // Every command of the dialog. The default runs DefaultOnCommand.
  bool OnCommand(std::uint32_t commandWord) override;
  // Every scroll notification of a trackbar, with the trackbar's position
  // after the action.
  void OnHScroll(int code, int position, int controlId) override;
  // The dialog's paint; the context lives for this call only.
  void OnPaint(PaintContext& context) override;
  // The handlers of IDOK and IDCANCEL: end the dialog with that id.
  virtual void OnOK();
  virtual void OnCancel();
  // A context menu asked for over the dialog: at (x, y) in client
  // coordinates for a click (also one on a control that has no menu of its
  // own). The keyboard's position is where the focus is. The default does nothing.
  void OnContextMenu(int x, int y, ContextMenuSource source) override;
  // The tooltip of the dialog's own client area at (x, y), asked each time one
  // is due; an empty text for none. The default has none.
  AreaToolTip ToolTipAt(int x, int y) const override;
  // Whether the window takes a local file dropped on it; then OnDropFile gets
  // its path. The defaults take none.
  bool TakesFileDrops() const override;
  void OnDropFile(const std::string& path) override;

  // The framework's command handling: runs the handler registered for the
  // command's id and notification, otherwise OK or Cancel for their clicks.
  // True when something handled the command.
  bool DefaultOnCommand(std::uint32_t commandWord);

  // The dialog's command table: handler runs for notification from controlId.
  using CommandHandler = std::function<void()>;
  void MapCommand(int controlId, std::uint16_t notification, CommandHandler handler);
  void MapClicked(int controlId, CommandHandler handler);

 private:
  struct CommandEntry {
    int controlId;
    std::uint16_t notification;
    CommandHandler handler;
  };

  void CreateWindowAndInitialise();
  void RunModalLoop();
  void DestroyWindow();

  DialogTemplate template_;
  std::unique_ptr<DialogWindow> window_;
  std::vector<CommandEntry> commands_;
  int result_ = 0;
  bool ended_ = false;
  QEventLoop* modalLoop_ = nullptr;
};

}  // namespace platform
