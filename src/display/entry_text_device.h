#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <string_view>
#include <vector>

#include "display/entry_fonts.h"
#include "display/text_device.h"
#include "platform/font.h"

class QPainter;

namespace kv {

// The entry pane's fonts as drawn. The Latin ones without kerning and ligatures, the way the
// system's text drawing always set words, so a word is exactly as wide as the sum of its
// letters' advances. That lets a layout of thousands of words measure each word by adding up
// cached advances instead of shaping it. Devanagari cannot be read without shaping (conjuncts,
// the i-sign before its cluster), so its words, and the program's own UTF-8 words, are
// measured shaped, as they are drawn, and each text's width is kept until the fonts change, so
// that laying the same entry out again (a resize) shapes nothing.
class CEntryFontMetrics {
 public:
  CEntryFontMetrics();

  // Takes the entry fonts as they are now. A font object that holds no font is replaced by
  // `fallback`, the font a painter would otherwise keep.
  void Reset(const CEntryFonts& fonts, const QFont& fallback);

  const QFont& Font(EntryFont font) const { return Face(font).font; }
  // Width and height of `text` drawn in `font`: the rounded sum of its advances (or its shaped
  // advance) and the font's line height.
  CExtent Measure(const QString& text, EntryFont font);
  // How far the font's baseline lies below the top of its line height.
  int Ascent(EntryFont font) const { return Face(font).ascent; }

 private:
  // Advances of the code units below kCachedUnits are kept once asked for; the entry text's
  // two code pages decode to letters well below it.
  static constexpr int kCachedUnits = 0x2200;
  // Shaped widths kept at most: the Sanskrit words of a few of the longest entries.
  static constexpr qsizetype kMaxShapedWidths = 20000;

  struct CFace {
    QFont font;
    QFontMetricsF metrics{QFont()};
    int height = 0;
    int ascent = 0;
    std::vector<qreal> advances;       // negative: not asked for yet
    QHash<QString, int> shapedWidths;  // of the texts measured shaped, for the next layout
  };

  static void Prepare(CFace& face, const CFont& wanted, const QFont& fallback, bool shaped);
  CFace& Face(EntryFont font);
  const CFace& Face(EntryFont font) const;

  CFace m_text;
  CFace m_translit;
  CFace m_devanagari;
};

// Measures and draws the entry pane's byte strings: EntryFont::kText bytes as Windows-1252,
// EntryFont::kTranslit bytes as IITS codes, the other two as UTF-8. Drawing leaves the
// background as it is, so a mark below a letter that reaches past its font's line height is
// never painted over by the next line. Without a painter the device only measures.
class CEntryTextDevice : public ITextDevice {
 public:
  CEntryTextDevice(QPainter* painter, CEntryFontMetrics& metrics);

  CExtent Measure(std::string_view text, EntryFont font) override;
  int Ascent(EntryFont font) override { return m_metrics.Ascent(font); }
  void Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) override;
  void Fill(const CRect& rect, Colour colour) override;

  static QString Decode(std::string_view text, EntryFont font);

 private:
  QPainter* m_painter;
  CEntryFontMetrics& m_metrics;
  // The font last set on the painter, so a run of words in one font sets it once.
  const QFont* m_painterFont = nullptr;
};

}  // namespace kv
