#include "dictionary/found_rows.h"

#include <cstring>
#include <string_view>

#include "dictionary/letter_tables.h"

namespace kv {

void FillRow(CFoundRows& rows, int row, const char* indexLine) {
  MakeListStrings(indexLine, rows.m_translitRows[row], rows.m_devanagariRows[row], kRowBytes);
  // Whole letters (and the single bytes between them) while they fit with the terminator.
  const std::string_view line(indexLine, strnlen(indexLine, kRowBytes));
  std::size_t kept = 0;
  while (kept < line.size()) {
    const CLetterAt letter = InternalLetterAt(line, kept);
    const std::size_t length = letter.m_letter >= 0 ? letter.m_bytes : 1;
    if (kept + length > static_cast<std::size_t>(kRowBytes - 1)) break;
    kept += length;
  }
  std::memcpy(rows.m_letterRows[row], indexLine, kept);
  rows.m_letterRows[row][kept] = '\0';
}

}  // namespace kv
