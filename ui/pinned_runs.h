#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/result_series.h"
#include "ui/graph_view.h"
#include "ui/run_on_screen.h"

namespace ui {

// Where a pin's curves come from: the window's run, or a saved file whose
// curves this version does not make again.
enum class PinSource : std::uint8_t { kRun, kFile };

// A run kept for comparison: its number, seed, arguments and five series.
struct PinnedRun {
  int number;
  RunOnScreen run;
  std::vector<float> values;  // laid out as in batch/run_values.h
  PinSource source = PinSource::kRun;
};

inline constexpr std::size_t kMaxPins = 6;

// The pinned runs in the order they were pinned. A new pin takes the lowest
// number not in use, so numbers stay short and a removed pin's number returns.
class PinnedRuns {
 public:
  bool Full() const { return pins_.size() >= kMaxPins; }
  bool Empty() const { return pins_.empty(); }
  std::span<const PinnedRun> Pins() const { return pins_; }

  // The new pin's number; nullopt when Full.
  std::optional<int> Add(const RunOnScreen& run, const model::SeriesPointers& series,
                         PinSource source = PinSource::kRun);
  void Remove(int number);
  void Clear() { pins_.clear(); }

  // The curves to draw; each points into this object's pins.
  std::vector<PinnedCurves> Curves() const;

 private:
  std::vector<PinnedRun> pins_;
};

// "J 0.30 (now 0.50)" for each parameter in which the pin differs from the run
// now on screen and which matters in the pin's own setting (no I Sigma while
// the pin's I is Constant), named as the panel names them, in option order.
std::vector<std::string> PinDifferences(const PinnedRun& pin, const RunOnScreen& now);

// "Pin 2: J 0.30 (now 0.50), Sanctions on (now off)", in lines of about 60
// characters like the graph's other tooltips; the seed follows when it differs.
std::string PinDifference(const PinnedRun& pin, const RunOnScreen& now);

// The menu item that removes the pin: "Remove Pin &2: J 0.30 (now 0.50), …"
// with its first two differences, the pin's number as its access letter.
std::string RemovePinMenuText(const PinnedRun& pin, const RunOnScreen& now);

}  // namespace ui
