#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // The widget tests need no display. CTest sets the platform for test runs, but test
  // discovery at build time runs the executable without it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
