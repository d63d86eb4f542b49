#include "dictionary/itrans.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string>

#include "test_files.h"

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

TEST(ConvertItrans, RewritesItransSpellingsAndCopiesTheRest) {
  for (const char* row :
       {"raxAwaGYaanLLI = rakSAvajJAnlRR", "kRRiShNa = kRSNa", "shiva = ziva", "chandra = candra",
        "Chaayaa = chAyA", "~naana = JAna", "~Nga = Gga", "R^iShi = RSi", "LLikAra = lRkAra",
        "L^ikAra = lRkAra", "L^I = lRR", "piitam = pItam", "xa = kSa",
        // The longest form wins (R^I beats R^i, the final i is copied); where only part of
        // a form matches (two characters of RRi, the G of GY), the text is copied as it is.
        "R^Ii = RRi", "RRI = RR", "RRa = RRa", "R^ = R^", "L^ = L^", "LL = LL", "G = G", "~ = ~",
        "~a = ~a", "aai = Ai", "aaa = Aa", "uu = uu", "chh = ch", "Shh = Sh",
        // Everything else is copied.
        " = ", "rAma = rAma", "1 .,?- = 1 .,?-", "\x80\xE9\xFF = \x80\xE9\xFF",
        "a\xFFsh = a\xFFz"}) {
    const auto [text, key] = test::SplitRow(row);
    EXPECT_EQ(Convert(text), key) << text;
  }
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
    const std::string text = test::RandomText(random, kAlphabet, length, 4);
    const std::string key = Convert(text);
    ASSERT_LE(key.size(), static_cast<std::size_t>(kKeyBytes - 1)) << text;
  }
}

}  // namespace
}  // namespace kv
