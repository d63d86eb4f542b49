#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary/itrans.h"

namespace kv {

// Sanskrit typed or pasted in any script, read into the internal letters (Harvard-Kyoto, as
// the data spells them) and made into a search key.
//
// What every scheme accepts besides its letters:
// - spaces (any Unicode space, tab, CR, LF) and hyphens ("-", U+2010 to U+2014) between words;
// - the avagraha: "'" or U+2019 or U+02BC (U+093D in Devanagari), internal "'";
// - "`", a marker byte of the index, which is passed over;
// - zero-width joiners and non-joiners, soft hyphens and byte-order marks, passed over;
// - accents, passed over: the Vedic accent marks U+0951 to U+0954, the marks of U+1CD0 to
//   U+1CFF and U+A8E0 to U+A8F1, and in IAST the acute, grave and circumflex (and the other
//   marks listed at ReadText) on a vowel.
// Refused, with the reason and the byte offset of the first character at fault: text that is
// not UTF-8; control characters; digits (ASCII, Devanagari, any other); the danda and double
// danda (and "|"); letters of other scripts; Devanagari together with Latin letters; anything
// else the scheme has no letter for (punctuation, symbols, "f" in IAST, "x" in HK, ...).

enum class Scheme : unsigned char {
  kHk,          // the internal letters themselves (ASCII)
  kItrans,      // ITRANS as ConvertItrans reads it (ASCII)
  kIast,        // IAST (Unicode, any normalisation, any case)
  kDevanagari,  // Devanagari (Unicode)
  kSlp1,        // SLP1 (ASCII)
};

// "hk", "itrans", "iast", "deva", "slp1": the names `kvdict --scheme` takes.
std::string_view SchemeName(Scheme scheme);
// False (and `scheme` untouched) for a name that is none of them.
bool ParseSchemeName(std::string_view name, Scheme& scheme);

enum class TextProblem : unsigned char {
  kNone,
  kInvalidUtf8,
  kControlCharacter,
  kDigit,
  kDanda,
  kOtherScript,   // letters of a script other than Latin and Devanagari
  kMixedScripts,  // Devanagari together with Latin letters
  kLatinInDevanagari,  // a Latin letter in a text read as Devanagari
  kDevanagariInLatin,  // a Devanagari letter in a text read in Latin letters
  kNotALetter,    // punctuation, symbols, or a letter the scheme has no use for
  kTooLong,       // the key would be longer than kKeyBytes - 1 bytes
};

// A short English reason a status line or `kvdict` can print: "not valid UTF-8", "digits are
// not letters", ... (lower case, no full stop).
std::string_view ProblemText(TextProblem problem);

struct CReadResult {
  TextProblem m_problem = TextProblem::kNone;
  std::size_t m_at = 0;  // byte offset in the text of the character at fault
  bool Ok() const { return m_problem == TextProblem::kNone; }
};

// Reads `text` (UTF-8) written in `scheme` and appends its internal letters to `internal`;
// a space or hyphen between words is appended as " " or "-", the avagraha as "'", and nothing
// else. On a refusal `internal` holds what was read before the character at fault.
//
// IAST is read letter by letter after canonical decomposition, so NFC and NFD are alike, and
// upper case is read as lower case. Besides the IAST letters (ā ī ū ṛ ṝ ḷ ḹ ṃ ḥ ṅ ñ ṭ ḍ ṇ ś ṣ)
// it reads the forms real text holds: ṁ (and m̐, ṁ̐) as ṃ; r̥ r̥̄ l̥ l̥̄ (ring below) as ṛ ṝ ḷ ḹ;
// ẖ and ḫ as ḥ; ē ō as e o; a vowel with a candrabindu (U+0310) as the vowel and ṃ. On a vowel
// the acute, grave, circumflex, diaeresis, breve, inverted breve and vertical line above are
// accents and are passed over; an acute on s makes ś, on another consonant it is passed over.
//
// Devanagari: consonants with their inherent a, vowel signs, the virama, the independent
// vowels, ं (and the candrabindu ँ, read as ं), ः (and the Vedic signs U+1CF2, U+1CF3, U+1CF5,
// U+1CF6, read as ः), ऽ and ॐ ("oM"). Nukta letters and the vowels of other languages (ऍ, ऑ,
// ...) are no Sanskrit letters.
//
// ITRANS is converted step by step as ConvertItrans does (ItransStep), and what it gives must
// be internal letters. SLP1 reads "~" (candrabindu) as M and passes over its accents "/",
// "\" and "^".
CReadResult ReadText(std::string_view text, Scheme scheme, std::string& internal);

// The scheme a search text is read in, as the search edit decides it:
// - Devanagari when it holds Devanagari letters;
// - IAST when it holds IAST letters (a Latin letter with a diacritic, in any normalisation);
// - ITRANS when `itransTicked` (the "ITRANS 5.2" box);
// - otherwise the internal letters; but an ASCII text with a letter that is no internal
//   letter while all its letters are IAST letters ("Krishna", "Brahma": a capital K or B is
//   no internal letter) is read as IAST without diacritics.
// Refusals found while deciding (not UTF-8, control characters, digits, dandas, letters of
// other scripts, mixed scripts) come back in `m_result` with kHk as the scheme.
struct CSchemeChoice {
  Scheme m_scheme = Scheme::kHk;
  CReadResult m_result;
};
CSchemeChoice DetectScheme(std::string_view text, bool itransTicked);

// A search key read from a typed text: the internal letters without the spaces, hyphens and
// marker bytes between them (the index's own matching passes over its marker bytes), ready for
// the headword search (KeyMatches), and its loose form (FoldKey, loose_match.h).
//
// For a text that is ASCII internal letters alone, without spaces and hyphens, m_key is the
// text byte for byte, and with the ITRANS box ticked it is ConvertItrans of the text, so
// every search that worked before gives the same key. "dharma-zAstra", "dharma zAstra",
// "dharma śāstra", "dharma-śāstra", "DHARMAŚĀSTRA" and "धर्मशास्त्र" all give "dharmazAstra".
//
// An empty key without a refusal means the text holds no letter (empty, or only spaces and
// hyphens): the search edit's "Enter Text". A refusal leaves both keys empty.
struct CSearchKey {
  Scheme m_scheme = Scheme::kHk;  // how the text was read
  CReadResult m_result;
  char m_key[kKeyBytes] = {};
  char m_folded[kKeyBytes] = {};

  bool Ok() const { return m_result.Ok(); }
  bool Empty() const { return m_key[0] == '\0'; }
};

// The key of a search edit's text, the scheme detected as DetectScheme does.
CSearchKey MakeSearchKey(std::string_view text, bool itransTicked);
// The key of a text in a scheme the caller chose (`kvdict --scheme`).
CSearchKey MakeSearchKeyAs(std::string_view text, Scheme scheme);

// "Harvard-Kyoto", "ITRANS", "IAST", "Devanagari", "SLP1": a scheme as a user knows it.
std::string_view SchemeTitle(Scheme scheme);

// Why `key`, read from `text`, was refused, in one line that `kvdict` prints and the search
// bar shows: the reason, then the character at fault with its place in the text, counted in
// characters from 1. A character that cannot be shown is written as its code point:
//   digits are not letters: "1" at character 7
//   control character U+0007 at character 3
//   not valid UTF-8 at byte 4
//   not a letter of the scheme: "x" at character 2 (read as Harvard-Kyoto)
std::string RefusalText(std::string_view text, const CSearchKey& key);

// How a search text reads, for the user to check (the search bar's tooltip): the scheme, the
// key in IAST and Devanagari and in the internal letters, and the loose key; or the refusal;
// or, for a text without letters, what may be typed.
std::string DescribeReading(std::string_view text, const CSearchKey& key);

}  // namespace kv
