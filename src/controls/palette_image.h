#pragma once

#include <QImage>

#include "controls/palette_bitmap.h"

class QPainter;

namespace kv {

// The record as a top-row-first image: 8-bit indexed with the record's palette for 1, 4 and
// 8 bits per pixel, 24-bit colour for 24. A null image for an empty record.
QImage PaletteBitmapImage(const CPaletteBitmap& bitmap);

// Draws the record with its top-left corner at (x, y) in one call. Returns 1 when a painter
// was given (an empty record then draws nothing), 0 otherwise.
int DrawPaletteBitmap(QPainter* painter, int x, int y, const CPaletteBitmap& bitmap);

}  // namespace kv
