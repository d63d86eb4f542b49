#include "dictionary/itrans.h"

#include <gtest/gtest.h>

#include <string>

#include "test_files.h"

namespace kv {
namespace {

using test::Repeat;

// The key of `text`, converted into a guarded buffer that starts out holding garbage rather
// than zeros, so a missing terminator shows.
std::string Convert(const std::string& text) {
  test::CGuardedBuffer key(kKeyBytes);
  std::fill_n(key.Data(), kKeyBytes, '\x55');
  ConvertItrans(text.c_str(), key.Data());
  EXPECT_TRUE(key.GuardsIntact()) << text;
  return key.Text();
}

TEST(ConvertItrans, Examples) {
  for (const auto& [text, key] : test::ReadRows("dictionary/itrans.txt")) {
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
}

}  // namespace
}  // namespace kv
