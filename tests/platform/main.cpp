#include <gtest/gtest.h>

#include <QApplication>

// Test listing needs no display; everything else runs with a QApplication.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) {
    return RUN_ALL_TESTS();
  }
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
