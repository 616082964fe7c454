#include "calibration/fit_job.h"

#include <sys/resource.h>
#include <unistd.h>

#include "abc/model_fit.h"
#include "batch/seeded_run.h"

namespace calibration {
namespace {

// The fit's threads yield to every other thread of the machine, the main
// window's among them, whose trackbars must stay quick while a fit runs.
constexpr int kBackgroundNice = 19;

// On Linux a thread's niceness is its own: this lowers the calling thread alone.
void LowerThisThread() {
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kBackgroundNice);
}

}  // namespace

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
    LowerThisThread();
    std::vector<abc::PriorRange> priors;
    for (const abc::FittedParameter& f : request.fitted) priors.push_back(f.prior);
    abc::ModelSimulator simulator(request.arguments, request.fitted, std::move(observed), jobs,
                                  stop_);
    simulator.SetProgress(reports.progress);
    simulator.SetRunnerMaker([] {
      LowerThisThread();
      return std::make_unique<batch::SeededRunner>();
    });
    abc::FitResult result = abc::RunAbcSmc(priors, request.settings, simulator, reports.population);
    reports.done(std::move(result));
  });
}

}  // namespace calibration
