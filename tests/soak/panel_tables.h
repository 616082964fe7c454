// The soak test's own description of the main dialog's panel: which controls
// exist, how they are grouped, and which of them the random walk touches.
// Written from the window's documented behaviour, not from the dialog's code.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "model/run_arguments.h"

namespace soak {

// The five attributes, in panel order.
enum class Attr : std::size_t { kR, kI, kT, kE, kRPrime };
inline constexpr std::size_t kAttrCount = 5;
inline constexpr std::array<std::string_view, kAttrCount> kAttrNames = {"R", "I", "T", "E", "R'"};

enum class Kind : int { kConstant = 0, kNormal = 1, kLogNormal = 2 };
inline constexpr std::size_t kKindCount = 3;
inline constexpr std::array<std::string_view, kKindCount> kKindNames = {"Constant", "Normal",
                                                                        "LogNormal"};

// One trackbar: its value label, range and the run argument it feeds.
struct TrackbarRow {
  std::string_view name;
  int trackbarId;
  int labelId;
  int minimum;
  int maximum;
  double model::RunArguments::*argument;  // nullptr: fed as an agent count instead
};
inline constexpr std::size_t kTrackbarCount = 20;
extern const std::array<TrackbarRow, kTrackbarCount> kTrackbars;
const TrackbarRow& TrackbarById(int trackbarId);

// The two "N" trackbars turn into requested agent counts.
struct CountRow {
  int trackbarId;
  std::int32_t model::RunArguments::*argument;
};
extern const std::array<CountRow, 2> kCountTrackbars;

// One attribute's three radio buttons, in kind order.
struct RadioGroup {
  Attr attr;
  std::array<int, kKindCount> radioIds;
  int model::RunArguments::*argument;
};
extern const std::array<RadioGroup, kAttrCount> kRadioGroups;

// The same fifteen radio buttons one by one.
struct RadioButtonRow {
  Attr attr;
  Kind kind;
  int id;
};
extern const std::array<RadioButtonRow, kAttrCount * kKindCount> kRadioButtons;

inline constexpr std::size_t kSeriesBoxCount = 5;
extern const std::array<int, kSeriesBoxCount> kSeriesBoxes;

}  // namespace soak
