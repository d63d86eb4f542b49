#include "controls/palette_bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace kv {
namespace {

std::uint32_t U32At(const std::uint8_t* p) {
  std::uint32_t v = 0;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::vector<std::uint8_t> PixelBytes(const CPaletteBitmap& bitmap, std::size_t count) {
  return {bitmap.Pixels(), bitmap.Pixels() + count};
}

TEST(PaletteBitmap, CreateLaysOutHeaderPaletteAndRowsPerDepth) {
  // 13 pixels wide: 13, 52, 104 and 312 bits per row, padded to whole 32-bit words.
  const std::uint32_t cases[][3] = {{1, 2, 4}, {4, 16, 8}, {8, 256, 16}, {24, 0, 40}};
  for (const auto& [bits, palette, stride] : cases) {
    CPaletteBitmap bitmap;
    const std::uint8_t* block = bitmap.Create(13, 3, static_cast<std::uint16_t>(bits));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(bitmap.Stride(), stride);
    EXPECT_EQ(bitmap.PaletteBytes(), palette * 4);
    EXPECT_EQ(bitmap.TotalBytes(), 40 + palette * 4 + stride * 3);
    EXPECT_EQ(bitmap.Pixels(), block + 40 + palette * 4);
    // The header is stored at the start of the block, field by field.
    const std::uint32_t header[] = {40, 13, 3, 1 | bits << 16, 0, stride * 3};
    for (std::size_t i = 0; i < std::size(header); ++i) {
      EXPECT_EQ(U32At(block + 4 * i), header[i]) << bits << " bits, field " << i;
    }
  }
  // The bit count is rounded up to the next depth.
  CPaletteBitmap bitmap;
  const std::pair<std::uint16_t, int> rounded[] = {{0, 1}, {2, 4}, {5, 8}, {9, 24}, {32, 24}};
  for (const auto& [asked, got] : rounded) {
    ASSERT_NE(bitmap.Create(4, 4, asked), nullptr);
    EXPECT_EQ(bitmap.BitCount(), got) << asked;
  }
}

TEST(PaletteBitmap, UnusableSizesLeaveAnEmptyRecordThatIgnoresEverything) {
  CPaletteBitmap bitmap;
  ASSERT_NE(bitmap.Create(8, 8, 8), nullptr);
  const int sizes[][2] = {{0, 5},           {5, 0},       {-3, 4},
                          {100000, 100000}, {INT_MAX, 2}, {INT_MAX, INT_MAX}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
    EXPECT_EQ(bitmap.Create(size[0], size[1], 8), nullptr);
    EXPECT_EQ(bitmap.TotalBytes(), 0u);
    bitmap.SetPixel(0, 0, 1);
    bitmap.SetPaletteEntry(0, 1, 2, 3);
    bitmap.BlendPalette(Rgb(1, 2, 3), 50);
    bitmap.Fill(7);
    EXPECT_EQ(bitmap.PixelAt(0, 0), 0);
    EXPECT_EQ(bitmap.PaletteEntry(0), 0u);
  }
}

TEST(PaletteBitmap, PaletteEntriesAreBlueGreenRedZeroIndexedByTheLowByte) {
  CPaletteBitmap bitmap;
  ASSERT_NE(bitmap.Create(2, 2, 8), nullptr);
  std::memset(bitmap.Pixels() - bitmap.PaletteBytes(), 0xEE, bitmap.PaletteBytes());
  bitmap.SetPaletteEntry(0x101, 10, 20, 30);
  EXPECT_EQ(U32At(bitmap.Block() + 40 + 4), 0x000A141Eu);
  EXPECT_EQ(bitmap.PaletteEntry(1), Rgb(10, 20, 30));
  EXPECT_EQ(bitmap.Block()[40], 0xEE);  // entry 0 untouched

  CPaletteBitmap mono;
  ASSERT_NE(mono.Create(8, 1, 1), nullptr);
  std::memset(mono.Pixels() - mono.PaletteBytes(), 0xEE, mono.PaletteBytes());
  for (const int beyond : {2, 258, -1}) mono.SetPaletteEntry(beyond, 1, 1, 1);
  for (std::size_t i = 0; i < mono.PaletteBytes(); ++i) EXPECT_EQ(mono.Block()[40 + i], 0xEE);
  // 24 bits per pixel has no palette: nothing lands in the pixels.
  CPaletteBitmap rgb;
  ASSERT_NE(rgb.Create(2, 2, 24), nullptr);
  rgb.Fill(0x11);
  rgb.SetPaletteEntry(0, 1, 2, 3);
  rgb.SetPixel(0, 0, 200);
  EXPECT_EQ(rgb.Pixels()[0], 0x11);
}

// The faces' tint and hover blends are held byte for byte by the golden faces; here the
// percentages that no face recipe can give.
TEST(PaletteBitmap, BlendPercentagesOutsideTheRangeAreClamped) {
  CPaletteBitmap bitmap;
  bitmap.Create(1, 1, 8);
  bitmap.SetPaletteEntry(3, 200, 100, 7);
  bitmap.BlendPalette(Rgb(50, 250, 0), -20);
  EXPECT_EQ(bitmap.PaletteEntry(3), Rgb(200, 100, 7));
  bitmap.BlendPalette(Rgb(50, 250, 0), 1000);
  EXPECT_EQ(bitmap.PaletteEntry(3), Rgb(50, 250, 0));
}

TEST(PaletteBitmap, PixelsAddressRowsBottomUpAndStayInsideTheirRow) {
  CPaletteBitmap bitmap;
  ASSERT_NE(bitmap.Create(3, 2, 8), nullptr);
  bitmap.Fill(0x55);
  bitmap.SetPixel(1, 0, 9);  // top row: stored second
  bitmap.SetPixel(2, 1, 7);  // bottom row: stored first
  for (const auto& [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}, {INT_MIN, INT_MAX}}) {
    bitmap.SetPixel(x, y, 1);
  }
  EXPECT_EQ(PixelBytes(bitmap, 8),
            (std::vector<std::uint8_t>{0x55, 0x55, 7, 0x55, 0x55, 9, 0x55, 0x55}));
  EXPECT_EQ(bitmap.PixelAt(1, 0), 9);
  // A 20-pixel mono row is 3 bytes (+1 padding); pixel 19 is bit 4 of byte 2, and only the
  // lowest bit of a value counts.
  CPaletteBitmap mono;
  ASSERT_NE(mono.Create(20, 2, 1), nullptr);
  mono.Fill(0);
  mono.SetPixel(19, 0, 1);
  mono.SetPixel(0, 1, 0xFF);
  EXPECT_EQ(PixelBytes(mono, 8), (std::vector<std::uint8_t>{0x80, 0, 0, 0, 0, 0, 0x10, 0}));
  EXPECT_EQ(mono.PixelAt(19, 0), 1);
  CPaletteBitmap nibbles;
  ASSERT_NE(nibbles.Create(5, 1, 4), nullptr);
  nibbles.Fill(0);
  nibbles.SetPixel(2, 0, 0xA);
  nibbles.SetPixel(3, 0, 0x15);
  EXPECT_EQ(nibbles.Pixels()[1], 0xA5);
  EXPECT_EQ(nibbles.PixelAt(3, 0), 0x5);
}

// Copies between faces are held by the golden faces; here a copy of itself and of nothing.
TEST(PaletteBitmap, CopyFromItselfKeepsTheBlockAndFromNothingEmptiesIt) {
  CPaletteBitmap copy;
  ASSERT_NE(copy.Create(5, 3, 8), nullptr);
  copy.SetPixel(4, 2, 200);
  copy.CopyFrom(copy);
  EXPECT_EQ(copy.PixelAt(4, 2), 200);
  copy.CopyFrom(CPaletteBitmap{});
  EXPECT_FALSE(copy.IsValid());
  EXPECT_EQ(copy.Width(), 0);
  EXPECT_EQ(copy.Header().m_size, 40u);
}

}  // namespace
}  // namespace kv
