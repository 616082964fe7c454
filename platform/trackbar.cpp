#include "platform/trackbar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <array>

#include "platform/focus_mark.h"

namespace platform {
namespace {

struct KeyStep {
  int key;
  ScrollCode code;
};

// Left and up go towards the minimum, right and down towards the maximum.
constexpr std::array<KeyStep, 8> kKeySteps = {{
    {Qt::Key_Left, kTbLineUp},
    {Qt::Key_Up, kTbLineUp},
    {Qt::Key_Right, kTbLineDown},
    {Qt::Key_Down, kTbLineDown},
    {Qt::Key_PageUp, kTbPageUp},
    {Qt::Key_PageDown, kTbPageDown},
    {Qt::Key_Home, kTbTop},
    {Qt::Key_End, kTbBottom},
}};

const KeyStep* FindKeyStep(int key) {
  for (const KeyStep& step : kKeySteps) {
    if (step.key == key) {
      return &step;
    }
  }
  return nullptr;
}

// One wheel notch is one line; turning away from the user goes towards the minimum.
constexpr int kWheelNotch = 120;

}  // namespace

Trackbar::Trackbar(QWidget* parent)
    : QSlider(Qt::Horizontal, parent), pageSize_(DefaultPageSize({minimum(), maximum()})) {
  setTickPosition(QSlider::NoTicks);
  setTracking(true);
}

void Trackbar::SetRange(TrackbarRange range) {
  setRange(range.minimum, range.maximum);
  pageSize_ = DefaultPageSize(range);
}

TrackbarRange Trackbar::Range() const {
  return {minimum(), maximum()};
}

void Trackbar::SetPosition(int position) {
  setValue(ClampPosition(Range(), position));
}

int Trackbar::Position() const {
  return value();
}

int Trackbar::PageSize() const {
  return pageSize_;
}

void Trackbar::SetBuddy(QWidget* buddy, int buddyId) {
  buddy_ = buddy;
  buddyId_ = buddy != nullptr ? buddyId : 0;
  AlignBuddy();
}

int Trackbar::BuddyId() const {
  return buddy_ ? buddyId_ : 0;
}

void Trackbar::AlignBuddy() {
  if (!buddy_) {
    return;
  }
  const QRect self = geometry();
  const int top = self.top() + (self.height() - buddy_->height()) / 2;
  buddy_->move(self.left() + self.width(), top);
}

void Trackbar::Report(ScrollCode code) {
  emit Scrolled(code, Position());
}

void Trackbar::Step(ScrollCode code) {
  setValue(StepTarget(code, Range(), Position(), pageSize_));
  Report(code);
  tracking_ = true;
}

void Trackbar::keyPressEvent(QKeyEvent* event) {
  const KeyStep* step = FindKeyStep(event->key());
  if (step == nullptr) {
    event->ignore();
    return;
  }
  Step(step->code);
}

void Trackbar::keyReleaseEvent(QKeyEvent* event) {
  if (FindKeyStep(event->key()) == nullptr) {
    event->ignore();
    return;
  }
  // Auto-repeat sends a release before every repeated press: only the real
  // release ends the tracking.
  if (!event->isAutoRepeat() && tracking_) {
    tracking_ = false;
    Report(kTbEndTrack);
  }
}

QRect Trackbar::ThumbRect() const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

int Trackbar::PositionAtThumbLeft(int thumbLeft) const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const int thumbWidth = ThumbRect().width();
  const int span = groove.right() - thumbWidth + 1 - groove.left();
  return QStyle::sliderValueFromPosition(minimum(), maximum(), thumbLeft - groove.left(), span,
                                         option.upsideDown);
}

void Trackbar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  const QRect thumb = ThumbRect();
  const int x = event->position().toPoint().x();
  dragging_ = false;
  if (thumb.contains(event->position().toPoint())) {
    dragging_ = true;
    tracking_ = true;
    dragOffset_ = x - thumb.left();
    return;
  }
  Step(x < thumb.left() ? kTbPageUp : kTbPageDown);
}

void Trackbar::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !event->buttons().testFlag(Qt::LeftButton)) {
    event->ignore();
    return;
  }
  const int position = PositionAtThumbLeft(event->position().toPoint().x() - dragOffset_);
  if (position != Position()) {
    setValue(position);
    Report(kTbThumbTrack);
  }
}

void Trackbar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tracking_) {
    event->ignore();
    return;
  }
  if (dragging_) {
    dragging_ = false;
    Report(kTbThumbPosition);
  }
  tracking_ = false;
  Report(kTbEndTrack);
}

void Trackbar::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / kWheelNotch;
  if (notches == 0) {
    event->ignore();
    return;
  }
  const ScrollCode code = notches > 0 ? kTbLineUp : kTbLineDown;
  for (int notch = 0; notch < std::abs(notches); ++notch) {
    Step(code);
  }
  tracking_ = false;
  Report(kTbEndTrack);
}

void Trackbar::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  if (hasFocus()) {
    QPainter painter(this);
    PaintFocusMark(painter, rect(), *this);
  }
}

}  // namespace platform
