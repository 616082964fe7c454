#include "batch/population_record.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace batch {
namespace {

constexpr std::size_t kSteps = model::kStepCount;

void CopyFlags(const double* masks, int count, std::uint8_t* flags) {
  for (int i = 0; i < count; ++i) flags[i] = model::Acted(masks[i]) ? 1 : 0;
}

}  // namespace

bool PopulationRecord::Carries(PopulationAttribute attribute, int agent) const {
  const auto& values = attributes[static_cast<std::size_t>(attribute)];
  const double value = values[static_cast<std::size_t>(agent)];
  switch (attribute) {
    case kAttributeR:
      return agent < countR || value != 0.0;
    case kAttributeRPrime:
      return agent < countRPrime || value != 0.0;
    default:
      return true;
  }
}

PopulationRecorder::PopulationRecorder() {
  model_.notice = [this](std::string_view message) { failedCheck_ = std::string(message); };
  model_.stepObserver = this;
}

const PopulationRecord& PopulationRecorder::Record(const model::RunArguments& arguments,
                                                   std::int32_t seed) {
  Prepare(arguments, seed);
  model_.fixedSeed = seed;
  failedCheck_.reset();
  model_.Run(arguments);
  if (failedCheck_) throw std::runtime_error(*failedCheck_);
  if (model_.agentCount <= 0) throw std::runtime_error("the run has no agents");
  KeepAttributesAndSeries();
  return record_;
}

// Sizes the per-step arrays before the run, so that the steps only copy.
void PopulationRecorder::Prepare(const model::RunArguments& arguments, std::int32_t seed) {
  record_.arguments = arguments;
  record_.seed = seed;
  record_.agentCount = std::max(0, arguments.agentCount);
  record_.sanctionsOn = arguments.sanctionsOn != 0;
  const std::size_t cells = kSteps * static_cast<std::size_t>(record_.agentCount);
  const std::size_t sanctionCells = record_.sanctionsOn ? cells : 0;
  record_.propensity.resize(cells);
  record_.volunteered.resize(cells);
  record_.sanctionPropensity.resize(sanctionCells);
  record_.sanctioned.resize(sanctionCells);
}

void PopulationRecorder::Observe(const model::StepState& state) {
  const std::size_t start = record_.Index(state.step, 0);
  const int count = state.agentCount;
  std::copy_n(state.propensity, count, record_.propensity.begin() + static_cast<long>(start));
  CopyFlags(state.volunteerMask, count, record_.volunteered.data() + start);
  if (!state.sanctionsOn) return;
  std::copy_n(state.sanctionPropensity, count,
              record_.sanctionPropensity.begin() + static_cast<long>(start));
  CopyFlags(state.sanctionMask, count, record_.sanctioned.data() + start);
}

void PopulationRecorder::KeepAttributesAndSeries() {
  const int count = model_.agentCount;
  record_.countR = model_.countR;
  record_.countRPrime = model_.countRPrime;
  const double* arrays[kAttributeCount] = {model_.attrR.get(), model_.attrI.get(),
                                           model_.attrT.get(), model_.attrE.get(),
                                           model_.attrRPrime.get()};
  for (int a = 0; a < kAttributeCount; ++a) {
    record_.attributes[static_cast<std::size_t>(a)].assign(arrays[a], arrays[a] + count);
  }
  const model::SeriesPointers series = model_.Series();
  for (int s = 0; s < model::kSeriesCount; ++s) {
    record_.series[static_cast<std::size_t>(s)].assign(series[s], series[s] + model::kStepCount);
  }
}

}  // namespace batch
