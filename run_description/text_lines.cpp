#include "run_description/text_lines.h"

#include <charconv>

#include "model/result_series.h"

namespace run {
namespace {

constexpr char kAsciiDelete = 0x7f;

// The rates are sums of shares that add up to 1, so a rounding error past
// either end is theirs; the means are clamped when they are stored.
constexpr double kRateSlack = 1e-6;

}  // namespace

std::optional<std::size_t> FirstForeignByte(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool allowed = c == '\n' || c == '\r' || c == '\t' || (c >= ' ' && c < kAsciiDelete);
    if (!allowed) return i;
  }
  return std::nullopt;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<std::string_view> SplitWords(std::string_view text, char separator) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find(separator, start);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    if (separator != ' ' || stop > start) words.push_back(text.substr(start, stop - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return words;
}

std::optional<double> ReadNumber(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool InSeriesRange(int series, double value) {
  const bool rate = series == model::kFirstOrderRate || series == model::kSecondOrderRate;
  const double slack = rate ? kRateSlack : 0.0;
  return value >= -slack && value <= 1.0 + slack;
}

}  // namespace run
