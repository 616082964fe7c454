#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace map {

// A piece of a contour line between two points of a grid's index space: x
// from 0 to columns - 1, y from 0 to rows - 1, cell centres at whole numbers.
struct ContourSegment {
  double x0;
  double y0;
  double x1;
  double y1;
};

// The line where values cross level, by marching squares over the cell
// centres: values[x * rows + y] (x slowest, as a map's cells are numbered);
// a value at least level counts as above; an ambiguous square is split as
// the mean of its corners says; a square with a value that is not a number
// gives nothing.
std::vector<ContourSegment> ContourSegments(std::span<const double> values, std::size_t columns,
                                            std::size_t rows, double level);

}  // namespace map
