#include "drawing/svg_markup.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>

namespace platform {
namespace {

// Lengths of dashes along slanted lines are not whole pixels; four decimals
// are far below what any viewer can show.
constexpr int kDecimals = 4;
constexpr double kRounding = 1e4;
// Room for any double printed with those decimals.
constexpr std::size_t kNumberCharacters = 352;

}  // namespace

std::string XmlEscaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string SvgColour(Rgb colour) {
  std::array<char, sizeof("#rrggbb")> text{};
  std::snprintf(text.data(), text.size(), "#%02x%02x%02x", colour.red, colour.green, colour.blue);
  return text.data();
}

std::string SvgNumber(double value) {
  const double rounded = std::round(value * kRounding) / kRounding;
  // Negative zero would print as "-0".
  const double shown = rounded == 0.0 ? 0.0 : rounded;
  std::array<char, kNumberCharacters> text{};
  std::snprintf(text.data(), text.size(), "%.*f", kDecimals, shown);
  std::string number = text.data();
  number.erase(number.find_last_not_of('0') + 1);
  if (number.back() == '.') {
    number.pop_back();
  }
  return number;
}

}  // namespace platform
