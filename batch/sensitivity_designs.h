#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "batch/design.h"
#include "batch/morris_design.h"
#include "batch/saltelli_design.h"
#include "batch/sensitivity_factors.h"
#include "model/run_arguments.h"

namespace batch {

// What a sensitivity analysis of the model holds fixed and what it varies:
// the run it starts from (its distribution kinds, Sanctions and agent count
// stay as they are), the factors, the base seed and the replicates per point.
struct SensitivityContext {
  model::RunArguments arguments;
  std::vector<Factor> factors;
  std::int32_t seed = 0;
  std::uint64_t replicates = 1;
};

// Saltelli's design over the factors and the population draw: the draw is
// the last column, its value in a row the row's seed. One record per design
// point, base row by base row (saltelli_design.h), each record the point's
// replicates.
class SobolModelDesign : public Design {
 public:
  SobolModelDesign(const SensitivityContext& context, std::size_t baseRows);

  std::uint64_t RecordCount() const override { return points_.PointCount(); }
  std::uint64_t RunsPerRecord() const override { return context_.replicates; }
  model::RunArguments Arguments(std::uint64_t record) const override;
  std::int32_t Seed(std::uint64_t record, std::uint64_t run) const override;

  const SaltelliPoints& Points() const { return points_; }
  std::size_t DrawColumn() const { return context_.factors.size(); }
  std::size_t MatrixOf(std::uint64_t record) const;
  std::size_t RowOf(std::uint64_t record) const;
  // "A", "B", "AB:<factor>" or "AB:seed".
  std::string MatrixName(std::size_t matrix) const;

 private:
  const SensitivityContext& context_;
  SaltelliPoints points_;
};

// Morris's trajectories over the factors, each trajectory's points run with
// the same seeds. One record per point, trajectory by trajectory.
class MorrisModelDesign : public Design {
 public:
  MorrisModelDesign(const SensitivityContext& context, const MorrisSettings& settings);

  std::uint64_t RecordCount() const override { return trajectories_.PointCount(); }
  std::uint64_t RunsPerRecord() const override { return context_.replicates; }
  model::RunArguments Arguments(std::uint64_t record) const override;
  std::int32_t Seed(std::uint64_t record, std::uint64_t run) const override;

  const MorrisTrajectories& Trajectories() const { return trajectories_; }
  std::size_t TrajectoryOf(std::uint64_t record) const;
  std::size_t PointOf(std::uint64_t record) const;

 private:
  const SensitivityContext& context_;
  MorrisTrajectories trajectories_;
};

}  // namespace batch
