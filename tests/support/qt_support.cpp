#include "qt_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "test_files.h"

namespace kv::test {

QRect InkBounds(const QImage& image, QColor background) {
  const QRgb plain = background.rgb();
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != plain) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

bool SaveScreenshot(const QImage& image, const char* name) {
  const QString dir = QStringLiteral(KV_BUILD_DIR "/screenshots");
  return QDir().mkpath(dir) && image.save(dir + "/" + QString::fromLatin1(name) + ".png");
}

}  // namespace kv::test

// The one main of the widget tests: settings go to a folder of this run's own, never to the
// user's nor to another test's running beside it, no dictionary of the user's or the system's
// stands in for a test's own, and no display is needed, also when CTest reads the test list at
// build time.
int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);
  const kv::test::CTempDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(settings.Path().string()));
  qputenv("XDG_DATA_HOME", kv::test::kNoDictionaries);
  qputenv("XDG_DATA_DIRS", kv::test::kNoDictionaries);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
