#include "dictionary/headword_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
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
  ExpectSearches("dictionary/scripts_search.txt");
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

// Loose hits after exact ones: never a record twice, not even from buckets the list names
// twice, and no more than a full list.
TEST_F(HeadwordSearchTest, LooseHitsFollowTheExactOnesUpToAFullList) {
  for (const int perBucket : {100, 200}) {
    std::vector<test::SHeadword> words;
    for (int i = 0; i < perBucket; ++i) {
      words.push_back({"zA" + std::to_string(1000 + i), "z" + std::to_string(i)});
      words.push_back({"sa" + std::to_string(1000 + i), "s" + std::to_string(i)});
    }
    test::SFiles files = test::LayOut(words);
    files.list = files.list.substr(0, files.list.find("##")) + files.list;
    Write(files);
    ASSERT_EQ(Search("sa", false, true), SearchOutcome::kFound);
    const std::vector<std::string> entries = Entries();
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(std::min(2 * perBucket, kMaxHits)));
    EXPECT_EQ(entries[0], "s0");
    EXPECT_EQ(entries[static_cast<std::size_t>(perBucket)], "z0");
    EXPECT_EQ(std::set<std::string>(entries.begin(), entries.end()).size(), entries.size());
  }
  // A key that folds to nothing finds nothing loosely.
  EXPECT_EQ(Search("'"), SearchOutcome::kNoMatch);
}

TEST(SearchTextCheck, StatusAndLineBreaks) {
  auto rows = test::ReadRows("dictionary/search_text.txt");
  // The whole text is checked: a key one byte longer than a key holds is refused, its line
  // break cut.
  const std::string tooLong(kKeyBytes, 'a');
  rows.emplace_back(tooLong + "\n", "Error in Text | " + tooLong + " | no search");
  for (const auto& [text, expected] : rows) {
    const bool itrans = text.starts_with("itrans ");
    const SearchTextCheck check =
        CheckSearchText(std::string_view(text).substr(itrans ? 7 : 0), itrans);
    EXPECT_EQ(std::string(check.status) + " | " + (check.lineBreakCut ? check.cleaned : "kept") +
                  " | " + (check.runSearch ? "search" : "no search"),
              expected)
        << text;
  }
}

}  // namespace
}  // namespace kv
