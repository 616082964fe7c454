#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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

// A design of a sensitivity analysis, in units that shards share out (a base
// row's matrices, a trajectory's points), with how its table names a record's
// place.
class SensitivityDesign : public Design {
 public:
  explicit SensitivityDesign(const SensitivityContext& context) : context_(context) {}

  std::uint64_t RunsPerRecord() const override { return context_.replicates; }
  const SensitivityContext& Context() const { return context_; }
  virtual std::uint64_t RecordsPerUnit() const = 0;
  // "matrix,row" or "trajectory,point", and a record's values there.
  virtual std::string_view PlaceColumns() const = 0;
  virtual void AppendPlace(std::string& text, std::uint64_t record) const = 0;

 protected:
  const SensitivityContext& context_;
};

// Saltelli's design over the factors and the population draw: the draw is
// the last column, its value in a row the row's seed. One record per design
// point, base row by base row (saltelli_design.h), each record the point's
// replicates.
class SobolModelDesign : public SensitivityDesign {
 public:
  SobolModelDesign(const SensitivityContext& context, std::size_t baseRows);

  std::uint64_t RecordCount() const override { return points_.PointCount(); }
  std::uint64_t RecordsPerUnit() const override { return points_.Matrices(); }
  std::string_view PlaceColumns() const override { return "matrix,row"; }
  void AppendPlace(std::string& text, std::uint64_t record) const override;
  model::RunArguments Arguments(std::uint64_t record) const override;
  std::int32_t Seed(std::uint64_t record, std::uint64_t run) const override;

  const SaltelliPoints& Points() const { return points_; }
  std::size_t DrawColumn() const { return context_.factors.size(); }
  std::size_t MatrixOf(std::uint64_t record) const;
  std::size_t RowOf(std::uint64_t record) const;
  // "A", "B", "AB:<factor>" or "AB:seed".
  std::string MatrixName(std::size_t matrix) const;

 private:
  SaltelliPoints points_;
};

// Morris's trajectories over the factors, each trajectory's points run with
// the same seeds. One record per point, trajectory by trajectory.
class MorrisModelDesign : public SensitivityDesign {
 public:
  MorrisModelDesign(const SensitivityContext& context, const MorrisSettings& settings);

  std::uint64_t RecordCount() const override { return trajectories_.PointCount(); }
  std::uint64_t RecordsPerUnit() const override { return trajectories_.PointsPerTrajectory(); }
  std::string_view PlaceColumns() const override { return "trajectory,point"; }
  void AppendPlace(std::string& text, std::uint64_t record) const override;
  model::RunArguments Arguments(std::uint64_t record) const override;
  std::int32_t Seed(std::uint64_t record, std::uint64_t run) const override;

  const MorrisTrajectories& Trajectories() const { return trajectories_; }
  std::size_t TrajectoryOf(std::uint64_t record) const;
  std::size_t PointOf(std::uint64_t record) const;

 private:
  MorrisTrajectories trajectories_;
};

}  // namespace batch
