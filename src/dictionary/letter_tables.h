#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kv {

// The internal letters (Harvard-Kyoto) in every script: Unicode IAST and Devanagari and SLP1
// for reading and writing text, and the font codes the glyph-code strings draw them with.
// Code bytes are written as hex escapes: Xdvng glyph codes for the Devanagari forms, IITS
// codes for the transliteration.

// The longest internal letter, vowel or table conjunct, in bytes.
inline constexpr int kMaxLetterBytes = 3;

// One internal letter in every script the program reads or writes. The Unicode forms are
// UTF-8 (IAST in NFC); the font codes are the bytes of the glyph-code strings.
struct CLetter {
  std::string_view m_letters;      // internal letters (Harvard-Kyoto, as the data spells them)
  std::string_view m_iits;         // IITS font codes of the transliteration
  std::string_view m_iast;         // IAST
  std::string_view m_devanagari;   // independent vowel, consonant (with its inherent a) or mark
  std::string_view m_vowelSign;    // a vowel's sign after a consonant (empty for a)
  std::string_view m_slp1;         // SLP1, one ASCII character
  std::string_view m_folded;       // loose-matching fold (see loose_match.h)
  std::string_view m_xdvngFirst;   // Xdvng: a vowel's independent form, a consonant's half form
  std::string_view m_xdvngSecond;  // Xdvng: a vowel's sign, a consonant's full form
};

// Letter numbers: the vowels in the order of the vowel segments (the visarga counts as one),
// then the consonants in the order of the consonant segments (the anusvara counts as one).
inline constexpr int kLetterCount = 49;
inline constexpr int kVowelLetterCount = 15;
inline constexpr int kLetterVisarga = 14;
inline constexpr int kLetterAnusvara = 48;

inline constexpr std::array<CLetter, kLetterCount> kLetters = {{
    {"a", "a", "a", "\u0905", "", "a", "a", "\x41", ""},
    {"A", "\xA4", "\u0101", "\u0906", "\u093E", "A", "a", "\x41\x3A", "\x61"},
    {"i", "i", "i", "\u0907", "\u093F", "i", "i", "\x45", "\x65"},
    {"I", "\xAF", "\u012B", "\u0908", "\u0940", "I", "i", "\x49", "\x69"},
    {"u", "u", "u", "\u0909", "\u0941", "u", "u", "\x75", "\xD9"},
    {"U", "\xB6", "\u016B", "\u090A", "\u0942", "U", "u", "\x55", "\xDD"},
    {"R", "\xC1", "\u1E5B", "\u090B", "\u0943", "f", "r", "\x3F", "\xE1"},
    {"RR", "\xA2", "\u1E5D", "\u0960", "\u0944", "F", "r", "\x40", "\xE5"},
    {"lR", "\xA5", "\u1E37", "\u090C", "\u0962", "x", "l", "\x3B", "\xE9"},
    {"lRR", "\xA6", "\u1E39", "\u0961", "\u0963", "X", "l", "\x3D", "\xED"},
    {"e", "e", "e", "\u090F", "\u0947", "e", "e", "\x4F", "\xF0"},
    {"ai", "ai", "ai", "\u0910", "\u0948", "E", "ai", "\x4F\xF0", "\xF2"},
    {"o", "o", "o", "\u0913", "\u094B", "o", "o", "\x41\x3C", "\x3C"},
    {"au", "au", "au", "\u0914", "\u094C", "O", "au", "\x41\x3E", "\x3E"},
    {"H", "\xC7", "\u1E25", "\u0903", "", "H", "h", "\x48", "\x48"},
    {"k", "k", "k", "\u0915", "", "k", "k", "\x56", "\x6B"},
    {"kh", "kh", "kh", "\u0916", "", "K", "kh", "\x4B", "\x4B\x3A"},
    {"g", "g", "g", "\u0917", "", "g", "g", "\x67", "\x67\x3A"},
    {"gh", "gh", "gh", "\u0918", "", "G", "gh", "\x47", "\x47\x3A"},
    {"G", "\xF1", "\u1E45", "\u0919", "", "N", "n", "\x7B", "\x7B"},
    {"c", "c", "c", "\u091A", "", "c", "c", "\x63", "\x63\x3A"},
    {"ch", "ch", "ch", "\u091B", "", "C", "ch", "\x43", "\x43"},
    {"j", "j", "j", "\u091C", "", "j", "j", "\x6A", "\x6A\x3A"},
    {"jh", "jh", "jh", "\u091D", "", "J", "jh", "\x4A", "\x4A\x3A"},
    {"J", "\xF1", "\u00F1", "\u091E", "", "Y", "n", "\x57", "\x57\x3A"},
    {"T", "\xB7", "\u1E6D", "\u091F", "", "w", "t", "\x58", "\x58"},
    {"Th", "\xB7\x68", "\u1E6Dh", "\u0920", "", "W", "th", "\x59", "\x59"},
    {"D", "\xB9", "\u1E0D", "\u0921", "", "q", "d", "\x52", "\x52"},
    {"Dh", "\xB9\x68", "\u1E0Dh", "\u0922", "", "Q", "dh", "\x5A", "\x5A"},
    {"N", "\xBA", "\u1E47", "\u0923", "", "R", "n", "\x4E", "\x4E\x3A"},
    {"t", "t", "t", "\u0924", "", "t", "t", "\x74", "\x74\x3A"},
    {"th", "th", "th", "\u0925", "", "T", "th", "\x54", "\x54\x3A"},
    {"d", "d", "d", "\u0926", "", "d", "d", "\x64", "\x64"},
    {"dh", "dh", "dh", "\u0927", "", "D", "dh", "\x44", "\x44\x3A"},
    {"n", "n", "n", "\u0928", "", "n", "n", "\x6E", "\x6E\x3A"},
    {"p", "p", "p", "\u092A", "", "p", "p", "\x70", "\x70\x3A"},
    {"ph", "ph", "ph", "\u092B", "", "P", "ph", "\x5B", "\x50"},
    {"b", "b", "b", "\u092C", "", "b", "b", "\x62", "\x62\x3A"},
    {"bh", "bh", "bh", "\u092D", "", "B", "bh", "\x42", "\x42\x3A"},
    {"m", "m", "m", "\u092E", "", "m", "m", "\x6D", "\x6D\x3A"},
    {"y", "y", "y", "\u092F", "", "y", "y", "\x79", "\x79\x3A"},
    {"r", "r", "r", "\u0930", "", "r", "r", "\x72", "\x72"},
    {"l", "l", "l", "\u0932", "", "l", "l", "\x6C", "\x6C\x3A"},
    {"v", "v", "v", "\u0935", "", "v", "v", "\x76", "\x76\x3A"},
    {"z", "\xBD", "\u015B", "\u0936", "", "S", "s", "\x53", "\x53\x3A"},
    {"S", "\xBF", "\u1E63", "\u0937", "", "z", "s", "\x5C", "\x5C\x3A"},
    {"s", "s", "s", "\u0938", "", "s", "s", "\x73", "\x73\x3A"},
    {"h", "h", "h", "\u0939", "", "h", "h", "\x68", "\x68"},
    {"M", "\xC6", "\u1E43", "\u0902", "", "M", "m", "\xF6", "\xF6"},
}};

// The number of the letter spelled `letters`, or -1.
constexpr int LetterNumber(std::string_view letters) {
  for (std::size_t i = 0; i < kLetters.size(); ++i) {
    if (kLetters[i].m_letters == letters) return static_cast<int>(i);
  }
  return -1;
}

constexpr bool IsVowelLetter(int letter) { return letter >= 0 && letter < kLetterVisarga; }
constexpr bool IsConsonantLetter(int letter) {
  return letter >= kVowelLetterCount && letter < kLetterAnusvara;
}

// The avagraha as the internal letters write it (Harvard-Kyoto's apostrophe), and the two
// Devanagari signs that stand for no letter of their own.
inline constexpr char kAvagrahaLetter = '\'';
inline constexpr std::string_view kDevanagariAvagraha = "\u093D";
inline constexpr std::string_view kDevanagariVirama = "\u094D";

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

constexpr std::array<CVowelEntry, kVowelLetterCount> MakeVowelTable() {
  std::array<CVowelEntry, kVowelLetterCount> table{};
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i] = {kLetters[i].m_letters, kLetters[i].m_xdvngFirst, kLetters[i].m_xdvngSecond};
  }
  return table;
}

inline constexpr std::array<CVowelEntry, kVowelLetterCount> kVowelTable = MakeVowelTable();

struct CConsonantEntry {
  std::string_view m_letters;
  // Bytes of the first consonant letter; a conjunct's second letter follows it. Equal to the
  // size of m_letters for a single consonant.
  std::size_t m_firstLetterBytes;
  std::string_view m_half;  // begins or continues a cluster
  std::string_view m_full;  // ends a cluster or stands alone before its vowel
};

// The first kConsonantLetterCount entries of kConsonantTable are the single consonants, the
// rest these conjuncts, which have glyphs of their own.
inline constexpr int kConsonantLetterCount = kLetterCount - kVowelLetterCount;
inline constexpr unsigned char kConsonantR = 26;
inline constexpr unsigned char kConsonantAnusvara = 33;

inline constexpr std::array<CConsonantEntry, 50> kConjunctTable = {{
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

inline constexpr std::size_t kConsonantTableSize = kConsonantLetterCount + kConjunctTable.size();

constexpr std::array<CConsonantEntry, kConsonantTableSize> MakeConsonantTable() {
  std::array<CConsonantEntry, kConsonantTableSize> table{};
  for (std::size_t i = 0; i < static_cast<std::size_t>(kConsonantLetterCount); ++i) {
    const CLetter& letter = kLetters[kVowelLetterCount + i];
    table[i] = {letter.m_letters, letter.m_letters.size(), letter.m_xdvngFirst,
                letter.m_xdvngSecond};
  }
  for (std::size_t i = 0; i < kConjunctTable.size(); ++i) {
    table[kConsonantLetterCount + i] = kConjunctTable[i];
  }
  return table;
}

inline constexpr std::array<CConsonantEntry, kConsonantTableSize> kConsonantTable =
    MakeConsonantTable();

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

// Bytes of the internal letter that begins `text` (zero-terminated); 0 when none does.
std::size_t LetterBytesAt(const unsigned char* text);

// Bytes that mark words in the index and entry lines without being letters. The Devanagari
// segmentation looks through all of them inside a conjunct.
bool IsMarkerByte(unsigned char byte);

// The marker bytes that the transliteration leaves out; the others ("-", "`") are shown.
bool IsDroppedMarkerByte(unsigned char byte);

// The marker bytes that headword matching skips in an index line ("-", "`", "4", "7", "@",
// 0xF3). Inline: the headword search's inner loop calls it for every byte.
inline bool IsMatchIgnoredByte(unsigned char byte) {
  return byte == '-' || byte == '`' || byte == '4' || byte == '7' || byte == '@' || byte == 0xF3;
}

// An internal letter found in a text: its number in kLetters (-1 for none) and its bytes.
struct CLetterAt {
  int m_letter = -1;
  std::size_t m_bytes = 0;
};

// The look-up tables of InternalLetterAt. Each byte that occurs in a letter has a small code
// (0 for the others); the letter at a place is found from the codes of its first two bytes,
// and the one letter of three bytes (lRR) from its two-byte beginning (lR) and the third.
inline constexpr std::size_t kLetterByteCodeCount = 40;

constexpr std::array<unsigned char, 256> MakeLetterByteCodes() {
  std::array<unsigned char, 256> codes{};
  unsigned char next = 1;
  for (const CLetter& letter : kLetters) {
    for (const char byte : letter.m_letters) {
      auto& code = codes[static_cast<unsigned char>(byte)];
      if (code == 0) code = next++;
    }
  }
  return codes;
}

inline constexpr std::array<unsigned char, 256> kLetterByteCodes = MakeLetterByteCodes();

// True for a byte that occurs in some internal letter.
constexpr bool IsInternalLetterByte(unsigned char byte) { return kLetterByteCodes[byte] != 0; }

// Kept small (four bytes) so that the whole table stays in the first-level cache.
struct CLetterPair {
  signed char m_letter = -1;  // the longest letter of at most two bytes there
  unsigned char m_length = 0;
  char m_third = 0;  // the third byte of a longer letter that begins with these two
  signed char m_longLetter = -1;
};

using CLetterPairs =
    std::array<std::array<CLetterPair, kLetterByteCodeCount>, kLetterByteCodeCount>;

constexpr CLetterPairs MakeLetterPairs() {
  CLetterPairs pairs{};
  for (std::size_t i = 0; i < kLetters.size(); ++i) {
    const std::string_view letters = kLetters[i].m_letters;
    const std::size_t first = kLetterByteCodes[static_cast<unsigned char>(letters[0])];
    const auto number = static_cast<signed char>(i);
    for (std::size_t second = 0; second < kLetterByteCodeCount; ++second) {
      CLetterPair& pair = pairs[first][second];
      const bool secondMatches =
          letters.size() > 1 && kLetterByteCodes[static_cast<unsigned char>(letters[1])] == second;
      if (letters.size() == 1 && pair.m_length == 0) {
        pair.m_letter = number;
        pair.m_length = 1;
      } else if (letters.size() == 2 && secondMatches) {
        pair.m_letter = number;
        pair.m_length = 2;
      } else if (letters.size() == 3 && secondMatches) {
        pair.m_third = letters[2];
        pair.m_longLetter = number;
      }
    }
  }
  return pairs;
}

inline constexpr CLetterPairs kLetterPairs = MakeLetterPairs();

// The internal letter that begins at `pos` of `text`, read as LongestMatch(kLetters, ...)
// reads it, but bounded by the view and with two table look-ups instead of a scan (the loose
// fold reads every headword of a dictionary with it).
constexpr CLetterAt InternalLetterAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return {};
  const std::size_t first = kLetterByteCodes[static_cast<unsigned char>(text[pos])];
  if (first == 0) return {};
  const std::size_t second =
      pos + 1 < text.size() ? kLetterByteCodes[static_cast<unsigned char>(text[pos + 1])] : 0;
  const CLetterPair& pair = kLetterPairs[first][second];
  if (pair.m_third != 0 && pos + 2 < text.size() && text[pos + 2] == pair.m_third) {
    return {pair.m_longLetter, 3};
  }
  return {pair.m_letter, pair.m_length};
}

// The first code point of a UTF-8 text known to be well formed (the tables' own strings).
constexpr char32_t FirstCodePoint(std::string_view utf8) {
  if (utf8.empty()) return 0;
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead < 0x80) return lead;
  const int trailing = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
  char32_t codePoint = lead & (0x3Fu >> trailing);
  for (int i = 1; i <= trailing && static_cast<std::size_t>(i) < utf8.size(); ++i) {
    codePoint =
        (codePoint << 6) | (static_cast<unsigned char>(utf8[static_cast<std::size_t>(i)]) & 0x3Fu);
  }
  return codePoint;
}

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
