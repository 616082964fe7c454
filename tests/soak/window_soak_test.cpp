// The soak test of the main window: thousands of random user actions on the
// real dialog, every invariant checked after each one.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tests/soak/action_log.h"
#include "tests/soak/soak_settings.h"
#include "tests/soak/window_walk.h"

namespace soak {
namespace {

using Clock = std::chrono::steady_clock;

void ReportPace(const SoakSettings& settings, int runs, Clock::duration elapsed) {
  const double seconds = std::chrono::duration<double>(elapsed).count();
  std::printf("soak: seed %u, %d actions, %d runs in %.1f s: %.2f ms per action\n", settings.seed,
              settings.actions, runs, seconds, 1000.0 * seconds / settings.actions);
}

TEST(WindowSoak, EveryInvariantHoldsAfterEveryRandomAction) {
  std::string error;
  const std::optional<SoakSettings> settings = SettingsFromEnvironment(error);
  ASSERT_TRUE(settings) << error;

  WindowWalk walk(settings->seed);
  ActionLog log;
  const Violations atStart = walk.CheckStart();
  ASSERT_TRUE(atStart.empty()) << FailureReport(settings->seed, 0, atStart, log);

  const Clock::time_point start = Clock::now();
  for (int action = 1; action <= settings->actions; ++action) {
    Violations violations;
    log.Add(walk.Step(violations));
    ASSERT_TRUE(violations.empty())
        << FailureReport(settings->seed, static_cast<std::size_t>(action), violations, log);
  }
  ReportPace(*settings, walk.Runs(), Clock::now() - start);
  std::printf("soak: reached %s\n", walk.Coverage().c_str());
}

}  // namespace
}  // namespace soak
