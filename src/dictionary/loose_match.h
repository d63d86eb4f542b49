#pragma once

#include <cstddef>
#include <string_view>

namespace kv {

// Loose matching: a headword matches a loose key when the key, folded, begins the headword,
// folded. Both sides go through FoldLetters, so the fold is defined once, here and in the
// m_folded column of the letter table (letter_tables.h):
//
//   letters                     fold    so that
//   a A                         a       long and short vowels are alike
//   i I                         i
//   u U                         u
//   R RR                        r       dots are ignored: ṛ ṝ read as r
//   lR lRR                      l
//   e ai o au                   e ai o au
//   H                           h       ḥ as h
//   M                           m       ṃ as m (but see the nasal rule)
//   G J N n                     n       ṅ ñ ṇ n alike
//   T Th D Dh                   t th d dh
//   z S s                       s       ś ṣ s alike
//   every other consonant       itself  (aspirates stay: k and kh differ)
//   "'" (avagraha), markers     nothing
//
// and five rules on the folded letters, each looking only at what is before it, so that the
// fold of the beginning of a word is the beginning of the word's fold:
// 1. "ri" is ṛ: an i or I right after an r (of r, R or RR) is left out, so "krishna",
//    "krsna" and kRSNa all fold to "krsna", "rishi" and RSi to "rsi". (The price: "hari" folds
//    to "har" and so also begins "hara".)
// 2. "sh" is ś and ṣ: an h (the consonant) right after z, S or s is left out, so "shiva" and
//    ziva fold to "siva", "ksh" to "ks".
// 3. An a, i, u, e or o right after the same folded vowel is left out: "raama" is "rAma".
// 4. The anusvara and m before a consonant are the nasal of that consonant: M and m fold to n
//    when the next letter folds to a consonant, ṛ and ḷ included, as "ri" may spell them
//    ("saMskRta", "samskrta" and "sanskrit" fold alike; so do "samRddhi" and "samriddhi").
//    This rule looks at the next letter; a key that ends in m cannot, so LooseMatches lets a
//    key's last m stand for an n before a consonant.
// 5. A G or J that begins the text folds to g or j: ṅ and ñ begin no Sanskrit word, so there
//    they are a capital typed for g or j ("Gita", "Jaya"; "Krishna", "Brahma" and other
//    capitals that are no internal letters are read as IAST, see DetectScheme).
// and one rule of the typed key alone (FoldKey):
// 6. A final ḥ is left out: headwords are stems, and the visarga is the ending of the form a
//    word is usually quoted in ("dharmaḥ", "रामः" and dharmaH fold to "dharma", "rama").
// Case counts only as the letters define it: the fold works on letters, not bytes. A typed key
// is first read into internal letters (script_input.h), so capitals and diacritics of IAST and
// Devanagari are gone before the fold.
//
// FoldLetters reads internal letters as the list strings do (longest letter first) and passes
// over every byte that begins no letter (marker bytes, spaces, the avagraha): an index line and
// a key fold alike. A marker byte inside a two-byte letter splits it ("l-R" is l + R, not lR),
// which only the ḷ and ṝ can notice, and no real headword does.

// Folds `text` into `out`, at most `outSize` bytes (no terminator); returns the length of the
// fold (a byte after it, inside `outSize`, may have been written too). The fold is never
// longer than its text.
std::size_t FoldLetters(std::string_view text, char* out, std::size_t outSize);

// FoldLetters of a typed key, with rule 6: its last H (the visarga) left out.
std::size_t FoldKey(std::string_view key, char* out, std::size_t outSize);

// True when `foldedKey` begins `foldedHeadword`, the key's last m also standing for an n that
// is followed by a consonant in the headword (rule 4 above).
bool LooseMatches(std::string_view foldedHeadword, std::string_view foldedKey);

// False only when no headword of a bucket whose key line is `keyLine` can loosely match
// `foldedKey`: a bucket's headwords begin with its key line's letters, so their folds begin
// with the key line's fold, except that its last m may be an n (rule 4). The loose search
// reads only the buckets this lets through.
bool LooseBucketMayMatch(std::string_view keyLine, std::string_view foldedKey);

// True when `foldedKey` (CSearchKey::m_folded) loosely matches the headword of `indexLine`:
// folds only as much of the line as the comparison needs, into a buffer on the stack.
bool LooseKeyMatches(std::string_view indexLine, std::string_view foldedKey);

}  // namespace kv
