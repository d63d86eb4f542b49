#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  // Settings written by the tests go to a test location, never to the user's own.
  QStandardPaths::setTestModeEnabled(true);
  // Only a test's own folder may hold the dictionary: none of the user's or the system's.
  qputenv("XDG_DATA_HOME", KV_BUILD_DIR "/tests/shell");
  qputenv("XDG_DATA_DIRS", KV_BUILD_DIR "/tests/shell");
  // Widget tests run headless, also when the test list is read at build time.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
