#include "cli/progress_bar.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/case_name.h"

namespace cli {
namespace {

struct LineCase {
  const char* name;
  std::uint64_t done;
  std::uint64_t total;
  double elapsed;
  const char* line;
};

const LineCase kLines[] = {
    {"NothingYet", 0, 10000, 0.0, "[------------------------] 0/10000 runs"},
    {"AQuarter", 2500, 10000, 2.0,
     "[######------------------] 2500/10000 runs  1250 runs/s  0:06 left"},
    {"MinutesLeft", 100, 100000, 1.0,
     "[------------------------] 100/100000 runs  100 runs/s  16:39 left"},
    {"HoursLeft", 1, 100000, 1.0,
     "[------------------------] 1/100000 runs  1 runs/s  27:46:39 left"},
    {"Done", 40, 40, 4.0, "[########################] 40/40 runs  10 runs/s  0:00 left"},
};

class Line : public ::testing::TestWithParam<LineCase> {};

TEST_P(Line, ShowsRunsRateAndTimeLeft) {
  const LineCase& c = GetParam();
  EXPECT_EQ(ProgressLine(c.done, c.total, c.elapsed), c.line);
}

INSTANTIATE_TEST_SUITE_P(Cases, Line, ::testing::ValuesIn(kLines), test_support::CaseName());

TEST(ProgressBar, DrawsTheLastStateAndBlanksItAtTheEnd) {
  std::ostringstream terminal;
  ProgressBar bar(terminal, 3);
  bar.Update(3);  // the end is always drawn
  const std::string drawn = terminal.str();
  EXPECT_EQ(drawn.rfind("\r[########################] 3/3 runs", 0), 0u) << drawn;
  bar.Finish();
  const std::string all = terminal.str();
  std::string blank(1, '\r');
  blank.append(drawn.size() - 1, ' ').append(1, '\r');
  EXPECT_EQ(all.substr(drawn.size()), blank);
}

TEST(ProgressBar, WithoutDrawingFinishWritesNothing) {
  std::ostringstream terminal;
  ProgressBar bar(terminal, 1000);
  bar.Finish();
  EXPECT_EQ(terminal.str(), "");
}

}  // namespace
}  // namespace cli
