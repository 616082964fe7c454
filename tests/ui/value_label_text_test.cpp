#include "ui/value_label_text.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct LabelCase {
  int position;
  const char* text;
};

std::ostream& operator<<(std::ostream& out, const LabelCase& c) {
  return out << c.position;
}

class ValueLabels : public testing::TestWithParam<LabelCase> {};

TEST_P(ValueLabels, ShowTwoDecimals) {
  EXPECT_EQ(ui::ValueLabelText(GetParam().position * 0.01, 2), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Positions, ValueLabels,
                         testing::Values(LabelCase{0, "0.00"}, LabelCase{50, "0.50"},
                                         LabelCase{-100, "-1.00"}, LabelCase{135, "1.35"},
                                         LabelCase{29, "0.29"}, LabelCase{200, "2.00"},
                                         LabelCase{-1, "-0.01"}));

TEST(ValueLabels, TakeTheirPrecisionFromTheRow) {
  EXPECT_EQ(ui::ValueLabelText(0.125, 3), "0.125");
  EXPECT_EQ(ui::ValueLabelText(0.5, 0), "0");
}

}  // namespace
