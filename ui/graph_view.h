#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include "platform/paint_context.h"
#include "res/resource_ids.h"

namespace ui {

// A client rectangle in pixels.
struct ClientRect {
  int left;
  int top;
  int right;
  int bottom;
};

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

// Time points 0 to 100.
inline constexpr int kGraphPointCount = 101;

// The five result series, in the order the model stores them.
enum GraphSeries : std::size_t {
  kFirstOrderRate,
  kSecondOrderRate,
  kMeanPropensityVolunteers,
  kMeanPropensityNonVolunteers,
  kMeanPropensity,
  kGraphSeriesCount,
};

// Each entry null (no run has produced series yet) or kGraphPointCount values.
using GraphSeriesData = std::array<const float*, kGraphSeriesCount>;

// One drawn series: the check box that switches it on and its pen colour.
struct SeriesPen {
  int checkBoxId;
  GraphSeries series;
  platform::Rgb colour;
};

// In drawing order: a later line covers an earlier one where they meet.
extern const std::array<SeriesPen, kGraphSeriesCount> kSeriesPens;

// Whether the series check box with the given id is ticked.
using CheckedQuery = std::function<bool(int checkBoxId)>;

// The y pixel of a series value, or nullopt when it has none (NaN, infinite,
// or so far off the plot that it does not fit in an int).
std::optional<int> PlotY(const GraphGeometry& geometry, float value);

// Paints labels, grid and frame, then, while plotReady, the ticked series.
// The context's pen and font are current again afterwards and everything the
// paint made is released, also when a pen cannot be made (the paint stops there).
void PaintGraph(platform::PaintContext& context, const ClientRect& client, bool plotReady,
                const GraphSeriesData& series, const CheckedQuery& isChecked);

// The minimised dialog: only the icon, centred in the client area.
void PaintGraphIconic(platform::PaintContext& context, const ClientRect& client,
                      int iconId = res::kAppIconId);

}  // namespace ui
