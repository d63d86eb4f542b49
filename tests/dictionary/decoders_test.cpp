#include "dictionary/decoders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
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

// Reads one UTF-8 sequence at `place`; returns its length, or 0 when it is not well formed
// (truncated, overlong, a surrogate or beyond U+10FFFF).
size_t Utf8SequenceLength(std::string_view text, size_t place, char32_t* codePoint) {
  const auto lead = static_cast<unsigned char>(text[place]);
  size_t length = 0;
  char32_t value = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    *codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1Fu, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0Fu, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07u, least = 0x10000;
  } else {
    return 0;
  }
  if (place + length > text.size()) return 0;
  for (size_t more = 1; more < length; ++more) {
    const auto next = static_cast<unsigned char>(text[place + more]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *codePoint = value;
  return length;
}

bool IsUtf8(std::string_view text) {
  for (size_t place = 0; place < text.size();) {
    char32_t codePoint = 0;
    const size_t length = Utf8SequenceLength(text, place, &codePoint);
    if (length == 0) return false;
    place += length;
  }
  return true;
}

std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  for (size_t place = 0; place < text.size();) {
    char32_t codePoint = 0;
    const size_t length = Utf8SequenceLength(text, place, &codePoint);
    if (length == 0) {
      ADD_FAILURE() << "not UTF-8 at byte " << place << ": " << Hex(text);
      return out;
    }
    out.push_back(codePoint);
    place += length;
  }
  return out;
}

TEST(XdvngDecoderTest, ReadsHandCheckedWords) {
  EXPECT_EQ(DecodeXdvng(Bytes("65 6B 6D 3A CE A0")), "किम्");
  EXPECT_EQ(DecodeXdvng(Bytes("41 6B FC A0")), "अर्क");
  EXPECT_EQ(DecodeXdvng(Bytes("67 3A D9 2C A0")), "गुरु");
  EXPECT_EQ(DecodeXdvng(Bytes("6B 65 76 3A A0")), "कवि");
  EXPECT_EQ(DecodeXdvng(Bytes("73 3A F6 73 6B E1 74 3A A0")), "संस्कृत");
  EXPECT_EQ(DecodeXdvng(Bytes("29 A0")), "प्र");
  EXPECT_EQ(DecodeXdvng(Bytes("73 D3 A0")), "स्र");
  EXPECT_EQ(DecodeXdvng(Bytes("62 3A D2 A0")), "ब्र");
  EXPECT_EQ(DecodeXdvng(Bytes("78 3A A0")), "क्ष");
  EXPECT_EQ(DecodeXdvng(Bytes("74 54 3A A0")), "त्थ");
  // The closing A0 is optional.
  EXPECT_EQ(DecodeXdvng(Bytes("6B 65 76 3A")), "कवि");
  EXPECT_EQ(DecodeXdvng(""), "");
}

TEST(XdvngDecoderTest, ReadsVowelsSignsAndMarks) {
  // Independent vowels, the two-byte forms first.
  EXPECT_EQ(DecodeXdvng(Bytes("41 A0")), "अ");
  EXPECT_EQ(DecodeXdvng(Bytes("41 3A 70 3A A0")), "आप");
  EXPECT_EQ(DecodeXdvng(Bytes("41 3C 6B A0")), "ओक");
  EXPECT_EQ(DecodeXdvng(Bytes("41 3E 5C 3A 44 3A A0")), "औषध");
  EXPECT_EQ(DecodeXdvng(Bytes("4F F0 78 79 3A A0")), "ऐक्ष्य");
  EXPECT_EQ(DecodeXdvng(Bytes("45 65 74 3A A0")), "इति");
  EXPECT_EQ(DecodeXdvng(Bytes("3D A0")), "ॡ");
  EXPECT_EQ(DecodeXdvng(Bytes("6B ED A0")), "कॣ");
  // Signs of every other vowel after a full form with a stem.
  EXPECT_EQ(DecodeXdvng(Bytes("67 3A 61 67 3A 69 67 3A DD 67 3A E5 67 3A F0 67 3A F2 67 3A 3C "
                              "67 3A 3E A0")),
            "गागीगूगॄगेगैगोगौ");
  // Visarga at the end; the anusvara marks the syllable before it, also a word-final M whose
  // virama has nothing to silence.
  EXPECT_EQ(DecodeXdvng(Bytes("72 61 6D 3A 48 A0")), "रामः");
  EXPECT_EQ(DecodeXdvng(Bytes("41 68 F6 CE A0")), "अहं");
  EXPECT_EQ(DecodeXdvng(Bytes("41 F6 53 3A A0")), "अंश");
  EXPECT_EQ(DecodeXdvng(Bytes("2D 70 3A A0")), "रूप");
}

TEST(XdvngDecoderTest, GroupsClustersWithISignsRephsAndSubscriptR) {
  // The i-sign waits past an anusvara for the next cluster.
  EXPECT_EQ(DecodeXdvng(Bytes("65 6B 65 F6 63 3A 74 3A CE A0")), "किंचित्");
  EXPECT_EQ(DecodeXdvng(Bytes("65 73 3A F6 68 A0")), "सिंह");
  // The reph goes to the front of the whole cluster, also when read after its first half form
  // or after a closing virama.
  EXPECT_EQ(DecodeXdvng(Bytes("41 54 FC 79 3A A0")), "अर्थ्य");
  EXPECT_EQ(DecodeXdvng(Bytes("41 65 54 3A FC A0")), "अर्थि");
  EXPECT_EQ(DecodeXdvng(Bytes("6B 6D 3A CE FC A0")), "कर्म्");
  EXPECT_EQ(DecodeXdvng(Bytes("55 6A 3A CE FC A0")), "ऊर्ज्");
  EXPECT_EQ(DecodeXdvng(Bytes("41 78 3A FC A0")), "अर्क्ष");
  // A reph read between a half form and its stem, before a subscript r.
  EXPECT_EQ(DecodeXdvng(Bytes("41 62 FC 3A D2 A0")), "अर्ब्र");
  EXPECT_EQ(DecodeXdvng(Bytes("41 64 FC D3 A0")), "अर्द्र");
  // Subscript r after a glyph whose half form is its full form, and after a conjunct.
  EXPECT_EQ(DecodeXdvng(Bytes("6E 64 D3 A0")), "न्द्र");
  EXPECT_EQ(DecodeXdvng(Bytes("58 D3 A0")), "ट्र");
  EXPECT_EQ(DecodeXdvng(Bytes("B6 D3 A0")), "त्त्र");
  EXPECT_EQ(DecodeXdvng(Bytes("65 67 3A D2 A0")), "ग्रि");
  EXPECT_EQ(DecodeXdvng(Bytes("73 D3 D9 A0")), "स्रु");
  // An M before r: the anusvara is no cluster, so the r that follows is a letter of its own.
  EXPECT_EQ(DecodeXdvng(Bytes("73 3A F6 D3 78 3A 4E 3A A0")), "संरक्षण");
  // Half forms with no stem of their own (k, ph) and conjunct glyphs.
  EXPECT_EQ(DecodeXdvng(Bytes("56 74 3A 5B 79 3A 50 A0")), "क्तफ्यफ");
  EXPECT_EQ(DecodeXdvng(Bytes("BD 77 C5 A9 CB 23 27 A0")), "द्यज्ञष्ठङ्यह्रक्रफ्र");
  // A glyph whose half and full forms are one reads as the full letter: 'chmi' reads chim.
  EXPECT_EQ(DecodeXdvng(Bytes("65 43 6D 3A A0")), "छिम");
}

TEST(XdvngDecoderTest, ReadsStrayAndUnknownCodesSafely) {
  EXPECT_EQ(DecodeXdvng(Bytes("6B 20 6B")), "क\uFFFDक");
  EXPECT_EQ(DecodeXdvng(Bytes("CA 00 FF")), "\uFFFD\uFFFD\uFFFD");
  // Codes with nothing to attach to.
  EXPECT_EQ(DecodeXdvng(Bytes("FC 6B")), "र्क");
  EXPECT_EQ(DecodeXdvng(Bytes("D3 61")), "रा");
  EXPECT_EQ(DecodeXdvng(Bytes("3A")), "ा");
  EXPECT_EQ(DecodeXdvng(Bytes("CE 41 CE")), "अ");
  EXPECT_EQ(DecodeXdvng(Bytes("6B 65")), "कि");
  EXPECT_EQ(DecodeXdvng(Bytes("56 A0")), "क्");
  // A stray stem after a full form reads as the sign of A, as the font shows it.
  EXPECT_EQ(DecodeXdvng(Bytes("64 3A")), "दा");
}

TEST(XdvngDecoderTest, ArbitraryBytesGiveWellFormedUtf8) {
  for (int first = 0; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      const std::string codes{static_cast<char>(first), static_cast<char>(second)};
      ASSERT_TRUE(IsUtf8(DecodeXdvng(codes))) << Hex(codes);
    }
  }
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 40);
  constexpr int kRandomStrings = 20000;
  for (int round = 0; round < kRandomStrings; ++round) {
    std::string codes;
    for (int place = length(random); place > 0; --place) codes += static_cast<char>(byte(random));
    ASSERT_TRUE(IsUtf8(DecodeXdvng(codes))) << Hex(codes);
    ASSERT_TRUE(IsUtf8(DecodeIits(codes))) << Hex(codes);
  }
}

TEST(IitsDecoderTest, ReadsLettersWithDiacritics) {
  EXPECT_EQ(DecodeIits(Bytes("6B C1 BF BA 61 A0")), "kṛṣṇa\u00A0");
  EXPECT_EQ(DecodeIits(Bytes("72 A4 2D 6D 61 A0")), "rā-ma\u00A0");
  EXPECT_EQ(DecodeIits(Bytes("A4 AF B6 C1 A2 A5 A6 C6 C7 B7 B9 BA BD BF")), "āīūṛṝḷḹṃḥṭḍṇśṣ");
  EXPECT_EQ(DecodeIits(Bytes("B7 68 B9 68")), "ṭhḍh");
  EXPECT_EQ(DecodeIits("abc 123 -`.%"), "abc 123 -`.%");
  EXPECT_EQ(DecodeIits(""), "");
}

TEST(IitsDecoderTest, ReadsTheSharedNasalByWhatFollows) {
  EXPECT_EQ(DecodeIits(Bytes("61 F1 6B 61")), "aṅka");
  EXPECT_EQ(DecodeIits(Bytes("F1 6B 68 F1 67 F1 67 68")), "ṅkhṅgṅgh");
  EXPECT_EQ(DecodeIits(Bytes("61 F1 63 61 F1 6A F1 A0")), "añcañjñ\u00A0");
  EXPECT_EQ(DecodeIits(Bytes("F1")), "ñ");
  EXPECT_EQ(DecodeIits(Bytes("F1 4B")), "ñK");
}

TEST(IitsDecoderTest, ReadsOtherHighBytesAsWindows1252) {
  EXPECT_EQ(DecodeIits(Bytes("80 E9 A3 FF")), "€é£ÿ");
  // Every byte decodes alone to exactly one code point.
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(CodePoints(DecodeIits(std::string(1, static_cast<char>(byte)))).size(), 1u) << byte;
  }
}

TEST(Windows1252DecoderTest, MapsEveryByteToItsOwnCodePoint) {
  EXPECT_EQ(DecodeWindows1252("Arial text, 1-2."), "Arial text, 1-2.");
  EXPECT_EQ(DecodeWindows1252(Bytes("80 82 83 84 85 86 87 88 89 8A 8B 8C 8E")), "€‚ƒ„…†‡ˆ‰Š‹ŒŽ");
  EXPECT_EQ(DecodeWindows1252(Bytes("91 92 93 94 95 96 97 98 99 9A 9B 9C 9E 9F")),
            "‘’“”•–—˜™š›œžŸ");
  EXPECT_EQ(DecodeWindows1252(Bytes("81 8D 8F 90 9D")), "\u0081\u008D\u008F\u0090\u009D");
  EXPECT_EQ(DecodeWindows1252(Bytes("A0 A4 B0 E4 FF")), "\u00A0¤°äÿ");
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::vector<char32_t> codePoints = CodePoints(DecodeWindows1252(all));
  ASSERT_EQ(codePoints.size(), 256u);
  EXPECT_EQ(std::set<char32_t>(codePoints.begin(), codePoints.end()).size(), 256u);
  for (int byte = 0; byte < 0x80; ++byte) EXPECT_EQ(codePoints[static_cast<size_t>(byte)], byte);
  for (int byte = 0xA0; byte < 256; ++byte) EXPECT_EQ(codePoints[static_cast<size_t>(byte)], byte);
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

bool HasNoOwnHalfForm(std::string_view glyph) {
  for (const std::string_view name : kNoOwnHalfForm) {
    if (name == glyph) return true;
  }
  return false;
}

// The consonant glyph whose letters are the longest prefix of `run`.
std::string_view LongestGlyph(std::string_view run) {
  std::string_view best;
  auto consider = [&](std::string_view name) {
    if (name.size() > best.size() && run.starts_with(name)) best = name;
  };
  for (const std::string_view name : kOwnHalfForm) consider(name);
  for (const std::string_view name : kNoOwnHalfForm) consider(name);
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
  Word out;
  size_t place = 0;
  while (place < text.size()) {
    const SLetter* best = nullptr;
    auto consider = [&](const SLetter& letter) {
      if (text.substr(place).starts_with(letter.name) &&
          (best == nullptr || letter.name.size() > best->name.size())) {
        best = &letter;
      }
    };
    for (const SLetter& letter : kVowels) consider(letter);
    for (const SLetter& letter : kConsonants) consider(letter);
    consider(kAnusvara);
    consider(kVisarga);
    if (best == nullptr) return {};
    out.push_back(best);
    place += best->name.size();
  }
  return out;
}

// The Unicode spelling of a word, letter by letter.
std::string Spell(const Word& word) {
  std::string out;
  for (size_t place = 0; place < word.size(); ++place) {
    const SLetter& letter = *word[place];
    if (&letter == &kAnusvara || &letter == &kVisarga) {
      out += letter.independent;
    } else if (letter.vowel) {
      out += place == 0 ? letter.independent : letter.sign;
    } else {
      out += letter.independent;
      const bool last = place + 1 == word.size();
      if (last || (!word[place + 1]->vowel && word[place + 1] != &kAnusvara)) {
        out += kViramaText;
      }
    }
  }
  return out;
}

// False for the words the font's glyph codes cannot spell back: a cluster whose consonant
// before the last has no half form of its own (and is no conjunct glyph), an r between two
// consonants or doubled, a word-initial r before a consonant; also words whose letters the
// glyph matching would split differently (a 'dg' glyph eating the d of 'dgh').
bool ReadsBack(const Word& word) {
  const std::string text = Join(word);
  if (SplitLetters(text) != word) return false;
  size_t place = 0;
  while (place < word.size()) {
    if (word[place]->vowel) {
      ++place;
      continue;
    }
    const bool atStart = place == 0;
    const size_t runStart =
        Join(Word(word.begin(), word.begin() + static_cast<long>(place))).size();
    size_t runSize = 0;
    std::set<size_t> boundaries{0};
    for (; place < word.size() && !word[place]->vowel; ++place) {
      runSize += word[place]->name.size();
      boundaries.insert(runSize);
    }
    const bool beforeVowel = place < word.size() && word[place] != &kVisarga;
    // The glyph matching looks past the consonants too: an 'hl' glyph eats the l of 'lR'.
    std::vector<std::string_view> glyphs;
    for (size_t offset = 0; offset < runSize;) {
      const std::string_view glyph = LongestGlyph(std::string_view(text).substr(runStart + offset));
      if (glyph.empty()) return false;
      glyphs.push_back(glyph);
      offset += glyph.size();
      if (!boundaries.contains(offset)) return false;
    }
    if (glyphs.back() == "M" && beforeVowel) return false;
    for (size_t index = 0; index + 1 < glyphs.size(); ++index) {
      const std::string_view glyph = glyphs[index];
      if (glyph == "r") {
        // A word-initial r, an r between consonants, or 'rr' (the second r is written as a
        // subscript under the syllable before).
        if (atStart || index > 0 || glyphs[index + 1] == "r") return false;
      } else if (glyph == "M") {
        if (atStart || index > 0) return false;
      } else if (HasNoOwnHalfForm(glyph)) {
        // Still fine before a subscript r that ends the cluster before a vowel.
        const bool subscriptR = index + 2 == glyphs.size() && glyphs.back() == "r";
        if (!(subscriptR && beforeVowel)) return false;
      }
    }
  }
  return true;
}

// Every glyph of more than one letter, as letters.
std::vector<Word> ConjunctGlyphs() {
  std::vector<Word> out;
  auto add = [&](std::string_view name) {
    Word letters = SplitLetters(name);
    if (letters.size() > 1) out.push_back(std::move(letters));
  };
  for (const std::string_view name : kOwnHalfForm) add(name);
  for (const std::string_view name : kNoOwnHalfForm) add(name);
  return out;
}

Word RandomWord(std::mt19937& random, const std::vector<Word>& conjuncts) {
  auto below = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
  auto consonant = [&]() { return &kConsonants[below(static_cast<int>(std::size(kConsonants)))]; };
  Word word;
  const int syllables = 1 + below(4);
  for (int syllable = 0; syllable < syllables; ++syllable) {
    const int roll = below(100);
    int onset = roll < 60 ? 1 : roll < 88 ? 2 : 3;
    if (syllable == 0 && below(4) == 0) onset = 0;
    if (onset > 1 && below(3) == 0) {
      // A cluster the font has a glyph for.
      const Word& letters =
          conjuncts[static_cast<size_t>(below(static_cast<int>(conjuncts.size())))];
      word.insert(word.end(), letters.begin(), letters.end());
    } else {
      // An r before the cluster (a reph after a vowel) or after it (a subscript r).
      const SLetter* r = &kConsonants[26];
      if (syllable > 0 && below(6) == 0) word.push_back(r);
      for (int count = 0; count < onset; ++count) word.push_back(consonant());
      if (below(6) == 0) word.push_back(r);
    }
    // The short a is the commonest vowel by far.
    word.push_back(below(3) == 0 ? &kVowels[0]
                                 : &kVowels[below(static_cast<int>(std::size(kVowels)))]);
    if (syllable + 1 < syllables && below(10) == 0) word.push_back(&kAnusvara);
  }
  const int coda = below(100);
  if (coda < 12) {
    word.push_back(consonant());
  } else if (coda < 17) {
    word.push_back(consonant());
    word.push_back(consonant());
  } else if (coda < 25) {
    word.push_back(&kVisarga);
  } else if (coda < 32) {
    word.push_back(&kAnusvara);
  }
  return word;
}

TEST(XdvngDecoderTest, ComposedWordsReadBackAsTheirSpelling) {
  constexpr int kWords = 5000;
  constexpr int kMaxTries = 100000;
  constexpr int kReportedFailures = 10;
  const std::vector<Word> conjunctGlyphs = ConjunctGlyphs();
  std::mt19937 random(7);
  int words = 0;
  int failures = 0;
  int rephs = 0, subscriptRs = 0, iSigns = 0, anusvaras = 0, conjuncts = 0, rus = 0;
  for (int tries = 0; tries < kMaxTries && words < kWords; ++tries) {
    const Word word = RandomWord(random, conjunctGlyphs);
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
    auto has = [&](std::string_view bytes) { return codes.find_first_of(bytes) != codes.npos; };
    rephs += has("\xFC");
    subscriptRs += has("\xD2\xD3");
    iSigns += has("\x65");
    anusvaras += has("\xF6");
    rus += has("\x2C\x2D");
    conjuncts += has("\x78\x2A\x23\x77\x29\x27\xA2\xA7\xA9\xAC\xB8\xB9\xBC\xBD\xBE\xC0\xC4\xC9");
  }
  EXPECT_EQ(words, kWords);
  EXPECT_EQ(failures, 0);
  // The generator reaches every grouping rule many times.
  EXPECT_GT(rephs, 400);
  EXPECT_GT(subscriptRs, 500);
  EXPECT_GT(iSigns, 300);
  EXPECT_GT(anusvaras, 400);
  EXPECT_GT(rus, 20);
  EXPECT_GT(conjuncts, 400);
}

}  // namespace
}  // namespace kv
