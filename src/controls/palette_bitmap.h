#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/colour.h"

namespace kv {

// The 40-byte header that starts a device-independent bitmap block. Field order and widths
// are those of the bitmap file format, so the block can be handed to any code that reads it.
struct CBitmapHeader {
  std::uint32_t m_size = 40;
  std::int32_t m_width = 0;
  std::int32_t m_height = 0;  // positive: the rows are stored bottom row first
  std::uint16_t m_planes = 0;
  std::uint16_t m_bitCount = 0;
  std::uint32_t m_compression = 0;
  std::uint32_t m_sizeImage = 0;
  std::int32_t m_xPelsPerMeter = 0;
  std::int32_t m_yPelsPerMeter = 0;
  std::uint32_t m_clrUsed = 0;
  std::uint32_t m_clrImportant = 0;
};
static_assert(sizeof(CBitmapHeader) == 40, "the header is stored byte for byte in the block");

// A small palette bitmap in one heap block: header, palette (blue, green, red, 0 per entry)
// and the pixel rows, bottom row first, each row padded to a multiple of 4 bytes. The button
// faces use 8 bits per pixel, where a pixel is a palette index; 1, 4 and 24 bits are also
// laid out correctly. Every operation does nothing (or answers 0 / null) while the record
// is empty, and every write is bounded by the block.
class CPaletteBitmap {
 public:
  static constexpr std::size_t kHeaderBytes = sizeof(CBitmapHeader);
  // Upper bound on the pixel area. A face is the size of a button; anything beyond this is a
  // nonsense size that must not turn into a huge allocation or an overflowing row count.
  static constexpr std::uint64_t kMaxPixelBytes = std::uint64_t{1} << 28;

  CPaletteBitmap() = default;
  CPaletteBitmap(const CPaletteBitmap&) = delete;
  CPaletteBitmap& operator=(const CPaletteBitmap&) = delete;
  CPaletteBitmap(CPaletteBitmap&&) noexcept = default;
  CPaletteBitmap& operator=(CPaletteBitmap&&) noexcept = default;
  ~CPaletteBitmap() = default;

  // Replaces the block with a new one for width x height at 1, 4, 8 or 24 bits per pixel
  // (bitsPerPixel is rounded up to the next of these). Palette and pixels start as zero.
  // Returns the block, or null when the size is not positive, too large or cannot be
  // allocated; the record is then empty but keeps the header it computed.
  std::uint8_t* Create(int width, int height, std::uint16_t bitsPerPixel);
  void Clear();

  bool IsValid() const { return m_block != nullptr; }
  std::size_t PaletteBytes() const;
  std::uint8_t* Pixels();
  const std::uint8_t* Pixels() const;
  std::size_t TotalBytes() const;
  const std::uint8_t* Block() const { return m_block.get(); }

  int Width() const { return m_header.m_width; }
  int Height() const { return m_header.m_height; }
  int BitCount() const { return m_header.m_bitCount; }
  std::uint32_t Stride() const { return m_stride; }
  std::uint16_t PaletteSize() const { return m_paletteSize; }
  const CBitmapHeader& Header() const { return m_header; }

  void SetPaletteEntry(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  // The entry as a colour; 0 for an index outside the palette.
  Colour PaletteEntry(int index) const;
  // Pulls every palette entry percent % (0..100, clamped) toward colour.
  void BlendPalette(Colour colour, int percent);

  // y counts from the top row. Values wider than the pixel depth are cut to it.
  void SetPixel(int x, int y, std::uint8_t value);
  // The pixel value (palette index) at x, y counted from the top; 0 outside the image.
  std::uint8_t PixelAt(int x, int y) const;
  void Fill(std::uint8_t value);
  void CopyFrom(const CPaletteBitmap& other);

 private:
  std::uint8_t* PaletteAt(int index);
  const std::uint8_t* PaletteAt(int index) const;

  std::unique_ptr<std::uint8_t[]> m_block;
  CBitmapHeader m_header;
  std::uint32_t m_stride = 0;
  std::uint16_t m_paletteSize = 0;
};

}  // namespace kv
