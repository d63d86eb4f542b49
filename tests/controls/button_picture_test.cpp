// Renders the search bar's two buttons as the shell dresses them and saves the picture to
// the build tree (screenshots/buttons.png and an enlarged buttons_x3.png) for a person to
// look at; the checks below hold the properties the picture must show.
#include <gtest/gtest.h>

#include <QCursor>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <array>

#include "controls/hover_button.h"

namespace kv {
namespace {

constexpr int kSearchWidth = 130;
constexpr int kSearchHeight = 30;
constexpr int kCopyWidth = 34;
constexpr int kGap = 10;
constexpr int kZoom = 3;

// The mean red, green and blue of the area.
std::array<double, 3> Mean(const QImage& image, const QRect& area) {
  std::array<double, 3> sum{};
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
    }
  }
  for (double& channel : sum) channel /= area.width() * area.height();
  return sum;
}

double Light(const QImage& image, const QRect& area) {
  const std::array<double, 3> mean = Mean(image, area);
  return mean[0] + mean[1] + mean[2];
}

// Pixels of the area that pass `test`, or that differ from a reference image.
template <typename Test>
int Count(const QRect& area, Test test) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += test(x, y) ? 1 : 0;
  }
  return count;
}

int Differing(const QImage& image, const QImage& reference, const QRect& area) {
  return Count(area, [&](int x, int y) { return image.pixel(x, y) != reference.pixel(x, y); });
}

TEST(ButtonPicture, SearchAndCopyButtonsAsTheSearchBarShowsThem) {
  QWidget window;
  window.resize(400, 120);
  auto* search = new CHoverButton(&window);
  search->setGeometry(10, 10, kSearchWidth, kSearchHeight);
  search->setText(QStringLiteral("Search"));
  auto* copy = new CHoverButton(&window);
  copy->setGeometry(160, 10, kCopyWidth, kSearchHeight);
  // A twin of the search button without textures or icon, for comparison.
  auto* plain = new CHoverButton(&window);
  plain->setGeometry(10, 60, kSearchWidth, kSearchHeight);
  plain->setText(QStringLiteral("Search"));
  QCursor::setPos(QPoint(-1000, -1000));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  search->clearFocus();

  search->BuildFaceTextures(kFaceDiagonal, 0, 10, 10, Rgb(22, 233, 130));
  search->SetFaceIcon(136, kIconRight);
  copy->SetFaceIcon(137, kIconLeft);
  const QImage blank = plain->grab().toImage();

  const QImage normal = search->grab().toImage();
  QTest::mouseMove(search, QPoint(60, 15));
  ASSERT_TRUE(search->IsHovering());
  const QImage hover = search->grab().toImage();
  QTest::mousePress(search, Qt::LeftButton, {}, QPoint(60, 15));
  const QImage pressed = search->grab().toImage();
  QTest::mouseRelease(search, Qt::LeftButton, {}, QPoint(60, 15));
  QTest::mouseMove(&window, QPoint(300, 100));
  ASSERT_FALSE(search->IsHovering());
  search->setFocus();
  ASSERT_TRUE(search->hasFocus());
  const QImage focused = search->grab().toImage();
  const QImage copyImage = copy->grab().toImage();

  const int width = 4 * (kSearchWidth + kGap) + kCopyWidth + 2 * kGap;
  QImage picture(width, kSearchHeight + 2 * kGap, QImage::Format_RGB32);
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    int x = kGap;
    for (const QImage* look : {&normal, &hover, &pressed, &focused}) {
      painter.drawImage(x, kGap, *look);
      x += kSearchWidth + kGap;
    }
    painter.drawImage(x, kGap, copyImage);
  }
  const QString directory = QStringLiteral(KV_BUILD_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(directory));
  EXPECT_TRUE(picture.save(directory + QStringLiteral("/buttons.png")));
  EXPECT_TRUE(picture.scaled(picture.size() * kZoom).save(directory + "/buttons_x3.png"));

  // Green-tinted: over the face the green channel leads.
  const QRect face(2, 2, 100, 26);
  const std::array<double, 3> tinted = Mean(normal, face);
  EXPECT_GT(tinted[1], tinted[0] + 8);
  EXPECT_GT(tinted[1], tinted[2] + 4);
  // Diagonal gradient: light at the top left, dark at the bottom right.
  const double topLeft = Light(normal, QRect(6, 6, 10, 4));
  EXPECT_GT(topLeft, Light(normal, QRect(95, 20, 10, 4)) + 60);
  EXPECT_GT(topLeft, Light(normal, QRect(6, 20, 10, 4)) + 10);
  EXPECT_GT(topLeft, Light(normal, QRect(95, 6, 10, 4)) + 20);
  // The hover face is lighter than the normal one.
  EXPECT_GT(Light(hover, face), Light(normal, face) + 4);
  // The magnifier sits at the right, in (110, 7) - (126, 23), and not at the left.
  auto dark = [&normal](int x, int y) { return qGray(normal.pixel(x, y)) < 90; };
  EXPECT_GT(Count(QRect(110, 7, 16, 16), dark), 20);
  EXPECT_EQ(Count(QRect(4, 7, 16, 16), dark), 0);
  // Pressed: sunken edges, a different top-left corner; focused: the dotted frame.
  EXPECT_NE(pressed.pixel(0, 0), normal.pixel(0, 0));
  EXPECT_GT(Differing(focused, normal, QRect(4, 4, 122, 1)), 40);
  // The copy button: plain face with the pages drawn over most of the icon rectangle.
  EXPECT_GT(Differing(copyImage, blank, QRect(4, 1, 28, 28)), 300);
  EXPECT_EQ(copyImage.pixel(2, 15), blank.pixel(2, 15));
}

}  // namespace
}  // namespace kv
