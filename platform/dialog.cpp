#include "platform/dialog.h"

#include <QEventLoop>
#include <QPointer>

#include "drawing/resource_images.h"
#include "platform/active_dialogs.h"
#include "platform/dialog_surface.h"
#include "platform/dialog_window.h"
#include "platform/vector_state.h"

namespace platform {
namespace {

// A window's icon in its title bar and in the task switcher.
constexpr int kSmallIconSize = 16;
constexpr int kBigIconSize = kIconSize;

}  // namespace

Dialog::Dialog(const DialogTemplate& dialogTemplate) : template_(dialogTemplate) {}

Dialog::~Dialog() {
  DestroyWindow();
}

void Dialog::CreateWindowAndInitialise() {
  DestroyWindow();
  ended_ = false;
  result_ = 0;
  DialogEvents& events = *this;
  window_ = std::make_unique<DialogWindow>(events, template_);
  window_->CentreOnScreen();
  RegisterActiveDialog(this);
  OnInitDialog();
}

void Dialog::DestroyWindow() {
  UnregisterActiveDialog(this);
  window_.reset();
}

int Dialog::DoModal() {
  Dialog* owner = ActiveDialog();
  const QPointer<DialogWindow> ownerWindow = owner != nullptr ? owner->Window() : nullptr;
  const bool disableOwner = ownerWindow && ownerWindow->isEnabled();
  if (disableOwner) {
    ownerWindow->setEnabled(false);
  }
  CreateWindowAndInitialise();
  if (!ended_) {
    window_->setWindowModality(Qt::ApplicationModal);
    window_->show();
    RunModalLoop();
  }
  if (disableOwner && ownerWindow) {
    ownerWindow->setEnabled(true);
  }
  DestroyWindow();
  return result_;
}

void Dialog::RunModalLoop() {
  if (ended_) {
    return;
  }
  QEventLoop loop;
  modalLoop_ = &loop;
  loop.exec(QEventLoop::DialogExec);
  modalLoop_ = nullptr;
}

void Dialog::Create() {
  CreateWindowAndInitialise();
  if (!ended_) {
    window_->show();
  }
}

void Dialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  UnregisterActiveDialog(this);
  if (modalLoop_ != nullptr) {
    modalLoop_->exit();
  } else if (window_) {
    window_->hide();
  }
}

bool Dialog::IsWindowVisible() const {
  return window_ && window_->isVisible();
}

bool Dialog::IsWindowEnabled() const {
  return window_ && window_->isEnabled();
}

void Dialog::EnableWindow(bool enable) {
  if (window_) {
    window_->setEnabled(enable);
  }
}

bool Dialog::OnInitDialog() {
  return true;
}

bool Dialog::OnCommand(std::uint32_t commandWord) {
  return DefaultOnCommand(commandWord);
}

void Dialog::OnHScroll(int /*code*/, int /*position*/, int /*controlId*/) {}

void Dialog::OnPaint(PaintContext& /*context*/) {}

void Dialog::OnOK() {
  EndDialog(kIdOk);
}

void Dialog::OnCancel() {
  EndDialog(kIdCancel);
}

bool Dialog::DefaultOnCommand(std::uint32_t commandWord) {
  const std::uint16_t id = CommandId(commandWord);
  const std::uint16_t notification = NotificationCode(commandWord);
  for (const CommandEntry& entry : commands_) {
    if (CommandId(MakeCommandWord(entry.controlId, notification)) == id &&
        entry.notification == notification) {
      const CommandHandler handler = entry.handler;
      handler();
      return true;
    }
  }
  if (notification != kBnClicked) {
    return false;
  }
  if (id == kIdOk) {
    OnOK();
    return true;
  }
  if (id == kIdCancel) {
    OnCancel();
    return true;
  }
  return false;
}

void Dialog::MapCommand(int controlId, std::uint16_t notification, CommandHandler handler) {
  commands_.push_back({controlId, notification, std::move(handler)});
}

void Dialog::MapClicked(int controlId, CommandHandler handler) {
  MapCommand(controlId, kBnClicked, std::move(handler));
}

// The dialog's own surface only: its controls repaint themselves when they change.
void Dialog::Invalidate(bool /*erase*/) {
  if (window_) {
    window_->MarkInvalid();
    window_->update(OwnSurface(*window_));
  }
}

// After a synchronous paint the code that called it runs on at once.
void Dialog::UpdateWindow() {
  if (window_ && window_->HasInvalidArea()) {
    window_->repaint(OwnSurface(*window_));
    ClearUpperVectorState();
  }
}

void Dialog::RedrawWindow() {
  if (window_) {
    window_->MarkInvalid();
    window_->repaint(OwnSurface(*window_));
    ClearUpperVectorState();
  }
}

void Dialog::SetIcon(int iconId, bool big) {
  const int size = big ? kBigIconSize : kSmallIconSize;
  const QPixmap icon = LoadIcon(iconId, size);
  if (window_ && !icon.isNull()) {
    window_->SetIconImage(icon, LoadIcon(iconId, size, kDoubleScale), big);
  }
}

bool Dialog::IsIconic() const {
  return window_ && window_->isMinimized();
}

ClientRect Dialog::GetClientRect() const {
  if (!window_) {
    return {0, 0, 0, 0};
  }
  return {0, 0, window_->width(), window_->height()};
}

}  // namespace platform
