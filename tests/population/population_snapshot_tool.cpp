// corvellan_population_snapshot: shows the population window for a run with
// every attribute Normal and sanctions on, at one step, and saves what the
// window shows, for the pictures in docs/.
//   corvellan_population_snapshot STEP OUT.png
#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "population/population_window.h"
#include "tests/support/sample_arguments.h"

namespace {

constexpr int kArgumentCount = 3;
constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;
constexpr std::int32_t kSeed = 1234;

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != kArgumentCount) {
    std::fprintf(stderr, "usage: %s STEP OUT.png\n", argv[0]);
    return kExitUsage;
  }
  batch::ResponseContext context;
  context.arguments = test_support::AllNormalArguments();
  context.seed = kSeed;
  population::PopulationWindow window;
  window.ShowFor(context);
  if (!QTest::qWaitForWindowExposed(&window)) return kExitFailure;
  window.resize(window.sizeHint());
  window.ChooseStep(std::atoi(argv[1]));
  QApplication::processEvents();
  return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : kExitFailure;
}
