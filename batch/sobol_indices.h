#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace batch {

// A factor's Sobol indices with their bootstrap intervals.
struct SobolIndex {
  double first = 0.0;  // Saltelli et al. 2010
  double firstLow = 0.0;
  double firstHigh = 0.0;
  double total = 0.0;  // Jansen 1999
  double totalLow = 0.0;
  double totalHigh = 0.0;
};

struct BootstrapSettings {
  std::uint64_t resamples = 200;
  double level = 0.95;  // the interval holds this share of the resampled indices
  std::uint64_t seed = 0;
};

// The outputs of a Saltelli design (saltelli_design.h) over `columns` columns,
// base row by base row, each row's matrices A, B, A_B^0, ... in order.
struct SaltelliOutputs {
  std::size_t columns = 0;
  std::span<const double> values;

  std::size_t BaseRows() const;
  double At(std::size_t matrix, std::size_t row) const;
};

// Each column's indices, with V the variance (divisor n) of the outputs of A
// and B together:
//   first  S_i  = mean_j f(B)_j (f(A_B^i)_j - f(A)_j) / V
//   total  ST_i = mean_j (f(A)_j - f(A_B^i)_j)^2 / (2 V)
// A column the function does not read gets exactly 0 for both. The intervals
// are percentile intervals over resamples of the base rows drawn with
// replacement from a SplitMixStream seeded with settings.seed.
std::vector<SobolIndex> EstimateSobolIndices(const SaltelliOutputs& outputs,
                                             const BootstrapSettings& settings);

}  // namespace batch
