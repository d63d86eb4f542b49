#include "display/entry_text_device.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace kv {

CEntryFontMetrics::CEntryFontMetrics() {
  const CFont none;
  Reset(none, none, QFont());
}

void CEntryFontMetrics::Prepare(CFace& face, const CFont& wanted, const QFont& fallback) {
  face.font = wanted.HoldsFont() ? wanted.Font() : fallback;
  face.font.setKerning(false);
  face.font.setStyleStrategy(QFont::PreferNoShaping);
  face.metrics = QFontMetricsF(face.font);
  const QFontMetrics whole(face.font);
  face.height = whole.height();
  face.ascent = whole.ascent();
  face.advances.assign(kCachedUnits, -1.0);
}

void CEntryFontMetrics::Reset(const CFont& textFont, const CFont& translitFont,
                              const QFont& fallback) {
  Prepare(m_text, textFont, fallback);
  Prepare(m_translit, translitFont, fallback);
}

CExtent CEntryFontMetrics::Measure(const QString& text, EntryFont font) {
  CFace& face = Face(font);
  qreal width = 0;
  for (const QChar unit : text) {
    const auto code = static_cast<std::size_t>(unit.unicode());
    if (code < face.advances.size()) {
      qreal& advance = face.advances[code];
      if (advance < 0) {
        advance = face.metrics.horizontalAdvance(unit);
      }
      width += advance;
    } else {
      width += face.metrics.horizontalAdvance(unit);
    }
  }
  return CExtent{static_cast<int>(std::lround(width)), face.height};
}

CEntryTextDevice::CEntryTextDevice(QPainter* painter, CEntryFontMetrics& metrics)
    : m_painter(painter), m_metrics(metrics) {}

QString CEntryTextDevice::Decode(std::string_view text, EntryFont font) {
  return DecodeForCodePage(text,
                           font == EntryFont::kTranslit ? CodePage::kIits : CodePage::kWindows1252);
}

CExtent CEntryTextDevice::Measure(std::string_view text, EntryFont font) {
  return m_metrics.Measure(Decode(text, font), font);
}

void CEntryTextDevice::Draw(std::string_view text, const CRect& rect, Colour colour,
                            EntryFont font) {
  if (m_painter == nullptr) {
    return;
  }
  const QFont& wanted = m_metrics.Font(font);
  if (m_painterFont != &wanted) {
    m_painter->setFont(wanted);
    m_painterFont = &wanted;
  }
  m_painter->setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  m_painter->drawText(QPoint(rect.left, rect.top + m_metrics.Ascent(font)), Decode(text, font));
}

}  // namespace kv
