// The fit's credible intervals on the model itself: data made at settings
// drawn from the priors are fitted, and the 90 % intervals must hold the
// settings about 90 % of the time. Slow: about a minute on two cores.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <vector>

#include "abc/abc_smc.h"
#include "abc/model_fit.h"
#include "abc/posterior_summary.h"
#include "abc/random_stream.h"
#include "batch/run_values.h"
#include "batch/seeded_run.h"
#include "run_description/parameter_table.h"

namespace abc {
namespace {

constexpr int kDataSets = 20;
constexpr double kCredibility = 0.9;
constexpr double kAlpha = 0.001;  // the test's chance of failing a right fit
constexpr unsigned kJobs = 2;
// A fit narrows the prior: its intervals span less than this share of it.
constexpr double kMaxMeanWidth = 0.5;

// The least number of hits in n trials of chance p that is not too few: the
// smallest k with P(X < k) > alpha is one past the largest too few.
int LeastHits(int n, double p) {
  double below = 0.0;
  for (int k = 0; k <= n; ++k) {
    const double chance =
        std::exp(std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0) +
                 k * std::log(p) + (n - k) * std::log1p(-p));
    if (below + chance > kAlpha) return k;
    below += chance;
  }
  return n;
}

// The first-order rate of the run at settings with seed, at every step.
std::vector<run::ObservedPoint> MadeData(const model::RunArguments& settings, std::int32_t seed) {
  batch::SeededRunner runner;
  std::vector<float> values(batch::kValuesPerRun);
  runner.Run(settings, seed, values);
  std::vector<run::ObservedPoint> points;
  for (int k = 0; k < model::kStepCount; ++k) {
    points.push_back(
        {model::kFirstOrderRate, k, values[batch::ValueIndex(model::kFirstOrderRate, k)]});
  }
  return points;
}

TEST(Coverage, NinetyPercentIntervalsHoldTheTruthNinetyPercentOfTheTime) {
  const model::RunArguments base = run::DefaultRunArguments();
  std::vector<FittedParameter> fitted;
  for (const char* name : {"paramJ", "valueT"}) {
    const std::size_t index = *run::FindParameter(name);
    fitted.push_back({index, TrackbarPrior(index, base)});
  }
  std::vector<PriorRange> priors;
  for (const FittedParameter& f : fitted) priors.push_back(f.prior);
  FitSettings settings;
  settings.particles = 200;
  settings.budget = 20000;
  settings.quantile = 0.5;

  RandomStream truths(0xc0ffee);
  std::vector<int> hits(fitted.size(), 0);
  std::vector<double> widths(fitted.size(), 0.0);
  const std::atomic<bool> stop{false};
  for (int set = 0; set < kDataSets; ++set) {
    std::vector<double> truth;
    for (const PriorRange& prior : priors) {
      truth.push_back(prior.low + (prior.high - prior.low) * truths.Uniform());
    }
    model::RunArguments settingsMade = base;
    SetFittedValues(fitted, truth, settingsMade);
    const std::vector<run::ObservedPoint> data = MadeData(settingsMade, 1000 + set);
    ModelSimulator simulator(base, fitted, data, kJobs, stop);
    settings.seed = set;
    const FitResult fit = RunAbcSmc(priors, settings, simulator);
    ASSERT_FALSE(fit.populations.empty());
    const Population& last = fit.populations.back();
    for (std::size_t p = 0; p < fitted.size(); ++p) {
      const MarginalSummary summary = SummariseParameter(last, p);
      const bool hit = summary.q05 <= truth[p] && truth[p] <= summary.q95;
      hits[p] += hit ? 1 : 0;
      widths[p] += (summary.q95 - summary.q05) / (priors[p].high - priors[p].low) / kDataSets;
      std::printf("set %2d parameter %zu truth %.3f interval %.3f to %.3f%s\n", set, p, truth[p],
                  summary.q05, summary.q95, hit ? "" : "  missed");
    }
  }
  const int least = LeastHits(kDataSets, kCredibility);
  for (std::size_t p = 0; p < fitted.size(); ++p) {
    EXPECT_GE(hits[p], least) << "parameter " << p;
    EXPECT_LT(widths[p], kMaxMeanWidth) << "parameter " << p;
    std::printf(
        "parameter %zu: %d of %d intervals hold the truth (at least %d wanted), mean width "
        "%.3f of the prior\n",
        p, hits[p], kDataSets, least, widths[p]);
  }
}

}  // namespace
}  // namespace abc
