#include "dictionary/decoders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/list_strings.h"
#include "test_files.h"

namespace kv {
namespace {

using test::Hex;

// Bytes from hex pairs: "65 6B A0" -> {0x65, 0x6B, 0xA0}.
std::string Bytes(std::string_view spaced) {
  std::string out;
  for (size_t place = 0; place < spaced.size(); ++place) {
    if (spaced[place] == ' ') continue;
    out += static_cast<char>(std::stoi(std::string(spaced.substr(place, 2)), nullptr, 16));
    ++place;
  }
  return out;
}

// The code points of `text`, or nothing when it is not well-formed UTF-8 (truncated,
// overlong, a surrogate or beyond U+10FFFF).
std::optional<std::u32string> CodePoints(std::string_view text) {
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  std::u32string out;
  for (size_t place = 0; place < text.size();) {
    const auto lead = static_cast<unsigned char>(text[place]);
    const size_t length = lead < 0x80             ? 1
                          : (lead & 0xE0) == 0xC0 ? 2
                          : (lead & 0xF0) == 0xE0 ? 3
                          : (lead & 0xF8) == 0xF0 ? 4
                                                  : 0;
    if (length == 0 || place + length > text.size()) return std::nullopt;
    char32_t value = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t more = 1; more < length; ++more) {
      const auto next = static_cast<unsigned char>(text[place + more]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      value = (value << 6) | (next & 0x3Fu);
    }
    if (value < kLeast[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      return std::nullopt;
    }
    out += value;
    place += length;
  }
  return out;
}

TEST(XdvngDecoderTest, ReadsHandCheckedCodes) {
  const char* const rows[] = {
      "65 6B 6D 3A CE A0 = किम्", "41 6B FC A0 = अर्क", "67 3A D9 2C A0 = गुरु", "6B 65 76 3A A0 = कवि",
      "73 3A F6 73 6B E1 74 3A A0 = संस्कृत", "29 A0 = प्र", "73 D3 A0 = स्र", "62 3A D2 A0 = ब्र",
      "78 3A A0 = क्ष", "74 54 3A A0 = त्थ", "6B 65 76 3A = कवि",  // the closing A0 is optional
      " = ",
      // Independent vowels, the two-byte forms first, and the signs of every other vowel.
      "41 A0 = अ", "41 3A 70 3A A0 = आप", "41 3C 6B A0 = ओक", "41 3E 5C 3A 44 3A A0 = औषध",
      "4F F0 78 79 3A A0 = ऐक्ष्य", "45 65 74 3A A0 = इति", "3D A0 = ॡ", "6B ED A0 = कॣ",
      "67 3A 61 67 3A 69 67 3A DD 67 3A E5 67 3A F0 67 3A F2 67 3A 3C 67 3A 3E A0 = गागीगूगॄगेगैगोगौ",
      // Visarga at the end; the anusvara marks the syllable before it, also a word-final M
      // whose virama has nothing to silence.
      "72 61 6D 3A 48 A0 = रामः", "41 68 F6 CE A0 = अहं", "41 F6 53 3A A0 = अंश", "2D 70 3A A0 = रूप",
      // The i-sign waits past an anusvara for the next cluster.
      "65 6B 65 F6 63 3A 74 3A CE A0 = किंचित्", "65 73 3A F6 68 A0 = सिंह",
      // The reph goes to the front of the whole cluster, also when read after its first half
      // form, after a closing virama, or between a half form and its stem before a subscript r.
      "41 54 FC 79 3A A0 = अर्थ्य", "41 65 54 3A FC A0 = अर्थि", "6B 6D 3A CE FC A0 = कर्म्",
      "55 6A 3A CE FC A0 = ऊर्ज्", "41 78 3A FC A0 = अर्क्ष", "41 62 FC 3A D2 A0 = अर्ब्र",
      "41 64 FC D3 A0 = अर्द्र",
      // Subscript r after a glyph whose half form is its full form, and after a conjunct.
      "6E 64 D3 A0 = न्द्र", "58 D3 A0 = ट्र", "B6 D3 A0 = त्त्र", "65 67 3A D2 A0 = ग्रि",
      "73 D3 D9 A0 = स्रु",
      // An M before r: the anusvara is no cluster, so the r that follows is a letter of its own.
      "73 3A F6 D3 78 3A 4E 3A A0 = संरक्षण",
      // Half forms with no stem of their own (k, ph) and conjunct glyphs; a glyph whose half
      // and full forms are one reads as the full letter ('chmi' reads chim).
      "56 74 3A 5B 79 3A 50 A0 = क्तफ्यफ", "BD 77 C5 A9 CB 23 27 A0 = द्यज्ञष्ठङ्यह्रक्रफ्र",
      "65 43 6D 3A A0 = छिम",
      // Stray and unknown codes, and codes with nothing to attach to; a stray stem after a
      // full form reads as the sign of A, as the font shows it.
      "6B 20 6B = क\uFFFDक", "CA 00 FF = \uFFFD\uFFFD\uFFFD", "FC 6B = र्क", "D3 61 = रा", "3A = ा",
      "CE 41 CE = अ", "6B 65 = कि", "56 A0 = क्", "64 3A = दा"};
  for (const char* row : rows) {
    const auto [codes, text] = test::SplitRow(row);
    EXPECT_EQ(DecodeXdvng(Bytes(codes)), text) << codes;
  }
}

TEST(XdvngDecoderTest, ArbitraryBytesGiveWellFormedUtf8) {
  for (int first = 0; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      const std::string codes{static_cast<char>(first), static_cast<char>(second)};
      ASSERT_TRUE(CodePoints(DecodeXdvng(codes))) << Hex(codes);
    }
  }
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 40);
  for (int round = 0; round < 20000; ++round) {
    std::string codes;
    for (int place = length(random); place > 0; --place) codes += static_cast<char>(byte(random));
    ASSERT_TRUE(CodePoints(DecodeXdvng(codes))) << Hex(codes);
    ASSERT_TRUE(CodePoints(DecodeIits(codes))) << Hex(codes);
  }
}

TEST(IitsDecoderTest, ReadsLettersNasalsAndOtherHighBytes) {
  for (const char* row :
       {"6B C1 BF BA 61 A0 = kṛṣṇa\u00A0", "72 A4 2D 6D 61 A0 = rā-ma\u00A0",
        "A4 AF B6 C1 A2 A5 A6 C6 C7 B7 B9 BA BD BF = āīūṛṝḷḹṃḥṭḍṇśṣ", "B7 68 B9 68 = ṭhḍh", " = ",
        // The shared nasal F1 reads by what follows.
        "61 F1 6B 61 = aṅka", "F1 6B 68 F1 67 F1 67 68 = ṅkhṅgṅgh",
        "61 F1 63 61 F1 6A F1 A0 = añcañjñ\u00A0", "F1 = ñ", "F1 4B = ñK",
        // Other high bytes are Windows-1252.
        "80 E9 A3 FF = €é£ÿ"}) {
    const auto [codes, text] = test::SplitRow(row);
    EXPECT_EQ(DecodeIits(Bytes(codes)), text) << codes;
  }
  EXPECT_EQ(DecodeIits("abc 123 -`.%"), "abc 123 -`.%");
  // Every byte decodes alone to exactly one code point.
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(CodePoints(DecodeIits(std::string(1, static_cast<char>(byte)))).value().size(), 1u)
        << byte;
  }
}

TEST(Windows1252DecoderTest, MapsEveryByteToItsOwnCodePoint) {
  EXPECT_EQ(DecodeWindows1252("Arial text, 1-2."), "Arial text, 1-2.");
  EXPECT_EQ(DecodeWindows1252(Bytes("80 82 83 84 85 86 87 88 89 8A 8B 8C 8E")), "€‚ƒ„…†‡ˆ‰Š‹ŒŽ");
  EXPECT_EQ(DecodeWindows1252(Bytes("91 92 93 94 95 96 97 98 99 9A 9B 9C 9E 9F")),
            "‘’“”•–—˜™š›œžŸ");
  EXPECT_EQ(DecodeWindows1252(Bytes("81 8D 8F 90 9D")), "\u0081\u008D\u008F\u0090\u009D");
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::u32string codePoints = CodePoints(DecodeWindows1252(all)).value();
  ASSERT_EQ(codePoints.size(), 256u);
  EXPECT_EQ(std::set<char32_t>(codePoints.begin(), codePoints.end()).size(), 256u);
  for (int byte = 0; byte < 256; ++byte) {
    if (byte < 0x80 || byte >= 0xA0) {
      EXPECT_EQ(codePoints[static_cast<size_t>(byte)], static_cast<char32_t>(byte));
    }
  }
}

// ---- Composed words read back: a small speller of our own, independent of the font tables.

struct SLetter {
  std::string_view name;         // the internal letters
  std::string_view independent;  // a vowel's letter, a consonant, or the mark of M and H
  std::string_view sign;         // a vowel's sign after a consonant
  bool vowel;
};

constexpr SLetter kVowels[] = {
    {"a", "अ", "", true},  {"A", "आ", "ा", true},  {"i", "इ", "ि", true}, {"I", "ई", "ी", true},
    {"u", "उ", "ु", true},  {"U", "ऊ", "ू", true},   {"R", "ऋ", "ृ", true},  {"RR", "ॠ", "ॄ", true},
    {"lR", "ऌ", "ॢ", true}, {"lRR", "ॡ", "ॣ", true}, {"e", "ए", "े", true},  {"ai", "ऐ", "ै", true},
    {"o", "ओ", "ो", true}, {"au", "औ", "ौ", true},
};

constexpr SLetter kConsonants[] = {
    {"k", "क", "", false},  {"kh", "ख", "", false}, {"g", "ग", "", false},  {"gh", "घ", "", false},
    {"G", "ङ", "", false},  {"c", "च", "", false},  {"ch", "छ", "", false}, {"j", "ज", "", false},
    {"jh", "झ", "", false}, {"J", "ञ", "", false},  {"T", "ट", "", false},  {"Th", "ठ", "", false},
    {"D", "ड", "", false},  {"Dh", "ढ", "", false}, {"N", "ण", "", false},  {"t", "त", "", false},
    {"th", "थ", "", false}, {"d", "द", "", false},  {"dh", "ध", "", false}, {"n", "न", "", false},
    {"p", "प", "", false},  {"ph", "फ", "", false}, {"b", "ब", "", false},  {"bh", "भ", "", false},
    {"m", "म", "", false},  {"y", "य", "", false},  {"r", "र", "", false},  {"l", "ल", "", false},
    {"v", "व", "", false},  {"z", "श", "", false},  {"S", "ष", "", false},  {"s", "स", "", false},
    {"h", "ह", "", false},
};

constexpr SLetter kAnusvara = {"M", "ं", "", false};
constexpr SLetter kVisarga = {"H", "ः", "", true};
constexpr std::string_view kViramaText = "्";

// The font's consonant glyphs by letters: those with a half form distinct from the full form
// and those without. A cluster reads back only where each consonant but the last has one.
constexpr std::string_view kOwnHalfForm[] = {
    "k",  "kh", "g", "gh", "c", "j", "jh", "J", "N",  "t",  "th", "dh",  "n",  "p",  "ph", "b",
    "bh", "m",  "y", "l",  "v", "z", "S",  "s", "kS", "tr", "tt", "dhn", "zc", "zr", "zv", "tth",
};
constexpr std::string_view kNoOwnHalfForm[] = {
    "G",   "ch",  "T",   "Th",  "D",  "Dh",  "d",  "r",   "h",   "M",  "kr",  "jJ", "Gk",
    "Gkh", "Gg",  "Ggh", "GG",  "Gn", "Gm",  "Gy", "chy", "Tk",  "TT", "TTh", "Ty", "Thy",
    "Dg",  "Dgh", "DD",  "Dm",  "Dy", "Dhy", "dg", "dd",  "ddh", "db", "dbh", "dm", "dy",
    "dv",  "nn",  "ST",  "STh", "hy", "hN",  "hn", "hm",  "hr",  "hl", "hv",  "pr", "phr",
};

using GlyphList = std::span<const std::string_view>;
const GlyphList kGlyphLists[] = {kOwnHalfForm, kNoOwnHalfForm};

bool HasNoOwnHalfForm(std::string_view glyph) {
  return std::ranges::find(kNoOwnHalfForm, glyph) != std::end(kNoOwnHalfForm);
}

// The consonant glyph whose letters are the longest prefix of `run`.
std::string_view LongestGlyph(std::string_view run) {
  std::string_view best;
  for (const auto& names : kGlyphLists) {
    for (const std::string_view name : names) {
      if (name.size() > best.size() && run.starts_with(name)) best = name;
    }
  }
  return best;
}

using Word = std::vector<const SLetter*>;

std::string Join(const Word& word) {
  std::string out;
  for (const SLetter* letter : word) out += letter->name;
  return out;
}

// Reads the letters of `text` longest first, as the search and the segmentation do.
Word SplitLetters(std::string_view text) {
  static const Word kAll = [] {
    Word all{&kAnusvara, &kVisarga};
    for (const SLetter& letter : kVowels) all.push_back(&letter);
    for (const SLetter& letter : kConsonants) all.push_back(&letter);
    return all;
  }();
  Word out;
  for (size_t place = 0; place < text.size(); place += out.back()->name.size()) {
    const SLetter* best = nullptr;
    for (const SLetter* letter : kAll) {
      if (text.substr(place).starts_with(letter->name) &&
          (best == nullptr || letter->name.size() > best->name.size())) {
        best = letter;
      }
    }
    if (best == nullptr) return {};
    out.push_back(best);
  }
  return out;
}

// The Unicode spelling of a word, letter by letter.
std::string Spell(const Word& word) {
  std::string out;
  for (size_t place = 0; place < word.size(); ++place) {
    const SLetter& letter = *word[place];
    const bool vowelSign = letter.vowel && &letter != &kVisarga && place > 0;
    out += vowelSign ? letter.sign : letter.independent;
    const bool consonant = !letter.vowel && &letter != &kAnusvara;
    if (consonant &&
        (place + 1 == word.size() || (!word[place + 1]->vowel && word[place + 1] != &kAnusvara))) {
      out += kViramaText;
    }
  }
  return out;
}

// False for the words the font's glyph codes cannot spell back: a cluster whose consonant
// before the last has no half form of its own (and is no conjunct glyph), an r between two
// consonants or doubled, a word-initial r before a consonant; also words whose letters the
// glyph matching would split differently (a 'dg' glyph eating the d of 'dgh', an 'hl' glyph
// the l of 'lR').
bool ReadsBack(const Word& word) {
  const std::string text = Join(word);
  if (SplitLetters(text) != word) return false;
  size_t offset = 0;  // the bytes of `text` before `place`
  for (size_t place = 0; place < word.size();) {
    if (word[place]->vowel) {
      offset += word[place++]->name.size();
      continue;
    }
    const bool atStart = place == 0;
    std::set<size_t> boundaries{0};
    size_t runSize = 0;
    for (; place < word.size() && !word[place]->vowel; ++place) {
      boundaries.insert(runSize += word[place]->name.size());
    }
    const bool beforeVowel = place < word.size() && word[place] != &kVisarga;
    std::vector<std::string_view> glyphs;
    for (size_t at = 0; at < runSize; at += glyphs.back().size()) {
      glyphs.push_back(LongestGlyph(std::string_view(text).substr(offset + at)));
      if (glyphs.back().empty() || !boundaries.contains(at + glyphs.back().size())) return false;
    }
    offset += runSize;
    if (glyphs.back() == "M" && beforeVowel) return false;
    for (size_t index = 0; index + 1 < glyphs.size(); ++index) {
      const std::string_view glyph = glyphs[index];
      // A glyph without a half form is still fine before a subscript r that ends the cluster
      // before a vowel; an r before the cluster is a reph, after a vowel only and not doubled.
      const bool subscriptR = index + 2 == glyphs.size() && glyphs.back() == "r" && beforeVowel;
      if (glyph == "r"   ? atStart || index > 0 || glyphs[index + 1] == "r"
          : glyph == "M" ? atStart || index > 0
                         : HasNoOwnHalfForm(glyph) && !subscriptR) {
        return false;
      }
    }
  }
  return true;
}

Word RandomWord(std::mt19937& random) {
  // Every glyph of more than one letter, as letters.
  static const std::vector<Word> kConjuncts = [] {
    std::vector<Word> out;
    for (const auto& names : kGlyphLists) {
      for (const std::string_view name : names) {
        if (Word letters = SplitLetters(name); letters.size() > 1) out.push_back(letters);
      }
    }
    return out;
  }();
  auto below = [&](size_t count) {
    return std::uniform_int_distribution<size_t>(0, count - 1)(random);
  };
  auto consonant = [&] { return &kConsonants[below(std::size(kConsonants))]; };
  Word word;
  const size_t syllables = 1 + below(4);
  for (size_t syllable = 0; syllable < syllables; ++syllable) {
    const size_t roll = below(100);
    size_t onset = roll < 60 ? 1 : roll < 88 ? 2 : 3;
    if (syllable == 0 && below(4) == 0) onset = 0;
    if (onset > 1 && below(3) == 0) {
      // A cluster the font has a glyph for.
      const Word& letters = kConjuncts[below(kConjuncts.size())];
      word.insert(word.end(), letters.begin(), letters.end());
    } else {
      // An r before the cluster (a reph after a vowel) or after it (a subscript r).
      const SLetter* r = &kConsonants[26];
      if (syllable > 0 && below(6) == 0) word.push_back(r);
      for (size_t count = 0; count < onset; ++count) word.push_back(consonant());
      if (below(6) == 0) word.push_back(r);
    }
    // The short a is the commonest vowel by far.
    word.push_back(below(3) == 0 ? &kVowels[0] : &kVowels[below(std::size(kVowels))]);
    if (syllable + 1 < syllables && below(10) == 0) word.push_back(&kAnusvara);
  }
  const size_t coda = below(100);
  if (coda < 17) word.push_back(consonant());
  if (coda >= 12 && coda < 17) word.push_back(consonant());
  if (coda >= 17 && coda < 25) word.push_back(&kVisarga);
  if (coda >= 25 && coda < 32) word.push_back(&kAnusvara);
  return word;
}

TEST(XdvngDecoderTest, ComposedWordsReadBackAsTheirSpelling) {
  constexpr int kWords = 5000;
  constexpr int kReportedFailures = 10;
  std::mt19937 random(7);
  int words = 0;
  int failures = 0;
  // The generator reaches every grouping rule many times: reph, subscript r, i-sign,
  // anusvara, ru and the conjunct glyphs.
  struct SRule {
    std::string_view codes;
    int least;
    int seen = 0;
  } rules[] = {{"\xFC", 400},
               {"\xD2\xD3", 500},
               {"\x65", 300},
               {"\xF6", 400},
               {"\x2C\x2D", 20},
               {"\x78\x2A\x23\x77\x29\x27\xA2\xA7\xA9\xAC\xB8\xB9\xBC\xBD\xBE\xC0\xC4\xC9", 400}};
  for (int tries = 0; tries < 100000 && words < kWords; ++tries) {
    const Word word = RandomWord(random);
    if (!ReadsBack(word)) continue;
    ++words;
    const std::string letters = Join(word);
    char translit[kRowBytes];
    char devanagari[kRowBytes];
    MakeListStrings(letters.c_str(), translit, devanagari, kRowBytes);
    const std::string codes(devanagari, strnlen(devanagari, kRowBytes));
    ASSERT_TRUE(!codes.empty() && codes.back() == '\xA0') << letters << ": " << Hex(codes);
    const std::string expected = Spell(word);
    const std::string decoded = DecodeXdvng(codes);
    if (decoded != expected && ++failures <= kReportedFailures) {
      ADD_FAILURE() << letters << ": codes " << Hex(codes) << " read " << decoded << ", spelt "
                    << expected;
    }
    for (SRule& rule : rules) rule.seen += codes.find_first_of(rule.codes) != codes.npos;
  }
  EXPECT_EQ(words, kWords);
  EXPECT_EQ(failures, 0);
  for (const SRule& rule : rules) EXPECT_GT(rule.seen, rule.least) << Hex(rule.codes);
}

}  // namespace
}  // namespace kv
