#include "ui/slope_exchange.h"

#include <array>
#include <cstdio>

namespace ui {
namespace {

constexpr int kSlopePrecision = 15;
// Enough for any double in "%.15g".
constexpr std::size_t kNumberBufferSize = 64;

constexpr std::string_view kRangeTemplate = "Please enter a number between %1 and %2.";
constexpr std::string_view kFirstPlaceholder = "%1";
constexpr std::string_view kSecondPlaceholder = "%2";

void ReplaceFirst(std::string& text, std::string_view placeholder, const std::string& value) {
  const std::size_t at = text.find(placeholder);
  if (at != std::string::npos) {
    text.replace(at, placeholder.size(), value);
  }
}

}  // namespace

std::string SlopeText(double value) {
  std::array<char, kNumberBufferSize> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.*g", kSlopePrecision, value);
  return std::string(buffer.data());
}

std::optional<double> ScanSlope(std::string_view text) {
  const std::string bounded(text.substr(0, kSlopeTextLimit));
  double value = 0.0;
  if (std::sscanf(bounded.c_str(), "%lf", &value) != 1) {
    return std::nullopt;
  }
  return value;
}

bool SlopeInRange(double value) {
  return !(value < kSlopeMinimum) && !(value > kSlopeMaximum);
}

std::string SlopeRangeMessage() {
  std::string message(kRangeTemplate);
  ReplaceFirst(message, kFirstPlaceholder, SlopeText(kSlopeMinimum));
  ReplaceFirst(message, kSecondPlaceholder, SlopeText(kSlopeMaximum));
  return message;
}

}  // namespace ui
