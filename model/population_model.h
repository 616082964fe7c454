#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "model/dynamics_scratch.h"
#include "model/random_source.h"
#include "model/result_series.h"
#include "model/run_arguments.h"
#include "model/run_limits.h"
#include "model/step_observer.h"

namespace model {

// Shows the message of a failed parameter check; a run takes its failing end
// only after this returns.
using FailedCheckNotice = std::function<void(std::string_view message)>;

// Seed a run takes from the calendar clock: whole seconds since 1970, as a 32-bit integer.
std::int32_t ClockSeed();

// Where a run without a fixed seed takes its seed from.
using SeedClock = std::int32_t (*)();

// One population of agents: the parameters of the current run, the per-agent
// arrays, the derived constants and the five result series. Every Run starts
// from scratch; only the storage of the series is kept from run to run.
class CPopulationModel {
 public:
  CPopulationModel() = default;
  ~CPopulationModel() { ReleaseArrays(); }
  CPopulationModel(const CPopulationModel&) = delete;
  CPopulationModel& operator=(const CPopulationModel&) = delete;

  void Run(double paramJ, double paramX, int distR, double medianR, double sigmaR, int distI,
           double valueI, double sigmaI, int distT, double valueT, double sigmaT, int distE,
           double valueE, double sigmaE, int sanctionsOn, int distRPrime, double medianRPrime,
           double sigmaRPrime, double paramJPrime, double paramM, double corrRRPrime, double corrRI,
           double corrRPrimeI, double corrET, std::int32_t agentCount, std::int32_t requestedCountR,
           std::int32_t requestedCountRPrime, std::int32_t reservedArg, std::int32_t slopeM);
  void Run(const RunArguments& arguments);
  // Run with the transcendental functions of Math (see math_calls.h); Run
  // takes the standard ones. Defined in population_run.h.
  template <class Math>
  void RunWith(const RunArguments& arguments);

  // Releases every array that exists and marks it absent.
  void ReleaseArrays();

  // The five series in their storage order; null before the first run that
  // reached the dynamics.
  SeriesPointers Series() const;

  std::int32_t slopeM = 0;
  std::int32_t agentCount = 0;
  double paramJ = 0.0;
  double paramX = 0.0;
  std::unique_ptr<double[]> attrE;
  std::int32_t countR = 0;
  std::unique_ptr<double[]> attrR;
  std::unique_ptr<double[]> attrI;
  std::unique_ptr<double[]> attrT;
  bool sanctionsOn = false;
  double paramJPrime = 0.0;
  double paramM = 0.0;
  std::unique_ptr<double[]> attrRPrime;
  std::int32_t countRPrime = 0;
  std::unique_ptr<double[]> propensity;
  std::unique_ptr<double[]> sanctionPropensity;
  std::unique_ptr<double[]> volunteerCost;
  std::unique_ptr<double[]> sanctionCost;
  std::unique_ptr<std::int32_t[]> volunteered;
  std::unique_ptr<std::int32_t[]> sanctioned;
  std::unique_ptr<float[]> firstOrderRate;
  std::unique_ptr<float[]> secondOrderRate;
  std::unique_ptr<float[]> meanPropensityVolunteers;
  std::unique_ptr<float[]> meanPropensityNonVolunteers;
  std::unique_ptr<float[]> meanPropensity;
  double nPowMinusJ = 0.0;
  double nPowMinusJPrime = 0.0;
  double costScale = 0.0;
  double sanctionCostScale = 0.0;

  // Injected by the caller, not part of a run's state.
  FailedCheckNotice notice;
  // When set, every run is seeded with it instead of the clock.
  std::optional<std::int32_t> fixedSeed;
  // The calendar clock; tests put a clock of their own here.
  SeedClock seedClock = ClockSeed;
  // Seed of the last run that passed its checks.
  std::int32_t runSeed = 0;
  // When set, shown the agents after every step of every run; not owned.
  StepObserver* stepObserver = nullptr;

 private:
  bool PassesChecks(const RunArguments& arguments);
  void Reject(std::string_view message);
  void AllocateAgentArrays();
  template <class Math>
  void ComputeDerivedConstants();
  template <class Math>
  void SamplePopulation(const RunArguments& arguments, CRandomSource& random);
  template <class Math>
  void RunDynamics();

  DynamicsScratch scratch_;
};

}  // namespace model
