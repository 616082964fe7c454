#include "run_description/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace run {
namespace {

// Enough for any double in either form.
constexpr std::size_t kNumberBuffer = 32;
constexpr int kSignificantDigits = 9;

std::string_view WithoutPlusSign(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

constexpr long long kExponentCap = 1'000'000'000;
constexpr int kDecimalBase = 10;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether a decimal number lies below 1 in magnitude, read from its digits
// alone (it is out of the range of a double, so it cannot be converted): the
// place of its first significant digit, shifted by its exponent.
bool BelowOne(std::string_view text) {
  std::size_t at = text.find_first_not_of("+-");
  if (at == std::string_view::npos) return false;
  long long integerDigits = 0;    // from the first significant one
  long long zerosAfterPoint = 0;  // before the first significant digit
  bool significant = false;
  bool afterPoint = false;
  for (; at < text.size() && (IsDigit(text[at]) || text[at] == '.'); ++at) {
    const char c = text[at];
    if (c == '.') {
      afterPoint = true;
    } else if (!afterPoint && (significant || c != '0')) {
      significant = true;
      ++integerDigits;
    } else if (afterPoint && !significant) {
      significant = c != '0';
      zerosAfterPoint += significant ? 0 : 1;
    }
  }
  if (!significant) return false;
  const long long order = integerDigits > 0 ? integerDigits - 1 : -(zerosAfterPoint + 1);
  long long exponent = 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
      exponent = std::min(exponent * kDecimalBase + (text[at] - '0'), kExponentCap);
    }
    if (negative) exponent = -exponent;
  }
  return order + exponent < 0;
}

}  // namespace

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '"').append(text).append(1, '"');
  return quoted;
}

ParsedReal ParseReal(std::string_view text) {
  const std::string_view digits = WithoutPlusSign(text);
  double value = 0.0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec == std::errc::result_out_of_range) {
    const char* problem = BelowOne(digits) ? " is too small to represent" : " is too large";
    return {std::nullopt, Quoted(text) + problem};
  }
  if (ec != std::errc() || end != digits.data() + digits.size()) {
    return {std::nullopt, "expected a number, got " + Quoted(text)};
  }
  if (!std::isfinite(value)) return {std::nullopt, "expected a finite number, got " + Quoted(text)};
  return {value, {}};
}

ParsedInteger ParseInteger(std::string_view text) {
  const std::string_view digits = WithoutPlusSign(text);
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec == std::errc() && end == digits.data() + digits.size()) return {value, {}};
  if (ec == std::errc::result_out_of_range) {
    return {std::nullopt, Quoted(text) + " does not fit a 32-bit integer"};
  }
  return {std::nullopt, "expected a whole number, got " + Quoted(text)};
}

std::string FormatRoundTrip(double value) {
  std::string text;
  AppendRoundTrip(text, value);
  return text;
}

void AppendRoundTrip(std::string& text, double value) {
  std::array<char, kNumberBuffer> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  text.append(buffer.data(), result.ptr);
}

void AppendSignificant(std::string& text, double value) {
  std::array<char, kNumberBuffer> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, kSignificantDigits);
  text.append(buffer.data(), result.ptr);
}

}  // namespace run
