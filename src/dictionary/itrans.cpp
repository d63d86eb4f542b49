#include "dictionary/itrans.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "dictionary/letter_tables.h"

namespace kv {
namespace {

struct CItransRow {
  std::string_view m_form;
  std::string_view m_replacement;
};

// Searched in this order; the longest match wins, the earliest row among equals.
constexpr std::array<CItransRow, 19> kItransRows = {{
    {"aa", "A"},   {"ii", "I"},   {"RRi", "R"},  {"R^i", "R"},   {"RRI", "RR"},
    {"R^I", "RR"}, {"LLi", "lR"}, {"L^i", "lR"}, {"LLI", "lRR"}, {"L^I", "lRR"},
    {"ch", "c"},   {"Ch", "ch"},  {"~N", "G"},   {"~n", "J"},    {"w", "v"},
    {"sh", "z"},   {"Sh", "S"},   {"x", "kS"},   {"GY", "jJ"},
}};

// The converted text is gathered a few bytes past the key's capacity so that the letter
// lying across the key's end is seen whole and can be left out whole.
constexpr int kScratchLimit = kKeyBytes - 1 + kMaxLetterBytes;
constexpr int kScratchBytes = kScratchLimit + kMaxLetterBytes + 1;

// Length of the internal letter (or other single byte) at `text`.
std::size_t LetterBytesAt(const unsigned char* text) {
  const int entry = LongestMatch(kTranslitTable, text);
  return entry < 0 ? 1 : kTranslitTable[static_cast<std::size_t>(entry)].m_letters.size();
}

}  // namespace

void ConvertItrans(const char* text, char* key) {
  if (key == nullptr) return;
  key[0] = '\0';
  if (text == nullptr) return;

  std::array<unsigned char, kScratchBytes> scratch{};
  int length = 0;
  const auto* in = reinterpret_cast<const unsigned char*>(text);
  std::size_t pos = 0;
  while (in[pos] != 0 && length < kScratchLimit) {
    std::size_t matched = 0;
    std::size_t chosen = 0;
    for (std::size_t row = 0; row < kItransRows.size(); ++row) {
      const std::string_view form = kItransRows[row].m_form;
      if (static_cast<unsigned char>(form[0]) != in[pos]) continue;
      if (matched == 0) {
        matched = 1;
        chosen = row;
      }
      // A byte of the text is read only after the one before it matched a form character,
      // so the terminator is never passed.
      if (form.size() > 1 && static_cast<unsigned char>(form[1]) == in[pos + 1]) {
        if (matched == 1) {
          matched = 2;
          chosen = row;
        }
        if (form.size() > 2 && static_cast<unsigned char>(form[2]) == in[pos + 2] && matched == 2) {
          matched = 3;
          chosen = row;
        }
      }
    }
    std::string_view piece;
    if (matched == 0) {
      piece = std::string_view(text + pos, 1);
      pos += 1;
    } else if (matched == kItransRows[chosen].m_form.size()) {
      piece = kItransRows[chosen].m_replacement;
      pos += matched;
    } else {
      piece = std::string_view(text + pos, matched);
      pos += matched;
    }
    for (const char byte : piece) {
      if (length >= kScratchLimit + kMaxLetterBytes) break;
      scratch[static_cast<std::size_t>(length++)] = static_cast<unsigned char>(byte);
    }
  }
  scratch[static_cast<std::size_t>(length)] = 0;

  // Keep whole letters while they fit; a letter that would cross the key's end is cut with
  // everything after it.
  std::size_t kept = 0;
  while (kept < static_cast<std::size_t>(length)) {
    const std::size_t letter = LetterBytesAt(scratch.data() + kept);
    if (kept + letter > static_cast<std::size_t>(kKeyBytes - 1)) break;
    kept += letter;
  }
  for (std::size_t i = 0; i < kept; ++i) key[i] = static_cast<char>(scratch[i]);
  key[kept] = '\0';
}

}  // namespace kv
