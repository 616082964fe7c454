#include "tests/soak/action_log.h"

#include <algorithm>
#include <sstream>

#include "tests/soak/soak_settings.h"

namespace soak {

std::string ActionLog::Tail(std::size_t tail) const {
  const std::size_t first = actions_.size() - std::min(tail, actions_.size());
  std::ostringstream text;
  if (first > 0) {
    text << "  (actions 1 to " << first << " not shown)\n";
  }
  for (std::size_t index = first; index < actions_.size(); ++index) {
    text << "  #" << index + 1 << " " << actions_[index] << "\n";
  }
  return text.str();
}

std::string FailureReport(std::uint32_t seed, std::size_t actionNumber,
                          const Violations& violations, const ActionLog& log) {
  std::ostringstream text;
  text << "Window soak failed: seed " << seed << ", action #" << actionNumber << "\n"
       << "What broke:\n";
  for (const std::string& violation : violations) {
    text << "  - " << violation << "\n";
  }
  text << "Last " << std::min(kReportedTail, log.Size()) << " actions:\n"
       << log.Tail(kReportedTail) << "Replay up to the failing action:\n"
       << "  " << kSeedVariable << "=" << seed << " " << kActionsVariable << "="
       << std::max<std::size_t>(actionNumber, 1)
       << " QT_QPA_PLATFORM=offscreen bin/soak_tests --gtest_filter='WindowSoak.*'\n";
  return text.str();
}

}  // namespace soak
