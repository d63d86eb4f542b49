#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "display/text_device.h"

namespace kv::test {

// Fixed-width glyphs: by default every byte of the text font (and of its UTF-8 words) is 10
// pixels wide and 14 high, every byte of the transliteration and Devanagari fonts 12 wide and
// 18 high; a font's baseline lies a quarter of its height above its bottom (11 and 14 below
// the top). Records what it draws and fills.
class CFakeTextDevice : public ITextDevice {
 public:
  struct CDrawCall {
    std::string text;
    CRect rect;
    Colour colour;
    EntryFont font;
  };

  explicit CFakeTextDevice(CExtent text = {10, 14}, CExtent translit = {12, 18})
      : m_text(text), m_translit(translit) {}

  CExtent Measure(std::string_view text, EntryFont font) override {
    ++m_measureCount;
    const CExtent glyph = Glyph(font);
    return {glyph.width * static_cast<int>(text.size()), glyph.height};
  }

  int Ascent(EntryFont font) override { return Glyph(font).height - Glyph(font).height / 4; }

  void Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) override {
    m_draws.push_back(CDrawCall{std::string(text), rect, colour, font});
  }

  void Fill(const CRect& r, Colour c) override { m_fills.push_back({{}, r, c, {}}); }

  std::vector<CDrawCall> m_draws;
  std::vector<CDrawCall> m_fills;
  int m_measureCount = 0;

 private:
  CExtent Glyph(EntryFont font) const {
    return font == EntryFont::kText || font == EntryFont::kUnicodeText ? m_text : m_translit;
  }

  CExtent m_text;
  CExtent m_translit;
};

}  // namespace kv::test
