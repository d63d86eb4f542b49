#pragma once

#include <QFont>

#include "display/text_device.h"
#include "platform/font.h"

class QPainter;

namespace kv {

// Measures and draws the entry pane's byte strings through a QPainter. Text in
// EntryFont::kText is Windows-1252, text in EntryFont::kTranslit IITS codes; each is
// decoded before Qt shapes it. A font object that holds no font leaves the painter's
// current font in use. Drawing is opaque: the rectangle is filled white behind the text.
class CQtTextDevice : public ITextDevice {
 public:
  CQtTextDevice(QPainter& painter, const CFont& textFont, const CFont& translitFont);

  CExtent Measure(std::string_view text, EntryFont font) override;
  void Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) override;

 private:
  QFont FontFor(EntryFont font) const;
  static QString Decode(std::string_view text, EntryFont font);

  QPainter& m_painter;
  const CFont& m_textFont;
  const CFont& m_translitFont;
};

}  // namespace kv
