#include "platform/dialog_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

#include "drawing/dialog_font.h"
#include "drawing/qt_paint_context.h"
#include "drawing/qt_strings.h"
#include "platform/command_word.h"
#include "platform/control_factory.h"
#include "platform/radio_button.h"
#include "platform/radio_grouping.h"
#include "platform/trackbar.h"
#include "platform/vector_state.h"

namespace platform {
namespace {

// A popup with caption, system menu and close box; no minimise or maximise box.
constexpr Qt::WindowFlags kDialogWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                               Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                               Qt::WindowCloseButtonHint;

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kPushButton || kind == ControlKind::kDefPushButton ||
         kind == ControlKind::kRadioButton || kind == ControlKind::kCheckBox;
}

}  // namespace

DialogWindow::DialogWindow(DialogEvents& dialog, const DialogTemplate& dialogTemplate)
    : QDialog(nullptr, kDialogWindowFlags), dialog_(dialog) {
  setWindowTitle(ToQString(dialogTemplate.caption));
  setFont(DialogFont(dialogTemplate.fontFace, dialogTemplate.fontPoints));
  setFixedSize(DialogUnitsToPixelsX(dialogTemplate.width),
               DialogUnitsToPixelsY(dialogTemplate.height));
  setSizeGripEnabled(false);
  BuildControls(dialogTemplate.controls);
  GroupRadioButtons(dialogTemplate.controls);
  setAcceptDrops(dialog.TakesFileDrops());
}

void DialogWindow::BuildControls(std::span<const ControlTemplate> controls) {
  controls_.reserve(controls.size());
  for (const ControlTemplate& control : controls) {
    const ControlEntry entry{control.id, control.kind, MakeControl(control, this)};
    controls_.push_back(entry);
    ConnectControl(entry);
  }
}

void DialogWindow::ConnectControl(const ControlEntry& control) {
  const int id = control.id;
  if (IsButton(control.kind)) {
    connect(qobject_cast<QAbstractButton*>(control.widget), &QAbstractButton::clicked, this,
            [this, id] { RaiseCommand(id, kBnClicked); });
  } else if (auto* edit = qobject_cast<QLineEdit*>(control.widget)) {
    connect(edit, &QLineEdit::textEdited, this, [this, id] {
      RaiseCommand(id, kEnUpdate);
      RaiseCommand(id, kEnChange);
    });
  } else if (auto* trackbar = qobject_cast<Trackbar*>(control.widget)) {
    connect(trackbar, &Trackbar::Scrolled, this,
            [this, id](int code, int position) { dialog_.OnHScroll(code, position, id); });
  }
}

void DialogWindow::GroupRadioButtons(std::span<const ControlTemplate> controls) {
  for (const std::vector<int>& group : RadioGroups(controls)) {
    std::vector<RadioButton*> members;
    for (int index : group) {
      members.push_back(
          qobject_cast<RadioButton*>(controls_[static_cast<std::size_t>(index)].widget));
    }
    for (RadioButton* member : members) {
      member->SetPeers(members);
    }
  }
}

QWidget* DialogWindow::Control(int id) const {
  for (const ControlEntry& control : controls_) {
    if (control.id == id) {
      return control.widget;
    }
  }
  return nullptr;
}

void DialogWindow::SetIconImage(const QPixmap& image, const QPixmap& doubleImage, bool big) {
  (big ? bigIcon_ : smallIcon_) = {image, doubleImage};
  QIcon icon;
  for (const QPixmap& pixmap :
       {bigIcon_.first, bigIcon_.second, smallIcon_.first, smallIcon_.second}) {
    if (!pixmap.isNull()) {
      icon.addPixmap(pixmap);
    }
  }
  setWindowIcon(icon);
}

void DialogWindow::CentreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void DialogWindow::RaiseCommand(int controlId, std::uint16_t notification) {
  dialog_.OnCommand(MakeCommandWord(controlId, notification));
}

void DialogWindow::PressDefaultButton() {
  for (const ControlEntry& control : controls_) {
    if (control.kind == ControlKind::kDefPushButton) {
      if (control.widget->isEnabled()) {
        qobject_cast<QAbstractButton*>(control.widget)->click();
      }
      return;
    }
  }
  RaiseCommand(kIdOk, kBnClicked);
}

void DialogWindow::reject() {
  RaiseCommand(kIdCancel, kBnClicked);
}

void DialogWindow::paintEvent(QPaintEvent* /*event*/) {
  {
    QPainter painter(this);
    QtPaintContext context(painter, font());
    invalid_ = false;
    dialog_.OnPaint(context);
  }
  // Once the painter has finished its fills.
  ClearUpperVectorState();
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      PressDefaultButton();
      return;
    case Qt::Key_Escape:
      RaiseCommand(kIdCancel, kBnClicked);
      return;
    default:
      event->ignore();
  }
}

// The close box asks for Cancel; the dialog decides when its window goes.
void DialogWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  RaiseCommand(kIdCancel, kBnClicked);
}

}  // namespace platform
