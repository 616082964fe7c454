#include "cli/number_parsing.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace cli {
namespace {

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
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace cli
