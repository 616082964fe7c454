#include "abc/model_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "batch/measures.h"
#include "batch/record_engine.h"
#include "run_description/number_text.h"
#include "run_description/parameter_table.h"

namespace abc {
namespace {

constexpr char kPriorStart = '=';
constexpr char kPriorSeparator = ':';

const run::ParameterRow& Row(std::size_t parameter) {
  return run::ParameterTable()[parameter];
}

bool IsCount(std::size_t parameter) {
  return Row(parameter).fedBy.feeder == run::Feeder::kTrackbarShare;
}

// Each record one proposal of the batch, with its own seed.
class ProposalDesign : public batch::Design {
 public:
  ProposalDesign(const model::RunArguments& base, std::span<const FittedParameter> fitted,
                 const ProposalBatch& batch)
      : base_(base), fitted_(fitted), batch_(batch) {}

  std::uint64_t RecordCount() const override { return batch_.Count(); }
  std::uint64_t RunsPerRecord() const override { return 1; }
  model::RunArguments Arguments(std::uint64_t record) const override {
    model::RunArguments arguments = base_;
    SetFittedValues(fitted_, batch_.Parameters(record), arguments);
    return arguments;
  }
  std::int32_t Seed(std::uint64_t record, std::uint64_t /*run*/) const override {
    return batch_.seeds[record];
  }

 private:
  const model::RunArguments& base_;
  std::span<const FittedParameter> fitted_;
  const ProposalBatch& batch_;
};

// Each record's distance, into its own place, on the workers.
class DistanceCollector : public batch::RecordConsumer {
 public:
  DistanceCollector(std::span<const run::ObservedPoint> observed, std::vector<double>& distances)
      : observed_(observed), distances_(distances) {}

  void Digest(const batch::Record& record, std::size_t /*slot*/) override {
    const double distance = batch::RootMeanSquareDistance(record.Run(0), observed_);
    distances_[record.index] =
        std::isnan(distance) ? std::numeric_limits<double>::infinity() : distance;
  }
  bool Consume(const batch::Record& /*record*/, std::size_t /*slot*/) override { return true; }

 private:
  std::span<const run::ObservedPoint> observed_;
  std::vector<double>& distances_;
};

std::string ReadEnd(std::string_view text, bool count, double& value) {
  if (count) {
    const run::ParsedInteger parsed = run::ParseInteger(text);
    if (!parsed.value) return parsed.error;
    value = *parsed.value;
    return {};
  }
  const run::ParsedReal parsed = run::ParseReal(text);
  if (!parsed.value) return parsed.error;
  value = *parsed.value;
  return {};
}

void AppendEnd(std::string& text, double value, bool count) {
  if (count) {
    text += std::to_string(static_cast<std::int64_t>(value));
  } else {
    run::AppendRoundTrip(text, value);
  }
}

std::string FittableNames() {
  std::string names;
  for (std::size_t i = 0; i < run::ParameterTable().size(); ++i) {
    if (!IsFittable(i)) continue;
    if (!names.empty()) names += ", ";
    names += Row(i).name;
  }
  return names;
}

}  // namespace

bool IsFittable(std::size_t parameter) {
  const run::Feeder feeder = Row(parameter).fedBy.feeder;
  return feeder == run::Feeder::kTrackbar || feeder == run::Feeder::kTrackbarShare;
}

PriorRange TrackbarPrior(std::size_t parameter, const model::RunArguments& arguments) {
  const run::TrackbarRange& range = Row(parameter).panel.trackbar;
  const double low = run::rows::PositionValue(range.minimum);
  const double high = run::rows::PositionValue(range.maximum);
  if (!IsCount(parameter)) return {low, high, false};
  // As the window turns a share into a count: truncated toward zero.
  const double agents = arguments.agentCount;
  return {std::trunc(low * agents), std::trunc(high * agents), true};
}

std::string ReadFittedParameter(std::string_view text, const model::RunArguments& arguments,
                                FittedParameter& fitted) {
  const std::size_t equals = text.find(kPriorStart);
  const std::string_view name = text.substr(0, equals);
  const std::optional<std::size_t> index = run::FindParameter(name);
  if (!index) return run::Quoted(name) + " is no parameter";
  if (!IsFittable(*index)) {
    return run::Quoted(name) + " is set by no trackbar; the parameters to fit are " +
           FittableNames();
  }
  fitted.parameter = *index;
  const PriorRange whole = TrackbarPrior(*index, arguments);
  fitted.prior = whole;
  if (equals == std::string_view::npos) return {};
  const std::string_view range = text.substr(equals + 1);
  const std::size_t colon = range.find(kPriorSeparator);
  if (colon == std::string_view::npos) {
    return std::string(name) + ": " + run::Quoted(range) + " is not LOW:HIGH";
  }
  const bool count = whole.whole;
  if (std::string e = ReadEnd(range.substr(0, colon), count, fitted.prior.low); !e.empty()) {
    return std::string(name) + ", low end: " + e;
  }
  if (std::string e = ReadEnd(range.substr(colon + 1), count, fitted.prior.high); !e.empty()) {
    return std::string(name) + ", high end: " + e;
  }
  if (!(fitted.prior.low < fitted.prior.high)) {
    return std::string(name) + ": the prior's low end must lie below its high end";
  }
  if (fitted.prior.low < whole.low || fitted.prior.high > whole.high) {
    std::string trackbar;
    AppendEnd(trackbar, whole.low, count);
    trackbar += " to ";
    AppendEnd(trackbar, whole.high, count);
    return std::string(name) + ": the prior must lie within the trackbar's range, " + trackbar;
  }
  return {};
}

std::string FittedParameterText(const FittedParameter& fitted) {
  std::string text(Row(fitted.parameter).name);
  text += kPriorStart;
  AppendEnd(text, fitted.prior.low, fitted.prior.whole);
  text += kPriorSeparator;
  AppendEnd(text, fitted.prior.high, fitted.prior.whole);
  return text;
}

void SetFittedValues(std::span<const FittedParameter> fitted, std::span<const double> theta,
                     model::RunArguments& arguments) {
  for (std::size_t i = 0; i < fitted.size(); ++i) {
    run::SetParameterValue(Row(fitted[i].parameter), theta[i], arguments);
  }
}

ModelSimulator::ModelSimulator(const model::RunArguments& base, std::vector<FittedParameter> fitted,
                               std::vector<run::ObservedPoint> observed, unsigned jobs,
                               const std::atomic<bool>& stop)
    : base_(base),
      fitted_(std::move(fitted)),
      observed_(std::move(observed)),
      jobs_(jobs),
      stop_(stop) {}

SimulationOutcome ModelSimulator::Simulate(const ProposalBatch& batch,
                                           std::vector<double>& distances) {
  const ProposalDesign design(base_, fitted_, batch);
  DistanceCollector collector(observed_, distances);
  batch::EngineSettings engine;
  engine.jobs =
      static_cast<unsigned>(std::clamp<std::uint64_t>(batch.Count(), 1, std::max(jobs_, 1u)));
  engine.makeRunner = makeRunner_;
  if (progress_) {
    engine.progress = [this](std::uint64_t done) { progress_(runsBefore_ + done); };
  }
  const batch::DesignOutcome outcome = batch::RunDesign(design, collector, engine, stop_);
  runsBefore_ += outcome.runsDone;
  switch (outcome.end) {
    case batch::DesignEnd::kComplete:
      return {};
    case batch::DesignEnd::kStopped:
      return {SimulationOutcome::End::kStopped, {}};
    case batch::DesignEnd::kConsumerRefused:
    case batch::DesignEnd::kRunFailed:
      break;
  }
  return {SimulationOutcome::End::kFailed, outcome.failure};
}

}  // namespace abc
