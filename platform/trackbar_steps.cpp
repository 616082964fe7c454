#include "platform/trackbar_steps.h"

#include <algorithm>

namespace platform {
namespace {

constexpr int kPagesPerRange = 5;
constexpr int kSmallestPage = 1;

}  // namespace

int DefaultPageSize(TrackbarRange range) {
  return std::max(kSmallestPage, (range.maximum - range.minimum) / kPagesPerRange);
}

int ClampPosition(TrackbarRange range, int position) {
  return std::clamp(position, range.minimum, std::max(range.minimum, range.maximum));
}

int StepTarget(ScrollCode code, TrackbarRange range, int position, int pageSize) {
  switch (code) {
    case kTbLineUp:
      return ClampPosition(range, position - kTrackbarLineSize);
    case kTbLineDown:
      return ClampPosition(range, position + kTrackbarLineSize);
    case kTbPageUp:
      return ClampPosition(range, position - pageSize);
    case kTbPageDown:
      return ClampPosition(range, position + pageSize);
    case kTbTop:
      return range.minimum;
    case kTbBottom:
      return range.maximum;
    default:
      return position;
  }
}

}  // namespace platform
