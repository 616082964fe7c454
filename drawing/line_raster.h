#pragma once

#include <vector>

namespace platform {

struct PixelPoint {
  int x;
  int y;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A Bresenham walk along the major axis of a one-pixel line from `from`
// towards `to`, one pixel at a time, without `to` itself. Where the ideal line
// passes exactly between two pixels the one with the smaller minor coordinate
// is taken, whichever way the line runs, so a line and its reverse cover the
// same pixels apart from their end points. A zero-length line covers nothing.
class LineWalk {
 public:
  LineWalk(PixelPoint from, PixelPoint to);

  // Pixels the line covers.
  int Length() const { return major_; }
  // The pixel the walk stands on.
  PixelPoint Pixel() const { return at_; }
  // One pixel along the major axis: (±1, 0) or (0, ±1).
  PixelPoint MajorStep() const { return majorStep_; }
  // A horizontal or vertical line: the minor coordinate never changes.
  bool AlongAxis() const { return minor_ == 0; }

  // Moves to the next pixel; true when the minor coordinate changed as well.
  bool Advance() {
    const bool minorStep = error_ + bias_ > 0;
    error_ += minorStep ? minorStepError_ : majorStepError_;
    at_.x += majorStep_.x + (minorStep ? minorStep_.x : 0);
    at_.y += majorStep_.y + (minorStep ? minorStep_.y : 0);
    return minorStep;
  }

 private:
  PixelPoint at_;
  PixelPoint majorStep_;
  PixelPoint minorStep_;
  int major_;
  int minor_;
  int bias_;
  int error_;
  int majorStepError_;
  int minorStepError_;
};

// The pixels LineWalk visits, in drawing order.
std::vector<PixelPoint> LinePixels(PixelPoint from, PixelPoint to);

}  // namespace platform
