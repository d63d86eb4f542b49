#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Finding words in the entries: what a query is and where it matches one entry line. The scan
// over the whole entries file and the rows it lists are in entry_find.h.
//
// How an entry line is read. Its words are the runs of bytes between spaces, as the entry pane
// lays them out; a word with "%" among its first three bytes is Sanskrit (IsSanskritWord), every
// other word is English (Windows-1252). Only the first kLineLimit - 1 bytes of a line count: they
// are all the entry pane ever shows.
//
// How a query is read. The query is UTF-8 text; spaces (and tabs and line breaks) separate its
// words. Punctuation and symbols at either end of a word are dropped ("fire," and "(agni)" are
// "fire" and "agni"); a word that is nothing else is no word at all. Each word is then read two
// ways, and matches where either reading does:
// - English: the word in Windows-1252 (after canonical composition), when every character has a
//   byte there. It matches English words of the entry, case-insensitively (Windows-1252 letters,
//   "É" as "é" too), and only whole: neither the byte before the match nor the byte after it is
//   a letter or digit. So hyphens, apostrophes and punctuation end words: "blue" matches in
//   "dark-blue," and "king" in "king's"; a query word holding them ("dark-blue", "king's")
//   matches that same spelling, where the three apostrophes ' ‘ ’ are alike and so are the
//   hyphen and the two dashes – —.
// - Sanskrit: the word's search key, read as the search edit reads it (MakeSearchKey: the scheme
//   detected from the text, ITRANS when the box is ticked; HK, ITRANS, IAST, Devanagari, SLP1 ...).
//   It matches a Sanskrit word of the entry when it is the word's key (its letters: the marker
//   bytes "%", "`", "4", "7", "9", "@", 0xF3, the compound hyphens and any punctuation left out)
//   or the key of one member of the compound (the parts between hyphens or other punctuation):
//   "agni" matches "a%gni," and "%agni-hotra", "agnihotra" matches "%agni-hotra". Keys compare
//   case by case, as Harvard-Kyoto letters do ("A" is ā).
// A plain ASCII word is both: "agni" finds the English word "agni" (or "Agni") and the Sanskrit
// words whose key is agni; "fire" is no Sanskrit key (HK has no "f") and is English only; "śiva"
// and "शिव" have no Windows-1252 spelling and are Sanskrit only.

// Limits of one query; a query beyond them is refused, not cut.
inline constexpr std::size_t kMaxFindQueryBytes = 199;
inline constexpr int kMaxFindWords = 8;

enum class FindProblem : unsigned char {
  kNone,
  kNoWords,           // empty, or only spaces, punctuation and symbols
  kTooLong,           // more than kMaxFindQueryBytes bytes
  kTooManyWords,      // more than kMaxFindWords words
  kInvalidUtf8,       // the text is not UTF-8
  kControlCharacter,  // a control character other than a tab or line break
  kUnusableWord,      // a word that neither reading can match (letters of another script ...)
};

// One word of a query, in both readings; either may be empty, not both.
struct CFindWord {
  std::string m_text;      // as typed, without the punctuation around it (UTF-8)
  std::string m_english;   // lower-case Windows-1252 bytes, apostrophes and dashes unified
  std::string m_sanskrit;  // the search key in internal letters
};

class CFindQuery {
 public:
  // Reads `text`; `itrans` is the state of the "ITRANS 5.2" box (or `kvdict find --itrans`).
  static CFindQuery Parse(std::string_view text, bool itrans);

  bool Ok() const { return m_problem == FindProblem::kNone; }
  FindProblem Problem() const { return m_problem; }
  // One line for a status line or the command line, without a full stop: "Enter a word to
  // find", "The text is not UTF-8 (byte 3)", "\"Ωμέγα\" is neither English nor Sanskrit" ...
  std::string Message() const;
  const std::vector<CFindWord>& Words() const { return m_words; }

 private:
  FindProblem m_problem = FindProblem::kNoWords;
  std::size_t m_at = 0;      // byte offset of the character at fault
  std::string m_faultyWord;  // the word of kUnusableWord
  std::vector<CFindWord> m_words;
};

// One match in an entry line: the bytes [m_begin, m_end) of the line, and the query word that
// matched there. An English match covers the matched spelling; a Sanskrit match covers the
// letters of the word or member (from its first letter to its last, markers between them
// included), never the space before it or the punctuation around it.
struct CMatchRange {
  int m_begin = 0;
  int m_end = 0;
  int m_word = 0;  // index into CFindQuery::Words()
};

// Every match of `query` in `entry` (an entry line as read, or its first kLineLimit - 1 bytes),
// in order of m_begin (then of m_word: two query words can match at one place). This is what the
// entry pane marks: a laid-out word is marked when its bytes meet a range.
std::vector<CMatchRange> FindMatches(const CFindQuery& query, std::string_view entry);

}  // namespace kv
