#include "controls/palette_bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace kv {

namespace {

constexpr std::uint16_t RoundBitCount(std::uint16_t bits) {
  if (bits <= 1) return 1;
  if (bits <= 4) return 4;
  if (bits <= 8) return 8;
  return 24;
}

constexpr std::uint16_t PaletteEntriesFor(std::uint16_t bits) {
  switch (bits) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

constexpr std::size_t kPaletteEntryBytes = 4;

std::uint8_t BlendChannel(int channel, int target, int percent) {
  return static_cast<std::uint8_t>((channel * (100 - percent) + target * percent) / 100);
}

}  // namespace

std::uint8_t* CPaletteBitmap::Create(int width, int height, std::uint16_t bitsPerPixel) {
  m_block.reset();
  const std::uint16_t bits = RoundBitCount(bitsPerPixel);
  m_paletteSize = PaletteEntriesFor(bits);

  // The row size is computed wide so that no width can wrap it; a size that does not fit the
  // header's 32-bit fields or the pixel cap leaves the record empty.
  const std::uint64_t rowBits = static_cast<std::uint64_t>(std::max(width, 0)) * bits;
  const std::uint64_t stride = ((rowBits + 31) / 32) * 4;
  const std::uint64_t imageBytes = stride * static_cast<std::uint64_t>(std::max(height, 0));
  const bool fits = width > 0 && height > 0 && imageBytes <= kMaxPixelBytes;

  m_header = CBitmapHeader{};
  m_header.m_width = width;
  m_header.m_height = height;
  m_header.m_planes = 1;
  m_header.m_bitCount = bits;
  m_header.m_compression = 0;
  m_stride = fits ? static_cast<std::uint32_t>(stride) : 0;
  m_header.m_sizeImage = fits ? static_cast<std::uint32_t>(imageBytes) : 0;
  if (!fits) return nullptr;

  const std::size_t total =
      kHeaderBytes + std::size_t{m_paletteSize} * kPaletteEntryBytes + m_header.m_sizeImage;
  // Zeroed, so that row padding and unset entries never carry stale heap bytes.
  m_block.reset(new (std::nothrow) std::uint8_t[total]());
  if (!m_block) return nullptr;
  std::memcpy(m_block.get(), &m_header, kHeaderBytes);
  return m_block.get();
}

void CPaletteBitmap::Clear() {
  m_block.reset();
  m_header = CBitmapHeader{};
  m_stride = 0;
  m_paletteSize = 0;
}

std::size_t CPaletteBitmap::PaletteBytes() const {
  if (!m_block) return 0;
  return std::size_t{m_paletteSize} * kPaletteEntryBytes;
}

std::uint8_t* CPaletteBitmap::Pixels() {
  return const_cast<std::uint8_t*>(std::as_const(*this).Pixels());
}

const std::uint8_t* CPaletteBitmap::Pixels() const {
  if (!m_block) return nullptr;
  std::uint32_t storedHeaderSize = 0;
  std::memcpy(&storedHeaderSize, m_block.get(), sizeof storedHeaderSize);
  return m_block.get() + storedHeaderSize + PaletteBytes();
}

std::size_t CPaletteBitmap::TotalBytes() const {
  if (!m_block) return 0;
  return PaletteBytes() + m_header.m_sizeImage + m_header.m_size;
}

std::uint8_t* CPaletteBitmap::PaletteAt(int index) {
  return const_cast<std::uint8_t*>(std::as_const(*this).PaletteAt(index));
}

const std::uint8_t* CPaletteBitmap::PaletteAt(int index) const {
  if (!m_block || m_paletteSize == 0) return nullptr;
  const int entry = index & 0xFF;
  if (entry >= m_paletteSize) return nullptr;
  return m_block.get() + kHeaderBytes + static_cast<std::size_t>(entry) * kPaletteEntryBytes;
}

void CPaletteBitmap::SetPaletteEntry(int index, std::uint8_t red, std::uint8_t green,
                                     std::uint8_t blue) {
  std::uint8_t* entry = PaletteAt(index);
  if (entry == nullptr) return;
  entry[0] = blue;
  entry[1] = green;
  entry[2] = red;
  entry[3] = 0;
}

Colour CPaletteBitmap::PaletteEntry(int index) const {
  if (index < 0 || index >= m_paletteSize) return 0;
  const std::uint8_t* entry = PaletteAt(index);
  if (entry == nullptr) return 0;
  return Rgb(entry[2], entry[1], entry[0]);
}

void CPaletteBitmap::BlendPalette(Colour colour, int percent) {
  if (!m_block) return;
  const int p = std::clamp(percent, 0, 100);
  for (int i = 0; i < m_paletteSize; ++i) {
    std::uint8_t* entry = PaletteAt(i);
    entry[0] = BlendChannel(entry[0], BlueOf(colour), p);
    entry[1] = BlendChannel(entry[1], GreenOf(colour), p);
    entry[2] = BlendChannel(entry[2], RedOf(colour), p);
  }
}

void CPaletteBitmap::SetPixel(int x, int y, std::uint8_t value) {
  if (!m_block || m_paletteSize == 0) return;
  if (x < 0 || x >= Width() || y < 0 || y >= Height()) return;
  std::uint8_t* row = Pixels() + static_cast<std::size_t>(Height() - y - 1) * m_stride;
  const auto column = static_cast<std::size_t>(x);
  switch (BitCount()) {
    case 1: {
      const auto mask = static_cast<std::uint8_t>(0x80u >> (column % 8));
      row[column / 8] = static_cast<std::uint8_t>((value & 1) ? (row[column / 8] | mask)
                                                              : (row[column / 8] & ~mask));
      break;
    }
    case 4: {
      const unsigned shift = (column % 2 == 0) ? 4u : 0u;
      const unsigned kept = row[column / 2] & ~(0x0Fu << shift);
      row[column / 2] = static_cast<std::uint8_t>(kept | ((value & 0x0Fu) << shift));
      break;
    }
    default:
      row[column] = value;
      break;
  }
}

std::uint8_t CPaletteBitmap::PixelAt(int x, int y) const {
  if (!m_block || m_paletteSize == 0) return 0;
  if (x < 0 || x >= Width() || y < 0 || y >= Height()) return 0;
  const std::uint8_t* row = Pixels() + static_cast<std::size_t>(Height() - y - 1) * m_stride;
  const auto column = static_cast<std::size_t>(x);
  switch (BitCount()) {
    case 1:
      return static_cast<std::uint8_t>((row[column / 8] >> (7 - column % 8)) & 1);
    case 4:
      return static_cast<std::uint8_t>((row[column / 2] >> ((column % 2 == 0) ? 4 : 0)) & 0x0F);
    default:
      return row[column];
  }
}

void CPaletteBitmap::Fill(std::uint8_t value) {
  if (!m_block) return;
  std::memset(Pixels(), value, m_header.m_sizeImage);
}

void CPaletteBitmap::CopyFrom(const CPaletteBitmap& other) {
  if (&other == this) return;
  if (!other.IsValid()) {
    Clear();
    return;
  }
  if (Create(other.Width(), other.Height(), static_cast<std::uint16_t>(other.BitCount())) ==
      nullptr) {
    return;
  }
  std::memcpy(m_block.get(), other.m_block.get(), other.TotalBytes());
}

}  // namespace kv
