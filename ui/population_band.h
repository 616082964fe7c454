#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "batch/summary_statistics.h"
#include "ui/run_on_screen.h"

namespace ui {

class BandWorker;

// Populations a band may be drawn over; kDefaultBandPopulations at start.
inline constexpr std::array<int, 3> kBandPopulationChoices = {8, 32, 128};
inline constexpr int kDefaultBandPopulations = 32;

// The population band of the graph's menu: while shown, every run on screen
// asks for the statistics of further populations off the window's thread, and
// the band appears when they arrive. A newer run keeps the last band drawn,
// marked out of date, until its own band arrives, so a dragged trackbar never
// leaves the plot blank; a band that arrives for an older run is never shown.
class PopulationBand {
 public:
  // changed runs on the window's thread whenever what the graph shows of the
  // band changes.
  explicit PopulationBand(std::function<void()> changed);
  ~PopulationBand();
  PopulationBand(const PopulationBand&) = delete;
  PopulationBand& operator=(const PopulationBand&) = delete;

  // Each returns whether anything changed; the caller asks for the band again.
  bool Show(bool show);
  bool SetPopulations(int populations);

  bool Shown() const { return shown_; }
  int Populations() const { return populations_; }

  // The run on screen now, or nullptr when the graph shows none.
  void Follow(const RunOnScreen* run);

  // The band of the run on screen; empty while none is shown or it is computed.
  const std::vector<batch::SummaryStatistics>& Current() const;
  // What the graph draws: the current band or, fainter, the last one.
  const std::vector<batch::SummaryStatistics>& Drawn() const { return band_; }
  bool OutOfDate() const { return !current_ && !band_.empty(); }

 private:
  void Accept(std::uint64_t generation, std::vector<batch::SummaryStatistics> band);

  std::function<void()> changed_;
  bool shown_ = false;
  int populations_ = kDefaultBandPopulations;
  std::uint64_t generation_ = 0;
  std::vector<batch::SummaryStatistics> band_;
  bool current_ = false;
  // Posted deliveries check it, so none reaches a destroyed band.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
  std::unique_ptr<BandWorker> worker_;
};

}  // namespace ui
