#pragma once

#include <string>
#include <string_view>

namespace kv {

// Internal letters (Harvard-Kyoto, as the data files and search keys spell them) written out
// as Unicode IAST, Unicode Devanagari or SLP1, letter by letter from the one letter table
// (letter_tables.h). The text is read as the glyph-code conversions read it: at each place
// the longest internal letter wins. Each writer appends to `out` and allocates nothing else,
// so a caller that keeps its string reuses the memory from one text to the next. The marker
// bytes that the writers leave out are read through, also inside a letter: an entry marks a
// Sanskrit word after its first byte ("d%harma", "b%hagavadgItA"), which is no letter break.
//
// Bytes that begin no letter:
// - "%", "4", "7", "9", "@" and 0xF3 (the marker bytes that the transliteration leaves out)
//   are left out;
// - the apostrophe is the avagraha: "'" in IAST and SLP1, U+093D in Devanagari;
// - everything else (the compound hyphen "-", "`", spaces, punctuation) is copied, a byte
//   above 0x7F read as Windows-1252, the code page of the entry text.
//
// Reading Unicode text back into internal letters is ReadText (script_input.h). For a text of
// internal letters, hyphens and spaces, ReadText gives back the same bytes from the IAST and
// SLP1 this writes, and from the Devanagari with MarkerBytes::kShow.

// IAST (NFC). An index line gives what the found list shows in transliteration ("dharma-zAstra"
// -> "dharma-śāstra"); a Sanskrit word of an entry as stored (" k%RSNa-kaTukA,") gives what the
// entry pane shows (" kṛṣṇa-kaṭukā,"), the text that copying that word should put on the
// clipboard. Unlike the IITS font, which has one code for ṅ and ñ, every letter is its own.
void AppendIast(std::string_view internal, std::string& out);

// SLP1, for the same texts (ASCII out for ASCII in).
void AppendSlp1(std::string_view internal, std::string& out);

// How the Devanagari writer treats the marker bytes between letters.
enum class MarkerBytes : unsigned char {
  // An index line in the found list or `kvdict lookup`: every marker byte ("-", "`" too) is
  // passed over and the letters on both sides join as one word, so a compound is spelled as
  // Devanagari writes it: "dharma-zAstra" -> धर्मशास्त्र, "ad-bhuta" -> अद्भुत.
  kJoin,
  // A Sanskrit word of an entry, shown beside its IAST: markers as AppendIast treats them,
  // so "-" and "`" stay and end the word before them ("ad-bhuta" -> अद्-भुत).
  kShow,
};

// Unicode Devanagari spelled from the letters: consonants of a cluster joined by the virama,
// a vowel after a consonant as its sign, an independent vowel where a word begins and after
// another vowel, the virama after a consonant that ends a word (or stands before the anusvara,
// visarga or avagraha, which keeps "kM" apart from "kaM"), U+0902 for M, U+0903 for H. The
// text is left to the font to shape (conjuncts, the reph, the i-sign before its cluster), so
// every cluster comes out right, unlike the glyph codes of the list strings.
void AppendDevanagari(std::string_view internal, MarkerBytes markers, std::string& out);

}  // namespace kv
