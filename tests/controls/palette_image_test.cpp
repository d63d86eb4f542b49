#include "controls/palette_image.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace kv {
namespace {

TEST(PaletteImage, RecordsBecomeTopRowFirstImages) {
  CPaletteBitmap indexed;
  ASSERT_NE(indexed.Create(3, 2, 8), nullptr);
  indexed.SetPaletteEntry(1, 10, 20, 30);
  indexed.SetPaletteEntry(2, 200, 100, 50);
  indexed.Fill(1);
  indexed.SetPixel(2, 0, 2);  // top right
  const QImage image = PaletteBitmapImage(indexed);
  ASSERT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(image.format(), QImage::Format_Indexed8);
  EXPECT_EQ(image.pixel(2, 0), qRgb(200, 100, 50));
  EXPECT_EQ(image.pixel(2, 1), qRgb(10, 20, 30));
  EXPECT_EQ(image.pixel(0, 0), qRgb(10, 20, 30));

  CPaletteBitmap mono;
  ASSERT_NE(mono.Create(9, 2, 1), nullptr);
  mono.SetPaletteEntry(1, 255, 0, 0);
  mono.SetPixel(8, 1, 1);  // bottom row, last pixel: second byte of the stored first row
  const QImage monoImage = PaletteBitmapImage(mono);
  EXPECT_EQ(monoImage.pixel(8, 1), qRgb(255, 0, 0));
  EXPECT_EQ(monoImage.pixel(8, 0), qRgb(0, 0, 0));

  // 24 bits: blue, green, red per pixel, bottom row stored first.
  CPaletteBitmap rgb;
  ASSERT_NE(rgb.Create(2, 2, 24), nullptr);
  std::uint8_t* bottom = rgb.Pixels();
  bottom[3] = 1;
  bottom[4] = 2;
  bottom[5] = 3;
  const QImage rgbImage = PaletteBitmapImage(rgb);
  EXPECT_EQ(rgbImage.pixel(1, 1), qRgb(3, 2, 1));
  EXPECT_EQ(rgbImage.pixel(1, 0), qRgb(0, 0, 0));

  EXPECT_TRUE(PaletteBitmapImage(CPaletteBitmap{}).isNull());
}

TEST(PaletteImage, DrawIsOneCallAtThePoint) {
  CPaletteBitmap face;
  ASSERT_NE(face.Create(2, 2, 8), nullptr);
  face.SetPaletteEntry(7, 0, 128, 255);
  face.Fill(7);
  QImage target(6, 6, QImage::Format_RGB32);
  target.fill(Qt::white);
  {
    QPainter painter(&target);
    EXPECT_EQ(DrawPaletteBitmap(&painter, 3, 1, face), 1);
    EXPECT_EQ(DrawPaletteBitmap(&painter, 0, 0, CPaletteBitmap{}), 1);  // draws nothing
  }
  EXPECT_EQ(target.pixel(3, 1), qRgb(0, 128, 255));
  EXPECT_EQ(target.pixel(4, 2), qRgb(0, 128, 255));
  EXPECT_EQ(target.pixel(2, 1), qRgb(255, 255, 255));
  EXPECT_EQ(target.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(DrawPaletteBitmap(nullptr, 0, 0, face), 0);
}

}  // namespace
}  // namespace kv
