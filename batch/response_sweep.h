#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/result_series.h"
#include "model/run_arguments.h"

namespace batch {

// What of a run's series a response curve plots.
enum class ResponseMeasure {
  kFinalValue,  // the value at the last step
  kLateMean,    // the mean over steps kLateFirstStep to the last
};

inline constexpr int kLateFirstStep = 81;

// One parameter's values to run, one per position of its control.
struct ResponseAxis {
  std::string label;      // as the window names the control
  std::size_t parameter;  // index in run::ParameterTable()
  std::vector<double> values;
  std::size_t current = 0;  // index of the value the window has now
};

struct ResponseRequest {
  model::RunArguments arguments;  // every other parameter
  std::int32_t seed = 0;          // base seed of the replicates
  ResponseAxis axis;
  int series = 0;  // model::SeriesIndex
  ResponseMeasure measure = ResponseMeasure::kFinalValue;
  std::uint64_t replicates = 16;
  // Every axis value runs the same populations (`--same-populations`).
  bool samePopulations = false;
};

// What the main window hands the response window: its run and the axes of
// every parameter it can sweep, with the one the user moved last.
struct ResponseContext {
  model::RunArguments arguments;
  std::int32_t seed = 0;
  std::vector<ResponseAxis> axes;
  std::size_t lastMovedAxis = 0;
  // Each series' colour in the graph, red, green, blue, by model::SeriesIndex.
  std::array<std::array<std::uint8_t, 3>, model::kSeriesCount> seriesColours{};
};

// The measure over the replicates at one value of the axis.
struct ResponsePoint {
  double value;
  double median;
  double q05;
  double q95;
  double mean;
  double sd;  // sample standard deviation
  std::uint64_t replicates;
};

// The measure of one run, its values laid out as in run_values.h; the late
// mean adds the steps in order in double precision.
double MeasureOfRun(std::span<const float> values, int series, ResponseMeasure measure);

// "series NAME, value at step 100" or "series NAME, mean over steps 81 to
// 100": what a saved file's numbers measure, NAME as the runner's column.
std::string MeasureText(int series, ResponseMeasure measure);

// `corvellan-run --seed S <options that differ from the defaults> --sweep
// NAME=v0,v1,... --replicates K [--same-populations]`: each value in its shortest round-trip text,
// so the runs of point g replicate r are those ComputeResponse makes.
std::string ResponseSweepCommand(const ResponseRequest& request);

// The replicates of every axis value, seeded as that command seeds them, and
// their statistics; nullopt when stop was raised first or a run failed.
// progress, when given, hears the runs done so far, on the calling thread.
std::optional<std::vector<ResponsePoint>> ComputeResponse(
    const ResponseRequest& request, unsigned jobs, const std::atomic<bool>& stop,
    const std::function<void(std::uint64_t runsDone)>& progress = {});

// The command as a "# " line, the measure as a "# " line, a header and one
// row per axis value: its value as the command gives it, the statistics in 9
// significant digits as the runner writes them.
std::string ResponseCsv(const ResponseRequest& request, std::span<const ResponsePoint> points);

}  // namespace batch
