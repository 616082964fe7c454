#pragma once

#include "drawing/line_raster.h"

namespace platform {

// Consecutive pixels of a line along its major axis that share their minor
// coordinate: a horizontal or a vertical stretch.
struct PixelRun {
  PixelPoint first;  // in drawing order
  PixelPoint step;   // from one pixel of the run to the next
  int index;         // of `first` along the whole line
  int length;

  PixelPoint At(int offset) const { return {first.x + step.x * offset, first.y + step.y * offset}; }
  PixelPoint Last() const { return At(length - 1); }
  // The `count` pixels from `offset` on.
  PixelRun Part(int offset, int count) const { return {At(offset), step, index + offset, count}; }
};

// Visits the pixels LinePixels(from, to) lists as runs, in drawing order,
// without allocating.
template <class Visit>
void ForEachLineRun(PixelPoint from, PixelPoint to, Visit&& visit) {
  LineWalk walk(from, to);
  const int length = walk.Length();
  if (walk.AlongAxis() && length > 0) {
    visit(PixelRun{from, walk.MajorStep(), 0, length});
    return;
  }
  PixelRun run{walk.Pixel(), walk.MajorStep(), 0, 0};
  for (int index = 0; index < length; ++index) {
    ++run.length;
    if (walk.Advance() && index + 1 < length) {
      visit(static_cast<const PixelRun&>(run));
      run = {walk.Pixel(), walk.MajorStep(), index + 1, 0};
    }
  }
  if (run.length > 0) {
    visit(static_cast<const PixelRun&>(run));
  }
}

}  // namespace platform
