#pragma once

#include <QRect>
#include <algorithm>
#include <cstdlib>

#include "drawing/dot_pattern.h"
#include "drawing/line_runs.h"

namespace platform {

// A run of a pen `width` pixels wide, each pixel the centre of a width x width
// square: together one rectangle.
inline QRect RunRect(const PixelRun& run, int width) {
  const PixelPoint last = run.Last();
  const int half = width / 2;
  return {std::min(run.first.x, last.x) - half, std::min(run.first.y, last.y) - half,
          std::abs(last.x - run.first.x) + width, std::abs(last.y - run.first.y) + width};
}

// Visits the rectangles that make up the line from `from` to `to` (end point
// excluded) as visit(rect, dot): dot is true for what the pen's colour covers,
// false for the gaps of a dotted pen. A dotted pen is one pixel wide; its dots
// and gaps follow the dot pattern from the line's first pixel. The rectangles
// of one line do not overlap when the pen is one pixel wide.
template <class Visit>
void ForEachLineRect(PixelPoint from, PixelPoint to, int width, bool dotted, Visit&& visit) {
  constexpr int kDottedWidth = 1;
  ForEachLineRun(from, to, [width, dotted, &visit](const PixelRun& run) {
    if (!dotted) {
      visit(RunRect(run, width), true);
      return;
    }
    for (int offset = 0; offset < run.length;) {
      const int index = run.index + offset;
      const int count = std::min(run.length - offset, DotPatternRemaining(index));
      visit(RunRect(run.Part(offset, count), kDottedWidth), IsDotPixel(index));
      offset += count;
    }
  });
}

}  // namespace platform
