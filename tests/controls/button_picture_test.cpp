// Renders the search bar's two buttons as the shell dresses them and saves the picture to
// the build tree (screenshots/buttons.png and an enlarged buttons_x3.png) for a person to
// look at; the checks below hold the properties the picture must show.
#include <gtest/gtest.h>

#include <QCursor>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include "controls/hover_button.h"

namespace kv {
namespace {

constexpr int kSearchWidth = 130;
constexpr int kSearchHeight = 30;
constexpr int kCopyWidth = 34;
constexpr int kGap = 10;
constexpr int kZoom = 3;

struct CAverage {
  double m_red = 0;
  double m_green = 0;
  double m_blue = 0;
  double Light() const { return m_red + m_green + m_blue; }
};

CAverage Average(const QImage& image, const QRect& area) {
  CAverage sum;
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      sum.m_red += qRed(p);
      sum.m_green += qGreen(p);
      sum.m_blue += qBlue(p);
      ++count;
    }
  }
  sum.m_red /= count;
  sum.m_green /= count;
  sum.m_blue /= count;
  return sum;
}

// Pixels of the area that differ from the same place of a reference image.
int Differing(const QImage& image, const QImage& reference, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixel(x, y) != reference.pixel(x, y)) ++count;
    }
  }
  return count;
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
  const CAverage tinted = Average(normal, face);
  EXPECT_GT(tinted.m_green, tinted.m_red + 8);
  EXPECT_GT(tinted.m_green, tinted.m_blue + 4);
  // Diagonal gradient: light at the top left, dark at the bottom right.
  const double topLeft = Average(normal, QRect(6, 6, 10, 4)).Light();
  EXPECT_GT(topLeft, Average(normal, QRect(95, 20, 10, 4)).Light() + 60);
  EXPECT_GT(topLeft, Average(normal, QRect(6, 20, 10, 4)).Light() + 10);
  EXPECT_GT(topLeft, Average(normal, QRect(95, 6, 10, 4)).Light() + 20);
  // The hover face is lighter than the normal one.
  EXPECT_GT(Average(hover, face).Light(), tinted.Light() + 4);
  // The magnifier sits at the right, in (110, 7) - (126, 23), and not at the left.
  int darkInIcon = 0;
  for (int y = 7; y < 23; ++y) {
    for (int x = 110; x < 126; ++x) darkInIcon += qGray(normal.pixel(x, y)) < 90 ? 1 : 0;
  }
  EXPECT_GT(darkInIcon, 20);
  int darkAtLeft = 0;
  for (int y = 7; y < 23; ++y) {
    for (int x = 4; x < 20; ++x) darkAtLeft += qGray(normal.pixel(x, y)) < 90 ? 1 : 0;
  }
  EXPECT_EQ(darkAtLeft, 0);
  // Pressed: sunken edges, a different top-left corner; focused: the dotted frame.
  EXPECT_NE(pressed.pixel(0, 0), normal.pixel(0, 0));
  EXPECT_GT(Differing(focused, normal, QRect(4, 4, 122, 1)), 40);
  // The copy button: plain face with the pages drawn over most of the icon rectangle.
  EXPECT_GT(Differing(copyImage, blank, QRect(4, 1, 28, 28)), 300);
  EXPECT_EQ(copyImage.pixel(2, 15), blank.pixel(2, 15));
}

}  // namespace
}  // namespace kv
