#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace batch {

// Saltelli's design for Sobol indices over `columns` factors: two matrices A
// and B of `baseRows` points in the unit cube, and for every column i the
// matrix A_B^i, A with column i taken from B. The points are the Sobol
// sequence in 2 * columns dimensions (Boost.Random's, Joe and Kuo's direction
// numbers), A its first half of coordinates and B its second.
//
// Matrix m counts A as 0, B as 1 and A_B^i as 2 + i. The design's runs go
// base row by base row, each row's matrices in that order.
inline constexpr std::size_t kMatrixA = 0;
inline constexpr std::size_t kMatrixB = 1;
inline constexpr std::size_t kFirstMixedMatrix = 2;

constexpr std::size_t MixedMatrix(std::size_t column) {
  return kFirstMixedMatrix + column;
}

constexpr std::size_t MatrixCount(std::size_t columns) {
  return kFirstMixedMatrix + columns;
}

// Whether column of matrix comes from B: in B itself and in A_B^column.
constexpr bool TakesFromB(std::size_t matrix, std::size_t column) {
  return matrix == kMatrixB || matrix == MixedMatrix(column);
}

class SaltelliPoints {
 public:
  SaltelliPoints(std::size_t baseRows, std::size_t columns);

  std::size_t BaseRows() const { return baseRows_; }
  std::size_t Columns() const { return columns_; }
  std::size_t Matrices() const { return MatrixCount(columns_); }
  std::uint64_t PointCount() const { return std::uint64_t{baseRows_} * Matrices(); }

  // Column of row in matrix, in [0, 1).
  double Unit(std::size_t matrix, std::size_t row, std::size_t column) const;
  // Row of matrix A (or B), all columns.
  double A(std::size_t row, std::size_t column) const { return a_[row * columns_ + column]; }
  double B(std::size_t row, std::size_t column) const { return b_[row * columns_ + column]; }

 private:
  std::size_t baseRows_;
  std::size_t columns_;
  std::vector<double> a_;
  std::vector<double> b_;
};

// f(point) at every point of the design, in design order; f takes the
// point's unit coordinates as a std::span<const double>.
template <typename Function>
std::vector<double> EvaluateSaltelli(const SaltelliPoints& points, Function f) {
  std::vector<double> outputs;
  outputs.reserve(points.PointCount());
  std::vector<double> point(points.Columns());
  for (std::size_t row = 0; row < points.BaseRows(); ++row) {
    for (std::size_t matrix = 0; matrix < points.Matrices(); ++matrix) {
      for (std::size_t c = 0; c < points.Columns(); ++c) point[c] = points.Unit(matrix, row, c);
      outputs.push_back(f(std::span<const double>(point)));
    }
  }
  return outputs;
}

}  // namespace batch
