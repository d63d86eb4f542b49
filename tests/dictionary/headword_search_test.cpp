#include "dictionary/headword_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dictionary_fixture.h"

namespace kv {
namespace {

using Texts = std::vector<std::string>;

class HeadwordSearchTest : public test::CDictionaryTest {
 protected:
  void SetUp() override {
    Write({{"rAma", "Rama"},
           {"rA-ma", "Rama with a marker"},
           {"rAjan", "king"},
           {"ravi", "sun"},
           {"ratna", "jewel"},
           {"rAmAyaNa", "the epic"},
           {"a-gni", "fire"},
           {"azva", "horse"},
           {"araNya", "forest"},
           {"kRSNa", "black"},
           {"kim", "what"}});
  }
};

TEST_F(HeadwordSearchTest, ListsHitsInBucketAndFileOrderWithTheirEntries) {
  std::strcpy(m_entry.get(), "kept");
  ASSERT_EQ(Search("rAm"), SearchOutcome::kFound);
  EXPECT_STREQ(m_entry.get(), "kept");              // hits leave the entry text alone
  EXPECT_EQ(Search(""), SearchOutcome::kEmptyKey);  // so does an empty key, and the rows
  EXPECT_EQ(m_found.ItemCount(), 3);
  EXPECT_STREQ(m_entry.get(), "kept");
  EXPECT_EQ(test::Hex(m_rows->m_translitRows[1]), "72a42d6d61a0");
  // A miss writes its message, quoting the text as typed; its numbers never fall below one.
  ASSERT_EQ(Search("shivaa", true), SearchOutcome::kNoMatch);
  EXPECT_STREQ(m_entry.get(),
               "No matches found for <shivaa>, try to search on the first 4/5 letters of the "
               "word.");
  char text[200];
  FormatNoMatchText("x", text, sizeof text);
  EXPECT_STREQ(text,
               "No matches found for <x>, try to search on the first 1/1 letters of the word.");
  EXPECT_TRUE(IsNoMatchText(text));
  EXPECT_FALSE(IsNoMatchText("No m"));
  ExpectSearches("dictionary/search.txt");
}

TEST_F(HeadwordSearchTest, StopsAfter291HitsInOrder) {
  std::vector<test::SHeadword> words;
  for (int i = 0; i < 400; ++i)
    words.push_back({"sa" + std::to_string(1000 + i), "e" + std::to_string(i)});
  Write(words);
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  ASSERT_EQ(m_found.ItemCount(), kMaxHits);
  EXPECT_EQ(Entries().back(), "e290");
}

TEST(SearchTextCheck, StatusLineBreaksAndRefusedBytes) {
  auto rows = test::ReadRows("dictionary/search_text.txt");
  // The whole text is checked: one byte more than a key holds is refused, its line break cut.
  const std::string tooLong(kKeyBytes, 'a');
  rows.emplace_back(tooLong + "\n", "Error in Text | " + tooLong + " | no search");
  for (const auto& [text, expected] : rows) {
    const SearchTextCheck check = CheckSearchText(text);
    EXPECT_EQ(std::string(check.status) + " | " + (check.lineBreakCut ? check.cleaned : "kept") +
                  " | " + (check.runSearch ? "search" : "no search"),
              expected)
        << text;
  }
  std::string refused;
  for (int c = 1; c < 256; ++c) {
    if (IsRefusedSearchByte(static_cast<unsigned char>(c))) refused += static_cast<char>(c);
  }
  EXPECT_EQ(refused, "!\"#$%&()*,.0123456789:;@BFQVWXZfq");
}

}  // namespace
}  // namespace kv
