#include "dictionary/list_strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dictionary/letter_tables.h"
#include "test_files.h"

namespace kv {
namespace {

using test::Repeat;

using test::CGuardedBuffer;
using test::FromHex;
using test::Hex;

std::string DevanagariOf(const std::string& line, int destSize = kRowBytes) {
  CGuardedBuffer translit(destSize);
  CGuardedBuffer devanagari(destSize);
  MakeListStrings(line.c_str(), translit.Data(), devanagari.Data(), destSize);
  EXPECT_TRUE(translit.GuardsIntact() && devanagari.GuardsIntact()) << line;
  return devanagari.Text();
}

std::string TranslitOf(const std::string& text, int destSize = kRowBytes) {
  CGuardedBuffer dest(destSize);
  Transliterate(text.c_str(), dest.Data(), destSize);
  EXPECT_TRUE(dest.GuardsIntact()) << text;
  return dest.Text();
}

// The segments of `line` up to and including the end marker, as type and number lists.
std::pair<std::vector<int>, std::vector<int>> SegmentsOf(const std::string& line) {
  unsigned char types[kSegmentBytes];
  unsigned char numbers[kSegmentBytes];
  std::memset(types, 0xEE, sizeof types);
  std::memset(numbers, 0xEE, sizeof numbers);
  SegmentLine(line.c_str(), types, numbers);
  std::pair<std::vector<int>, std::vector<int>> list;
  for (int i = 0; i < kSegmentBytes && (i == 0 || types[i - 1] != kEndMarker); ++i) {
    list.first.push_back(types[i]);
    list.second.push_back(numbers[i]);
  }
  return list;
}

// The segment numbers of `line` before the end marker, as "100 63 104".
std::string NumbersOf(const std::string& line) {
  const std::vector<int> numbers = SegmentsOf(line).second;
  std::string out;
  for (std::size_t i = 0; i + 1 < numbers.size(); ++i) {
    out += (i == 0 ? "" : " ") + std::to_string(numbers[i]);
  }
  return out;
}

TEST(ListStrings, ExamplesByteExact) {
  for (const auto& [text, codes] : test::ReadRows("dictionary/transliterate.txt")) {
    EXPECT_EQ(Hex(TranslitOf(text)), Hex(FromHex(codes))) << text;
  }
  for (const auto& [line, codes] : test::ReadRows("dictionary/devanagari.txt")) {
    EXPECT_EQ(Hex(DevanagariOf(line)), Hex(FromHex(codes))) << line;
  }
  for (const auto& [line, numbers] : test::ReadRows("dictionary/segmentation.txt")) {
    EXPECT_EQ(NumbersOf(line), numbers) << line;
  }
}

TEST(ListStrings, LongStringsAreCutAtAWholeLetterOrGlyph) {
  // One byte plus 48 two-byte letters fill the 98 bytes before 0xA0 and the terminator but
  // one; the 49th Th would need two.
  EXPECT_EQ(TranslitOf("a" + Repeat("Th", 60)), "a" + Repeat("\xB7h", 48) + "\xA0");
  EXPECT_EQ(TranslitOf(Repeat("k", 99)), Repeat("k", 98) + "\xA0");
  EXPECT_EQ(TranslitOf("kh", 3), "\xA0");  // kh is one letter of two bytes
  EXPECT_EQ(TranslitOf("kh", 4), "kh\xA0");
  EXPECT_EQ(TranslitOf("kh", 1), "");
  // 41, then 48 two-byte glyphs 41 3A: 97 bytes; the next glyph would need 99.
  const std::string full = "\x41" + Repeat("\x41\x3A", 48) + "\xA0";
  EXPECT_EQ(DevanagariOf("a" + Repeat("A", 60)), full);
  // The i-sign of "ki" fits, its k does not: the i-sign goes too.
  EXPECT_EQ(DevanagariOf("a" + Repeat("A", 48) + "ki"), full);
  EXPECT_EQ(DevanagariOf(Repeat("ka", 200)), Repeat("\x6B", 98) + "\xA0");
  EXPECT_EQ(DevanagariOf("kha", 3), "\xA0");  // the full form 4B 3A is one glyph
  EXPECT_EQ(DevanagariOf("kha", 4), "\x4B\x3A\xA0");
  EXPECT_EQ(DevanagariOf("kim", 1), "");
}

TEST(Segmentation, TypesCarryLengthFirstAndLastUpToMaxSegments) {
  for (const auto& [line, expected] : test::ReadRows("dictionary/segments.txt")) {
    const auto [types, numbers] = SegmentsOf(line);
    std::string got;
    for (const auto* list : {&types, &numbers}) {
      for (const int value : *list) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X ", value);
        got += byte;
      }
      got += list == &types ? "/ " : "";
    }
    EXPECT_EQ(got, expected + " ") << line;
  }
  const auto many = SegmentsOf(Repeat("ka", 400));
  ASSERT_EQ(many.first.size(), static_cast<std::size_t>(kSegmentBytes));
  EXPECT_EQ(many.first[kMaxSegments - 1], 0x40 + 0x01);
  EXPECT_EQ(many.second[kMaxSegments], kEndMarker);
}

TEST(Segmentation, EveryTableConjunctIsOneSegmentAlsoAcrossMarkers) {
  for (std::size_t i = kConsonantLetterCount; i < kConsonantTable.size(); ++i) {
    const std::string letters(kConsonantTable[i].m_letters);
    const std::string plain = NumbersOf("a" + letters + "a");
    EXPECT_EQ(plain, "100 " + std::to_string(i) + " 100") << letters;
    const std::size_t split = kConsonantTable[i].m_firstLetterBytes;
    const std::string marked = "a" + letters.substr(0, split) + "-`" + letters.substr(split) + "a";
    EXPECT_EQ(NumbersOf(marked), plain) << marked;
  }
}

}  // namespace
}  // namespace kv
