#include "platform/font.h"

#include <cstring>

#include "dictionary/decoders.h"
#include "platform/screen_dpi.h"

namespace kv {
namespace {

constexpr int kTenthsPerInch = 720;
constexpr unsigned char kClosingCode = 0xA0;
constexpr char16_t kNoBreakSpace = 0x00A0;

bool SameFace(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CodePage CodePageOfFace(std::string_view face) {
  if (SameFace(face, "xdvng")) return CodePage::kXdvng;
  if (SameFace(face, "IITS")) return CodePage::kIits;
  return CodePage::kWindows1252;
}

QString FamilyOfFace(std::string_view face) {
  if (SameFace(face, "xdvng")) return QStringLiteral("Noto Sans Devanagari");
  if (SameFace(face, "IITS") || SameFace(face, "Arial")) return QStringLiteral("Liberation Sans");
  return QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size()));
}

QString DecodeForCodePage(std::string_view bytes, CodePage page) {
  switch (page) {
    case CodePage::kXdvng: {
      QString text = FromUtf8(DecodeXdvng(bytes));
      // A font with these glyph codes draws the closing 0xA0 as a no-break space, which
      // keeps the text that follows a Devanagari string apart from it.
      if (!bytes.empty() && static_cast<unsigned char>(bytes.back()) == kClosingCode &&
          !text.endsWith(QChar(kNoBreakSpace))) {
        text += QChar(kNoBreakSpace);
      }
      return text;
    }
    case CodePage::kIits:
      return FromUtf8(DecodeIits(bytes));
    case CodePage::kWindows1252:
      break;
  }
  return FromUtf8(DecodeWindows1252(bytes));
}

std::string_view BoundedString(const char* text, int capacity) {
  if (text == nullptr || capacity <= 0) return {};
  const void* end = std::memchr(text, 0, static_cast<size_t>(capacity));
  size_t length = end != nullptr ? static_cast<size_t>(static_cast<const char*>(end) - text)
                                 : static_cast<size_t>(capacity);
  return {text, length};
}

bool CFont::CreatePointFont(int tenths, std::string_view face) {
  DeleteObject();
  if (tenths <= 0) return false;
  const int dpi = QueryLogicalDpi().y;
  // Rounded to the nearest pixel, as the point-to-pixel conversion of a device does.
  const long long scaled = static_cast<long long>(tenths) * dpi + kTenthsPerInch / 2;
  int pixels = static_cast<int>(scaled / kTenthsPerInch);
  if (pixels < 1) pixels = 1;

  m_faceName.assign(face);
  m_sizeTenths = tenths;
  m_font = QFont(FamilyOfFace(face));
  m_font.setPixelSize(pixels);
  m_holdsFont = true;
  return true;
}

void CFont::DeleteObject() {
  m_faceName.clear();
  m_sizeTenths = 0;
  m_font = QFont();
  m_holdsFont = false;
}

}  // namespace kv
