// The main window's Recompute with and without a fit of the calibration
// window running beside it (as the window runs it: on all cores but one). The
// goal: Recompute within 1.1x of its time alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <thread>

#include "abc/model_fit.h"
#include "calibration/fit_job.h"
#include "platform/dialog_window.h"
#include "platform/message_box.h"
#include "run_description/parameter_table.h"
#include "ui/main_dialog.h"

namespace {

constexpr std::uint64_t kEndlessBudget = 1'000'000'000;
constexpr std::size_t kParticles = 1000;

abc::FitRequest EndlessFit() {
  abc::FitRequest request;
  request.arguments = run::DefaultRunArguments();
  for (const char* name : {"paramJ", "valueT"}) {
    const std::size_t index = *run::FindParameter(name);
    request.fitted.push_back({index, abc::TrackbarPrior(index, request.arguments)});
  }
  request.settings.particles = kParticles;
  request.settings.budget = kEndlessBudget;
  request.settings.minAcceptance = 0.0;
  return request;
}

// The observed first-order rate: a straight rise, which no run matches, so
// the fit never ends on its own.
std::vector<run::ObservedPoint> Observed() {
  std::vector<run::ObservedPoint> points;
  for (int k = 0; k < model::kStepCount; ++k) {
    points.push_back({model::kFirstOrderRate, k, k / 100.0});
  }
  return points;
}

void BM_RecomputeBesideAFit(benchmark::State& state) {
  ui::CMainDlg dialog;
  dialog.Create();
  if (!QTest::qWaitForWindowExposed(dialog.Window())) {
    state.SkipWithError("the dialog's window was never exposed");
    return;
  }
  calibration::FitJob job;
  if (state.range(0) == 1) {
    const unsigned jobs = std::max(1u, std::thread::hardware_concurrency() - 1);
    job.Start(EndlessFit(), Observed(), jobs,
              {[](std::uint64_t) {}, [](const abc::Population&) {}, [](abc::FitResult) {}});
  }
  for (auto _ : state) dialog.Recompute();
  job.Cancel();
  dialog.EndDialog(platform::kIdCancel);
}
BENCHMARK(BM_RecomputeBesideAFit)
    ->ArgName("fitting")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  // No display needed unless the caller chose a platform.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  platform::SetMessageBoxHandler([](std::string_view, platform::MessageIcon) {});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
