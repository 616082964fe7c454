#include "run_description/number_text.h"

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
  if (ec == std::errc::result_out_of_range) return {std::nullopt, Quoted(text) + " is too large"};
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
