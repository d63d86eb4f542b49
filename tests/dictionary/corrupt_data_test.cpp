// The three data files damaged in every way a copy, an editor or a half-finished build can
// damage them. Whatever they hold, the search and the entry retrieval must end, stay inside
// their buffers, and tell the user only true things: a listed headword shows its own entry or
// none, never another headword's.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/list_strings.h"
#include "dictionary_fixture.h"

namespace kv {
namespace {

using test::SFiles;
using test::SHeadword;
using RowList = std::vector<std::pair<std::string, std::string>>;

std::string TranslitOf(const std::string& indexLine) {
  char row[kRowBytes];
  Transliterate(indexLine.c_str(), row, kRowBytes);
  return row;
}

const std::vector<SHeadword> kWords = {
    {"sarva", "all, every"}, {"sa-ma", "same; equal (to)"},       {"kavi", "poet, sage"},
    {"kapi", "monkey"},      {"rAma", "pleasing; name of %rAma"}, {"rarAma", "took delight"},
};

class CorruptDataTest : public test::CDictionaryTest {
 protected:
  // Every listed row shows its own headword's entry, or an empty one.
  void ExpectNoWrongEntry(const std::vector<SHeadword>& words) {
    for (const auto& row : Rows()) {
      if (row.second.empty()) continue;
      EXPECT_TRUE(std::any_of(words.begin(), words.end(),
                              [&row](const SHeadword& word) {
                                return row ==
                                       std::make_pair(TranslitOf(word.indexLine), word.entry);
                              }))
          << "row " << row.first << " shows '" << row.second.substr(0, 40) << "'";
    }
  }
};

TEST_F(CorruptDataTest, DamagedFilesShowOnlyTrueEntries) {
  ExpectSearches("dictionary/corrupt.txt");
  EXPECT_TRUE(m_warnings.empty());
}

TEST_F(CorruptDataTest, MoreThanTwoHundredMatchingBucketsAreAllSearched) {
  // 250 buckets under the same key, one headword each: a bucket list written by hand or merged
  // from several dictionaries.
  SFiles files;
  std::vector<SHeadword> words;
  for (int i = 0; i < 250; ++i) {
    std::string headword = "sa";
    for (int n = i; n > 0; n /= 8) headword += "kgcjTDtd"[n % 8];
    words.push_back({headword, "entry " + std::to_string(i)});
    files.list += "sa\r\n" + std::to_string(files.index.size()) + "\r\n";
    files.index += headword + "\r\n" + std::to_string(files.text.size()) + "\r\n";
    files.text += words.back().entry + "\r\n";
  }
  files.list += "##\r\n" + std::to_string(files.index.size()) + "\r\n";
  Write(files);
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  // Every bucket is searched, the 201st to the 250th in a second pass, in bucket order.
  RowList expected;
  for (const SHeadword& word : words) expected.emplace_back(TranslitOf(word.indexLine), word.entry);
  EXPECT_EQ(Rows(), expected);
}

TEST_F(CorruptDataTest, OverLongLinesKeepTheRecordsInStep) {
  // A headword line longer than the reader's limit, whose cut-off rest looks like an offset.
  const std::string longHeadword = "sa" + std::string(126997, 'k') + "12";
  Write({{longHeadword, "the long one"}, {"sarva", "all"}, {"sama", "same"}});
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"the long one", "all", "same"}));
  EXPECT_EQ(m_rows->m_translitRows[2], TranslitOf("sama"));
  ASSERT_EQ(m_warnings.size(), 1u);
  EXPECT_EQ(m_warnings[0], "m_pBuffer overflow in line 1 (line length over 127000 chars)");
  // A headword of exactly 127000 bytes: cut by one byte, no rest to skip beyond it.
  Write({{"sa" + std::string(126998, 'm'), "exact"}, {"saha", "with"}});
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"exact", "with"}));

  // An entry line of 300000 bytes is cut to the entry buffer.
  const std::string huge = "begin " + std::string(300000 - 10, 'x') + " end";
  m_warnings.clear();
  Write({{"kavi", huge}, {"kapi", "monkey"}});
  ASSERT_EQ(Search("ka"), SearchOutcome::kFound);
  EXPECT_EQ(Entries(), (std::vector<std::string>{huge.substr(0, kLineLimit - 1), "monkey"}));
  EXPECT_EQ(m_warnings.front(), "m_pBuffer overflow in line 1 (line length over 127000 chars)");
}

TEST_F(CorruptDataTest, IndexShorterThanTheListClaims) {
  const std::vector<SHeadword> words = {
      {"kavi", std::string(12345, 'p')}, {"kapi", "monkey"}, {"kaTa", "mat"}};
  const SFiles full = test::LayOut(words);
  // Cut kvindx.txt at every byte: inside a headword, inside an offset line ("12345" loses
  // digits and would point into the first entry), between records.
  for (size_t cut = 0; cut < full.index.size(); ++cut) {
    SCOPED_TRACE(cut);
    Write(SFiles{full.list, full.index.substr(0, cut), full.text});
    const SearchOutcome outcome = Search("ka");
    EXPECT_TRUE(outcome == SearchOutcome::kFound || outcome == SearchOutcome::kNoMatch);
    ExpectNoWrongEntry(words);
  }
  // An offset line that the end of the file cut short may have lost digits: no row.
  Write(SFiles{full.list, full.index.substr(0, full.index.find("kapi\r\n") + 7), full.text});
  EXPECT_EQ(Search("kap"), SearchOutcome::kNoMatch);
  // Cut right after a whole record: the records before it are all there.
  Write(SFiles{full.list, full.index.substr(0, full.index.find("kaTa")), full.text});
  ASSERT_EQ(Search("ka"), SearchOutcome::kFound);
  EXPECT_EQ(m_found.ItemCount(), 2);
  // A cut kvtot2.txt shows what is left of the entry: it is still that entry.
  Write(SFiles{full.list, full.index, full.text.substr(0, 100)});
  Search("kav");
  EXPECT_EQ(Rows(), (RowList{{TranslitOf("kavi"), std::string(100, 'p')}}));
}

}  // namespace
}  // namespace kv
