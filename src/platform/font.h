#pragma once

#include <QFont>
#include <QString>
#include <string>
#include <string_view>

namespace kv {

// The code page in which the byte strings drawn in a face are written.
enum class CodePage {
  kXdvng,        // Devanagari glyph codes ("xdvng")
  kIits,         // transliteration codes ("IITS")
  kWindows1252,  // "Arial" and any other face
};

// Face names are matched without regard to case ("Arial" and "ARIAL" are one face).
CodePage CodePageOfFace(std::string_view face);

// The installed family that stands in for a face the system asks for by name.
QString FamilyOfFace(std::string_view face);

// Reads a byte string written in `page` into Unicode.
QString DecodeForCodePage(std::string_view bytes, CodePage page);

// The bytes of a zero-terminated string in a fixed buffer of `capacity` bytes; a buffer
// without terminator gives all `capacity` bytes, never more.
std::string_view BoundedString(const char* text, int capacity);

// A font made by point size and face name. It keeps the face as asked for, so that text
// drawn in it can be decoded by that face's code page, and a real font that shows the same
// letters. A default-constructed font holds nothing until CreatePointFont succeeds.
class CFont {
 public:
  // Makes the font of `tenths` tenths of a point in `face`; its pixel size follows the
  // screen's vertical dpi (tenths * dpi / 720, rounded). Replaces what the font held.
  // A size of zero or less makes nothing and returns false.
  bool CreatePointFont(int tenths, std::string_view face);
  // Lets go of the font; the object then holds nothing.
  void DeleteObject();

  bool HoldsFont() const { return m_holdsFont; }
  const std::string& FaceName() const { return m_faceName; }
  int SizeTenths() const { return m_sizeTenths; }
  const QFont& Font() const { return m_font; }
  CodePage GetCodePage() const { return CodePageOfFace(m_faceName); }
  // Decodes `bytes` drawn in this font.
  QString Decode(std::string_view bytes) const { return DecodeForCodePage(bytes, GetCodePage()); }

 private:
  std::string m_faceName;
  int m_sizeTenths = 0;
  QFont m_font;
  bool m_holdsFont = false;
};

}  // namespace kv
