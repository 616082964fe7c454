#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "abc/prior_range.h"
#include "abc/simulator.h"
#include "batch/run_maker.h"
#include "model/run_arguments.h"
#include "run_description/observed_data.h"

namespace abc {

// The most trackbar parameters one fit moves.
inline constexpr std::size_t kMaxFittedParameters = 6;

// A parameter of the model to fit and its prior.
struct FittedParameter {
  std::size_t parameter = 0;  // index in run::ParameterTable()
  PriorRange prior;
};

// Whether a trackbar of the window feeds the parameter: only those are fitted.
bool IsFittable(std::size_t parameter);

// The prior over the parameter's whole trackbar range: its ends' values, or
// for a count of agents every whole number its ends give out of
// arguments.agentCount.
PriorRange TrackbarPrior(std::size_t parameter, const model::RunArguments& arguments);

// Reads "NAME" or "NAME=LOW:HIGH" (a narrower prior, within the trackbar
// range; whole numbers for counts); returns the refusal, without an option
// name, or empty.
std::string ReadFittedParameter(std::string_view text, const model::RunArguments& arguments,
                                FittedParameter& fitted);

// "NAME=LOW:HIGH" with numbers that read back as the same.
std::string FittedParameterText(const FittedParameter& fitted);

// arguments with each fitted parameter set to its value in theta.
void SetFittedValues(std::span<const FittedParameter> fitted, std::span<const double> theta,
                     model::RunArguments& arguments);

// The model as a fit's simulator: each proposal one run of base with the
// fitted parameters set, through the record engine on jobs threads; the
// distance is the root mean square over the observed points.
class ModelSimulator : public Simulator {
 public:
  ModelSimulator(const model::RunArguments& base, std::vector<FittedParameter> fitted,
                 std::vector<run::ObservedPoint> observed, unsigned jobs,
                 const std::atomic<bool>& stop);

  // Called with the runs made so far, all batches together.
  void SetProgress(std::function<void(std::uint64_t)> progress) { progress_ = std::move(progress); }
  // Makes each worker thread's runner, on that thread; empty for a plain one.
  void SetRunnerMaker(std::function<std::unique_ptr<batch::RunMaker>()> maker) {
    makeRunner_ = std::move(maker);
  }

  SimulationOutcome Simulate(const ProposalBatch& batch, std::vector<double>& distances) override;

 private:
  model::RunArguments base_;
  std::vector<FittedParameter> fitted_;
  std::vector<run::ObservedPoint> observed_;
  unsigned jobs_;
  const std::atomic<bool>& stop_;
  std::function<void(std::uint64_t)> progress_;
  std::function<std::unique_ptr<batch::RunMaker>()> makeRunner_;
  std::uint64_t runsBefore_ = 0;
};

}  // namespace abc
