#pragma once

#include <string_view>

#include "base/colour.h"
#include "base/geometry.h"

namespace kv {

// The fonts the entry pane draws in. A device maps each to a real font; the byte strings
// drawn in kTranslit are IITS codes, those in kText Windows-1252, those in kDevanagari and
// kUnicodeText UTF-8.
enum class EntryFont {
  kText,
  kTranslit,
  kDevanagari,   // Sanskrit words in Unicode Devanagari, left to the font to shape
  kUnicodeText,  // the text font for the program's own UTF-8 words (a search text quoted)
};
inline constexpr int kEntryFontCount = 4;

// What the entry layout needs of a drawing surface: measure a byte string in a font, tell how
// far a font's baseline lies below the top of its text, draw a string in a rectangle, colour
// and font (with the baseline at that distance below the rectangle's top, on the background
// already there), and fill a rectangle behind text yet to be drawn. The toolkit implements it
// over its painter; tests implement it with fixed-width glyphs.
class ITextDevice {
 public:
  virtual ~ITextDevice() = default;
  virtual CExtent Measure(std::string_view text, EntryFont font) = 0;
  virtual int Ascent(EntryFont font) = 0;
  virtual void Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) = 0;
  virtual void Fill(const CRect& rect, Colour colour) = 0;
};

}  // namespace kv
