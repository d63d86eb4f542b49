#include "dictionary/found_rows.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "dictionary/letter_tables.h"

namespace kv {

void FillRow(CFoundRows& rows, int row, const char* indexLine) {
  MakeListStrings(indexLine, rows.m_translitRows[row], rows.m_devanagariRows[row], kRowBytes);
  // Whole letters (and the single bytes between them) while they fit with the terminator.
  const auto* text = reinterpret_cast<const unsigned char*>(indexLine);
  std::size_t kept = 0;
  while (text[kept] != 0) {
    const std::size_t letter = std::max<std::size_t>(1, LetterBytesAt(text + kept));
    if (kept + letter > static_cast<std::size_t>(kRowBytes - 1)) break;
    kept += letter;
  }
  std::memcpy(rows.m_letterRows[row], indexLine, kept);
  rows.m_letterRows[row][kept] = '\0';
}

}  // namespace kv
