#include "batch/sensitivity_designs.h"

#include <gtest/gtest.h>

#include "batch/sensitivity_seeds.h"
#include "run_description/parameter_table.h"

namespace batch {
namespace {

constexpr std::size_t kBaseRows = 8;
constexpr std::int32_t kSeed = 42;

SensitivityContext Context(std::uint64_t replicates) {
  SensitivityContext context;
  context.arguments = run::DefaultRunArguments();
  context.factors = TrackbarFactors(context.arguments);
  context.seed = kSeed;
  context.replicates = replicates;
  return context;
}

double ValueOf(const Factor& factor, const model::RunArguments& arguments) {
  return run::ParameterValue(run::ParameterTable()[factor.parameter], arguments);
}

TEST(SobolModelDesignTest, EachMatrixTakesItsFactorsAndSeedFromTheRightSide) {
  const SensitivityContext context = Context(2);
  const SobolModelDesign design(context, kBaseRows);
  const std::size_t factors = context.factors.size();
  ASSERT_EQ(design.RecordCount(), kBaseRows * (factors + 3));
  EXPECT_EQ(design.RunsPerRecord(), 2u);
  for (std::uint64_t record = 0; record < design.RecordCount(); ++record) {
    const std::size_t matrix = design.MatrixOf(record);
    const std::size_t row = design.RowOf(record);
    const model::RunArguments arguments = design.Arguments(record);
    for (std::size_t f = 0; f < factors; ++f) {
      const bool fromB = matrix == kMatrixB || matrix == MixedMatrix(f);
      const double unit = fromB ? design.Points().B(row, f) : design.Points().A(row, f);
      EXPECT_EQ(ValueOf(context.factors[f], arguments), FactorValue(context.factors[f], unit));
    }
    const bool seedFromB = matrix == kMatrixB || matrix == MixedMatrix(factors);
    for (std::uint64_t run = 0; run < 2; ++run) {
      EXPECT_EQ(design.Seed(record, run),
                DeriveSensitivitySeed(kSeed, seedFromB ? SeedStream::kSobolB : SeedStream::kSobolA,
                                      row, run));
    }
  }
}

TEST(SobolModelDesignTest, NamesItsMatrices) {
  const SensitivityContext context = Context(1);
  const SobolModelDesign design(context, kBaseRows);
  EXPECT_EQ(design.MatrixName(kMatrixA), "A");
  EXPECT_EQ(design.MatrixName(kMatrixB), "B");
  EXPECT_EQ(design.MatrixName(MixedMatrix(0)), "AB:paramJ");
  EXPECT_EQ(design.MatrixName(MixedMatrix(context.factors.size())), "AB:seed");
}

TEST(MorrisModelDesignTest, ATrajectoryKeepsItsSeedAndWalksItsPoints) {
  const SensitivityContext context = Context(1);
  const MorrisModelDesign design(context, {5, 4, 0});
  const std::size_t points = context.factors.size() + 1;
  ASSERT_EQ(design.RecordCount(), 5 * points);
  for (std::uint64_t record = 0; record < design.RecordCount(); ++record) {
    const std::size_t t = design.TrajectoryOf(record);
    EXPECT_EQ(design.Seed(record, 0),
              DeriveSensitivitySeed(kSeed, SeedStream::kMorrisTrajectory, t, 0));
    const model::RunArguments arguments = design.Arguments(record);
    for (std::size_t f = 0; f < context.factors.size(); ++f) {
      EXPECT_EQ(ValueOf(context.factors[f], arguments),
                FactorValue(context.factors[f],
                            design.Trajectories().Unit(t, design.PointOf(record), f)));
    }
  }
}

}  // namespace
}  // namespace batch
