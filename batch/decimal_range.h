#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// The values START, START + STEP, ... up to STOP (included when it lies on the
// grid), computed exactly on the decimal digits of the three texts, so that
// 0:1:0.1 gives "0.3" and not the binary sum 0.30000000000000004.
struct DecimalRange {
  std::vector<std::string> values;  // plain decimal texts without trailing zeros
  std::string error;                // why the range was refused, when not empty
};

// Refuses texts other than plain decimals ([+-]digits[.digits]), more than
// 18 significant digits once aligned, an empty range, a step that is not
// positive and more than maxValues values.
DecimalRange ExpandDecimalRange(std::string_view start, std::string_view stop,
                                std::string_view step, std::size_t maxValues);

}  // namespace batch
