#pragma once

#include <string_view>

namespace kv {

// A found-list row holds one list string with its closing 0xA0 and terminator.
inline constexpr int kRowBytes = 100;
// Segment arrays hold up to kMaxSegments segments and the end marker.
inline constexpr int kSegmentBytes = 300;
inline constexpr int kMaxSegments = kSegmentBytes - 1;

inline constexpr unsigned char kTypeVowel = 0x10;
inline constexpr unsigned char kTypeFirstConsonant = 0x20;
inline constexpr unsigned char kTypeFirstVowel = 0x30;
inline constexpr unsigned char kTypeLast = 0x40;
inline constexpr unsigned char kEndMarker = 0xFF;

// Writes the transliteration string (IITS font codes, closed by 0xA0) of `text` into `dest`,
// a buffer of `destSize` bytes. A string that would not fit is cut after a whole letter and
// still ends with 0xA0 and its terminator. A destSize of 1 gets the terminator alone, and a
// destSize below 1 (or a null dest) nothing, as in the other two writers below.
void Transliterate(const char* text, char* dest, int destSize);

// Divides an index line into vowel and consonant segments. `types` and `numbers` are
// kSegmentBytes-byte arrays; the list ends with kEndMarker in both. Bytes that begin no letter
// make no segment, leading ones included, and letters past kMaxSegments are left out.
void SegmentLine(const char* line, unsigned char* types, unsigned char* numbers);

// Composes the Devanagari string (Xdvng font codes, closed by 0xA0) of a segment list into
// `dest`, a buffer of `destSize` bytes, cut at a whole glyph when it would not fit.
void ComposeDevanagari(const unsigned char* types, const unsigned char* numbers, char* dest,
                       int destSize);

// Both list strings of an index line, each into a buffer of `destSize` bytes.
void MakeListStrings(const char* indexLine, char* translit, char* devanagari, int destSize);

// Work buffer of one entry word, and of its transliteration, terminator included. A longer
// word is transliterated cut to kMaxWordLength bytes.
inline constexpr int kWordBytes = 200;
inline constexpr int kMaxWordLength = kWordBytes - 1;

// True when an entry word (as stored, with the space that separates it from the word before,
// if it has one) is Sanskrit: it carries the marker '%' among its first three characters
// after that space.
bool IsSanskritWord(std::string_view word);

// The transliteration string of an entry word, written into `converted` (kWordBytes bytes).
std::string_view TransliterateWord(std::string_view word, char* converted);

}  // namespace kv
