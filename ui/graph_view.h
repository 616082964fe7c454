#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "batch/summary_statistics.h"
#include "model/result_series.h"
#include "platform/client_rect.h"
#include "platform/paint_context.h"
#include "res/resource_ids.h"

namespace ui {

using platform::ClientRect;

// The plot: 100 x 100 cells of xScale x yScale pixels, centred across the
// client area and in its upper half.
struct GraphGeometry {
  int xScale;
  int plotLeft;
  int plotRight;
  int yScale;
  int plotTop;
  int plotBottom;
  friend bool operator==(const GraphGeometry&, const GraphGeometry&) = default;
};

GraphGeometry ComputeGraphGeometry(const ClientRect& client);

// One drawn series: the check box that switches it on and its pen colour.
struct SeriesPen {
  int checkBoxId;
  model::SeriesIndex series;
  platform::Rgb colour;
};

// In drawing order: a later line covers an earlier one where they meet.
extern const std::array<SeriesPen, model::kSeriesCount> kSeriesPens;

// Which series the graph draws, by model::SeriesIndex: the ticks of their
// check boxes when the paint began.
using ShownSeries = std::array<bool, model::kSeriesCount>;

// The y pixel of a series value, or nullopt when it has none (NaN, infinite,
// or so far off the plot that it does not fit in an int).
std::optional<int> PlotY(const GraphGeometry& geometry, float value);

// A run kept for comparison, marked with its number at the right edge.
struct PinnedCurves {
  int number;
  model::SeriesPointers series;
};

// What the graph may show besides the run on screen, beneath its curves.
struct GraphOverlays {
  // The 5-95 % band of each series over other populations, indexed as the
  // values of one run in batch/run_values.h; empty for none.
  std::span<const batch::SummaryStatistics> band;
  std::span<const PinnedCurves> pins;
  // The band is of an earlier setting, kept until the new one arrives.
  bool bandOutOfDate = false;
};

// Opacity of a band's tint over the white graph, and of a band out of date:
// fainter by far, so it never passes for the band of the curve on screen.
inline constexpr std::uint8_t kBandOpacity = 64;
inline constexpr std::uint8_t kOutOfDateBandOpacity = 20;

// Paints labels, grid and frame, then, while plotReady, the band and the pins
// of the ticked series and the ticked series themselves. The context's pen and
// font are current again afterwards and everything the paint made is released,
// also when a pen cannot be made (the paint stops there).
void PaintGraph(platform::PaintContext& context, const ClientRect& client, bool plotReady,
                const model::SeriesPointers& series, const ShownSeries& shown,
                const GraphOverlays& overlays = {});

// The step whose points lie nearest x, if x is over the plot.
std::optional<int> StepAt(const GraphGeometry& geometry, int x);

// The minimised dialog: only the icon, centred in the client area.
void PaintGraphIconic(platform::PaintContext& context, const ClientRect& client,
                      int iconId = res::kAppIconId);

}  // namespace ui
