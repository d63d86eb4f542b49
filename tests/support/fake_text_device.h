#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "display/text_device.h"

namespace kv::test {

// Fixed-width glyphs: every byte of the text font is 10 pixels wide and 14 high, every byte
// of the transliteration font 12 wide and 18 high. Records what is measured and drawn.
class CFakeTextDevice : public ITextDevice {
 public:
  static constexpr int kTextWidth = 10;
  static constexpr int kTextHeight = 14;
  static constexpr int kTranslitWidth = 12;
  static constexpr int kTranslitHeight = 18;

  struct CDrawCall {
    std::string text;
    CRect rect;
    Colour colour;
    EntryFont font;
  };

  CExtent Measure(std::string_view text, EntryFont font) override {
    ++m_measureCount;
    const int length = static_cast<int>(text.size());
    return font == EntryFont::kText ? CExtent{length * kTextWidth, kTextHeight}
                                    : CExtent{length * kTranslitWidth, kTranslitHeight};
  }

  void Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) override {
    m_draws.push_back(CDrawCall{std::string(text), rect, colour, font});
  }

  std::vector<CDrawCall> m_draws;
  int m_measureCount = 0;
};

}  // namespace kv::test
