#pragma once

namespace platform {

// Scroll codes a trackbar reports to its dialog, with the values the
// trackbar notifications have always had.
enum ScrollCode : int {
  kTbLineUp = 0,
  kTbLineDown = 1,
  kTbPageUp = 2,
  kTbPageDown = 3,
  kTbThumbPosition = 4,
  kTbThumbTrack = 5,
  kTbTop = 6,
  kTbBottom = 7,
  kTbEndTrack = 8,
};

}  // namespace platform
