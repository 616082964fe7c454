#include "batch/decimal_range.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "run_description/number_text.h"

namespace batch {
namespace {

constexpr std::int64_t kBase = 10;
constexpr std::size_t kRangeTexts = 3;  // START, STOP, STEP

// value = digits / 10^scale
struct ScaledDecimal {
  std::int64_t digits = 0;
  int scale = 0;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Appends one decimal digit; false on overflow.
bool PushDigit(std::int64_t& digits, char c) {
  return !__builtin_mul_overflow(digits, kBase, &digits) &&
         !__builtin_add_overflow(digits, c - '0', &digits);
}

struct ParsedDecimal {
  std::optional<ScaledDecimal> value;
  std::string error;
};

ParsedDecimal ParseDecimal(std::string_view text) {
  const std::string refusal = "expected a plain decimal like 0.25, got " + run::Quoted(text);
  std::string_view rest = text;
  const bool negative = !rest.empty() && rest.front() == '-';
  if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) rest.remove_prefix(1);
  ScaledDecimal result;
  bool seenDigit = false;
  bool seenPoint = false;
  for (const char c : rest) {
    if (c == '.' && !seenPoint) {
      seenPoint = true;
      continue;
    }
    if (!IsDigit(c)) return {std::nullopt, refusal};
    seenDigit = true;
    if (!PushDigit(result.digits, c))
      return {std::nullopt, run::Quoted(text) + " has too many digits"};
    if (seenPoint) ++result.scale;
  }
  if (!seenDigit) return {std::nullopt, refusal};
  if (negative) result.digits = -result.digits;
  return {result, {}};
}

// Brings value to the finer scale; false on overflow.
bool Rescale(ScaledDecimal& value, int scale) {
  for (; value.scale < scale; ++value.scale) {
    if (__builtin_mul_overflow(value.digits, kBase, &value.digits)) return false;
  }
  return true;
}

// "-0.25" from digits -25 at scale 2; trailing zeros of the fraction dropped.
std::string FormatScaled(std::int64_t digits, int scale) {
  const bool negative = digits < 0;
  std::string text = std::to_string(negative ? -digits : digits);
  const std::size_t width = static_cast<std::size_t>(scale) + 1;
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  if (scale > 0) {
    text.insert(text.size() - static_cast<std::size_t>(scale), 1, '.');
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  if (negative && text != "0") text.insert(0, 1, '-');
  return text;
}

DecimalRange Refused(std::string error) {
  return {{}, std::move(error)};
}

}  // namespace

DecimalRange ExpandDecimalRange(std::string_view startText, std::string_view stopText,
                                std::string_view stepText, std::size_t maxValues) {
  ScaledDecimal parts[kRangeTexts];
  const std::string_view texts[kRangeTexts] = {startText, stopText, stepText};
  for (std::size_t i = 0; i < kRangeTexts; ++i) {
    ParsedDecimal parsed = ParseDecimal(texts[i]);
    if (!parsed.value) return Refused(std::move(parsed.error));
    parts[i] = *parsed.value;
  }
  const int scale = std::max({parts[0].scale, parts[1].scale, parts[2].scale});
  for (ScaledDecimal& part : parts) {
    if (!Rescale(part, scale)) return Refused("too many digits in the range");
  }
  const auto [start, stop, step] = parts;
  if (step.digits <= 0) return Refused("the step must be positive, got " + run::Quoted(stepText));
  if (start.digits > stop.digits) {
    return Refused("empty range: START " + std::string(startText) + " is above STOP " +
                   std::string(stopText));
  }
  std::int64_t span = 0;
  if (__builtin_sub_overflow(stop.digits, start.digits, &span)) {
    return Refused("too many digits in the range");
  }
  const auto count = static_cast<std::uint64_t>(span / step.digits) + 1;
  if (count > maxValues) {
    return Refused("the range has more than " + std::to_string(maxValues) + " values");
  }
  DecimalRange range;
  range.values.reserve(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::int64_t offset = static_cast<std::int64_t>(i) * step.digits;  // at most span
    range.values.push_back(FormatScaled(start.digits + offset, scale));
  }
  return range;
}

}  // namespace batch
