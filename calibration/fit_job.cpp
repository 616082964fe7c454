#include "calibration/fit_job.h"

#include "abc/model_fit.h"

namespace calibration {

FitJob::~FitJob() {
  Join();
}

void FitJob::Join() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  stop_ = false;
}

void FitJob::Start(const abc::FitRequest& request, std::vector<run::ObservedPoint> observed,
                   unsigned jobs, Reports reports) {
  Join();
  thread_ = std::thread([this, request, observed = std::move(observed), jobs,
                         reports = std::move(reports)]() mutable {
    std::vector<abc::PriorRange> priors;
    for (const abc::FittedParameter& f : request.fitted) priors.push_back(f.prior);
    abc::ModelSimulator simulator(request.arguments, request.fitted, std::move(observed), jobs,
                                  stop_);
    simulator.SetProgress(reports.progress);
    abc::FitResult result = abc::RunAbcSmc(priors, request.settings, simulator, reports.population);
    reports.done(std::move(result));
  });
}

}  // namespace calibration
