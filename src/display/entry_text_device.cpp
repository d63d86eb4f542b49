#include "display/entry_text_device.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <utility>

namespace kv {

CEntryFontMetrics::CEntryFontMetrics() { Reset(CEntryFonts(), QFont()); }

void CEntryFontMetrics::Prepare(CFace& face, const CFont& wanted, const QFont& fallback,
                                bool shaped) {
  face.font = wanted.HoldsFont() ? wanted.Font() : fallback;
  if (!shaped) {
    face.font.setKerning(false);
    face.font.setStyleStrategy(QFont::PreferNoShaping);
  }
  face.metrics = QFontMetricsF(face.font);
  const QFontMetrics whole(face.font);
  face.height = whole.height();
  face.ascent = whole.ascent();
  face.advances.assign(shaped ? 0 : kCachedUnits, -1.0);
  face.shapedWidths.clear();
}

void CEntryFontMetrics::Reset(const CEntryFonts& fonts, const QFont& fallback) {
  Prepare(m_text, fonts.m_entryFont, fallback, false);
  Prepare(m_translit, fonts.m_entryTranslitFont, fallback, false);
  Prepare(m_devanagari, fonts.m_entryDevanagariFont, fallback, true);
}

CEntryFontMetrics::CFace& CEntryFontMetrics::Face(EntryFont font) {
  return const_cast<CFace&>(std::as_const(*this).Face(font));
}

const CEntryFontMetrics::CFace& CEntryFontMetrics::Face(EntryFont font) const {
  switch (font) {
    case EntryFont::kTranslit:
      return m_translit;
    case EntryFont::kDevanagari:
      return m_devanagari;
    case EntryFont::kText:
    case EntryFont::kUnicodeText:
      break;
  }
  return m_text;
}

CExtent CEntryFontMetrics::Measure(const QString& text, EntryFont font) {
  CFace& face = Face(font);
  if (font == EntryFont::kDevanagari || font == EntryFont::kUnicodeText) {
    auto known = face.shapedWidths.constFind(text);
    if (known == face.shapedWidths.constEnd()) {
      if (face.shapedWidths.size() >= kMaxShapedWidths) face.shapedWidths.clear();
      known = face.shapedWidths.insert(
          text, static_cast<int>(std::lround(face.metrics.horizontalAdvance(text))));
    }
    return CExtent{*known, face.height};
  }
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
  switch (font) {
    case EntryFont::kTranslit:
      return DecodeForCodePage(text, CodePage::kIits);
    case EntryFont::kDevanagari:
    case EntryFont::kUnicodeText:
      return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    case EntryFont::kText:
      break;
  }
  return DecodeForCodePage(text, CodePage::kWindows1252);
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

void CEntryTextDevice::Fill(const CRect& rect, Colour colour) {
  if (m_painter == nullptr) {
    return;
  }
  m_painter->fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                      QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
}

}  // namespace kv
