#include <gtest/gtest.h>

#include <QApplication>

// Listing the tests needs no display; running them needs a QApplication.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) {
    return RUN_ALL_TESTS();
  }
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
