#include "dictionary/headword_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "test_files.h"

namespace kv {
namespace {

using test::CTempDir;

class HeadwordSearchTest : public ::testing::Test {
 protected:
  void Open() {
    m_list.Open((m_dir.Path() / "kvlist.txt").c_str());
    m_index.Open((m_dir.Path() / "kvindx.txt").c_str());
    m_text.Open((m_dir.Path() / "kvtot2.txt").c_str());
  }
  void Build(const std::vector<test::SHeadword>& words) {
    test::WriteDictionary(m_dir, words);
    Open();
  }

  SearchOutcome Search(const char* text, bool itrans = false) {
    return RunHeadwordSearch({text, itrans}, m_list, m_index, *m_rows, m_found, m_entry.get());
  }

  // The entry of every listed row, in list order.
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    char text[kEntryTextBytes];
    for (int r = 0; r < m_found.ItemCount(); ++r) {
      RetrieveEntry(m_rows->m_entryOffsets[r], m_text, text);
      entries.emplace_back(text);
    }
    return entries;
  }

  CTempDir m_dir;
  CLineReader m_list{2048}, m_index{2048}, m_text{2048};
  std::unique_ptr<CFoundRows> m_rows = std::make_unique<CFoundRows>();
  std::unique_ptr<char[]> m_entry = std::make_unique<char[]>(kEntryTextBytes);
  CPlainFoundList m_found;
};

const std::vector<test::SHeadword> kWords = {
    {"rAma", "Rama"},     {"rA-ma", "Rama with a marker"},
    {"rAjan", "king"},    {"ravi", "sun"},
    {"ratna", "jewel"},   {"rAmAyaNa", "the epic"},
    {"a-gni", "fire"},    {"azva", "horse"},
    {"araNya", "forest"}, {"kRSNa", "black"},
    {"kim", "what"},
};

TEST_F(HeadwordSearchTest, PrefixMatchIgnoresMarkerBytesOfTheIndexLine) {
  EXPECT_TRUE(KeyMatches("rA-ma", "rAma"));
  EXPECT_TRUE(KeyMatches("r`A4m7a@\xF3", "rAma"));
  EXPECT_TRUE(KeyMatches("rA-ma", "r"));
  EXPECT_FALSE(KeyMatches("rA-ma", "rAmA"));
  EXPECT_FALSE(KeyMatches("rA-ma", "rAmaa"));
  EXPECT_FALSE(KeyMatches("rA-ma", "rA-"));  // the key itself is not filtered
  EXPECT_TRUE(KeyMatches("ma%ti", "ma%"));   // '%' is not an ignored marker
}

TEST_F(HeadwordSearchTest, ListsHitsInBucketAndFileOrderWithTheirEntries) {
  Build(kWords);
  EXPECT_EQ(Search("rAm"), SearchOutcome::kFound);
  ASSERT_EQ(m_found.ItemCount(), 3);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Rama", "Rama with a marker", "the epic"}));
  EXPECT_EQ(test::Hex(m_rows->m_translitRows[1]), "72a42d6d61a0");
  EXPECT_EQ(std::string(m_entry.get()), "");  // hits leave the entry text alone
}

TEST_F(HeadwordSearchTest, OneLetterKeySearchesEveryMatchingBucketOnce) {
  Build(kWords);
  ASSERT_EQ(Search("r"), SearchOutcome::kFound);
  // rA, ra are consecutive buckets; both are searched, nothing is listed twice, and the
  // following bucket's first headword (a-gni) is not read into the range.
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Rama", "Rama with a marker", "king", "the epic",
                                                 "sun", "jewel"}));
  ASSERT_EQ(Search("a"), SearchOutcome::kFound);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"fire", "horse", "forest"}));
}

TEST_F(HeadwordSearchTest, ItransKeyIsConvertedButTheMessageQuotesTheText) {
  Build(kWords);
  ASSERT_EQ(Search("kRRiShNa", true), SearchOutcome::kFound);
  EXPECT_EQ(Entries(), std::vector<std::string>{"black"});

  ASSERT_EQ(Search("shivaa", true), SearchOutcome::kNoMatch);
  EXPECT_STREQ(m_entry.get(),
               "No matches found for <shivaa>, try to search on the first 4/5 letters of the "
               "word.");
  EXPECT_EQ(m_found.ItemCount(), 0);
}

TEST_F(HeadwordSearchTest, NoMatchTextNumbersNeverFallBelowOne) {
  char text[200];
  FormatNoMatchText("x", text, sizeof text);
  EXPECT_STREQ(text,
               "No matches found for <x>, try to search on the first 1/1 letters of the word.");
  FormatNoMatchText("xxxxx", text, sizeof text);
  EXPECT_STREQ(text,
               "No matches found for <xxxxx>, try to search on the first 3/4 letters of the word.");
  EXPECT_TRUE(IsNoMatchText(text));
  EXPECT_FALSE(IsNoMatchText("No m"));
  EXPECT_FALSE(IsNoMatchText(""));
}

TEST_F(HeadwordSearchTest, EmptyKeyChangesNothing) {
  Build(kWords);
  ASSERT_EQ(Search("rAm"), SearchOutcome::kFound);
  std::strcpy(m_entry.get(), "kept");
  EXPECT_EQ(Search(""), SearchOutcome::kEmptyKey);
  EXPECT_EQ(m_found.ItemCount(), 3);
  EXPECT_STREQ(m_entry.get(), "kept");
}

TEST_F(HeadwordSearchTest, StopsAfter291HitsInOrder) {
  std::vector<test::SHeadword> words;
  for (int i = 0; i < 400; ++i)
    words.push_back({"sa" + std::to_string(1000 + i), "e" + std::to_string(i)});
  Build(words);
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  ASSERT_EQ(m_found.ItemCount(), kMaxHits);
  auto entries = Entries();
  EXPECT_EQ(entries.front(), "e0");
  EXPECT_EQ(entries.back(), "e290");
}

TEST_F(HeadwordSearchTest, MissingFilesAreReportedNotSearched) {
  test::WriteDictionary(m_dir, kWords);
  std::filesystem::remove(m_dir.Path() / "kvindx.txt");
  Open();
  EXPECT_EQ(Search("rAm"), SearchOutcome::kMissingFile);
  EXPECT_STREQ(m_entry.get(), "Could not open file <kvindx.txt>\n Did you install the dictionary?");
  EXPECT_EQ(m_found.ItemCount(), 0);

  std::filesystem::remove(m_dir.Path() / "kvtot2.txt");
  m_text.Open((m_dir.Path() / "kvtot2.txt").c_str());
  char text[kEntryTextBytes];
  EXPECT_FALSE(RetrieveEntry(0, m_text, text));
  EXPECT_STREQ(text, "Could not open file <kvtot2.txt>\n Did you install the dictionary?");
}

TEST_F(HeadwordSearchTest, EntryAtTheEndOfTheFileIsEmpty) {
  Build(kWords);
  char text[kEntryTextBytes] = "stale";
  auto size = static_cast<long long>(std::filesystem::file_size(m_dir.Path() / "kvtot2.txt"));
  EXPECT_TRUE(RetrieveEntry(size, m_text, text));
  EXPECT_STREQ(text, "");
  // An offset on the line end before an entry reads that entry.
  EXPECT_TRUE(RetrieveEntry(4, m_text, text));
  EXPECT_STREQ(text, "Rama with a marker");
}

TEST_F(HeadwordSearchTest, DataFilesWithLoneCrOrLoneLfLineEnds) {
  for (const char* end : {"\r", "\n"}) {
    std::string e = end;
    std::string index = "gaja" + e + "0" + e + "guru" + e + "9" + e;
    std::string list = "ga" + e + "0" + e + "gu" + e + std::to_string(5 + 2 * e.size()) + e + "~~" +
                       e + std::to_string(index.size()) + e;
    m_dir.Write("kvlist.txt", list);
    m_dir.Write("kvindx.txt", index);
    m_dir.Write("kvtot2.txt", "elephant" + e + "teacher" + e);
    Open();
    ASSERT_EQ(Search("g"), SearchOutcome::kFound);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"elephant", "teacher"}));
  }
}

TEST_F(HeadwordSearchTest, BadOffsetsNeverShowAnotherHeadwordsEntry) {
  std::string index = "kavi\r\nnot a number\r\nkapi\r\n-12\r\nkaTa\r\n99999999999\r\n";
  m_dir.Write("kvlist.txt", "ka\r\n0\r\n~~\r\n" + std::to_string(index.size()) + "\r\n");
  m_dir.Write("kvindx.txt", index);
  m_dir.Write("kvtot2.txt", "poet\r\n");
  Open();
  ASSERT_EQ(Search("ka"), SearchOutcome::kFound);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"", "", ""}));
}

TEST(SearchTextCheck, StatusLineBreaksAndRefusedBytes) {
  struct Case {
    const char* text;
    const char* status;
    bool lineBreakCut;
    bool runSearch;
    const char* cleaned;
  };
  const Case cases[] = {
      {"", "Enter Text", false, false, ""},
      {"rAma", "Click Search", false, false, "rAma"},
      {"rA\r\nma", "Click Search", true, true, "rAma"},
      {"rAma\n", "Click Search", true, true, "rAma"},  // the line break of a Qt edit
      {"rAma1\r\n", "Error in Text", true, false, "rAma1"},
      {"\n", "Enter Text", true, true, ""},  // Return in an empty edit searches for nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const SearchTextCheck check = CheckSearchText(c.text);
    EXPECT_STREQ(check.status, c.status);
    EXPECT_EQ(check.lineBreakCut, c.lineBreakCut);
    EXPECT_EQ(check.runSearch, c.runSearch);
    if (c.lineBreakCut) {
      EXPECT_STREQ(check.cleaned, c.cleaned);
    }
  }
  std::string refused;
  for (int c = 1; c < 256; ++c) {
    if (IsRefusedSearchByte(static_cast<unsigned char>(c))) refused += static_cast<char>(c);
  }
  EXPECT_EQ(refused, "!\"#$%&()*,.0123456789:;@BFQVWXZfq");
}

}  // namespace
}  // namespace kv
