#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

// How finding in entries reads entry text byte by byte: what FindMatches and the entries scanner
// share, so that the two read a line alike.
namespace kv::find {

// Windows-1252 as English matching reads it: every byte folded (lower case; the apostrophes
// ' ‘ ’ as "'", the dashes – — as "-") and whether it is part of a word (a letter or digit).
struct CByteTable {
  std::array<unsigned char, 256> m_fold{};
  std::array<bool, 256> m_word{};
};
const CByteTable& Bytes();

inline bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
// What ends an entry word: a space, or the end of its line.
inline bool EndsWord(char c) { return c == ' ' || IsLineEnd(c); }

// The first line-end byte of `text` at or after `from`, or the size of `text`.
inline std::size_t NextLineEnd(std::string_view text, std::size_t from) {
  const char* start = text.data() + from;
  const std::size_t span = text.size() - from;
  const void* lf = std::memchr(start, '\n', span);
  const std::size_t toLf =
      lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : span;
  const void* cr = std::memchr(start, '\r', toLf);
  return from + (cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - start) : toLf);
}

// The letters of a Sanskrit word's key, and the marker bytes that stand between letters without
// ending a member of a compound. Any other byte of the word ends a member.
inline bool IsKeyLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'';
}
inline bool IsKeyMarker(unsigned char c) {
  return c == '%' || c == '`' || c == '4' || c == '7' || c == '9' || c == '@' || c == 0xF3;
}

// True when the folded `english` stands at `at` of `text` as a whole word: the bytes before and
// after it are no word bytes (or the text ends there).
bool EnglishMatchesAt(std::string_view text, std::size_t at, std::string_view english);

// True when the entry word that begins at `start` is Sanskrit: it has "%" among its first three
// bytes, the rule of IsSanskritWord (list_strings.h), read in place.
inline bool IsSanskritWordAt(std::string_view text, std::size_t start) {
  for (std::size_t at = start; at < start + 3 && at < text.size() && !EndsWord(text[at]); ++at) {
    if (text[at] == '%') return true;
  }
  return false;
}

}  // namespace kv::find
