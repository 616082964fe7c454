#include "batch/sobol_indices.h"

#include <limits>
#include <stdexcept>
#include <tuple>

#include "batch/saltelli_design.h"
#include "batch/split_mix_stream.h"
#include "batch/summary_statistics.h"

namespace batch {
namespace {

struct Point {
  double first;
  double total;
};

// The sums behind one column's indices over a choice of base rows.
class ColumnSums {
 public:
  void Add(const SaltelliOutputs& outputs, std::size_t column, std::size_t row) {
    const double a = outputs.At(kMatrixA, row);
    const double b = outputs.At(kMatrixB, row);
    const double mixed = outputs.At(MixedMatrix(column), row);
    first_ += b * (mixed - a);
    total_ += (a - mixed) * (a - mixed);
  }
  Point Indices(std::size_t rows, double variance) const {
    const double n = static_cast<double>(rows);
    // Adding +0 turns a sum of -0 terms (a column not read) into a plain 0.
    return {first_ / n / variance + 0.0, total_ / n / (2.0 * variance) + 0.0};
  }

 private:
  double first_ = 0.0;
  double total_ = 0.0;
};

// Variance (divisor n) of the outputs of A and B of the chosen rows together.
double Variance(const SaltelliOutputs& outputs, std::span<const std::size_t> rows) {
  double sum = 0.0;
  for (std::size_t row : rows) sum += outputs.At(kMatrixA, row) + outputs.At(kMatrixB, row);
  const double count = 2.0 * static_cast<double>(rows.size());
  const double mean = sum / count;
  double squares = 0.0;
  for (std::size_t row : rows) {
    for (std::size_t matrix : {kMatrixA, kMatrixB}) {
      const double d = outputs.At(matrix, row) - mean;
      squares += d * d;
    }
  }
  return squares / count;
}

std::vector<Point> IndicesOfRows(const SaltelliOutputs& outputs,
                                 std::span<const std::size_t> rows) {
  const double variance = Variance(outputs, rows);
  std::vector<Point> points(outputs.columns);
  for (std::size_t column = 0; column < outputs.columns; ++column) {
    ColumnSums sums;
    for (std::size_t row : rows) sums.Add(outputs, column, row);
    points[column] = sums.Indices(rows.size(), variance);
  }
  return points;
}

// The interval's ends; resampled indices that are not a number (a resample
// whose outputs all agree) are left out.
std::pair<double, double> PercentileInterval(std::vector<double> values, double level) {
  std::erase_if(values, [](double v) { return v != v; });
  if (values.empty()) {
    constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
    return {kNotANumber, kNotANumber};
  }
  const double tail = (1.0 - level) / 2.0;
  std::size_t from = 0;
  const double low = SelectQuantile(values, tail, from);
  const double high = SelectQuantile(values, 1.0 - tail, from);
  return {low, high};
}

}  // namespace

std::size_t SaltelliOutputs::BaseRows() const {
  return values.size() / MatrixCount(columns);
}

double SaltelliOutputs::At(std::size_t matrix, std::size_t row) const {
  return values[row * MatrixCount(columns) + matrix];
}

std::vector<SobolIndex> EstimateSobolIndices(const SaltelliOutputs& outputs,
                                             const BootstrapSettings& settings) {
  const std::size_t rows = outputs.BaseRows();
  if (rows == 0 || rows * MatrixCount(outputs.columns) != outputs.values.size()) {
    throw std::invalid_argument("the outputs do not fill whole base rows");
  }
  std::vector<std::size_t> all(rows);
  for (std::size_t row = 0; row < rows; ++row) all[row] = row;
  const std::vector<Point> estimate = IndicesOfRows(outputs, all);

  std::vector<std::vector<double>> firsts(outputs.columns);
  std::vector<std::vector<double>> totals(outputs.columns);
  SplitMixStream stream(settings.seed);
  std::vector<std::size_t> resample(rows);
  for (std::uint64_t r = 0; r < settings.resamples; ++r) {
    for (std::size_t& row : resample) row = static_cast<std::size_t>(stream.Below(rows));
    const std::vector<Point> points = IndicesOfRows(outputs, resample);
    for (std::size_t column = 0; column < outputs.columns; ++column) {
      firsts[column].push_back(points[column].first);
      totals[column].push_back(points[column].total);
    }
  }

  std::vector<SobolIndex> indices(outputs.columns);
  for (std::size_t column = 0; column < outputs.columns; ++column) {
    SobolIndex& index = indices[column];
    index.first = estimate[column].first;
    index.total = estimate[column].total;
    if (settings.resamples == 0) {
      index.firstLow = index.firstHigh = index.first;
      index.totalLow = index.totalHigh = index.total;
      continue;
    }
    std::tie(index.firstLow, index.firstHigh) =
        PercentileInterval(std::move(firsts[column]), settings.level);
    std::tie(index.totalLow, index.totalHigh) =
        PercentileInterval(std::move(totals[column]), settings.level);
  }
  return indices;
}

}  // namespace batch
