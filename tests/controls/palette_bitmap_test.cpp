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

std::uint16_t U16At(const std::uint8_t* p) {
  std::uint16_t v = 0;
  std::memcpy(&v, p, sizeof v);
  return v;
}

TEST(PaletteBitmap, CreateLaysOutHeaderPaletteAndRowsPerDepth) {
  struct Case {
    std::uint16_t bits;
    std::uint16_t palette;
    std::uint32_t stride;
  };
  // 13 pixels wide: 13, 52, 104 and 312 bits per row, padded to whole 32-bit words.
  for (const Case c : {Case{1, 2, 4}, Case{4, 16, 8}, Case{8, 256, 16}, Case{24, 0, 40}}) {
    SCOPED_TRACE(c.bits);
    CPaletteBitmap bitmap;
    const std::uint8_t* block = bitmap.Create(13, 3, c.bits);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(bitmap.IsValid());
    EXPECT_EQ(bitmap.Stride(), c.stride);
    EXPECT_EQ(bitmap.PaletteSize(), c.palette);
    EXPECT_EQ(bitmap.PaletteBytes(), std::size_t{c.palette} * 4);
    EXPECT_EQ(bitmap.TotalBytes(), 40 + std::size_t{c.palette} * 4 + c.stride * 3);
    EXPECT_EQ(bitmap.Pixels(), block + 40 + std::size_t{c.palette} * 4);
    // The header is stored at the start of the block, field by field.
    EXPECT_EQ(U32At(block), 40u);
    EXPECT_EQ(U32At(block + 4), 13u);
    EXPECT_EQ(U32At(block + 8), 3u);
    EXPECT_EQ(U16At(block + 12), 1u);
    EXPECT_EQ(U16At(block + 14), c.bits);
    EXPECT_EQ(U32At(block + 16), 0u);
    EXPECT_EQ(U32At(block + 20), c.stride * 3);
  }
}

TEST(PaletteBitmap, CreateRoundsTheBitCountUp) {
  CPaletteBitmap bitmap;
  const std::pair<std::uint16_t, int> cases[] = {{0, 1}, {1, 1},  {2, 4},   {3, 4},  {5, 8},
                                                 {8, 8}, {9, 24}, {16, 24}, {32, 24}};
  for (const auto& [asked, got] : cases) {
    ASSERT_NE(bitmap.Create(4, 4, asked), nullptr);
    EXPECT_EQ(bitmap.BitCount(), got) << asked;
  }
}

TEST(PaletteBitmap, UnusableSizesLeaveTheRecordEmpty) {
  CPaletteBitmap bitmap;
  ASSERT_NE(bitmap.Create(8, 8, 8), nullptr);
  const int sizes[][2] = {{0, 5},           {5, 0},       {-3, 4},           {4, -1},
                          {100000, 100000}, {INT_MAX, 2}, {INT_MAX, INT_MAX}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
    EXPECT_EQ(bitmap.Create(size[0], size[1], 8), nullptr);
    EXPECT_FALSE(bitmap.IsValid());
    EXPECT_EQ(bitmap.Pixels(), nullptr);
    EXPECT_EQ(bitmap.TotalBytes(), 0u);
    EXPECT_EQ(bitmap.PaletteBytes(), 0u);
    // Every operation on the empty record is harmless.
    bitmap.SetPixel(0, 0, 1);
    bitmap.SetPaletteEntry(0, 1, 2, 3);
    bitmap.BlendPalette(Rgb(1, 2, 3), 50);
    bitmap.Fill(7);
    EXPECT_EQ(bitmap.PixelAt(0, 0), 0);
    EXPECT_EQ(bitmap.PaletteEntry(0), 0u);
  }
}

TEST(PaletteBitmap, PaletteEntriesAreBlueGreenRedZeroAndIndexedByTheLowByte) {
  CPaletteBitmap bitmap;
  ASSERT_NE(bitmap.Create(2, 2, 8), nullptr);
  std::memset(bitmap.Pixels() - bitmap.PaletteBytes(), 0xEE, bitmap.PaletteBytes());
  bitmap.SetPaletteEntry(0x101, 10, 20, 30);
  const std::uint8_t* entry1 = bitmap.Block() + 40 + 4;
  EXPECT_EQ(entry1[0], 30);
  EXPECT_EQ(entry1[1], 20);
  EXPECT_EQ(entry1[2], 10);
  EXPECT_EQ(entry1[3], 0);
  EXPECT_EQ(bitmap.PaletteEntry(1), Rgb(10, 20, 30));
  EXPECT_EQ(bitmap.Block()[40], 0xEE);  // entry 0 untouched

  CPaletteBitmap mono;
  ASSERT_NE(mono.Create(8, 1, 1), nullptr);
  std::memset(mono.Pixels() - mono.PaletteBytes(), 0xEE, mono.PaletteBytes());
  mono.SetPaletteEntry(2, 1, 1, 1);    // beyond the two entries
  mono.SetPaletteEntry(258, 1, 1, 1);  // low byte 2: beyond as well
  mono.SetPaletteEntry(-1, 1, 1, 1);   // low byte 255
  for (std::size_t i = 0; i < mono.PaletteBytes(); ++i) EXPECT_EQ(mono.Block()[40 + i], 0xEE);
  mono.SetPaletteEntry(257, 4, 5, 6);
  EXPECT_EQ(mono.PaletteEntry(1), Rgb(4, 5, 6));
  // The pixel area after the palette is not written by palette calls.
  EXPECT_EQ(mono.Pixels(), mono.Block() + 48);

  CPaletteBitmap rgb;
  ASSERT_NE(rgb.Create(2, 2, 24), nullptr);
  rgb.Fill(0x11);
  rgb.SetPaletteEntry(0, 1, 2, 3);
  EXPECT_EQ(rgb.Pixels()[0], 0x11);
}

TEST(PaletteBitmap, BlendPalettePullsEveryEntryTowardTheColour) {
  const Colour target = Rgb(50, 250, 0);
  auto blended = [&](int percent) {
    CPaletteBitmap bitmap;
    bitmap.Create(1, 1, 8);
    for (int i = 0; i < 256; ++i) bitmap.SetPaletteEntry(i, 200, 100, 7);
    bitmap.SetPaletteEntry(255, 0, 0, 255);
    bitmap.BlendPalette(target, percent);
    return std::pair{bitmap.PaletteEntry(3), bitmap.PaletteEntry(255)};
  };
  EXPECT_EQ(blended(0).first, Rgb(200, 100, 7));
  // (200*90 + 50*10)/100 = 185, (100*90 + 250*10)/100 = 115, 7*90/100 = 6.3 -> 6
  EXPECT_EQ(blended(10).first, Rgb(185, 115, 6));
  // (0*90 + 50*10)/100 = 5, 250*10/100 = 25, (255*90)/100 = 229.5 -> 229
  EXPECT_EQ(blended(10).second, Rgb(5, 25, 229));
  EXPECT_EQ(blended(100).first, target);
  EXPECT_EQ(blended(100).second, target);
  EXPECT_EQ(blended(101).first, target);
  EXPECT_EQ(blended(1000).second, target);
  EXPECT_EQ(blended(-20).first, Rgb(200, 100, 7));
}

TEST(PaletteBitmap, SetPixelAddressesRowsBottomUpAndIgnoresOutsidePoints) {
  CPaletteBitmap bitmap;
  ASSERT_NE(bitmap.Create(3, 2, 8), nullptr);
  bitmap.Fill(0x55);
  bitmap.SetPixel(1, 0, 9);  // top row: stored second
  bitmap.SetPixel(2, 1, 7);  // bottom row: stored first
  for (const auto& [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}, {INT_MIN, INT_MAX}}) {
    bitmap.SetPixel(x, y, 1);
  }
  std::vector<std::uint8_t> expected(8, 0x55);  // two rows of stride 4, padding included
  expected[4 + 1] = 9;
  expected[0 + 2] = 7;
  EXPECT_EQ(std::vector<std::uint8_t>(bitmap.Pixels(), bitmap.Pixels() + 8), expected);
  EXPECT_EQ(bitmap.PixelAt(1, 0), 9);
  EXPECT_EQ(bitmap.PixelAt(2, 1), 7);

  // 24 bits per pixel has no palette, so no palette index can be set.
  CPaletteBitmap rgb;
  ASSERT_NE(rgb.Create(2, 1, 24), nullptr);
  rgb.Fill(0);
  rgb.SetPixel(0, 0, 200);
  EXPECT_EQ(rgb.Pixels()[0], 0);
}

TEST(PaletteBitmap, SubBytePixelsStayInsideTheirRow) {
  // A 20-pixel mono row is 3 bytes (+1 padding); pixel 19 is bit 4 of byte 2.
  CPaletteBitmap mono;
  ASSERT_NE(mono.Create(20, 2, 1), nullptr);
  mono.Fill(0);
  mono.SetPixel(19, 0, 1);
  mono.SetPixel(0, 1, 0xFF);  // only the lowest bit counts
  EXPECT_EQ(mono.Pixels()[4 + 2], 0x10);
  EXPECT_EQ(mono.Pixels()[0], 0x80);
  EXPECT_EQ(mono.PixelAt(19, 0), 1);
  mono.SetPixel(19, 0, 0);
  EXPECT_EQ(mono.Pixels()[4 + 2], 0x00);

  CPaletteBitmap nibbles;
  ASSERT_NE(nibbles.Create(5, 1, 4), nullptr);
  nibbles.Fill(0);
  nibbles.SetPixel(2, 0, 0xA);
  nibbles.SetPixel(3, 0, 0x15);
  EXPECT_EQ(nibbles.Pixels()[1], 0xA5);
  EXPECT_EQ(nibbles.PixelAt(2, 0), 0xA);
  EXPECT_EQ(nibbles.PixelAt(3, 0), 0x5);
}

TEST(PaletteBitmap, CopyFromTakesTheWholeBlockOrBecomesEmpty) {
  CPaletteBitmap source;
  ASSERT_NE(source.Create(5, 3, 8), nullptr);
  for (int i = 0; i < 256; ++i) {
    source.SetPaletteEntry(i, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i / 2));
  }
  source.Fill(3);
  source.SetPixel(4, 2, 200);

  CPaletteBitmap copy;
  copy.CopyFrom(source);
  ASSERT_TRUE(copy.IsValid());
  ASSERT_EQ(copy.TotalBytes(), source.TotalBytes());
  EXPECT_NE(copy.Block(), source.Block());
  EXPECT_EQ(std::memcmp(copy.Block(), source.Block(), source.TotalBytes()), 0);

  copy.CopyFrom(copy);
  EXPECT_EQ(copy.PixelAt(4, 2), 200);

  const CPaletteBitmap empty;
  copy.CopyFrom(empty);
  EXPECT_FALSE(copy.IsValid());
  EXPECT_EQ(copy.TotalBytes(), 0u);
  EXPECT_EQ(copy.Width(), 0);
  EXPECT_EQ(copy.PaletteSize(), 0);
  EXPECT_EQ(copy.Header().m_size, 40u);
}

}  // namespace
}  // namespace kv
