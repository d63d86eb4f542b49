#include "dictionary/itrans.h"

#include <algorithm>
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

}  // namespace

CItransStep ItransStep(std::string_view text) {
  if (text.empty()) return {};
  std::size_t matched = 0;
  std::size_t chosen = 0;
  for (std::size_t row = 0; row < kItransRows.size(); ++row) {
    const std::string_view form = kItransRows[row].m_form;
    if (form[0] != text[0]) continue;
    if (matched == 0) {
      matched = 1;
      chosen = row;
    }
    // A byte of the text is read only after the one before it matched a form character.
    if (form.size() > 1 && text.size() > 1 && form[1] == text[1]) {
      if (matched == 1) {
        matched = 2;
        chosen = row;
      }
      if (form.size() > 2 && text.size() > 2 && form[2] == text[2] && matched == 2) {
        matched = 3;
        chosen = row;
      }
    }
  }
  if (matched == 0) return {1, text.substr(0, 1)};
  if (matched == kItransRows[chosen].m_form.size()) {
    return {matched, kItransRows[chosen].m_replacement};
  }
  return {matched, text.substr(0, matched)};
}

void ConvertItrans(const char* text, char* key) {
  if (key == nullptr) return;
  key[0] = '\0';
  if (text == nullptr) return;

  std::array<unsigned char, kScratchBytes> scratch{};
  int length = 0;
  std::string_view rest(text);
  while (!rest.empty() && length < kScratchLimit) {
    const CItransStep step = ItransStep(rest);
    rest.remove_prefix(step.m_read);
    for (const char byte : step.m_internal) {
      if (length >= kScratchLimit + kMaxLetterBytes) break;
      scratch[static_cast<std::size_t>(length++)] = static_cast<unsigned char>(byte);
    }
  }
  scratch[static_cast<std::size_t>(length)] = 0;

  // Keep whole letters while they fit; a letter that would cross the key's end is cut with
  // everything after it.
  std::size_t kept = 0;
  while (kept < static_cast<std::size_t>(length)) {
    // A byte that begins no letter is kept or left out on its own.
    const std::size_t letter = std::max<std::size_t>(1, LetterBytesAt(scratch.data() + kept));
    if (kept + letter > static_cast<std::size_t>(kKeyBytes - 1)) break;
    kept += letter;
  }
  for (std::size_t i = 0; i < kept; ++i) key[i] = static_cast<char>(scratch[i]);
  key[kept] = '\0';
}

}  // namespace kv
