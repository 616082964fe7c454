#include "ui/population_band.h"

#include <algorithm>
#include <thread>

#include "platform/main_thread.h"
#include "ui/band_worker.h"

namespace ui {
namespace {

// One core stays with the window, so a band never slows the curve it surrounds.
unsigned BandJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 1 ? cores - 1 : 1;
}

}  // namespace

PopulationBand::PopulationBand(std::function<void()> changed) : changed_(std::move(changed)) {}

PopulationBand::~PopulationBand() = default;

bool PopulationBand::Show(bool show) {
  if (show == shown_) return false;
  shown_ = show;
  return true;
}

bool PopulationBand::SetPopulations(int populations) {
  if (std::ranges::find(kBandPopulationChoices, populations) == kBandPopulationChoices.end() ||
      populations == populations_) {
    return false;
  }
  populations_ = populations;
  return true;
}

const std::vector<batch::SummaryStatistics>& PopulationBand::Current() const {
  static const std::vector<batch::SummaryStatistics> kNone;
  return current_ ? band_ : kNone;
}

void PopulationBand::Follow(const RunOnScreen* run) {
  ++generation_;
  current_ = false;
  if (!shown_ || run == nullptr) {
    band_.clear();
    if (worker_) worker_->Cancel();
    return;
  }
  if (!worker_) {
    worker_ = std::make_unique<BandWorker>(
        [this, alive = std::weak_ptr<const bool>(alive_)](
            std::uint64_t generation, std::vector<batch::SummaryStatistics> band) {
          platform::PostToMainThread([this, alive, generation, band = std::move(band)]() mutable {
            if (alive.lock()) Accept(generation, std::move(band));
          });
        });
  }
  const batch::ReplicateRequest request{run->arguments, run->seed,
                                        static_cast<std::uint64_t>(populations_), BandJobs()};
  worker_->Request(request, generation_);
}

void PopulationBand::Accept(std::uint64_t generation, std::vector<batch::SummaryStatistics> band) {
  if (generation != generation_ || !shown_) return;
  band_ = std::move(band);
  current_ = true;
  if (changed_) changed_();
}

}  // namespace ui
