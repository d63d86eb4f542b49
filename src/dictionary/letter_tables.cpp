#include "dictionary/letter_tables.h"

#include <algorithm>
#include <array>

namespace kv {
namespace {

// The single consonant letter that `letters` spells exactly, or -1.
constexpr int ConsonantLetterIndex(std::string_view letters) {
  for (int i = 0; i < kConsonantLetterCount; ++i) {
    if (kConsonantTable[static_cast<std::size_t>(i)].m_letters == letters) return i;
  }
  return -1;
}

// Every conjunct must split into two consonant letters, the first being the longest letter
// that begins the conjunct, so that matching letter by letter reads the text the way the
// transliteration does.
constexpr bool ConjunctSplitsAreLetters() {
  for (std::size_t i = 0; i < kConsonantTable.size(); ++i) {
    const CConsonantEntry& entry = kConsonantTable[i];
    const std::string_view first = entry.m_letters.substr(0, entry.m_firstLetterBytes);
    const std::string_view rest = entry.m_letters.substr(entry.m_firstLetterBytes);
    if (i < static_cast<std::size_t>(kConsonantLetterCount)) {
      if (!rest.empty()) return false;
      continue;
    }
    if (ConsonantLetterIndex(first) < 0 || ConsonantLetterIndex(rest) < 0) return false;
    if (first.size() < 2 && ConsonantLetterIndex(entry.m_letters.substr(0, 2)) >= 0) return false;
  }
  return true;
}

static_assert(ConjunctSplitsAreLetters());
static_assert(*std::max_element(kLetterByteCodes.begin(), kLetterByteCodes.end()) <
              kLetterByteCodeCount);

static_assert(kConsonantTable[kConsonantR].m_letters == "r");
static_assert(kConsonantTable[kConsonantAnusvara].m_letters == "M");
static_assert(kVowelTable[kVowelNumberI - kFirstVowelNumber].m_letters == "i");
static_assert(kVowelTable[kVowelNumberU - kFirstVowelNumber].m_letters == "u");
static_assert(kVowelTable[kVowelNumberLongU - kFirstVowelNumber].m_letters == "U");
static_assert(kVowelTable[kVowelNumberVisarga - kFirstVowelNumber].m_letters == "H");

// The text bytes that `entry` covers at `text`, or 0 when it does not match there.
std::size_t MatchConsonantEntry(const CConsonantEntry& entry, const unsigned char* text) {
  const std::string_view first = entry.m_letters.substr(0, entry.m_firstLetterBytes);
  std::size_t span = MatchLetters(first, text);
  if (span == 0) return 0;
  const std::string_view second = entry.m_letters.substr(entry.m_firstLetterBytes);
  if (second.empty()) return span;
  while (IsMarkerByte(text[span])) ++span;
  if (MatchLetters(second, text + span) == 0) return 0;
  // The conjunct must end where a letter ends: in "dgh" the g is the start of gh, and in
  // "hlR" the l is the start of the vowel lR.
  if (LetterBytesAt(text + span) != second.size()) return 0;
  return span + second.size();
}

}  // namespace

std::size_t LetterBytesAt(const unsigned char* text) {
  const int letter = LongestMatch(kLetters, text);
  return letter < 0 ? 0 : kLetters[static_cast<std::size_t>(letter)].m_letters.size();
}

bool IsMarkerByte(unsigned char byte) {
  return byte == '-' || byte == '`' || IsDroppedMarkerByte(byte);
}

bool IsDroppedMarkerByte(unsigned char byte) {
  switch (byte) {
    case '%':
    case '4':
    case '7':
    case '9':
    case '@':
    case 0xF3:
      return true;
    default:
      return false;
  }
}

CConsonantMatch MatchConsonant(const unsigned char* text) {
  CConsonantMatch best;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < kConsonantTable.size(); ++i) {
    const std::size_t span = MatchConsonantEntry(kConsonantTable[i], text);
    // Longest by the entry's own letters; marker bytes passed over do not count.
    if (span > 0 && kConsonantTable[i].m_letters.size() > bestLength) {
      bestLength = kConsonantTable[i].m_letters.size();
      best.m_entry = static_cast<int>(i);
      best.m_span = span;
    }
  }
  return best;
}

bool TakesStemSubscriptR(unsigned char number) {
  switch (number) {
    case 1:   // kh
    case 2:   // g
    case 3:   // gh
    case 5:   // c
    case 7:   // j
    case 8:   // jh
    case 16:  // th
    case 18:  // dh
    case 19:  // n
    case 20:  // p
    case 22:  // b
    case 23:  // bh
    case 24:  // m
    case 27:  // l
    case 28:  // v
      return true;
    default:
      return false;
  }
}

}  // namespace kv
