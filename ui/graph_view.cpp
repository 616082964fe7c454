#include "ui/graph_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "batch/run_values.h"
#include "res/control_ids.h"
#include "ui/paint_objects.h"
#include "ui/pin_label_layout.h"
#include "ui/pixel_coordinate.h"

namespace ui {
namespace {

using platform::PaintContext;

constexpr int kCells = 100;     // cells along each axis
constexpr int kGridCells = 10;  // cells between grid lines
constexpr int kHalfCells = kCells / 2;
constexpr int kMarginX = 20;  // least pixels left over across the plot
constexpr int kMarginY = 10;  // least pixels left over above and below it
constexpr double kHalf = 0.5;

constexpr std::string_view kLabelFace = "Arial";
constexpr int kLabelCellHeight = 14;
constexpr unsigned kLabelAlign = platform::kTextAlignCenter | platform::kTextAlignTop;

// Label offsets from the plot corners, in pixels.
constexpr int kValueLabelInset = 2;
constexpr int kHalfLabelInset = 4;
constexpr int kTopLabelRaise = 5;
constexpr int kHalfLabelRaise = 6;
constexpr int kTimeLabelDrop = 2;

constexpr platform::Colour kGridColour = platform::SystemColour::kAppWorkspace;
constexpr platform::Colour kFrameColour = platform::SystemColour::kButtonShadow;

struct AxisLabel {
  std::string_view text;
  int x;
  int y;
};

constexpr std::size_t kAxisLabelCount = 5;

// "0" serves both axes at the bottom-left corner.
std::array<AxisLabel, kAxisLabelCount> AxisLabels(const GraphGeometry& g) {
  return {{
      {"0", g.plotLeft - kValueLabelInset, g.plotBottom},
      {"1", g.plotLeft - kValueLabelInset, g.plotTop - kTopLabelRaise},
      {".5", g.plotLeft - kHalfLabelInset, g.plotBottom - kHalfCells * g.yScale - kHalfLabelRaise},
      {"100", g.plotRight, g.plotBottom + kTimeLabelDrop},
      {" ITERATIONS ", g.plotLeft + kHalfCells * g.xScale, g.plotBottom + kTimeLabelDrop},
  }};
}

void DrawLabels(PaintContext& context, const GraphGeometry& g) {
  context.SetTextAlign(kLabelAlign);
  for (const AxisLabel& label : AxisLabels(g)) {
    context.TextOut(label.x, label.y, label.text);
  }
}

// A scale of 0 makes both loops stop before their first line.
void DrawGrid(PaintContext& context, const GraphGeometry& g) {
  const int xStep = kGridCells * g.xScale;
  for (int x = g.plotLeft + xStep; x < g.plotRight; x += xStep) {
    context.MoveTo(x, g.plotBottom);
    context.LineTo(x, g.plotTop);
  }
  const int yStep = kGridCells * g.yScale;
  for (int y = g.plotTop; y < g.plotBottom; y += yStep) {
    context.MoveTo(g.plotLeft, y);
    context.LineTo(g.plotRight, y);
  }
}

// Left, bottom and right side; the top edge is the first dotted grid line.
void DrawFrame(PaintContext& context, const GraphGeometry& g) {
  context.MoveTo(g.plotLeft, g.plotTop);
  context.LineTo(g.plotLeft, g.plotBottom);
  context.LineTo(g.plotRight, g.plotBottom);
  context.LineTo(g.plotRight, g.plotTop);
}

// One line to each of the 101 points, the first from the bottom-left corner
// where the caller put the current position. A point without a y (see PlotY)
// gets neither of its two lines: the next point that has one is reached with a
// move, so the curve resumes there and the gap shows where the data fails.
void DrawSeriesLine(PaintContext& context, const GraphGeometry& g, const float* values) {
  bool resume = false;
  for (int i = 0; i < model::kStepCount; ++i) {
    const std::optional<int> y = PlotY(g, values[i]);
    if (!y) {
      resume = true;
      continue;
    }
    const int x = g.plotLeft + i * g.xScale;
    if (resume) {
      context.MoveTo(x, *y);
    } else {
      context.LineTo(x, *y);
    }
    resume = false;
  }
}

// Each row checks its own array, so a missing one only drops its own line.
void DrawSeries(PaintContext& context, const GraphGeometry& g, const model::SeriesPointers& series,
                const ShownSeries& shown) {
  for (const SeriesPen& row : kSeriesPens) {
    if (!shown[row.series]) continue;
    const platform::DrawingObject pen =
        context.CreatePen(platform::PenStyle::kSolid, kPenWidth, row.colour);
    if (pen == platform::kNoObject) return;
    DrawWithPen(context, pen, [&] {
      context.MoveTo(g.plotLeft, g.plotBottom);
      if (const float* values = series[row.series]) DrawSeriesLine(context, g, values);
    });
    context.DeleteObject(pen);
  }
}

// Each ticked series' band as one polygon: along its 95 % quantiles, back
// along its 5 % ones. A step without a y on either side leaves the band out.
void DrawBands(PaintContext& context, const GraphGeometry& g,
               std::span<const batch::SummaryStatistics> band, std::uint8_t opacity,
               const ShownSeries& shown) {
  if (band.size() != batch::kValuesPerRun) return;
  std::vector<platform::PolygonPoint> outline;
  for (const SeriesPen& row : kSeriesPens) {
    if (!shown[row.series]) continue;
    outline.assign(2 * model::kStepCount, {});
    bool whole = true;
    for (int k = 0; k < model::kStepCount && whole; ++k) {
      const batch::SummaryStatistics& at = band[batch::ValueIndex(row.series, k)];
      const std::optional<int> upper = PlotY(g, static_cast<float>(at.q95));
      const std::optional<int> lower = PlotY(g, static_cast<float>(at.q05));
      whole = upper && lower;
      if (!whole) break;
      const int x = g.plotLeft + k * g.xScale;
      outline[static_cast<std::size_t>(k)] = {x, *upper};
      outline[static_cast<std::size_t>(2 * model::kStepCount - 1 - k)] = {x, *lower};
    }
    if (!whole) continue;
    context.FillPolygon(outline, row.colour, opacity);
  }
}

constexpr int kPinLabelGap = 2;
constexpr platform::Rgb kTextBlack{0, 0, 0};

// Pin n draws with the n-th pattern, so the pins of one series tell apart.
constexpr std::array<platform::DashPattern, 6> kPinDashes = {{
    {{6, 3, 0, 0}},
    {{2, 2, 0, 0}},
    {{10, 3, 2, 3}},
    {{4, 5, 0, 0}},
    {{12, 4, 0, 0}},
    {{6, 2, 2, 2}},
}};

platform::DashPattern PinDashes(int number) {
  const auto index = static_cast<std::size_t>(std::max(number, 1) - 1) % kPinDashes.size();
  return kPinDashes[index];
}

std::vector<PinEnd> PinEnds(const GraphGeometry& g, std::span<const PinnedCurves> pins,
                            const ShownSeries& shown) {
  std::vector<PinEnd> ends;
  for (std::size_t row = 0; row < kSeriesPens.size(); ++row) {
    if (!shown[kSeriesPens[row].series]) continue;
    for (const PinnedCurves& pin : pins) {
      const float* values = pin.series[kSeriesPens[row].series];
      if (values == nullptr) continue;
      if (const std::optional<int> y = PlotY(g, values[model::kStepCount - 1])) {
        ends.push_back({row, pin.number, *y});
      }
    }
  }
  return ends;
}

// A label away from one of its ends gets a short line from that end to it.
void DrawLeaders(PaintContext& context, const GraphGeometry& g, const PinLabel& label) {
  const int fromX = g.plotRight + 1;
  const int toX = std::max(fromX, label.left - 1);
  for (const int y : label.endYs) {
    if (y >= label.top && y < label.top + label.height) continue;
    context.MoveTo(fromX, y);
    context.LineTo(toX, std::clamp(y, label.top, label.top + label.height - 1));
  }
}

// Each pin's number beside the end of its curves, in the series' colour,
// laid out so that no label covers another or an axis label.
void DrawPinLabels(PaintContext& context, const GraphGeometry& g, const ClientRect& client,
                   std::span<const PinnedCurves> pins, const ShownSeries& shown) {
  const LabelRoom room{g.plotRight + kPinLabelGap, client.right, client.top,
                       g.plotBottom + kTimeLabelDrop};
  context.SetTextAlign(platform::kTextAlignLeft | platform::kTextAlignTop);
  const std::vector<PinLabel> labels =
      LayOutPinLabels(PinEnds(g, pins, shown), room,
                      [&context](std::string_view text) { return context.MeasureText(text); });
  for (const PinLabel& label : labels) {
    const platform::Rgb colour = kSeriesPens[label.row].colour;
    const platform::DrawingObject pen =
        context.CreatePen(platform::PenStyle::kSolid, kPenWidth, colour);
    if (pen == platform::kNoObject) break;
    DrawWithPen(context, pen, [&] { DrawLeaders(context, g, label); });
    context.DeleteObject(pen);
  }
  for (const PinLabel& label : labels) {
    context.SetTextColour(kSeriesPens[label.row].colour);
    context.TextOut(label.left, label.top, label.text);
  }
  context.SetTextColour(kTextBlack);
  context.SetTextAlign(kLabelAlign);
}

// Pins as dashed lines in their series' colours, a dash pattern of its own
// for each pin, each numbered at the right edge beside its last point.
void DrawPins(PaintContext& context, const GraphGeometry& g, const ClientRect& client,
              std::span<const PinnedCurves> pins, const ShownSeries& shown) {
  if (pins.empty()) return;
  for (const SeriesPen& row : kSeriesPens) {
    if (!shown[row.series]) continue;
    for (const PinnedCurves& pin : pins) {
      const float* values = pin.series[row.series];
      if (values == nullptr) continue;
      const platform::DrawingObject pen =
          context.CreateDashedPen(PinDashes(pin.number), row.colour);
      if (pen == platform::kNoObject) return;
      DrawWithPen(context, pen, [&] {
        context.MoveTo(g.plotLeft, g.plotBottom);
        DrawSeriesLine(context, g, values);
      });
      context.DeleteObject(pen);
    }
  }
  DrawPinLabels(context, g, client, pins, shown);
}

// Where a run of `size` pixels starts so that it sits in the middle of `span`;
// an odd remainder puts the extra pixel before it.
int CentredStart(int span, int size) {
  constexpr int kSides = 2;
  return (span - size + 1) / kSides;
}

}  // namespace

constinit const std::array<SeriesPen, model::kSeriesCount> kSeriesPens = {{
    {res::kIdCheckFirstOrderRate, model::kFirstOrderRate, {0, 0, 0}},
    {res::kIdCheckSecondOrderRate, model::kSecondOrderRate, {200, 100, 200}},
    {res::kIdCheckMeanPropensity, model::kMeanPropensity, {222, 0, 0}},
    {res::kIdCheckMeanPropensityVolunteers, model::kMeanPropensityVolunteers, {0, 200, 0}},
    {res::kIdCheckMeanPropensityNonVolunteers, model::kMeanPropensityNonVolunteers, {0, 0, 200}},
}};

// The horizontal half is truncated as a whole, after adding left; the
// vertical one uses the exact half of bottom.
GraphGeometry ComputeGraphGeometry(const ClientRect& client) {
  GraphGeometry g{};
  const int width = client.right - client.left;
  g.xScale = (width - kMarginX) / kCells;
  g.plotLeft = static_cast<int>(client.left + (width - kCells * g.xScale) * kHalf);
  g.plotRight = g.plotLeft + kCells * g.xScale;
  const double halfBottom = client.bottom * kHalf;
  g.yScale = (static_cast<int>(halfBottom) - client.top - kMarginY) / kCells;
  g.plotTop = static_cast<int>(client.top + (halfBottom - client.top - kCells * g.yScale) * kHalf);
  g.plotBottom = g.plotTop + kCells * g.yScale;
  return g;
}

// The product is formed in double from the float, and the truncation comes
// after the subtraction: 305 - 36.9 lies at 268, not at 305 - 36.
std::optional<int> PlotY(const GraphGeometry& g, float value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double height = kCells * g.yScale;
  return ToPixel(g.plotBottom - height * static_cast<double>(value));
}

void PaintGraph(PaintContext& context, const ClientRect& client, bool plotReady,
                const model::SeriesPointers& series, const ShownSeries& shown,
                const GraphOverlays& overlays) {
  const GraphGeometry g = ComputeGraphGeometry(client);
  PaintObjects objects(context);
  objects.SelectFont(kLabelFace, kLabelCellHeight, platform::kFontWeightLight);
  DrawLabels(context, g);

  const platform::DrawingObject gridPen = objects.MakePen(platform::PenStyle::kDot, kGridColour);
  if (gridPen == platform::kNoObject) return;
  DrawWithPen(context, gridPen, [&] { DrawGrid(context, g); });

  const platform::DrawingObject framePen =
      objects.MakePen(platform::PenStyle::kSolid, kFrameColour);
  if (framePen == platform::kNoObject) return;
  DrawWithPen(context, framePen, [&] { DrawFrame(context, g); });

  // Before the dialog is set up the check boxes are not even read.
  if (!plotReady) return;
  DrawBands(context, g, overlays.band,
            overlays.bandOutOfDate ? kOutOfDateBandOpacity : kBandOpacity, shown);
  DrawPins(context, g, client, overlays.pins, shown);
  DrawSeries(context, g, series, shown);
}

std::optional<int> StepAt(const GraphGeometry& g, int x) {
  if (g.xScale <= 0 || x < g.plotLeft || x > g.plotRight) return std::nullopt;
  return (x - g.plotLeft + g.xScale / 2) / g.xScale;
}

void PaintGraphIconic(PaintContext& context, const ClientRect& client, int iconId) {
  const int x = CentredStart(client.right - client.left, platform::kIconSize);
  const int y = CentredStart(client.bottom - client.top, platform::kIconSize);
  context.DrawIcon(x, y, iconId);
}

}  // namespace ui
