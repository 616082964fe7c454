#include "cli/progress_bar.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace cli {
namespace {

constexpr std::size_t kBarWidth = 24;
constexpr char kDoneMark = '#';
constexpr char kToDoMark = '-';
constexpr std::chrono::milliseconds kRedrawInterval{200};
constexpr std::uint64_t kSecondsPerMinute = 60;
constexpr std::uint64_t kSecondsPerHour = 3600;
constexpr std::size_t kLineBuffer = 128;

std::string Bar(std::uint64_t done, std::uint64_t total) {
  const std::size_t filled = total == 0
                                 ? kBarWidth
                                 : static_cast<std::size_t>(static_cast<double>(done) /
                                                            static_cast<double>(total) * kBarWidth);
  std::string bar(1, '[');
  bar.append(filled, kDoneMark).append(kBarWidth - filled, kToDoMark).append(1, ']');
  return bar;
}

// "0:07", "12:34" or "3:02:01".
std::string Duration(double seconds) {
  const auto whole = static_cast<std::uint64_t>(std::ceil(seconds));
  const std::uint64_t hours = whole / kSecondsPerHour;
  const std::uint64_t minutes = whole % kSecondsPerHour / kSecondsPerMinute;
  const std::uint64_t rest = whole % kSecondsPerMinute;
  char text[kLineBuffer];
  if (hours > 0) {
    std::snprintf(text, sizeof text, "%" PRIu64 ":%02" PRIu64 ":%02" PRIu64, hours, minutes, rest);
  } else {
    std::snprintf(text, sizeof text, "%" PRIu64 ":%02" PRIu64, minutes, rest);
  }
  return text;
}

}  // namespace

std::string ProgressLine(std::uint64_t done, std::uint64_t total, double elapsedSeconds) {
  char counts[kLineBuffer];
  std::snprintf(counts, sizeof counts, " %" PRIu64 "/%" PRIu64 " runs", done, total);
  std::string line = Bar(done, total) + counts;
  if (done == 0 || elapsedSeconds <= 0.0) return line;
  const double rate = static_cast<double>(done) / elapsedSeconds;
  char speed[kLineBuffer];
  std::snprintf(speed, sizeof speed, "  %.0f runs/s  ", rate);
  line += speed;
  line += Duration(static_cast<double>(total - done) / rate);
  line += " left";
  return line;
}

ProgressBar::ProgressBar(std::ostream& terminal, std::uint64_t total)
    : terminal_(terminal), total_(total), start_(Clock::now()), lastDrawn_(start_) {}

void ProgressBar::Update(std::uint64_t done) {
  if (drawnWidth_ > 0 && done == drawnDone_) return;
  const Clock::time_point now = Clock::now();
  if (now - lastDrawn_ < kRedrawInterval && done < total_) return;
  lastDrawn_ = now;
  drawnDone_ = done;
  const std::chrono::duration<double> elapsed = now - start_;
  std::string line = ProgressLine(done, total_, elapsed.count());
  // Pad over the end of a longer previous line.
  const std::size_t width = line.size();
  if (width < drawnWidth_) line.append(drawnWidth_ - width, ' ');
  drawnWidth_ = std::max(drawnWidth_, width);
  terminal_ << '\r' << line << std::flush;
}

void ProgressBar::Finish() {
  if (drawnWidth_ == 0) return;
  terminal_ << '\r' << std::string(drawnWidth_, ' ') << '\r' << std::flush;
  drawnWidth_ = 0;
}

}  // namespace cli
