#include "dictionary/list_strings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/letter_tables.h"
#include "test_files.h"

namespace kv {
namespace {

using test::Hex;

constexpr int kGuardBytes = 16;
constexpr unsigned char kGuard = 0xCD;
constexpr int kLargeBytes = 4096;

// "65 6B A0" -> "656ba0", the form Hex() prints.
std::string Codes(const std::string& spaced) {
  std::string out;
  for (const char c : spaced) {
    if (c != ' ') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

// A destination of `destSize` bytes followed by guard bytes that no conversion may touch.
class CGuardedBuffer {
 public:
  explicit CGuardedBuffer(int destSize)
      : m_destSize(destSize),
        m_bytes(static_cast<std::size_t>(destSize + kGuardBytes), static_cast<char>(kGuard)) {}

  char* Data() { return m_bytes.data(); }

  bool GuardsIntact() const {
    for (std::size_t i = static_cast<std::size_t>(m_destSize); i < m_bytes.size(); ++i) {
      if (static_cast<unsigned char>(m_bytes[i]) != kGuard) return false;
    }
    return true;
  }

  // The string written, or "<unterminated>" when no terminator lies inside the destination.
  std::string Text() const {
    const void* end = std::memchr(m_bytes.data(), 0, static_cast<std::size_t>(m_destSize));
    return end == nullptr ? "<unterminated>" : std::string(m_bytes.data());
  }

 private:
  int m_destSize;
  std::vector<char> m_bytes;
};

std::string DevanagariOf(const std::string& line, int destSize = kRowBytes) {
  CGuardedBuffer translit(destSize);
  CGuardedBuffer devanagari(destSize);
  MakeListStrings(line.c_str(), translit.Data(), devanagari.Data(), destSize);
  EXPECT_TRUE(translit.GuardsIntact()) << line;
  EXPECT_TRUE(devanagari.GuardsIntact()) << line;
  return devanagari.Text();
}

std::string TranslitOf(const std::string& text, int destSize = kRowBytes) {
  CGuardedBuffer dest(destSize);
  Transliterate(text.c_str(), dest.Data(), destSize);
  EXPECT_TRUE(dest.GuardsIntact()) << text;
  return dest.Text();
}

struct CSegmentList {
  std::vector<int> m_types;
  std::vector<int> m_numbers;
};

// The segments of `line` up to and including the end marker.
CSegmentList SegmentsOf(const std::string& line) {
  unsigned char types[kSegmentBytes];
  unsigned char numbers[kSegmentBytes];
  std::memset(types, 0xEE, sizeof types);
  std::memset(numbers, 0xEE, sizeof numbers);
  SegmentLine(line.c_str(), types, numbers);
  CSegmentList list;
  for (int i = 0; i < kSegmentBytes; ++i) {
    list.m_types.push_back(types[i]);
    list.m_numbers.push_back(numbers[i]);
    if (types[i] == kEndMarker) break;
  }
  return list;
}

// The segment numbers of `line` before the end marker, as "100 63 104".
std::string NumbersOf(const std::string& line) {
  std::string out;
  const CSegmentList list = SegmentsOf(line);
  for (size_t i = 0; i + 1 < list.m_numbers.size(); ++i) {
    out += (i == 0 ? "" : " ") + std::to_string(list.m_numbers[i]);
  }
  return out;
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(Transliterate, WritesIitsCodes) {
  // Markers % 4 7 9 @ F3 are dropped; "-", "`", other digits and other bytes stay; l without
  // R is the consonant.
  for (const char* row :
       {"kRSNa = 6B C1 BF BA 61 A0", "rA-ma = 72 A4 2D 6D 61 A0", "a%4b = 61 62 A0", " = A0",
        "AIURRRlRRlR = A4 AF B6 A2 C1 A6 A5 A0", "lk = 6C 6B A0",
        "GJTThDDhNzSMH = F1 F1 B7 B7 68 B9 B9 68 BA BD BF C6 C7 A0",
        "a7b9c@d\xF3`e1 8\xE9 = 61 62 63 64 60 65 31 20 38 E9 A0"}) {
    const auto [text, codes] = test::SplitRow(row);
    EXPECT_EQ(Hex(TranslitOf(text)), Codes(codes)) << text;
  }
}

TEST(Transliterate, LongTextIsCutAtAWholeLetter) {
  // One byte plus 48 two-byte letters fill the 98 bytes before 0xA0 and the terminator but
  // one; the 49th Th would need two.
  EXPECT_EQ(TranslitOf("a" + Repeat("Th", 60)), "a" + Repeat("\xB7h", 48) + "\xA0");
  EXPECT_EQ(TranslitOf(Repeat("k", 98)), Repeat("k", 98) + "\xA0");
  EXPECT_EQ(TranslitOf(Repeat("k", 99)), Repeat("k", 98) + "\xA0");
  EXPECT_EQ(TranslitOf("kh", 3), "\xA0");  // kh is one letter of two bytes
  EXPECT_EQ(TranslitOf("kh", 4), "kh\xA0");
  EXPECT_EQ(TranslitOf("kh", 2), "\xA0");
  EXPECT_EQ(TranslitOf("kh", 1), "");
}

TEST(Devanagari, ComposesEveryShapeByteExact) {
  const char* const rows[] = {
      "kim = 65 6B 6D 3A CE A0", "arka = 41 6B FC A0", "guru = 67 3A D9 2C A0",
      "kavi = 6B 65 76 3A A0", "saMskRta = 73 3A F6 73 6B E1 74 3A A0", "a = 41 A0", "k = 6B A0",
      "lRR = 3D A0", "klRR = 6B ED A0", "rAmaH = 72 61 6D 3A 48 A0", "vAk = 76 3A 61 6B CE A0",
      "auSadha = 41 3E 5C 3A 44 3A A0", " = A0",
      // The visarga inside a word keeps its sign; other vowels after a vowel stand in their
      // independent forms, i included.
      "duHkha = 64 D9 48 4B 3A A0", "aHa = 41 48 41 A0", "Ai = 41 3A 45 A0", "ka-ika = 6B 45 6B A0",
      "a-iki = 41 45 65 6B A0", "pra-uga = 29 75 67 3A A0", "aA = 41 41 3A A0",
      // No virama after M; r after M opens a cluster (full form, ru, rU or the reph);
      // otherwise M is a consonant: its half form, and i-signs go before it.
      "evaM = 4F 76 3A F6 A0", "kM = 56 F6 A0", "saMrakSaNa = 73 3A F6 72 78 3A 4E 3A A0",
      "saMru = 73 3A F6 2C A0", "saMrU = 73 3A F6 2D A0", "aMrka = 41 F6 6B FC A0",
      "kiMcit = 65 6B 65 F6 63 3A 74 3A CE A0",
      // Forms of r: ru and rU glyphs, no reph at the start, subscript r after a stem and after
      // other consonants, the table's own conjuncts, and the reph after the next consonant
      // that gets a form, half or full.
      "ru = 2C A0", "rU = 2D A0", "karu = 6B 2C A0", "karUpa = 6B 2D 70 3A A0", "ra = 72 A0",
      "rka = 72 6B A0", "bra = 62 3A D2 A0", "gra = 67 3A D2 A0", "bhru = 42 3A D2 D9 A0",
      "sra = 73 D3 A0", "kSra = 78 D3 A0", "pra = 29 A0", "kra = 23 A0", "hra = CB A0",
      "zra = C2 3A A0", "dharma = 44 3A 6D 3A FC A0", "kArtsnya = 6B 61 74 FC 73 6E 79 3A A0",
      "arr = 41 72 CE FC A0",
      // The i-sign stands before its whole cluster.
      "stri = 65 73 2A 3A A0", "agni = 41 65 67 6E 3A A0", "ziSya = 65 53 3A 5C 79 3A A0",
      "iti = 45 65 74 3A A0", "kSi = 65 78 3A A0", "arki = 41 65 6B FC A0",
      "utthita = 75 65 74 54 3A 74 3A A0",
      // Leading non-letters make no segment.
      "-kim = 65 6B 6D 3A CE A0", "@%ru = 2C A0", "\xF3`a = 41 A0", "- = A0",
      // Conjuncts across markers, and conjuncts that end where a letter ends.
      "ad-bhuta = 41 BB D9 74 3A A0", "adbhuta = 41 BB D9 74 3A A0", "k%S@a = 78 3A A0",
      "aG`kha = 41 A3 A0", "d9\xF3`dh = B9 A0", "udghAta = 75 64 47 3A 61 74 3A A0",
      "udgata = 75 B7 74 3A A0", "hlR = 68 E9 A0", "jJa = 77 A0", "uttha = 75 74 54 3A A0",
      "dhnaH = BF 3A 48 A0", "sattva = 73 3A B6 76 3A A0"};
  for (const char* row : rows) {
    const auto [line, codes] = test::SplitRow(row);
    EXPECT_EQ(Hex(DevanagariOf(line)), Codes(codes)) << line;
  }
}

TEST(Segmentation, TypesAndNumbers) {
  const CSegmentList word = SegmentsOf("kRSNa");
  EXPECT_EQ(word.m_types, (std::vector<int>{0x21, 0x11, 0x01, 0x01, 0x51, 0xFF}));
  EXPECT_EQ(word.m_numbers, (std::vector<int>{0, 106, 30, 14, 100, 0xFF}));
  const CSegmentList lengths = SegmentsOf("lRRaiGkhTTh");
  EXPECT_EQ(lengths.m_types, (std::vector<int>{0x33, 0x12, 0x03, 0x43, 0xFF}));
  EXPECT_EQ(lengths.m_numbers, (std::vector<int>{109, 111, 39, 49, 0xFF}));
  EXPECT_EQ(SegmentsOf("a").m_types, (std::vector<int>{0x31, 0xFF}));
  const CSegmentList empty = SegmentsOf("");
  EXPECT_EQ(empty.m_types, (std::vector<int>{0xFF}));
  EXPECT_EQ(empty.m_numbers, (std::vector<int>{0xFF}));
  // Leading non-letters are skipped.
  const CSegmentList marked = SegmentsOf("-`ka");
  EXPECT_EQ(marked.m_types, (std::vector<int>{0x21, 0x51, 0xFF}));
  EXPECT_EQ(marked.m_numbers, (std::vector<int>{0, 100, 0xFF}));
  EXPECT_EQ(SegmentsOf("\xF3-1a").m_types, (std::vector<int>{0x31, 0xFF}));
}

TEST(Segmentation, ConjunctsEndWhereALetterEndsAndSpanMarkers) {
  for (const char* row :
       {"rk = 26 0",  // no conjunct
        "ad-bhuta = 100 63 104 15 100",
        // A marker inside a letter splits it: d-h is d and h, not dh.
        "d-ha = 17 32 100",
        // Vowels are never joined across a marker.
        "pra-uga = 81 100 104 2 100", "a-i = 100 102", "udghAta = 104 17 3 101 15 100",
        "Tkha = 10 1 100", "d-gha = 17 3 100", "zcha = 29 6 100",
        // Where the aspirate makes a conjunct of the table, that conjunct is taken.
        "Dgha = 53 100", "ttha = 83 100", "d`bha = 63 100",
        // Nor does hl take the l of the vowel lR; a marker before the h keeps the conjunct.
        "hlR = 32 108", "hlRR = 32 109", "hla = 79 100", "dg-ha = 59 32 100"}) {
    const auto [line, numbers] = test::SplitRow(row);
    EXPECT_EQ(NumbersOf(line), numbers) << line;
  }
}

TEST(Segmentation, EveryTableConjunctIsOneSegment) {
  for (std::size_t i = kConsonantLetterCount; i < kConsonantTable.size(); ++i) {
    const std::string letters(kConsonantTable[i].m_letters);
    const std::string plain = NumbersOf("a" + letters + "a");
    EXPECT_EQ(plain, "100 " + std::to_string(i) + " 100") << letters;
    const std::size_t split = kConsonantTable[i].m_firstLetterBytes;
    const std::string marked = "a" + letters.substr(0, split) + "-`" + letters.substr(split) + "a";
    EXPECT_EQ(NumbersOf(marked), plain) << marked;
  }
}

TEST(Segmentation, AtMostMaxSegments) {
  const CSegmentList many = SegmentsOf(Repeat("ka", 400));
  ASSERT_EQ(many.m_types.size(), static_cast<std::size_t>(kSegmentBytes));
  EXPECT_EQ(many.m_types[kMaxSegments - 1], 0x40 + 0x01);
  EXPECT_EQ(many.m_numbers[kMaxSegments - 1], 0);
  EXPECT_EQ(many.m_types[kMaxSegments], kEndMarker);
  EXPECT_EQ(many.m_numbers[kMaxSegments], kEndMarker);
}

TEST(Devanagari, LongWordIsCutAtAWholeGlyph) {
  // 41, then 48 two-byte glyphs 41 3A: 97 bytes; the next glyph would need 99.
  const std::string full = "\x41" + Repeat("\x41\x3A", 48) + "\xA0";
  EXPECT_EQ(DevanagariOf("a" + Repeat("A", 60)), full);
  // The i-sign of "ki" fits, its k does not: the i-sign goes too.
  EXPECT_EQ(DevanagariOf("a" + Repeat("A", 48) + "ki"), full);
  EXPECT_EQ(DevanagariOf(Repeat("ka", 200)), Repeat("\x6B", 98) + "\xA0");
  EXPECT_EQ(DevanagariOf("kha", 3), "\xA0");  // the full form 4B 3A is one glyph
  EXPECT_EQ(DevanagariOf("kha", 4), "\x4B\x3A\xA0");
  EXPECT_EQ(DevanagariOf("kim", 3), "\xA0");
  EXPECT_EQ(DevanagariOf("kim", 1), "");
}

TEST(ListStrings, RandomLinesStayInsideTheirBuffers) {
  static const std::string kLetters = "aAiIuUReoHhkgGcjJTDNtdnpbmyrlvzSsM-`%479@\xF3 ";
  std::mt19937 random(1994);
  for (int round = 0; round < 3000; ++round) {
    const int length = static_cast<int>(random() % (round % 20 == 0 ? 2000 : 120));
    const std::string line = test::RandomText(random, kLetters, length, 5);
    const int destSize = round % 3 == 0 ? kRowBytes : static_cast<int>(random() % 130);

    CGuardedBuffer translit(destSize);
    CGuardedBuffer devanagari(destSize);
    MakeListStrings(line.c_str(), translit.Data(), devanagari.Data(), destSize);
    ASSERT_TRUE(translit.GuardsIntact()) << Hex(line) << " size " << destSize;
    ASSERT_TRUE(devanagari.GuardsIntact()) << Hex(line) << " size " << destSize;

    // A cut string is a prefix of the whole one and still closes with 0xA0.
    CGuardedBuffer wholeTranslit(kLargeBytes);
    CGuardedBuffer wholeDevanagari(kLargeBytes);
    MakeListStrings(line.c_str(), wholeTranslit.Data(), wholeDevanagari.Data(), kLargeBytes);
    const std::pair<std::string, std::string> results[] = {
        {translit.Text(), wholeTranslit.Text()}, {devanagari.Text(), wholeDevanagari.Text()}};
    for (const auto& [cut, whole] : results) {
      if (destSize == 0) continue;
      if (destSize == 1) {
        EXPECT_EQ(cut, "");
        continue;
      }
      ASSERT_LT(cut.size(), static_cast<std::size_t>(destSize)) << Hex(line);
      ASSERT_FALSE(cut.empty()) << Hex(line);
      EXPECT_EQ(static_cast<unsigned char>(cut.back()), 0xA0) << Hex(line);
      EXPECT_EQ(whole.compare(0, cut.size() - 1, cut, 0, cut.size() - 1), 0) << Hex(line);
      if (whole.size() < static_cast<std::size_t>(destSize)) {
        EXPECT_EQ(cut, whole) << Hex(line);
      }
    }
  }
}

TEST(ListStrings, RandomSegmentArraysStayInsideTheBuffer) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    unsigned char types[kSegmentBytes];
    unsigned char numbers[kSegmentBytes];
    for (int i = 0; i < kSegmentBytes; ++i) {
      types[i] = static_cast<unsigned char>(random());
      numbers[i] = static_cast<unsigned char>(random() % 2 == 0 ? random() % 120 : random());
    }
    if (round % 2 == 0) {
      // Mostly well-formed kinds of type bytes, with the end marker somewhere.
      const int count = static_cast<int>(random() % kSegmentBytes);
      for (int i = 0; i < count; ++i) types[i] = static_cast<unsigned char>(types[i] & 0x53);
      types[count] = kEndMarker;
    }
    const int destSize = static_cast<int>(random() % 120);
    CGuardedBuffer dest(destSize);
    ComposeDevanagari(types, numbers, dest.Data(), destSize);
    ASSERT_TRUE(dest.GuardsIntact()) << "round " << round;
    if (destSize >= 2) {
      const std::string text = dest.Text();
      ASSERT_FALSE(text.empty());
      EXPECT_EQ(static_cast<unsigned char>(text.back()), 0xA0);
    }
  }
}

}  // namespace
}  // namespace kv
