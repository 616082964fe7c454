// The control operations of Dialog.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLineEdit>

#include "drawing/qt_strings.h"
#include "platform/dialog.h"
#include "platform/dialog_window.h"
#include "platform/label.h"
#include "platform/trackbar.h"

namespace platform {

bool Dialog::HasControl(int id) const {
  return window_ && window_->Control(id) != nullptr;
}

void Dialog::EnableControl(int id, bool enable) {
  if (QWidget* control = window_ ? window_->Control(id) : nullptr) {
    control->setEnabled(enable);
  }
}

bool Dialog::IsControlEnabled(int id) const {
  const QWidget* control = window_ ? window_->Control(id) : nullptr;
  return control != nullptr && control->isEnabledTo(window_.get());
}

void Dialog::SetControlText(int id, std::string_view text) {
  if (!window_) {
    return;
  }
  if (auto* label = window_->ControlAs<Label>(id)) {
    label->SetCaption(text);
  } else if (auto* edit = window_->ControlAs<QLineEdit>(id)) {
    edit->setText(ToQString(text));
    window_->RaiseCommand(id, kEnUpdate);
    window_->RaiseCommand(id, kEnChange);
  } else if (auto* button = window_->ControlAs<QAbstractButton>(id)) {
    button->setText(ToQString(text));
  } else if (auto* box = window_->ControlAs<QGroupBox>(id)) {
    box->setTitle(ToQString(text));
  }
}

std::string Dialog::ControlText(int id) const {
  if (!window_) {
    return {};
  }
  if (const auto* label = window_->ControlAs<Label>(id)) {
    return label->Caption();
  }
  if (const auto* edit = window_->ControlAs<QLineEdit>(id)) {
    return ToStdString(edit->text());
  }
  if (const auto* button = window_->ControlAs<QAbstractButton>(id)) {
    return ToStdString(button->text());
  }
  if (const auto* box = window_->ControlAs<QGroupBox>(id)) {
    return ToStdString(box->title());
  }
  return {};
}

void Dialog::SetCheck(int id, int state) {
  if (auto* button = window_ ? window_->ControlAs<QAbstractButton>(id) : nullptr) {
    button->setChecked(state != kUnchecked);
  }
}

void Dialog::ClickControl(int id) {
  if (auto* button = window_ ? window_->ControlAs<QAbstractButton>(id) : nullptr) {
    button->click();
  }
}

int Dialog::GetCheck(int id) const {
  const auto* button = window_ ? window_->ControlAs<QAbstractButton>(id) : nullptr;
  return button != nullptr && button->isChecked() ? kChecked : kUnchecked;
}

void Dialog::FocusAndSelectAll(int id) {
  if (auto* edit = window_ ? window_->ControlAs<QLineEdit>(id) : nullptr) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
  }
}

void Dialog::SetTrackbarRange(int id, int minimum, int maximum, bool /*redraw*/) {
  if (auto* trackbar = window_ ? window_->ControlAs<Trackbar>(id) : nullptr) {
    trackbar->SetRange({minimum, maximum});
  }
}

int Dialog::TrackbarMin(int id) const {
  const auto* trackbar = window_ ? window_->ControlAs<Trackbar>(id) : nullptr;
  return trackbar != nullptr ? trackbar->Range().minimum : 0;
}

int Dialog::TrackbarMax(int id) const {
  const auto* trackbar = window_ ? window_->ControlAs<Trackbar>(id) : nullptr;
  return trackbar != nullptr ? trackbar->Range().maximum : 0;
}

void Dialog::SetTrackbarPos(int id, int position, bool /*redraw*/) {
  if (auto* trackbar = window_ ? window_->ControlAs<Trackbar>(id) : nullptr) {
    trackbar->SetPosition(position);
  }
}

int Dialog::TrackbarPos(int id) const {
  const auto* trackbar = window_ ? window_->ControlAs<Trackbar>(id) : nullptr;
  return trackbar != nullptr ? trackbar->Position() : 0;
}

int Dialog::SetTrackbarBuddy(int id, int buddyId) {
  auto* trackbar = window_ ? window_->ControlAs<Trackbar>(id) : nullptr;
  if (trackbar == nullptr) {
    return 0;
  }
  const int previous = trackbar->BuddyId();
  trackbar->SetBuddy(buddyId != 0 ? window_->Control(buddyId) : nullptr, buddyId);
  return previous;
}

int Dialog::TrackbarBuddy(int id) const {
  const auto* trackbar = window_ ? window_->ControlAs<Trackbar>(id) : nullptr;
  return trackbar != nullptr ? trackbar->BuddyId() : 0;
}

}  // namespace platform
