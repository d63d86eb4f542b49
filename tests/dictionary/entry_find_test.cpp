#include "dictionary/entry_find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/entry_scan.h"
#include "dictionary_fixture.h"

namespace kv {
namespace {

using Texts = std::vector<std::string>;

std::string Readings(const CFindQuery& query) {
  if (!query.Ok()) return "! " + query.Message();
  std::string text;
  for (const CFindWord& word : query.Words()) {
    text += (text.empty() ? "" : " ") + (word.m_english.empty() ? "-" : word.m_english) + "/" +
            (word.m_sanskrit.empty() ? "-" : word.m_sanskrit);
  }
  return text;
}

TEST(FindQueryTest, ReadsEachWordBothWaysAndRefusesBadQueries) {
  for (const auto& [text, expected] : test::ReadRows("dictionary/find_queries.txt")) {
    const bool itrans = text.starts_with("itrans: ");
    EXPECT_EQ(Readings(CFindQuery::Parse(itrans ? text.substr(8) : text, itrans)), expected)
        << text;
  }
  EXPECT_EQ(Readings(CFindQuery::Parse(std::string(10000, 'a'), false)),
            "! The text is too long: at most 199 bytes");
}

// The ranges FindMatches gives, and the scanner's view of the same entry as a line of a block
// between two others: the same words, the same first match.
TEST(FindMatchesTest, WholeEnglishWordsAndSanskritKeysAsTheScannerFindsThem) {
  for (const auto& [left, expected] : test::ReadRows("dictionary/find_matches.txt")) {
    const Texts parts = test::Split(left, " | ");
    ASSERT_EQ(parts.size(), 2u) << left;
    const CFindQuery query = CFindQuery::Parse(parts[0], false);
    ASSERT_TRUE(query.Ok()) << left;
    std::string ranges;
    std::uint32_t words = 0;
    int first = -1;
    for (const CMatchRange& range : FindMatches(query, parts[1])) {
      ranges += (ranges.empty() ? "" : " ") + std::to_string(range.m_begin) + "-" +
                std::to_string(range.m_end) + ":" + std::to_string(range.m_word);
      words |= 1u << range.m_word;
      if (first < 0) first = range.m_begin;
    }
    EXPECT_EQ(ranges.empty() ? "-" : ranges, expected) << left;

    const std::string before = "x %y fire agni\r\n";
    std::vector<CLineHit> hits;
    CEntryScanner(query).Scan(before + parts[1] + "\nz", hits);
    const bool beforeMatches = !FindMatches(query, before.substr(0, before.size() - 2)).empty();
    ASSERT_EQ(hits.size(), (beforeMatches ? 1u : 0u) + (words != 0 ? 1u : 0u)) << left;
    if (words == 0) continue;
    EXPECT_EQ(hits.back().m_start, before.size()) << left;
    EXPECT_EQ(hits.back().m_words, words) << left;
    EXPECT_EQ(hits.back().m_first, first) << left;
  }
}

class EntryFindTest : public test::CDictionaryTest {
 protected:
  CFindResult Find(const std::string& text) {
    return m_finder.Find(CFindQuery::Parse(text, false), m_dictionary, *m_rows, m_found);
  }
  // Every listed row's entry, as choosing the row shows it, holds a match of `text`.
  void ExpectEveryRowMatches(const std::string& text) {
    const CFindQuery query = CFindQuery::Parse(text, false);
    for (const std::string& entry : Entries()) EXPECT_FALSE(FindMatches(query, entry).empty());
  }

  CEntryFinder m_finder;
};

TEST_F(EntryFindTest, RanksByWordsMatchedThenFirstMatchThenIndexOrder) {
  // kvtot2.txt holds the entries of agni, agha and homa in the opposite order of the index.
  Write({{"agni", "fire 1", "163"},
         {"ap", "water, the waters"},
         {"tejas", "sharpness; fire, brilliance"},
         {"ghRta", "ghee poured into the fire and water"},
         {"soma", "a plant; its juice mixed with water, poured into fire"},
         {"kim", "what?"},
         {"agha", "fire 2"},
         {"homa", "fire 3", "0"}});
  const CFindResult result = Find("fire water");
  ASSERT_EQ(result.m_outcome, FindOutcome::kFound);
  EXPECT_EQ(result.m_entryCount, 7);
  EXPECT_EQ(result.m_rowCount, 7);
  EXPECT_EQ(Entries(),
            (Texts{"ghee poured into the fire and water",
                   "a plant; its juice mixed with water, poured into fire", "fire 3", "fire 2",
                   "water, the waters", "fire 1", "sharpness; fire, brilliance"}));
  EXPECT_EQ(test::Hex(m_rows->m_translitRows[2]), "61676e69a0");  // agni, as lookup shows it

  const CFindResult none = Find("earth");
  EXPECT_EQ(none.m_outcome, FindOutcome::kNoMatch);
  EXPECT_EQ(none.m_message, "No entries found for <earth>.");
  EXPECT_EQ(m_found.ItemCount(), 0);
  const CFindResult refused = Find("!!");
  EXPECT_EQ(refused.m_outcome, FindOutcome::kBadQuery);
  EXPECT_EQ(refused.m_message, "Enter a word to find");
}

TEST_F(EntryFindTest, ListsAtMost291RowsAndCountsEveryEntry) {
  // Two headwords lead to the first entry: two rows, one entry.
  std::vector<test::SHeadword> words = {{"agni", "water"}, {"anala", "", "0"}};
  for (int i = 0; i < 300; ++i)
    words.push_back({"sa" + std::to_string(i), "a water " + std::to_string(i)});
  Write(words);
  const CFindResult result = Find("water");
  EXPECT_EQ(result.m_entryCount, 301);
  ASSERT_EQ(result.m_rowCount, kMaxHits);
  ASSERT_EQ(m_found.ItemCount(), kMaxHits);
  const Texts entries = Entries();
  EXPECT_EQ(entries[0], "water");
  EXPECT_EQ(entries[1], "water");
  EXPECT_EQ(entries.back(), "a water 288");
}

// Lines as the entry retrieval reads them: any line ends, blank lines, offsets on the line ends
// before an entry, a last line without its end, and lines longer than what is shown, of which
// only the shown part counts; the two long lines make the file larger than one block.
TEST_F(EntryFindTest, ReadsEntriesAsChoosingARowShowsThem) {
  const std::string longTail = test::Repeat("word ", 26000);
  test::SFiles files;
  files.text = "fire one\r\r\n\nfire two\rfire three\n" + longTail + "fire\r\n" + "fire " +
               longTail + "\r\nno\r\nfire last";
  // Offsets: a line, the line ends before one (twice), a line too long to count, the line end
  // before a long line that counts, a place inside a line (which leads nowhere), a last line.
  const std::string offsets[] = {"0",
                                 "9",
                                 "21",
                                 "31",
                                 std::to_string(31 + longTail.size() + 6),
                                 std::to_string(files.text.size() - 19),
                                 std::to_string(files.text.size() - 9)};
  const char* names[] = {"a", "ka", "kha", "ga", "gha", "ca", "cha"};
  // kvindx.txt's records end their lines in every way the reader takes.
  const char* ends[] = {"\r\n", "\n", "\r", "\r\n\r\n"};
  for (int i = 0; i < 7; ++i) {
    files.index += std::string(names[i]) + ends[i % 4] + offsets[i] + ends[(i + 1) % 4];
  }
  files.list = "a\r\n0\r\n##\r\n" + std::to_string(files.index.size()) + "\r\n";
  Write(files);
  const CFindResult result = Find("fire");
  EXPECT_EQ(result.m_entryCount, 5);
  ASSERT_EQ(m_found.ItemCount(), 5);
  EXPECT_EQ(Entries(), (Texts{"fire one", "fire two", "fire three",
                              "fire " + longTail.substr(0, kLineLimit - 6), "fire last"}));
}

// The finder keeps what it read of kvindx.txt only while that file is unchanged; whatever the
// files hold, a listed row shows an entry that matches.
TEST_F(EntryFindTest, RereadsAChangedIndexAndNeverListsAWrongRow) {
  Write(std::vector<test::SHeadword>{{"agni", "fire"}, {"ap", "water"}});
  ASSERT_EQ(Find("fire").m_rowCount, 1);
  EXPECT_EQ(test::Hex(m_rows->m_translitRows[0]), "61676e69a0");
  m_dir.Write(kIndexFileName, "ap\r\n0\r\nagni\r\n6\r\n");
  ASSERT_EQ(Find("fire").m_rowCount, 1);
  EXPECT_EQ(test::Hex(m_rows->m_translitRows[0]), "6170a0");

  for (const auto& [left, searches] : test::ReadRows("dictionary/corrupt.txt")) {
    const Texts files = test::Split(left, " | ");
    if (files.size() != 3) continue;
    Write(test::SFiles{files[0], files[1], files[2]});
    for (const char* text : {"all", "poet name", "delight sage equal"}) {
      const CFindResult result = Find(text);
      EXPECT_LE(m_found.ItemCount(), result.m_entryCount);
      ExpectEveryRowMatches(text);
    }
  }
  Write(test::SFiles{"", "", ""});
  m_dictionary.OpenFiles(m_dir.Path() / kListFileName, m_dir.Path() / "none",
                         m_dir.Path() / kTextFileName);
  EXPECT_EQ(Find("fire").m_message, "Could not open file <none>\n Did you install the dictionary?");
}

}  // namespace
}  // namespace kv
