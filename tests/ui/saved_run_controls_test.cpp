#include "ui/saved_run_controls.h"

#include <gtest/gtest.h>

#include "res/control_ids.h"
#include "run_description/parameter_table.h"
#include "tests/support/case_name.h"
#include "ui/slider_table.h"

namespace ui_test {
namespace {

constexpr int kAgents = 100;

std::size_t RowOf(int trackbarId) {
  return static_cast<std::size_t>(ui::FindSlider(trackbarId) - ui::kSliderTable.data());
}

struct MappingCase {
  const char* name;
  void (*change)(model::RunArguments& arguments);
  int trackbarId;  // whose position is checked; 0 for none
  int position;    // expected there
  bool approximated;
  std::string error;  // empty when the mapping succeeds
};

const MappingCase kCases[] = {
    {"Defaults", [](model::RunArguments&) {}, res::kIdSliderJ, 50, false, ""},
    {"ExactProduct", [](model::RunArguments& a) { a.paramJ = 35 * 0.01; }, res::kIdSliderJ, 35,
     false, ""},
    {"DecimalNearAPosition", [](model::RunArguments& a) { a.paramJ = 0.35; }, res::kIdSliderJ, 35,
     true, ""},
    {"BetweenPositions", [](model::RunArguments& a) { a.paramJ = 0.355; }, 0, 0, false,
     "--paramJ 0.355 is no position of its trackbar"},
    {"NegativeCorrelation", [](model::RunArguments& a) { a.corrRI = -0.4; }, res::kIdSliderCorrRI,
     -40, false, ""},
    {"CountFromItsOwnPosition", [](model::RunArguments& a) { a.requestedCountR = 57; },
     res::kIdSliderCountR, 57, false, ""},
    {"CountOfTwoPositionsTakesTheFirst", [](model::RunArguments& a) { a.requestedCountR = 28; },
     res::kIdSliderCountR, 28, false, ""},
    {"CountNoPositionGives", [](model::RunArguments& a) { a.requestedCountR = 29; }, 0, 0, false,
     "--requestedCountR 29 is no position of its trackbar"},
    {"OtherAgentCount", [](model::RunArguments& a) { a.agentCount = 200; }, 0, 0, false,
     "--agentCount 200: the window runs 100 agents"},
    {"OtherSlope", [](model::RunArguments& a) { a.slopeM = 11; }, 0, 0, false,
     "--slopeM 11: the window always runs with 10"},
};

class MapToControls : public testing::TestWithParam<MappingCase> {};

TEST_P(MapToControls, FindsThePositionOrNamesTheParameter) {
  const MappingCase& c = GetParam();
  model::RunArguments arguments = run::DefaultRunArguments();
  c.change(arguments);
  const ui::ControlMapping mapping = ui::MapToControls(arguments, kAgents);
  EXPECT_EQ(mapping.error, c.error);
  ASSERT_EQ(mapping.settings.has_value(), c.error.empty());
  if (!mapping.settings) return;
  if (c.trackbarId != 0) {
    EXPECT_EQ(mapping.settings->positions[RowOf(c.trackbarId)], c.position);
  }
  EXPECT_EQ(!mapping.approximated.empty(), c.approximated);
}

INSTANTIATE_TEST_SUITE_P(Cases, MapToControls, testing::ValuesIn(kCases), test_support::CaseName());

TEST(MapToControlsKinds, TakesKindsAndSanctionsAsTheyAre) {
  model::RunArguments arguments = run::DefaultRunArguments();
  arguments.distI = 2;
  arguments.distRPrime = 1;
  arguments.sanctionsOn = 1;
  const ui::ControlMapping mapping = ui::MapToControls(arguments, kAgents);
  ASSERT_TRUE(mapping.settings.has_value());
  EXPECT_EQ(mapping.settings->kinds, (std::array<int, 5>{0, 2, 0, 0, 1}));
  EXPECT_TRUE(mapping.settings->sanctions);
}

}  // namespace
}  // namespace ui_test
