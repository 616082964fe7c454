#pragma once

#include <optional>
#include <string>
#include <string_view>

// The exchange between the slope dialog's field and its value.
namespace ui {

inline constexpr double kSlopeMinimum = 0.0;
inline constexpr double kSlopeMaximum = 1000000.0;
// The field's text is read up to this many characters.
inline constexpr std::size_t kSlopeTextLimit = 399;

inline constexpr std::string_view kMessageNotANumber = "Please enter a number.";

// "%.*g" at precision 15: 10.0 reads "10".
std::string SlopeText(double value);

// The number "%lf" scans from the start of the text (leading blanks skipped,
// anything after the number ignored); nullopt when it scans none.
std::optional<double> ScanSlope(std::string_view text);

bool SlopeInRange(double value);

// "Please enter a number between 0 and 1000000.", the bounds as SlopeText.
std::string SlopeRangeMessage();

}  // namespace ui
