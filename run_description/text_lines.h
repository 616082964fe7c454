#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace run {

// The pieces the readers of our text files share: a series CSV read back as a
// run, observed data read for a fit.

// Printable ASCII, tabs and line ends only: the position of the first other
// byte, which no file of ours and no plain CSV holds.
std::optional<std::size_t> FirstForeignByte(std::string_view text);

// The lines without their ends ("\n" or "\r\n"); the last one may lack its end.
std::vector<std::string_view> SplitLines(std::string_view text);

// The pieces of text between separators; a space separator drops empty pieces
// (runs of spaces), any other keeps them (empty CSV fields).
std::vector<std::string_view> SplitWords(std::string_view text, char separator);

// The whole of text as a decimal number, or nothing.
std::optional<double> ReadNumber(std::string_view text);

// Whether value lies in series' range: the means in [0, 1], the rates, sums
// of shares that add up to 1, in [0, 1] give or take their rounding.
bool InSeriesRange(int series, double value);

}  // namespace run
