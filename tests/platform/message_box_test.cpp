#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform_test {
namespace {

using platform::MessageIcon;

struct Shown {
  std::string text;
  MessageIcon icon;
  friend bool operator==(const Shown&, const Shown&) = default;
};

TEST(MessageBox, GoesToTheInstalledHandler) {
  std::vector<Shown> shown;
  const platform::MessageBoxHandler before =
      platform::SetMessageBoxHandler([&shown](std::string_view text, MessageIcon icon) {
        shown.push_back({std::string(text), icon});
      });
  platform::ShowMessageBox("Please enter a number.", MessageIcon::kExclamation);
  platform::ShowMessageBox("Inappropriate parameter J", MessageIcon::kNone);
  const platform::MessageBoxHandler mine = platform::SetMessageBoxHandler(before);

  const std::vector<Shown> expected = {{"Please enter a number.", MessageIcon::kExclamation},
                                       {"Inappropriate parameter J", MessageIcon::kNone}};
  EXPECT_EQ(shown, expected);
  ASSERT_TRUE(mine);
  mine("direct", MessageIcon::kError);
  EXPECT_EQ(shown.back(), (Shown{"direct", MessageIcon::kError}));
}

TEST(MessageBox, ReplacingReturnsTheHandlerBefore) {
  int first = 0;
  int second = 0;
  const platform::MessageBoxHandler original =
      platform::SetMessageBoxHandler([&first](std::string_view, MessageIcon) { ++first; });
  platform::SetMessageBoxHandler([&second](std::string_view, MessageIcon) { ++second; });
  platform::ShowMessageBox("x", MessageIcon::kInformation);
  const platform::MessageBoxHandler previous = platform::SetMessageBoxHandler(original);
  previous("y", MessageIcon::kInformation);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 2);
}

}  // namespace
}  // namespace platform_test
