#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/population_model.h"
#include "model/result_series.h"
#include "model/run_arguments.h"
#include "model/step_observer.h"

namespace batch {

// The five attributes of an agent, in the order the model samples them.
enum PopulationAttribute : int {
  kAttributeR = 0,
  kAttributeI = 1,
  kAttributeT = 2,
  kAttributeE = 3,
  kAttributeRPrime = 4,
  kAttributeCount = 5,
};

inline constexpr const char* kAttributeNames[kAttributeCount] = {"R", "I", "T", "E", "R'"};

// One run's agents: their attributes as drawn and, at every step, the
// propensities the step's decisions were taken on and those decisions.
// Per-step arrays hold agentCount entries per step, step after step.
struct PopulationRecord {
  model::RunArguments arguments{};
  std::int32_t seed = 0;
  int agentCount = 0;
  bool sanctionsOn = false;
  int countR = 0;
  int countRPrime = 0;
  std::array<std::vector<double>, kAttributeCount> attributes;
  std::vector<double> propensity;
  std::vector<double> sanctionPropensity;  // empty without sanctions
  std::vector<std::uint8_t> volunteered;
  std::vector<std::uint8_t> sanctioned;  // empty without sanctions
  // The run's own series, as the model stored them.
  std::array<std::vector<float>, model::kSeriesCount> series;

  std::size_t Index(int step, int agent) const {
    return static_cast<std::size_t>(step) * static_cast<std::size_t>(agentCount) +
           static_cast<std::size_t>(agent);
  }
  // Whether the agent carries the share attribute (R or R'): one of the
  // first count agents, or any agent a correlation drew it for.
  bool Carries(PopulationAttribute attribute, int agent) const;
};

// Makes seeded runs and records their agents, keeping its storage from one
// record to the next. A plain run pays nothing for this: the model watches
// its steps only when it is given an observer, which only this class does.
class PopulationRecorder : private model::StepObserver {
 public:
  PopulationRecorder();
  PopulationRecorder(const PopulationRecorder&) = delete;
  PopulationRecorder& operator=(const PopulationRecorder&) = delete;

  // Runs arguments with seed and records it; valid until the next call.
  // Throws std::runtime_error naming the failed check.
  const PopulationRecord& Record(const model::RunArguments& arguments, std::int32_t seed);

 private:
  void Observe(const model::StepState& state) override;
  void Prepare(const model::RunArguments& arguments, std::int32_t seed);
  void KeepAttributesAndSeries();

  model::CPopulationModel model_;
  PopulationRecord record_;
  std::optional<std::string> failedCheck_;
};

}  // namespace batch
