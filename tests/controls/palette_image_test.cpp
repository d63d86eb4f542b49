#include "controls/palette_image.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace kv {
namespace {

TEST(PaletteImage, RecordsBecomeTopRowFirstImagesDrawnInOneCall) {
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
  // One bit per pixel: the last pixel of the bottom row is in the stored first row's second
  // byte. 24 bits: blue, green, red per pixel, bottom row stored first.
  CPaletteBitmap mono;
  ASSERT_NE(mono.Create(9, 2, 1), nullptr);
  mono.SetPaletteEntry(1, 255, 0, 0);
  mono.SetPixel(8, 1, 1);
  EXPECT_EQ(PaletteBitmapImage(mono).pixel(8, 1), qRgb(255, 0, 0));
  CPaletteBitmap rgb;
  ASSERT_NE(rgb.Create(2, 2, 24), nullptr);
  rgb.Pixels()[3] = 1;
  rgb.Pixels()[4] = 2;
  rgb.Pixels()[5] = 3;
  EXPECT_EQ(PaletteBitmapImage(rgb).pixel(1, 1), qRgb(3, 2, 1));
  EXPECT_TRUE(PaletteBitmapImage(CPaletteBitmap{}).isNull());

  QImage target(6, 6, QImage::Format_RGB32);
  target.fill(Qt::white);
  {
    QPainter painter(&target);
    EXPECT_EQ(DrawPaletteBitmap(&painter, 3, 1, indexed), 1);
    EXPECT_EQ(DrawPaletteBitmap(&painter, 0, 0, CPaletteBitmap{}), 1);  // draws nothing
  }
  EXPECT_EQ(target.pixel(5, 1), qRgb(200, 100, 50));
  EXPECT_EQ(target.pixel(3, 2), qRgb(10, 20, 30));
  EXPECT_EQ(target.pixel(2, 1), qRgb(255, 255, 255));
  EXPECT_EQ(DrawPaletteBitmap(nullptr, 0, 0, indexed), 0);
}

}  // namespace
}  // namespace kv
