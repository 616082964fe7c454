// The data tables behind OnCommand, checked for shape; what they do is
// checked through the dialog in main_dialog_commands_test.cpp.
#include "ui/radio_work.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ui/sanctions_rule.h"

namespace {

using model::DistributionKind;

TEST(RadioWorkTable, HasThreeButtonsPerAttributeInKindOrder) {
  for (std::size_t index = 0; index < ui::kRadioWork.size(); ++index) {
    const ui::RadioWork& work = ui::kRadioWork[index];
    EXPECT_EQ(static_cast<std::size_t>(work.kind), index % 3) << work.radioId;
    EXPECT_EQ(work.attribute, model::kAttributes[index / 3]) << work.radioId;
    EXPECT_EQ(work.enableRows, work.kind != DistributionKind::Constant) << work.radioId;
    EXPECT_EQ(work.linkedLocationId != ui::kNoControl, work.enableRows) << work.radioId;
    EXPECT_EQ(ui::FindRadioWork(work.radioId), &work);
  }
  EXPECT_EQ(ui::FindRadioWork(1), nullptr);
}

TEST(SanctionsLists, EverythingSwitchedOnIsAlsoSwitchedOff) {
  const std::set<int> off(ui::kSanctionsOffControls.begin(), ui::kSanctionsOffControls.end());
  EXPECT_EQ(off.size(), ui::kSanctionsOffControls.size());
  for (const int id : ui::kSanctionsOnControls) {
    EXPECT_TRUE(off.contains(id)) << id;
  }
}

}  // namespace
