#include "controls/palette_image.h"

#include <QPainter>
#include <cstring>

namespace kv {

QImage PaletteBitmapImage(const CPaletteBitmap& bitmap) {
  if (!bitmap.IsValid()) return {};
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  const std::uint8_t* pixels = bitmap.Pixels();
  const std::size_t stride = bitmap.Stride();

  if (bitmap.PaletteSize() == 0) {
    // 24-bit rows hold blue, green, red per pixel.
    QImage image(width, height, QImage::Format_BGR888);
    if (image.isNull()) return {};
    const auto rowBytes = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
      std::memcpy(image.scanLine(y), row, rowBytes);
    }
    return image;
  }

  QImage image(width, height, QImage::Format_Indexed8);
  if (image.isNull()) return {};
  QList<QRgb> table(bitmap.PaletteSize());
  for (int i = 0; i < bitmap.PaletteSize(); ++i) {
    const Colour c = bitmap.PaletteEntry(i);
    table[i] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
  }
  image.setColorTable(table);
  if (bitmap.BitCount() == 8) {
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
      std::memcpy(image.scanLine(y), row, static_cast<std::size_t>(width));
    }
  } else {
    for (int y = 0; y < height; ++y) {
      uchar* line = image.scanLine(y);
      for (int x = 0; x < width; ++x) line[x] = bitmap.PixelAt(x, y);
    }
  }
  return image;
}

int DrawPaletteBitmap(QPainter* painter, int x, int y, const CPaletteBitmap& bitmap) {
  if (painter == nullptr) return 0;
  if (bitmap.IsValid()) painter->drawImage(QPoint(x, y), PaletteBitmapImage(bitmap));
  return 1;
}

}  // namespace kv
