#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

// The data and the row tables are byte strings in three font code pages. These read them
// back into Unicode (UTF-8) so that real fonts can draw them and a terminal can print them.

// Xdvng glyph codes (a Devanagari string, optionally closed by 0xA0) to Unicode Devanagari.
std::string DecodeXdvng(std::string_view codes);

// IITS transliteration codes to Unicode IAST; the closing 0xA0 becomes a no-break space.
std::string DecodeIits(std::string_view codes);

// Windows-1252 (the "Arial" text of entries) to UTF-8.
std::string DecodeWindows1252(std::string_view bytes);
// The same, appended to `out`.
void AppendWindows1252(std::string_view bytes, std::string& out);

// What ReadUtf8 gives for a sequence that is not well-formed.
inline constexpr char32_t kNoCodePoint = 0xFFFFFFFF;

// Reads the UTF-8 sequence at `pos` of `text` and moves `pos` past it. A malformed sequence
// (cut short, overlong, a surrogate or beyond U+10FFFF) reads as kNoCodePoint and leaves `pos`.
char32_t ReadUtf8(std::string_view text, std::size_t& pos);

// Appends `codePoint` to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// The code point of a Windows-1252 byte. The five bytes that the code page leaves undefined
// (81, 8D, 8F, 90, 9D) keep their C1 control code points, as Windows itself converts them.
char32_t Windows1252CodePoint(unsigned char byte);

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int Windows1252Byte(char32_t codePoint);

}  // namespace kv
