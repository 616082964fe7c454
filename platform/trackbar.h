#pragma once

#include <QPointer>
#include <QSlider>

#include "platform/trackbar_steps.h"

namespace platform {

// A horizontal trackbar that reports every user action the way a dialog's
// trackbar always has: a step code for each key, each click on the channel and
// each position a dragged thumb passes, thumb-position on release, and
// end-track after every one of these. Keyboard, mouse and wheel input is
// handled here, not by QSlider, so no action reaches Qt's own value paths;
// code that sets the range or position reports nothing.
class Trackbar final : public QSlider {
  Q_OBJECT

 public:
  explicit Trackbar(QWidget* parent);

  // The position is clamped into the new range; the page becomes a fifth of it.
  void SetRange(TrackbarRange range);
  TrackbarRange Range() const;
  void SetPosition(int position);
  int Position() const;
  int PageSize() const;

  // Attaches a label at the trackbar's right end, vertically centred on it;
  // nullptr detaches. The buddy's id is kept for queries.
  void SetBuddy(QWidget* buddy, int buddyId);
  int BuddyId() const;

  // Where the thumb stands now, in the trackbar's own coordinates.
  QRect ThumbRect() const;

 signals:
  void Scrolled(int code, int position);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Step(ScrollCode code);
  void Report(ScrollCode code);
  int PositionAtThumbLeft(int thumbLeft) const;
  void AlignBuddy();

  int pageSize_;
  bool dragging_ = false;
  bool tracking_ = false;
  int dragOffset_ = 0;
  QPointer<QWidget> buddy_;
  int buddyId_ = 0;
};

}  // namespace platform
