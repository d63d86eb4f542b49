#include "dictionary/decoders.h"

#include <gtest/gtest.h>

#include <string>

#include "dictionary/list_strings.h"
#include "test_files.h"

namespace kv {
namespace {

using test::FromHex;
using test::Hex;
using test::ReadRows;

// The number of code points of `text`, or -1 when it is not well-formed UTF-8.
int CodePointCount(std::string_view text) {
  int count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) {
    if (ReadUtf8(text, pos) == kNoCodePoint) return -1;
  }
  return count;
}

TEST(Decoders, ReadTheHandCheckedCodes) {
  for (const auto& [codes, text] : ReadRows("dictionary/xdvng.txt")) {
    EXPECT_EQ(DecodeXdvng(FromHex(codes)), text) << codes;
  }
  for (const auto& [codes, text] : ReadRows("dictionary/iits.txt")) {
    EXPECT_EQ(DecodeIits(FromHex(codes)), text) << codes;
  }
  EXPECT_EQ(DecodeWindows1252(FromHex("80 82 83 84 85 86 87 88 89 8A 8B 8C 8E 91 92 93 94 95 96 97 "
                                      "98 99 9A 9B 9C 9E 9F 81 8D 8F 90 9D A4 E9")),
            "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ\u0081\u008D\u008F\u0090\u009D¤é");
}

TEST(Decoders, ComposedWordsReadBackAsTheirSpelling) {
  for (const auto& [letters, spelling] : ReadRows("dictionary/composed_words.txt")) {
    char translit[kRowBytes];
    char devanagari[kRowBytes];
    MakeListStrings(letters.c_str(), translit, devanagari, kRowBytes);
    EXPECT_EQ(DecodeXdvng(devanagari), spelling) << letters << ": " << Hex(devanagari);
  }
}

TEST(Decoders, AnyBytesGiveWellFormedUtf8) {
  for (int first = 0; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      const std::string codes{static_cast<char>(first), static_cast<char>(second)};
      ASSERT_GE(CodePointCount(DecodeXdvng(codes)), 0) << Hex(codes);
    }
    // IITS and Windows-1252 read every byte as one character of its own.
    const std::string byte(1, static_cast<char>(first));
    EXPECT_EQ(CodePointCount(DecodeIits(byte)), 1) << first;
    EXPECT_EQ(Windows1252Byte(Windows1252CodePoint(static_cast<unsigned char>(first))), first);
  }
  EXPECT_EQ(Windows1252Byte(U'\u20B9'), -1);
  EXPECT_EQ(Windows1252Byte(U'\u0100'), -1);
}

TEST(Decoders, Utf8IsReadAndWrittenWhole) {
  for (const char32_t codePoint :
       {U'\u0041', U'\u07FF', U'\u0800', U'\uFFFD', U'\U00010000', U'\U0010FFFF'}) {
    std::string text;
    AppendUtf8(text, codePoint);
    std::size_t pos = 0;
    EXPECT_EQ(ReadUtf8(text, pos), codePoint);
    EXPECT_EQ(pos, text.size());
  }
  // The builder's errors show the sequences cut short, overlong or surrogate; here the rest.
  for (const char* bad : {"E0 A4", "80", "E0 9F BF", "F4 90 80 80", "F8"}) {
    // A continuation byte beyond the text's end must not complete it.
    const std::string bytes = FromHex(bad) + "\x80";
    std::size_t pos = 0;
    EXPECT_EQ(ReadUtf8(std::string_view(bytes).substr(0, bytes.size() - 1), pos), kNoCodePoint)
        << bad;
    EXPECT_EQ(pos, 0u);
  }
}

}  // namespace
}  // namespace kv
