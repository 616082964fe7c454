#pragma once

#include <vector>

#include "batch/latest_request_worker.h"
#include "batch/replicate_summary.h"
#include "batch/summary_statistics.h"

namespace ui {

// Computes population bands off the window's thread: a slider move never
// waits for one, and only the newest position's band is delivered.
class BandWorker : public batch::LatestRequestWorker<batch::ReplicateRequest,
                                                     std::vector<batch::SummaryStatistics>> {
 public:
  explicit BandWorker(Delivery deliver)
      : LatestRequestWorker(&batch::SummariseReplicates, std::move(deliver)) {}
};

}  // namespace ui
