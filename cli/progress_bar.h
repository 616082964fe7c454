#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace cli {

// "[######------------------]   1234/10000 runs  2345 runs/s  0:03 left"
std::string ProgressLine(std::uint64_t done, std::uint64_t total, double elapsedSeconds);

// One line on a terminal, redrawn in place with a carriage return.
class ProgressBar {
 public:
  ProgressBar(std::ostream& terminal, std::uint64_t total);

  // Redraws when the count changed and enough time has passed since the last
  // drawing; the last count is always drawn.
  void Update(std::uint64_t done);
  // Blanks the line so that what follows starts on a clean one.
  void Finish();

 private:
  using Clock = std::chrono::steady_clock;

  std::ostream& terminal_;
  const std::uint64_t total_;
  const Clock::time_point start_;
  Clock::time_point lastDrawn_;
  std::uint64_t drawnDone_ = 0;
  std::size_t drawnWidth_ = 0;
};

}  // namespace cli
