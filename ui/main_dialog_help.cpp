// The tooltips of CMainDlg: one per trackbar, the dump button's, and the seed
// over the graph.
#include <cstdlib>

#include "batch/run_values.h"
#include "res/control_ids.h"
#include "res/main_dialog_template.h"
#include "run_description/rerun_command.h"
#include "ui/graph_band.h"
#include "ui/graph_view.h"
#include "ui/main_dialog.h"
#include "ui/pinned_runs.h"
#include "ui/seed_tool_tip.h"
#include "ui/slider_tool_tips.h"

namespace ui {
namespace {

// The button's work is silent when the file is missing: the tooltip is where
// a user learns what it needs.
constexpr std::string_view kDumpDataToolTip =
    "Draws the first-order contribution rate of the run on screen into Graph.bmp in the\n"
    "current folder, in the next colour of its palette, so that runs overlay in one picture.\n"
    "Graph.bmp must already exist as a 640 \u00d7 340 8-bit bitmap;\n"
    "corvellan-run --new-overlay Graph.bmp creates a blank one.";

constexpr std::string_view kSamePopulationsNote =
    "\nPopulation band: no attribute is drawn from a distribution, so every\n"
    "population is the same and the band is the curve.";

// Pixels above or below a pinned curve's point at which its tooltip shows.
constexpr int kPinReach = 3;

bool NoAttributeDrawn(const model::RunArguments& a) {
  const int constant = static_cast<int>(model::DistributionKind::Constant);
  return a.distR == constant && a.distI == constant && a.distT == constant && a.distE == constant &&
         a.distRPrime == constant;
}

// What the band is made of and the command that prints its quantiles.
std::string BandNote(const RunOnScreen& run, int populations) {
  const std::string count = std::to_string(populations);
  std::string note = "\nPopulation band: 5\u201395 % of " + count +
                     " populations of this setting; its numbers come from:\n" +
                     WrapCommand(run::ShortRerunCommand(run.seed, run.arguments) +
                                 " --replicates " + count + " --summary");
  if (NoAttributeDrawn(run.arguments)) note += kSamePopulationsNote;
  return note;
}

}  // namespace

void CMainDlg::SetUpToolTips() {
  for (const SliderSpec& row : kSliderTable) {
    SetControlToolTip(row.trackbarId, SliderToolTipText(row.trackbarId));
  }
  SetControlToolTip(res::kIdButtonDumpData, kDumpDataToolTip);
}

// Asked afresh each time, so it always names the run on screen.
platform::AreaToolTip CMainDlg::ToolTipAt(int x, int y) const {
  const platform::ClientRect client = GetClientRect();
  const int bandBottom = GraphBandBottom(res::kMainDialogTemplate);
  if (!shownRun_ || y < client.top || y >= bandBottom) {
    return {};
  }
  if (const std::optional<platform::AreaToolTip> pin = PinToolTipAt(x, y)) {
    return *pin;
  }
  std::string text = SeedToolTip(*shownRun_);
  if (band_.Shown()) {
    text += BandNote(*shownRun_, band_.Populations());
  }
  return {text, {client.left, client.top, client.right, bandBottom}};
}

// The first pin with a ticked series whose point at the step under x lies
// within reach of y; its tooltip holds while the pointer stays at that point.
std::optional<platform::AreaToolTip> CMainDlg::PinToolTipAt(int x, int y) const {
  const GraphGeometry g = ComputeGraphGeometry(GetClientRect());
  const std::optional<int> step = StepAt(g, x);
  if (!step || pins_.Empty()) {
    return std::nullopt;
  }
  const ShownSeries shown = SeriesShownNow();
  for (const PinnedRun& pin : pins_.Pins()) {
    for (const SeriesPen& row : kSeriesPens) {
      if (!shown[row.series]) continue;
      const std::optional<int> pinY = PlotY(g, pin.values[batch::ValueIndex(row.series, *step)]);
      if (!pinY || std::abs(*pinY - y) > kPinReach) continue;
      const int pointX = g.plotLeft + *step * g.xScale;
      return platform::AreaToolTip{PinDifference(pin, *shownRun_),
                                   {pointX - g.xScale / 2, *pinY - kPinReach,
                                    pointX + g.xScale / 2 + 1, *pinY + kPinReach + 1}};
    }
  }
  return std::nullopt;
}

}  // namespace ui
