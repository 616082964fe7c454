#include "ui/pin_label_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace ui_test {
namespace {

using ui::PinEnd;
using ui::PinLabel;

// A 14-pixel face, 7 pixels a character, like the recording context.
constexpr int kCharWidth = 7;
constexpr int kLineHeight = 14;

platform::TextSize Measure(std::string_view text) {
  return {kCharWidth * static_cast<int>(text.size()), kLineHeight};
}

// The room right of a plot ending at x 814 in a picture 828 wide, from the
// top of the picture down to the "100" label at 307.
constexpr ui::LabelRoom kRoom{816, 828, 0, 307};

struct LayoutCase {
  const char* name;
  std::vector<PinEnd> ends;
  std::vector<std::string> texts;  // top to bottom
};

const LayoutCase kLayoutCases[] = {
    {"CloseEndsMoveApart", {{0, 2, 150}, {0, 3, 152}, {0, 4, 154}}, {"2", "3", "4"}},
    {"SameEndsShareALabel", {{0, 3, 150}, {0, 2, 150}, {0, 4, 200}}, {"2, 3", "4"}},
    {"AFlatSeriesIsOneLabel",
     {{1, 1, 305}, {1, 2, 305}, {1, 3, 305}, {1, 4, 305}, {1, 5, 305}},
     {"1, 2, 3, 4, 5"}},
    {"AnEndAtOneStaysInThePicture", {{0, 1, 5}, {0, 2, 6}}, {"1", "2"}},
    {"EndsAtZeroStayAboveTheTimeLabel", {{0, 1, 305}, {2, 1, 305}, {3, 1, 304}}, {"1", "1", "1"}},
    {"OtherSeriesAtOneEndKeepTheirOwnLabels", {{0, 1, 100}, {1, 1, 100}}, {"1", "1"}},
    // 30 single labels need 420 pixels of the 307: the nearest of a series merge.
    {"TooManyMergeWithinTheirSeries",
     [] {
       std::vector<PinEnd> ends;
       for (std::size_t row = 0; row < 5; ++row) {
         for (int pin = 1; pin <= 6; ++pin) {
           ends.push_back({row, pin, 20 + 10 * static_cast<int>(row) * 6 + 10 * pin});
         }
       }
       return ends;
     }(),
     {}},
};

class PinLabelLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(PinLabelLayout, KeepsLabelsApartInsideTheRoom) {
  const LayoutCase& c = GetParam();
  const std::vector<PinLabel> labels = ui::LayOutPinLabels(c.ends, kRoom, Measure);
  if (!c.texts.empty()) {
    std::vector<std::string> texts;
    for (const PinLabel& label : labels) texts.push_back(label.text);
    EXPECT_EQ(texts, c.texts);
  }
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const PinLabel& a = labels[i];
    EXPECT_GE(a.top, kRoom.top) << a.text;
    EXPECT_LE(a.top + a.height, kRoom.bottom) << a.text;
    EXPECT_GE(a.left, 0) << a.text;
    EXPECT_LE(a.left + a.width, kRoom.right) << a.text;
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      const PinLabel& b = labels[j];
      const bool apart = a.top + a.height <= b.top || b.top + b.height <= a.top ||
                         a.left + a.width <= b.left || b.left + b.width <= a.left;
      EXPECT_TRUE(apart) << a.text << " at " << a.top << " and " << b.text << " at " << b.top;
    }
  }
  // Every pin of every series is numbered exactly once.
  std::map<std::pair<std::size_t, int>, int> numbered;
  for (const PinLabel& label : labels) {
    for (const int number : label.numbers) ++numbered[{label.row, number}];
  }
  for (const PinEnd& end : c.ends) EXPECT_EQ((numbered[{end.row, end.number}]), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, PinLabelLayout, testing::ValuesIn(kLayoutCases),
                         test_support::CaseName());

TEST(PinLabelLayout, ALabelWhereItsEndIsWhenThereIsRoom) {
  const std::vector<PinLabel> labels = ui::LayOutPinLabels({{0, 1, 100}}, kRoom, Measure);
  ASSERT_EQ(labels.size(), 1U);
  EXPECT_EQ(labels[0].top, 100 - kLineHeight / 2);
  EXPECT_EQ(labels[0].left, kRoom.left);
}

TEST(PinLabelLayout, AWideLabelMovesLeftToStayInside) {
  const std::vector<PinLabel> labels =
      ui::LayOutPinLabels({{0, 2, 100}, {0, 3, 100}}, kRoom, Measure);
  ASSERT_EQ(labels.size(), 1U);
  EXPECT_EQ(labels[0].left + labels[0].width, kRoom.right);
}

}  // namespace
}  // namespace ui_test
