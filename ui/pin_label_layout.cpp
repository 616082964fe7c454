#include "ui/pin_label_layout.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace ui {
namespace {

constexpr std::string_view kNumberSeparator = ", ";

std::string NumbersText(std::vector<int> numbers) {
  std::ranges::sort(numbers);
  std::string text;
  for (const int number : numbers) {
    if (!text.empty()) text += kNumberSeparator;
    text += std::to_string(number);
  }
  return text;
}

// The y the label is centred on: the middle of its ends.
int WantedCentre(const PinLabel& label) {
  const auto [low, high] = std::ranges::minmax(label.endYs);
  return (low + high) / 2;
}

void Measure(PinLabel& label, const TextMeasure& measure) {
  label.text = NumbersText(label.numbers);
  const platform::TextSize size = measure(label.text);
  label.width = size.width;
  label.height = size.height;
}

std::vector<PinLabel> MergeSameEnds(const std::vector<PinEnd>& ends) {
  std::vector<PinLabel> labels;
  for (const PinEnd& end : ends) {
    const auto same = std::ranges::find_if(labels, [&end](const PinLabel& label) {
      return label.row == end.row && label.endYs.front() == end.y;
    });
    if (same != labels.end()) {
      same->numbers.push_back(end.number);
    } else {
      labels.push_back({end.row, {end.number}, {end.y}, {}, 0, 0, 0, 0});
    }
  }
  return labels;
}

int TotalHeight(const std::vector<PinLabel>& labels) {
  int total = 0;
  for (const PinLabel& label : labels) total += label.height;
  return total;
}

// The two labels of one series whose ends lie nearest each other become one;
// false when no series has two.
bool MergeNearestPair(std::vector<PinLabel>& labels, const TextMeasure& measure) {
  std::size_t keep = labels.size();
  std::size_t drop = labels.size();
  int nearest = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < labels.size(); ++i) {
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      if (labels[i].row != labels[j].row) continue;
      const int distance = std::abs(WantedCentre(labels[i]) - WantedCentre(labels[j]));
      if (distance < nearest) {
        nearest = distance;
        keep = i;
        drop = j;
      }
    }
  }
  if (drop == labels.size()) return false;
  PinLabel& kept = labels[keep];
  const PinLabel& dropped = labels[drop];
  kept.numbers.insert(kept.numbers.end(), dropped.numbers.begin(), dropped.numbers.end());
  kept.endYs.insert(kept.endYs.end(), dropped.endYs.begin(), dropped.endYs.end());
  Measure(kept, measure);
  labels.erase(labels.begin() + static_cast<std::ptrdiff_t>(drop));
  return true;
}

// Down from the wanted places without overlap, then back up from the bottom
// of the room, then down again from its top: each label as near its ends as
// the room and the labels above and below allow.
void Stack(std::vector<PinLabel>& labels, const LabelRoom& room) {
  int below = room.top;
  for (PinLabel& label : labels) {
    label.top = std::max(WantedCentre(label) - label.height / 2, below);
    below = label.top + label.height;
  }
  int above = room.bottom;
  for (auto label = labels.rbegin(); label != labels.rend(); ++label) {
    label->top = std::min(label->top, above - label->height);
    above = label->top;
  }
  below = room.top;
  for (PinLabel& label : labels) {
    label.top = std::max(label.top, below);
    below = label.top + label.height;
  }
}

}  // namespace

std::vector<PinLabel> LayOutPinLabels(const std::vector<PinEnd>& ends, const LabelRoom& room,
                                      const TextMeasure& measure) {
  std::vector<PinLabel> labels = MergeSameEnds(ends);
  for (PinLabel& label : labels) Measure(label, measure);
  while (TotalHeight(labels) > room.bottom - room.top && MergeNearestPair(labels, measure)) {
  }
  std::ranges::stable_sort(labels, {}, WantedCentre);
  Stack(labels, room);
  for (PinLabel& label : labels) {
    label.left = std::min(room.left, room.right - label.width);
  }
  return labels;
}

}  // namespace ui
