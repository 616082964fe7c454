#pragma once

#include "platform/scroll_code.h"

namespace platform {

struct TrackbarRange {
  int minimum;
  int maximum;
};

// The line size of a trackbar: one position per arrow key.
inline constexpr int kTrackbarLineSize = 1;

// A page is one fifth of the range, and at least one position.
int DefaultPageSize(TrackbarRange range);

int ClampPosition(TrackbarRange range, int position);

// Where a line, page, top or bottom step moves a thumb that stands at
// position. Line and page up go towards the minimum; the result is clamped
// into the range. Other codes leave the position as it is.
int StepTarget(ScrollCode code, TrackbarRange range, int position, int pageSize);

}  // namespace platform
