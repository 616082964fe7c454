#include "batch/sensitivity_designs.h"

#include "batch/sensitivity_seeds.h"
#include "run_description/output_text.h"

namespace batch {
namespace {

// The draw is a column of the design but picks no coordinate of its own.
constexpr std::size_t kDrawColumns = 1;

MorrisSettings WithLayoutSeed(MorrisSettings settings, std::int32_t baseSeed) {
  settings.seed = DeriveStreamSeed(baseSeed, SeedStream::kMorrisLayout);
  return settings;
}

}  // namespace

SobolModelDesign::SobolModelDesign(const SensitivityContext& context, std::size_t baseRows)
    : SensitivityDesign(context), points_(baseRows, context.factors.size() + kDrawColumns) {}

std::size_t SobolModelDesign::MatrixOf(std::uint64_t record) const {
  return static_cast<std::size_t>(record % points_.Matrices());
}

std::size_t SobolModelDesign::RowOf(std::uint64_t record) const {
  return static_cast<std::size_t>(record / points_.Matrices());
}

model::RunArguments SobolModelDesign::Arguments(std::uint64_t record) const {
  model::RunArguments arguments = context_.arguments;
  const std::size_t matrix = MatrixOf(record);
  const std::size_t row = RowOf(record);
  for (std::size_t f = 0; f < context_.factors.size(); ++f) {
    ApplyFactor(context_.factors[f], points_.Unit(matrix, row, f), arguments);
  }
  return arguments;
}

std::int32_t SobolModelDesign::Seed(std::uint64_t record, std::uint64_t run) const {
  const SeedStream side =
      TakesFromB(MatrixOf(record), DrawColumn()) ? SeedStream::kSobolB : SeedStream::kSobolA;
  return DeriveSensitivitySeed(context_.seed, side, RowOf(record), run);
}

void SobolModelDesign::AppendPlace(std::string& text, std::uint64_t record) const {
  text.append(MatrixName(MatrixOf(record))).append(",");
  run::AppendInteger(text, std::uint64_t{RowOf(record)});
}

std::string SobolModelDesign::MatrixName(std::size_t matrix) const {
  if (matrix == kMatrixA) return "A";
  if (matrix == kMatrixB) return "B";
  const std::size_t column = matrix - kFirstMixedMatrix;
  if (column == DrawColumn()) return "AB:seed";
  return "AB:" + std::string(FactorName(context_.factors[column]));
}

MorrisModelDesign::MorrisModelDesign(const SensitivityContext& context,
                                     const MorrisSettings& settings)
    : SensitivityDesign(context),
      trajectories_(context.factors.size(), WithLayoutSeed(settings, context.seed)) {}

void MorrisModelDesign::AppendPlace(std::string& text, std::uint64_t record) const {
  run::AppendInteger(text, std::uint64_t{TrajectoryOf(record)});
  text += ',';
  run::AppendInteger(text, std::uint64_t{PointOf(record)});
}

std::size_t MorrisModelDesign::TrajectoryOf(std::uint64_t record) const {
  return static_cast<std::size_t>(record / trajectories_.PointsPerTrajectory());
}

std::size_t MorrisModelDesign::PointOf(std::uint64_t record) const {
  return static_cast<std::size_t>(record % trajectories_.PointsPerTrajectory());
}

model::RunArguments MorrisModelDesign::Arguments(std::uint64_t record) const {
  model::RunArguments arguments = context_.arguments;
  const std::size_t trajectory = TrajectoryOf(record);
  const std::size_t point = PointOf(record);
  for (std::size_t f = 0; f < context_.factors.size(); ++f) {
    ApplyFactor(context_.factors[f], trajectories_.Unit(trajectory, point, f), arguments);
  }
  return arguments;
}

std::int32_t MorrisModelDesign::Seed(std::uint64_t record, std::uint64_t run) const {
  return DeriveSensitivitySeed(context_.seed, SeedStream::kMorrisTrajectory, TrajectoryOf(record),
                               run);
}

}  // namespace batch
