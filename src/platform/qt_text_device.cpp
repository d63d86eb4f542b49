#include "platform/qt_text_device.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace kv {

CQtTextDevice::CQtTextDevice(QPainter& painter, const CFont& textFont, const CFont& translitFont)
    : m_painter(painter), m_textFont(textFont), m_translitFont(translitFont) {}

QFont CQtTextDevice::FontFor(EntryFont font) const {
  const CFont& wanted = font == EntryFont::kTranslit ? m_translitFont : m_textFont;
  return wanted.HoldsFont() ? wanted.Font() : m_painter.font();
}

QString CQtTextDevice::Decode(std::string_view text, EntryFont font) {
  return DecodeForCodePage(text,
                           font == EntryFont::kTranslit ? CodePage::kIits : CodePage::kWindows1252);
}

CExtent CQtTextDevice::Measure(std::string_view text, EntryFont font) {
  const QFontMetrics metrics(FontFor(font), m_painter.device());
  return {metrics.horizontalAdvance(Decode(text, font)), metrics.height()};
}

void CQtTextDevice::Draw(std::string_view text, const CRect& rect, Colour colour, EntryFont font) {
  const QRect box(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  m_painter.fillRect(box, Qt::white);
  m_painter.setFont(FontFor(font));
  m_painter.setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  m_painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, Decode(text, font));
}

}  // namespace kv
