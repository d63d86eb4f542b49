#include "found_list_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace {

// One application object for the whole test run, made before the first test and destroyed
// after the last, while the program's global fonts and list still exist (as at exit).
class CQtApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    m_app = new QApplication(m_argc, m_argv);
  }
  void TearDown() override {
    delete m_app;
    m_app = nullptr;
  }

 private:
  char m_name[16] = "kv_widget_test";
  char* m_argv[2] = {m_name, nullptr};
  int m_argc = 1;
  QApplication* m_app = nullptr;
};

[[maybe_unused]] testing::Environment* const g_qtEnvironment =
    testing::AddGlobalTestEnvironment(new CQtApplicationEnvironment);

}  // namespace

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

}  // namespace kv::test
