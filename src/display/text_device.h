#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

// A colour as the drawing code names it: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r & 0xFF) | static_cast<Colour>(g & 0xFF) << 8 |
         static_cast<Colour>(b & 0xFF) << 16;
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const CRect&, const CRect&) = default;
};

struct CExtent {
  int width = 0;
  int height = 0;
};

// The fonts the entry pane draws in. A device maps each to a real font; the byte strings
// drawn in kTranslit are IITS codes, those in kText Windows-1252.
enum class EntryFont { kText, kTranslit };

// What the entry layout needs of a drawing surface: measure a byte string in a font, and
// draw it in a rectangle, colour and font. The toolkit implements it over its painter;
// tests implement it with fixed-width glyphs.
class ITextDevice {
 public:
  virtual ~ITextDevice() = default;
  virtual CExtent Measure(std::string_view text, EntryFont font) = 0;
  virtual void Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) = 0;
};

}  // namespace kv
