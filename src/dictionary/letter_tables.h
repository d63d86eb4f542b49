#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kv {

// The internal letters (Harvard-Kyoto) and the font codes they are drawn with. Code bytes are
// written as hex escapes: Xdvng glyph codes for the Devanagari forms, IITS codes for the
// transliteration.

// The longest internal letter, vowel or table conjunct, in bytes.
inline constexpr int kMaxLetterBytes = 3;

struct CVowelEntry {
  std::string_view m_letters;
  std::string_view m_independent;  // where a word begins with the vowel
  std::string_view m_sign;         // after a consonant (empty for a)
};

// A vowel segment's number is kFirstVowelNumber plus its place here.
inline constexpr unsigned char kFirstVowelNumber = 100;
inline constexpr unsigned char kVowelNumberI = 102;
inline constexpr unsigned char kVowelNumberU = 104;
inline constexpr unsigned char kVowelNumberLongU = 105;
inline constexpr unsigned char kVowelNumberVisarga = 114;

inline constexpr std::array<CVowelEntry, 15> kVowelTable = {{
    {"a", "\x41", ""},
    {"A", "\x41\x3A", "\x61"},
    {"i", "\x45", "\x65"},
    {"I", "\x49", "\x69"},
    {"u", "\x75", "\xD9"},
    {"U", "\x55", "\xDD"},
    {"R", "\x3F", "\xE1"},
    {"RR", "\x40", "\xE5"},
    {"lR", "\x3B", "\xE9"},
    {"lRR", "\x3D", "\xED"},
    {"e", "\x4F", "\xF0"},
    {"ai", "\x4F\xF0", "\xF2"},
    {"o", "\x41\x3C", "\x3C"},
    {"au", "\x41\x3E", "\x3E"},
    {"H", "\x48", "\x48"},
}};

struct CConsonantEntry {
  std::string_view m_letters;
  // Bytes of the first consonant letter; a conjunct's second letter follows it. Equal to the
  // size of m_letters for a single consonant.
  std::size_t m_firstLetterBytes;
  std::string_view m_half;  // begins or continues a cluster
  std::string_view m_full;  // ends a cluster or stands alone before its vowel
};

// The first kConsonantLetterCount entries are the single consonants, the rest conjuncts
// that have glyphs of their own.
inline constexpr int kConsonantLetterCount = 34;
inline constexpr unsigned char kConsonantR = 26;
inline constexpr unsigned char kConsonantAnusvara = 33;

inline constexpr std::array<CConsonantEntry, 84> kConsonantTable = {{
    {"k", 1, "\x56", "\x6B"},      {"kh", 2, "\x4B", "\x4B\x3A"},
    {"g", 1, "\x67", "\x67\x3A"},  {"gh", 2, "\x47", "\x47\x3A"},
    {"G", 1, "\x7B", "\x7B"},      {"c", 1, "\x63", "\x63\x3A"},
    {"ch", 2, "\x43", "\x43"},     {"j", 1, "\x6A", "\x6A\x3A"},
    {"jh", 2, "\x4A", "\x4A\x3A"}, {"J", 1, "\x57", "\x57\x3A"},
    {"T", 1, "\x58", "\x58"},      {"Th", 2, "\x59", "\x59"},
    {"D", 1, "\x52", "\x52"},      {"Dh", 2, "\x5A", "\x5A"},
    {"N", 1, "\x4E", "\x4E\x3A"},  {"t", 1, "\x74", "\x74\x3A"},
    {"th", 2, "\x54", "\x54\x3A"}, {"d", 1, "\x64", "\x64"},
    {"dh", 2, "\x44", "\x44\x3A"}, {"n", 1, "\x6E", "\x6E\x3A"},
    {"p", 1, "\x70", "\x70\x3A"},  {"ph", 2, "\x5B", "\x50"},
    {"b", 1, "\x62", "\x62\x3A"},  {"bh", 2, "\x42", "\x42\x3A"},
    {"m", 1, "\x6D", "\x6D\x3A"},  {"y", 1, "\x79", "\x79\x3A"},
    {"r", 1, "\x72", "\x72"},      {"l", 1, "\x6C", "\x6C\x3A"},
    {"v", 1, "\x76", "\x76\x3A"},  {"z", 1, "\x53", "\x53\x3A"},
    {"S", 1, "\x5C", "\x5C\x3A"},  {"s", 1, "\x73", "\x73\x3A"},
    {"h", 1, "\x68", "\x68"},      {"M", 1, "\xF6", "\xF6"},
    {"kS", 1, "\x78", "\x78\x3A"}, {"tr", 1, "\x2A", "\x2A\x3A"},
    {"kr", 1, "\x23", "\x23"},     {"jJ", 1, "\x77", "\x77"},
    {"Gk", 1, "\xA2", "\xA2"},     {"Gkh", 1, "\xA3", "\xA3"},
    {"Gg", 1, "\xA4", "\xA4"},     {"Ggh", 1, "\xA5", "\xA5"},
    {"GG", 1, "\xA6", "\xA6"},     {"Gn", 1, "\xA7", "\xA7"},
    {"Gm", 1, "\xA8", "\xA8"},     {"Gy", 1, "\xA9", "\xA9"},
    {"chy", 2, "\xAA", "\xAA"},    {"Tk", 1, "\xAB", "\xAB"},
    {"TT", 1, "\xAC", "\xAC"},     {"TTh", 1, "\xAD", "\xAD"},
    {"Ty", 1, "\xAE", "\xAE"},     {"Thy", 2, "\xAF", "\xAF"},
    {"Dg", 1, "\xB0", "\xB0"},     {"Dgh", 1, "\xB1", "\xB1"},
    {"DD", 1, "\xB2", "\xB2"},     {"Dm", 1, "\xB3", "\xB3"},
    {"Dy", 1, "\xB4", "\xB4"},     {"Dhy", 2, "\xB5", "\xB5"},
    {"tt", 1, "\xB6", "\xB6\x3A"}, {"dg", 1, "\xB7", "\xB7"},
    {"dd", 1, "\xB8", "\xB8"},     {"ddh", 1, "\xB9", "\xB9"},
    {"db", 1, "\xBA", "\xBA"},     {"dbh", 1, "\xBB", "\xBB"},
    {"dm", 1, "\xBC", "\xBC"},     {"dy", 1, "\xBD", "\xBD"},
    {"dv", 1, "\xBE", "\xBE"},     {"dhn", 2, "\xBF", "\xBF\x3A"},
    {"nn", 1, "\xC0", "\xC0"},     {"zc", 1, "\xC1", "\xC1\x3A"},
    {"zr", 1, "\xC2", "\xC2\x3A"}, {"zv", 1, "\xC3", "\xC3\x3A"},
    {"ST", 1, "\xC4", "\xC4"},     {"STh", 1, "\xC5", "\xC5"},
    {"hy", 1, "\xC6", "\xC6"},     {"hN", 1, "\xC7", "\xC7"},
    {"hn", 1, "\xC8", "\xC8"},     {"hm", 1, "\xC9", "\xC9"},
    {"hr", 1, "\xCB", "\xCB"},     {"hl", 1, "\xCC", "\xCC"},
    {"hv", 1, "\xCD", "\xCD"},     {"pr", 1, "\x29", "\x29"},
    {"phr", 2, "\x27", "\x27"},    {"tth", 1, "\x74\x54", "\x74\x54\x3A"},
}};

struct CTranslitEntry {
  std::string_view m_letters;
  std::string_view m_codes;  // IITS font codes
};

// All internal letters, vowels first. Letters without a diacritic are their own codes.
inline constexpr std::array<CTranslitEntry, 49> kTranslitTable = {{
    {"a", "a"},    {"A", "\xA4"},      {"i", "i"},     {"I", "\xAF"},      {"u", "u"},
    {"U", "\xB6"}, {"R", "\xC1"},      {"RR", "\xA2"}, {"lR", "\xA5"},     {"lRR", "\xA6"},
    {"e", "e"},    {"ai", "ai"},       {"o", "o"},     {"au", "au"},       {"H", "\xC7"},
    {"k", "k"},    {"kh", "kh"},       {"g", "g"},     {"gh", "gh"},       {"G", "\xF1"},
    {"c", "c"},    {"ch", "ch"},       {"j", "j"},     {"jh", "jh"},       {"J", "\xF1"},
    {"T", "\xB7"}, {"Th", "\xB7\x68"}, {"D", "\xB9"},  {"Dh", "\xB9\x68"}, {"N", "\xBA"},
    {"t", "t"},    {"th", "th"},       {"d", "d"},     {"dh", "dh"},       {"n", "n"},
    {"p", "p"},    {"ph", "ph"},       {"b", "b"},     {"bh", "bh"},       {"m", "m"},
    {"y", "y"},    {"r", "r"},         {"l", "l"},     {"v", "v"},         {"z", "\xBD"},
    {"S", "\xBF"}, {"s", "s"},         {"h", "h"},     {"M", "\xC6"},
}};

// How many bytes of `letters` begin `text` as a whole: letters.size() when they all do,
// otherwise 0. Stops at the first byte that differs, so it never reads past the text's
// terminator.
inline std::size_t MatchLetters(std::string_view letters, const unsigned char* text) {
  for (std::size_t i = 0; i < letters.size(); ++i) {
    if (text[i] != static_cast<unsigned char>(letters[i])) return 0;
  }
  return letters.size();
}

// The entry of `table` whose letters begin `text` and are the longest, the earliest among
// equally long ones; -1 when none does.
template <typename Entry, std::size_t N>
int LongestMatch(const std::array<Entry, N>& table, const unsigned char* text) {
  int best = -1;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t length = MatchLetters(table[i].m_letters, text);
    if (length > bestLength) {
      bestLength = length;
      best = static_cast<int>(i);
    }
  }
  return best;
}

// Bytes that mark words in the index and entry lines without being letters. The Devanagari
// segmentation looks through all of them inside a conjunct.
bool IsMarkerByte(unsigned char byte);

// The marker bytes that the transliteration leaves out; the others ("-", "`") are shown.
bool IsDroppedMarkerByte(unsigned char byte);

// A consonant entry matched in a text: `m_entry` is its index in kConsonantTable (-1 for
// none) and `m_span` the text bytes it covers, marker bytes inside it included.
struct CConsonantMatch {
  int m_entry = -1;
  std::size_t m_span = 0;
};

// The longest consonant-table entry at `text`. Marker bytes between the two letters of a
// conjunct are passed over, and a conjunct is not taken where its last letter is only the
// beginning of a longer letter of the text: "dgh" is d + gh, not dg + h, and "hlR" is h + lR.
CConsonantMatch MatchConsonant(const unsigned char* text);

// Whether a subscript r after consonant `number` is drawn as 3A D2 (after a full-form stem)
// rather than D3.
bool TakesStemSubscriptR(unsigned char number);

}  // namespace kv
