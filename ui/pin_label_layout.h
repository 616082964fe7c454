#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/paint_context.h"

namespace ui {

// Where a pinned curve ends: its series (a row of kSeriesPens), its pin's
// number and the y pixel of its last point.
struct PinEnd {
  std::size_t row;
  int number;
  int y;
};

// The rectangle the labels may take, right and bottom exclusive; labels start
// at left when they fit, else as far left as their width needs.
struct LabelRoom {
  int left;
  int right;
  int top;
  int bottom;
};

// One label: the pins it numbers ("2, 3"), the ends it stands for and its cell.
struct PinLabel {
  std::size_t row;
  std::vector<int> numbers;
  std::vector<int> endYs;
  std::string text;
  int left;
  int top;
  int width;
  int height;
};

using TextMeasure = std::function<platform::TextSize(std::string_view text)>;

// Labels for the ends, none overlapping another and all inside room: ends of
// one series at the same pixel share a label; labels are stacked in the
// order of their ends, each as near its ends as the others let it; when the
// room is too low for them all, the nearest labels of one series merge until
// they fit.
std::vector<PinLabel> LayOutPinLabels(const std::vector<PinEnd>& ends, const LabelRoom& room,
                                      const TextMeasure& measure);

}  // namespace ui
