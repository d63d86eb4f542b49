#include "dictionary/itrans.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string>

namespace kv {
namespace {

constexpr int kGuardBytes = 16;
constexpr unsigned char kGuard = 0xCD;

// The key of `text`, converted into a buffer that starts out holding garbage rather than
// zeros, so a missing terminator shows.
std::string Convert(const std::string& text) {
  std::array<char, kKeyBytes + kGuardBytes> key;
  key.fill(static_cast<char>(kGuard));
  ConvertItrans(text.c_str(), key.data());
  for (int i = kKeyBytes; i < kKeyBytes + kGuardBytes; ++i) {
    EXPECT_EQ(static_cast<unsigned char>(key[static_cast<std::size_t>(i)]), kGuard)
        << "guard byte " << i << " overwritten for " << text;
  }
  const void* end = std::memchr(key.data(), 0, kKeyBytes);
  EXPECT_NE(end, nullptr) << "key not terminated for " << text;
  return end == nullptr ? std::string() : std::string(key.data());
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(ConvertItrans, RewritesItransSpellings) {
  EXPECT_EQ(Convert("raxAwaGYaanLLI"), "rakSAvajJAnlRR");
  EXPECT_EQ(Convert("kRRiShNa"), "kRSNa");
  EXPECT_EQ(Convert("shiva"), "ziva");
  EXPECT_EQ(Convert("chandra"), "candra");
  EXPECT_EQ(Convert("Chaayaa"), "chAyA");
  EXPECT_EQ(Convert("~naana"), "JAna");
  EXPECT_EQ(Convert("~Nga"), "Gga");
  EXPECT_EQ(Convert("R^iShi"), "RSi");
  EXPECT_EQ(Convert("LLikAra"), "lRkAra");
  EXPECT_EQ(Convert("L^ikAra"), "lRkAra");
  EXPECT_EQ(Convert("L^I"), "lRR");
  EXPECT_EQ(Convert("piitam"), "pItam");
  EXPECT_EQ(Convert("xa"), "kSa");
}

TEST(ConvertItrans, LongestFormWinsAndPartialFormsAreCopied) {
  EXPECT_EQ(Convert("R^Ii"), "RRi");  // R^I beats R^i by length; the final i is copied
  EXPECT_EQ(Convert("RRI"), "RR");
  EXPECT_EQ(Convert("RRa"), "RRa");  // two characters of RRi match: copied as they are
  EXPECT_EQ(Convert("R^"), "R^");
  EXPECT_EQ(Convert("L^"), "L^");
  EXPECT_EQ(Convert("LL"), "LL");
  EXPECT_EQ(Convert("G"), "G");  // the first character of GY alone
  EXPECT_EQ(Convert("~"), "~");
  EXPECT_EQ(Convert("~a"), "~a");
  EXPECT_EQ(Convert("aai"), "Ai");
  EXPECT_EQ(Convert("aaa"), "Aa");
  EXPECT_EQ(Convert("uu"), "uu");
  EXPECT_EQ(Convert("chh"), "ch");
  EXPECT_EQ(Convert("Shh"), "Sh");
}

TEST(ConvertItrans, CopiesEverythingElse) {
  EXPECT_EQ(Convert(""), "");
  EXPECT_EQ(Convert("rAma"), "rAma");
  EXPECT_EQ(Convert("1 .,?-"), "1 .,?-");
  EXPECT_EQ(Convert("\x80\xE9\xFF"), "\x80\xE9\xFF");
  EXPECT_EQ(Convert("a\xFFsh"), "a\xFFz");
}

TEST(ConvertItrans, LongKeyIsCutAtAWholeLetter) {
  // 99 x give 198 bytes; the two-byte letter Th would end past the 199th byte.
  EXPECT_EQ(Convert(Repeat("x", 99) + "Th"), Repeat("kS", 99));
  EXPECT_EQ(Convert(Repeat("x", 99) + "a"), Repeat("kS", 99) + "a");
  EXPECT_EQ(Convert(Repeat("x", 100)), Repeat("kS", 99) + "k");
  EXPECT_EQ(Convert(Repeat("x", 98) + "LLI"), Repeat("kS", 98) + "lRR");
  EXPECT_EQ(Convert(Repeat("x", 98) + "aLLI"), Repeat("kS", 98) + "a");
  EXPECT_EQ(Convert(Repeat("x", 99) + "ai"), Repeat("kS", 99));
  EXPECT_EQ(Convert(Repeat("x", 99) + "kh"), Repeat("kS", 99));
  // Longer texts than the search edit allows are cut the same way.
  EXPECT_EQ(Convert(Repeat("x", 1000)), Repeat("kS", 99) + "k");
  EXPECT_EQ(Convert(Repeat("aa", 300)), Repeat("A", 199));
  EXPECT_EQ(Convert(Repeat("k", 300)), Repeat("k", 199));
}

TEST(ConvertItrans, RandomTextsStayInsideTheKey) {
  static const std::string kAlphabet = "aiuRLlI^~NnGYwxshSCcTDkh.- ";
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    const int length = static_cast<int>(random() % (round % 10 == 0 ? 700 : 200));
    std::string text;
    for (int i = 0; i < length; ++i) {
      if (random() % 4 == 0) {
        text += static_cast<char>(1 + random() % 255);
      } else {
        text += kAlphabet[random() % kAlphabet.size()];
      }
    }
    const std::string key = Convert(text);
    ASSERT_LE(key.size(), static_cast<std::size_t>(kKeyBytes - 1)) << text;
  }
}

}  // namespace
}  // namespace kv
