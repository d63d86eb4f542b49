#pragma once

#include <string_view>

#include "base/colour.h"
#include "base/geometry.h"

namespace kv {

// The fonts the entry pane draws in. A device maps each to a real font; the byte strings
// drawn in kTranslit are IITS codes, those in kText Windows-1252.
enum class EntryFont { kText, kTranslit };

// What the entry layout needs of a drawing surface: measure a byte string in a font, tell how
// far a font's baseline lies below the top of its text, and draw a string in a rectangle,
// colour and font (with the baseline at that distance below the rectangle's top, on the
// background already there). The toolkit implements it over its painter; tests implement it
// with fixed-width glyphs.
class ITextDevice {
 public:
  virtual ~ITextDevice() = default;
  virtual CExtent Measure(std::string_view text, EntryFont font) = 0;
  virtual int Ascent(EntryFont font) = 0;
  virtual void Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) = 0;
};

}  // namespace kv
