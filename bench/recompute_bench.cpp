// One full Recompute of the main dialog (run + the two synchronous paints) at
// its own size, 828 x 621, with all five series ticked; and the two paints
// alone, to show the paint's share.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <array>
#include <cstdlib>

#include "platform/dialog_window.h"
#include "platform/message_box.h"
#include "platform/qt_paint_context.h"
#include "res/control_ids.h"
#include "tests/support/paint_counting.h"
#include "ui/graph_view.h"
#include "ui/main_dialog.h"

namespace {

constexpr std::array<int, 5> kSeriesBoxes = {
    res::kIdCheckFirstOrderRate, res::kIdCheckSecondOrderRate,
    res::kIdCheckMeanPropensityVolunteers, res::kIdCheckMeanPropensityNonVolunteers,
    res::kIdCheckMeanPropensity};

// The main dialog whose own paint draws nothing: what is left of a repaint is
// the background and the controls.
constexpr int kTrackbarPositions = 101;

class DialogWithoutGraph : public ui::CMainDlg {
 protected:
  void OnPaint(platform::PaintContext& /*context*/) override {}
};

// The dialog shown and exposed, so that its paints really draw.
template <class D = ui::CMainDlg>
class ShownDialog {
 public:
  ShownDialog() {
    dialog_.Create();
    exposed_ = QTest::qWaitForWindowExposed(dialog_.Window());
    for (const int box : kSeriesBoxes) {
      dialog_.SetCheck(box, platform::kChecked);
    }
  }
  ~ShownDialog() { dialog_.EndDialog(platform::kIdCancel); }
  ShownDialog(const ShownDialog&) = delete;
  ShownDialog& operator=(const ShownDialog&) = delete;

  test_support::PaintCounting<D>& Dialog() { return dialog_; }
  // A window that was never exposed skips its paints: nothing to measure.
  bool Exposed() const { return exposed_; }

 private:
  test_support::PaintCounting<D> dialog_;
  bool exposed_ = false;
};

void BM_Recompute(benchmark::State& state) {
  ShownDialog<> shown;
  if (!shown.Exposed()) {
    state.SkipWithError("the dialog's window was never exposed");
    return;
  }
  const int paintsBefore = shown.Dialog().PaintCount();
  for (auto _ : state) {
    shown.Dialog().Recompute();
  }
  state.counters["paints_per_iteration"] =
      benchmark::Counter(static_cast<double>(shown.Dialog().PaintCount() - paintsBefore),
                         benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Recompute)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly();

// Exactly the repaint that closes Recompute, without the run.
template <class D>
void BM_RecomputePaintsOnly(benchmark::State& state) {
  ShownDialog<D> shown;
  if (!shown.Exposed()) {
    state.SkipWithError("the dialog's window was never exposed");
    return;
  }
  const int paintsBefore = shown.Dialog().PaintCount();
  for (auto _ : state) {
    shown.Dialog().Invalidate(true);
    shown.Dialog().UpdateWindow();
    shown.Dialog().RedrawWindow();
  }
  state.counters["paints_per_iteration"] =
      benchmark::Counter(static_cast<double>(shown.Dialog().PaintCount() - paintsBefore),
                         benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RecomputePaintsOnly<ui::CMainDlg>)
    ->Name("BM_RecomputePaintsOnly")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();
BENCHMARK(BM_RecomputePaintsOnly<DialogWithoutGraph>)
    ->Name("BM_RecomputePaintsWithoutGraph")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

// The graph alone, through the same paint context as the window, into an
// image of the window's size: the share of the two paints that is the graph.
void BM_GraphPaintOnly(benchmark::State& state) {
  ShownDialog<> shown;
  ui::CMainDlg& dialog = shown.Dialog();
  const model::SeriesPointers series = dialog.model.Series();
  const platform::ClientRect client = dialog.GetClientRect();
  QImage image(client.right, client.bottom, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    platform::QtPaintContext context(painter, dialog.Window()->font());
    ui::PaintGraph(context, client, true, series, ui::ShownSeries{true, true, true, true, true});
  }
}
BENCHMARK(BM_GraphPaintOnly)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

}  // namespace

// A trackbar move with the population band off (0) or on (1): the move's own
// Recompute, with the band's work for earlier moves running beside it and
// the queued events handled after each move, as the window's loop would.
void BM_RecomputeWithBand(benchmark::State& state) {
  ShownDialog<> shown;
  if (!shown.Exposed()) {
    state.SkipWithError("the dialog's window was never exposed");
    return;
  }
  shown.Dialog().ShowBand(state.range(0) != 0);
  int position = 0;
  for (auto _ : state) {
    shown.Dialog().SetTrackbarPos(res::kIdSliderJ, position++ % kTrackbarPositions, false);
    shown.Dialog().Recompute();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_RecomputeWithBand)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

// From the last move to its band of 32 populations on screen.
void BM_BandAfterLastMove(benchmark::State& state) {
  ShownDialog<> shown;
  if (!shown.Exposed()) {
    state.SkipWithError("the dialog's window was never exposed");
    return;
  }
  shown.Dialog().SetBandPopulations(static_cast<int>(state.range(0)));
  shown.Dialog().ShowBand(true);
  int position = 0;
  for (auto _ : state) {
    shown.Dialog().SetTrackbarPos(res::kIdSliderJ, position++ % kTrackbarPositions, false);
    shown.Dialog().Recompute();
    while (shown.Dialog().Band().Current().empty()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
  }
}
BENCHMARK(BM_BandAfterLastMove)
    ->Arg(8)
    ->Arg(32)
    ->Arg(128)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

int main(int argc, char** argv) {
  // No display needed unless the caller chose a platform.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  platform::SetMessageBoxHandler([](std::string_view, platform::MessageIcon) {});
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
