#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <string_view>
#include <vector>

#include "display/text_device.h"
#include "platform/font.h"

class QPainter;

namespace kv {

// The entry pane's fonts as drawn: without kerning and ligatures, the way the system's text
// drawing always set words, so a word is exactly as wide as the sum of its letters'
// advances. That lets a layout of thousands of words measure each word by adding up cached
// advances instead of shaping it.
class CEntryFontMetrics {
 public:
  CEntryFontMetrics();

  // Takes the entry fonts as they are now. A font object that holds no font is replaced by
  // `fallback`, the font a painter would otherwise keep.
  void Reset(const CFont& textFont, const CFont& translitFont, const QFont& fallback);

  const QFont& Font(EntryFont font) const { return Face(font).font; }
  // Width and height of `text` drawn in `font`: the rounded sum of its advances and the
  // font's line height.
  CExtent Measure(const QString& text, EntryFont font);
  // How far the font's baseline lies below the top of its line height.
  int Ascent(EntryFont font) const { return Face(font).ascent; }

 private:
  // Advances of the code units below kCachedUnits are kept once asked for; the entry text's
  // two code pages decode to letters well below it.
  static constexpr int kCachedUnits = 0x2200;

  struct CFace {
    QFont font;
    QFontMetricsF metrics{QFont()};
    int height = 0;
    int ascent = 0;
    std::vector<qreal> advances;  // negative: not asked for yet
  };

  static void Prepare(CFace& face, const CFont& wanted, const QFont& fallback);
  CFace& Face(EntryFont font) { return font == EntryFont::kTranslit ? m_translit : m_text; }
  const CFace& Face(EntryFont font) const {
    return font == EntryFont::kTranslit ? m_translit : m_text;
  }

  CFace m_text;
  CFace m_translit;
};

// Measures and draws the entry pane's byte strings: EntryFont::kText bytes as Windows-1252,
// EntryFont::kTranslit bytes as IITS codes. Drawing leaves the background as it is, so a mark
// below a letter that reaches past its font's line height is never painted over by the next
// line. Without a painter the device only measures.
class CEntryTextDevice : public ITextDevice {
 public:
  CEntryTextDevice(QPainter* painter, CEntryFontMetrics& metrics);

  CExtent Measure(std::string_view text, EntryFont font) override;
  int Ascent(EntryFont font) override { return m_metrics.Ascent(font); }
  void Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) override;

  static QString Decode(std::string_view text, EntryFont font);

 private:
  QPainter* m_painter;
  CEntryFontMetrics& m_metrics;
  // The font last set on the painter, so a run of words in one font sets it once.
  const QFont* m_painterFont = nullptr;
};

}  // namespace kv
