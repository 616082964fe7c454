#include <gtest/gtest.h>

#include <QApplication>

#include "platform/no_stored_settings.h"

// Listing the tests needs no display; running them needs a QApplication.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) {
    return RUN_ALL_TESTS();
  }
  // As in the program: file dialogs opened by one test leave nothing for the next.
  platform::StoreNoSettings();
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
