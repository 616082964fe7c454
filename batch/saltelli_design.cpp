#include "batch/saltelli_design.h"

#include <boost/random/sobol.hpp>

namespace batch {
namespace {

// The top 53 bits of a 64-bit coordinate as a double in [0, 1), exactly.
constexpr int kDiscardedBits = 64 - 53;
constexpr double kUnitOfLastBit = 0x1.0p-53;

double ToUnit(std::uint64_t coordinate) {
  return static_cast<double>(coordinate >> kDiscardedBits) * kUnitOfLastBit;
}

}  // namespace

SaltelliPoints::SaltelliPoints(std::size_t baseRows, std::size_t columns)
    : baseRows_(baseRows), columns_(columns), a_(baseRows * columns), b_(baseRows * columns) {
  // Boost's sequence leaves out the all-zero first point, as Saltelli's
  // design should: it starts at (1/2, ..., 1/2).
  boost::random::sobol sequence(2 * columns);
  for (std::size_t row = 0; row < baseRows; ++row) {
    for (std::size_t c = 0; c < columns; ++c) a_[row * columns + c] = ToUnit(sequence());
    for (std::size_t c = 0; c < columns; ++c) b_[row * columns + c] = ToUnit(sequence());
  }
}

double SaltelliPoints::Unit(std::size_t matrix, std::size_t row, std::size_t column) const {
  return TakesFromB(matrix, column) ? B(row, column) : A(row, column);
}

}  // namespace batch
