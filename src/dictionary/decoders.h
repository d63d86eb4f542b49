#pragma once

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

}  // namespace kv
