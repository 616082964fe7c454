#pragma once

#include <QDialog>
#include <QPixmap>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "platform/dialog_events.h"
#include "platform/dialog_template.h"

class QHelpEvent;

namespace platform {

// The Qt window of a Dialog: builds the template's controls, turns their
// signals, the keyboard and the close box into the dialog's commands and
// scroll notifications, and paints through the dialog's paint handler.
class DialogWindow final : public QDialog {
  Q_OBJECT

 public:
  DialogWindow(DialogEvents& dialog, const DialogTemplate& dialogTemplate);

  // The first control with this id, in template order; nullptr for none.
  QWidget* Control(int id) const;
  template <class Widget>
  Widget* ControlAs(int id) const {
    return qobject_cast<Widget*>(Control(id));
  }
  int ControlCount() const { return static_cast<int>(controls_.size()); }

  void MarkInvalid() { invalid_ = true; }
  bool HasInvalidArea() const { return invalid_; }
  // The big and the small icon, already at their sizes.
  // The icon at 1x and at 2x (for screens of device pixel ratio 2).
  void SetIconImage(const QPixmap& image, const QPixmap& doubleImage, bool big);

  // Places the window in the middle of the primary screen.
  void CentreOnScreen();

  // Raises a command as the control with this id would.
  void RaiseCommand(int controlId, std::uint16_t notification);

 public slots:
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Context menus and the tooltip of the client area (dialog_window_help.cpp).
  bool event(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // One local file at a time (dialog_window_drop.cpp).
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct ControlEntry {
    int id;
    ControlKind kind;
    QWidget* widget;
  };

  void BuildControls(std::span<const ControlTemplate> controls);
  void ConnectControl(const ControlEntry& control);
  void GroupRadioButtons(std::span<const ControlTemplate> controls);
  void PressDefaultButton();
  bool ShowAreaToolTip(const QHelpEvent& event);
  void OpenContextMenuFromKeyboard();

  DialogEvents& dialog_;
  std::vector<ControlEntry> controls_;
  std::pair<QPixmap, QPixmap> bigIcon_;  // at 1x and at 2x
  std::pair<QPixmap, QPixmap> smallIcon_;
  bool invalid_ = false;
};

}  // namespace platform
