#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The body of a Cologne record made into an entry line: readable English in Windows-1252 with
// every Sanskrit word marked by a "%" right after its leading space, in internal letters, so
// that the entry pane shows it in IAST; sense divisions become the pane's paragraph breaks.

// The characters an entry line cannot hold as they stand, by what is done with them.
enum class Replacement : unsigned char {
  kGreek,           // Greek letters, written in Latin letters
  kMarkedLetter,    // letters with marks Windows-1252 lacks, written without the marks
  kRootSign,        // the root sign, written "root"
  kDevanagariSign,  // dandas and Devanagari digits, written "|", "||" and ASCII digits
  kVedicLetter,     // the Vedic SLP1 letters L and |, written as the d and dh they stand for
  kSemicolon,       // a ";" of the text, written "," so that it does not break a paragraph
  kPercentSign,     // "%", written "percent" so that no English word reads as Sanskrit
  kControl,         // control characters, written as a space
  kFormat,          // invisible format characters (zero-width spaces, ...), left out
  kOther,           // anything else, written "?"
  kCount
};
inline constexpr std::size_t kReplacementKinds = static_cast<std::size_t>(Replacement::kCount);

// What each kind is called in a report: "Greek letters transliterated", ...
std::string_view ReplacementName(Replacement kind);

struct CReplacements {
  std::array<long long, kReplacementKinds> m_counts{};

  void Count(Replacement kind, long long count = 1) {
    m_counts[static_cast<std::size_t>(kind)] += count;
  }
  void Add(const CReplacements& other);
  long long Total() const;
};

// Builds an entry line word by word. Plain bytes and Sanskrit letters that follow each other
// without a space make one word; such a word is written as one Sanskrit word ("%" first) when
// its plain bytes are only punctuation the transliteration leaves alone, otherwise the
// Sanskrit and the other parts are written as words of their own, so that no letter is
// transliterated that is not Sanskrit and no digit is dropped.
class CEntryWriter {
 public:
  // One byte of plain Windows-1252 text (not a space).
  void PlainByte(char byte);
  void PlainBytes(std::string_view bytes);
  // Sanskrit in internal letters (hyphens and avagrahas among them).
  void Sanskrit(std::string_view internal);
  // Ends the word in progress.
  void Space();
  // Ends the paragraph: the next word begins a new one (" ; " between them).
  void Break();
  // The entry line so far, the word in progress included; the writer starts again empty.
  std::string Finish();

 private:
  struct CPiece {
    std::size_t m_begin;
    bool m_sanskrit;
  };
  void EndWord();
  void Emit(std::string_view bytes, bool sanskrit);

  std::string m_text;
  std::string m_word;
  std::vector<CPiece> m_pieces;
  bool m_wordHasSanskrit = false;
  bool m_breakPending = false;
};

// Where a body cannot be read, and why.
struct CBodyProblem {
  std::size_t m_at = 0;  // byte offset in the body
  std::string m_reason;
};

// Converts a record body (UTF-8, lines joined by '\n') into `writer`:
// - Sanskrit in SLP1 (<s>...</s>, {#...#}) and in IAST (<s1>...</s1>, any word with an IAST
//   letter such as ā or ṣ, and in bold {@...@} and italics {%...%} also a word with an accented
//   vowel) and Devanagari words become Sanskrit words; other text is written as it stands,
//   with the replacements counted in `replaced`;
// - tags vanish and keep their text (abbreviations, sources, grammar labels), except the
//   bookkeeping tags (<info/>, <pb/>, <pcol>, <srs/>, <shortlong/>, <lbinfo/>), whose text
//   vanishes with them, as do page marks "[Page...]";
// - <div> and the bar U+00A6 begin a new paragraph.
// False, with `problem` set, for unbalanced markup, SLP1 letters outside the alphabet, text
// that is not UTF-8 and NUL bytes; `writer` and `replaced` then hold a part of the body.
bool ConvertBody(std::string_view body, CEntryWriter& writer, CReplacements& replaced,
                 CBodyProblem& problem);

}  // namespace kv
