#include "batch/sweep_grid.h"

#include "batch/model_limits.h"
#include "run_description/parameter_table.h"

namespace batch {

SweepGrid::SweepGrid(const model::RunArguments& base, std::vector<SweepAxis> axes)
    : base_(base), axes_(std::move(axes)) {
  for (const SweepAxis& axis : axes_) pointCount_ *= axis.values.size();
}

model::RunArguments SweepGrid::PointArguments(std::uint64_t point) const {
  model::RunArguments arguments = base_;
  for (auto axis = axes_.rbegin(); axis != axes_.rend(); ++axis) {
    const std::uint64_t size = axis->values.size();
    run::SetParameterValue(run::ParameterTable()[axis->argument], axis->values[point % size],
                           arguments);
    point /= size;
  }
  return arguments;
}

namespace {

BuiltGrid Refuse(std::string error) {
  return {std::nullopt, std::move(error)};
}

std::string SweepName(const SweepAxis& axis) {
  return std::string(run::ParameterTable()[axis.argument].name);
}

// The model's checks on the arguments no sweep replaces, as a single run would
// make them; swept values were checked as they were read.
std::string CheckFixedArguments(const model::RunArguments& base, const std::vector<bool>& swept) {
  for (const ModelLimit& limit : ModelLimits()) {
    const std::size_t index = *run::FindParameter(limit.argument);
    if (swept[index]) continue;
    if (!WithinModelLimit(limit, run::ParameterValue(run::ParameterTable()[index], base))) {
      return std::string(limit.message);
    }
  }
  return {};
}

}  // namespace

BuiltGrid BuildSweepGrid(std::span<const std::string> sweepTexts, const model::RunArguments& base,
                         const std::vector<bool>& givenAsOption) {
  std::vector<SweepAxis> axes;
  std::vector<bool> swept(run::ParameterTable().size(), false);
  std::uint64_t points = 1;
  for (const std::string& text : sweepTexts) {
    ParsedSweep parsed = ParseSweep(text);
    if (!parsed.axis) return Refuse(std::move(parsed.error));
    const std::string name = SweepName(*parsed.axis);
    if (swept[parsed.axis->argument]) return Refuse("--sweep " + name + " is given twice");
    if (givenAsOption[parsed.axis->argument]) {
      return Refuse("--sweep " + name + " and the plain option --" + name + " are both given");
    }
    if (__builtin_mul_overflow(points, parsed.axis->values.size(), &points)) {
      return Refuse("the sweeps make more grid points than 64 bits can count");
    }
    swept[parsed.axis->argument] = true;
    axes.push_back(std::move(*parsed.axis));
  }
  if (std::string failed = CheckFixedArguments(base, swept); !failed.empty()) {
    return Refuse(std::move(failed));
  }
  return {SweepGrid(base, std::move(axes)), {}};
}

}  // namespace batch
