#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "abc/abc_smc.h"
#include "abc/fit_table.h"
#include "run_description/observed_data.h"

namespace calibration {

// One fit on a thread of its own, so the window never waits for it. Reports
// come on that thread; the owner passes them on to its own.
class FitJob {
 public:
  struct Reports {
    std::function<void(std::uint64_t runs)> progress;
    std::function<void(const abc::Population&)> population;
    std::function<void(abc::FitResult)> done;
  };

  FitJob() = default;
  // Stops the fit under way and waits for its thread.
  ~FitJob();
  FitJob(const FitJob&) = delete;
  FitJob& operator=(const FitJob&) = delete;

  // Starts the fit of request to observed on jobs threads; a fit still
  // under way is stopped first.
  void Start(const abc::FitRequest& request, std::vector<run::ObservedPoint> observed,
             unsigned jobs, Reports reports);
  // Asks the fit to stop; its done report still comes, with what it finished.
  void Cancel() { stop_ = true; }

 private:
  void Join();

  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace calibration
