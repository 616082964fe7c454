// The population band and the kept seed: additions of the graph's menu that
// change nothing while they are off.
#include <algorithm>
#include <thread>

#include "platform/main_thread.h"
#include "ui/band_worker.h"
#include "ui/main_dialog.h"

namespace ui {
namespace {

// One core stays with the window, so a band never slows the curve it surrounds.
unsigned BandJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 1 ? cores - 1 : 1;
}

}  // namespace

void CMainDlg::ShowBand(bool show) {
  if (show == bandShown_) return;
  bandShown_ = show;
  RequestBand();
  Invalidate(true);
  UpdateWindow();
}

void CMainDlg::SetBandPopulations(int populations) {
  if (std::ranges::find(kBandPopulationChoices, populations) == kBandPopulationChoices.end() ||
      populations == bandPopulations_) {
    return;
  }
  bandPopulations_ = populations;
  RequestBand();
  Invalidate(true);
  UpdateWindow();
}

const std::vector<batch::SummaryStatistics>& CMainDlg::Band() const {
  static const std::vector<batch::SummaryStatistics> kNone;
  return bandCurrent_ ? band_ : kNone;
}

bool CMainDlg::BandOutOfDate() const {
  return !bandCurrent_ && !band_.empty();
}

void CMainDlg::KeepSeed(bool keep) {
  seedKept_ = keep && shownRun_.has_value();
  if (seedKept_) {
    model.fixedSeed = shownRun_->seed;
  } else {
    model.fixedSeed.reset();
  }
}

// A newer run keeps the band drawn, marked out of date, until its own band
// arrives, so a dragged trackbar never leaves the plot blank; a band that
// arrives for an older run is never shown.
void CMainDlg::RequestBand() {
  ++bandGeneration_;
  bandCurrent_ = false;
  const bool wanted = bandShown_ && plotReady && model.agentCount > 0 && shownRun_.has_value();
  if (!wanted) {
    band_.clear();
    if (bandWorker_) bandWorker_->Cancel();
    return;
  }
  if (!bandWorker_) {
    bandWorker_ = std::make_unique<BandWorker>(
        [this, alive = std::weak_ptr<const bool>(alive_)](
            std::uint64_t generation, std::vector<batch::SummaryStatistics> band) {
          platform::PostToMainThread([this, alive, generation, band = std::move(band)]() mutable {
            if (alive.lock()) AcceptBand(generation, std::move(band));
          });
        });
  }
  const batch::ReplicateRequest request{shownRun_->arguments, shownRun_->seed,
                                        static_cast<std::uint64_t>(bandPopulations_), BandJobs()};
  bandWorker_->Request(request, bandGeneration_);
}

void CMainDlg::AcceptBand(std::uint64_t generation, std::vector<batch::SummaryStatistics> band) {
  if (generation != bandGeneration_ || !bandShown_) return;
  band_ = std::move(band);
  bandCurrent_ = true;
  Invalidate(true);
  UpdateWindow();
}

}  // namespace ui
