// The three data files damaged in every way a copy, an editor or a half-finished build can
// damage them. Whatever they hold, the search and the entry retrieval must end, stay inside
// their buffers, and tell the user only true things: a listed headword shows its own entry or
// none, never another headword's.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/found_rows.h"
#include "dictionary/headword_search.h"
#include "dictionary/line_reader.h"
#include "dictionary/list_strings.h"
#include "test_files.h"

namespace kv {
namespace {

using test::CTempDir;

struct Headword {
  std::string indexLine;
  std::string entry;
};

struct Files {
  std::string list;
  std::string index;
  std::string text;
};

// Lays `words` out as the three files, bucketed by their first two letters in order of first
// appearance, with `eol` as line end. `entryOffsets` receives each word's entry offset.
Files LayOut(const std::vector<Headword>& words, const std::string& eol = "\r\n") {
  std::vector<std::string> order;
  std::map<std::string, std::vector<size_t>> buckets;
  for (size_t i = 0; i < words.size(); ++i) {
    std::string key = words[i].indexLine.substr(0, 2);
    if (!buckets.count(key)) order.push_back(key);
    buckets[key].push_back(i);
  }
  Files files;
  for (const auto& key : order) {
    files.list += key + eol + std::to_string(files.index.size()) + eol;
    for (size_t i : buckets[key]) {
      files.index += words[i].indexLine + eol + std::to_string(files.text.size()) + eol;
      files.text += words[i].entry + eol;
    }
  }
  files.list += "##" + eol + std::to_string(files.index.size()) + eol;
  return files;
}

// The bucket list of an index file with CR LF line ends: a bucket starts wherever the first two
// bytes of the headword change.
std::string ListOf(const std::string& index) {
  std::string list;
  std::string last;
  size_t pos = 0;
  while (pos < index.size()) {
    size_t end = index.find("\r\n", pos);
    std::string key = index.substr(pos, std::min<size_t>(2, end - pos));
    if (key != last) list += key + "\r\n" + std::to_string(pos) + "\r\n";
    last = key;
    end = index.find("\r\n", end + 2);  // the offset line
    pos = end == std::string::npos ? index.size() : end + 2;
  }
  return list + "##\r\n" + std::to_string(index.size()) + "\r\n";
}

std::string TranslitOf(const std::string& indexLine) {
  char row[kRowBytes];
  Transliterate(indexLine.c_str(), row, kRowBytes);
  return row;
}

std::vector<std::string> g_warnings;
void RecordWarning(const char* text) { g_warnings.emplace_back(text); }

class CorruptDataTest : public ::testing::Test {
 protected:
  CorruptDataTest() {
    g_warnings.clear();
    SetReaderWarningHandler(RecordWarning);
  }
  ~CorruptDataTest() override { SetReaderWarningHandler(nullptr); }

  void Write(const Files& files) {
    m_dir.Write("kvlist.txt", files.list);
    m_dir.Write("kvindx.txt", files.index);
    m_dir.Write("kvtot2.txt", files.text);
    Open();
  }
  void Open() {
    m_list.Open((m_dir.Path() / "kvlist.txt").c_str());
    m_index.Open((m_dir.Path() / "kvindx.txt").c_str());
    m_text.Open((m_dir.Path() / "kvtot2.txt").c_str());
  }
  SearchOutcome Search(const char* text) {
    return RunHeadwordSearch({text, false}, m_list, m_index, *m_rows, m_found, m_entry.get());
  }
  std::string EntryAt(long long offset) {
    RetrieveEntry(offset, m_text, m_entry.get());
    return m_entry.get();
  }
  // Each listed row as (transliteration, entry shown when it is selected).
  std::vector<std::pair<std::string, std::string>> Rows() {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int r = 0; r < m_found.ItemCount(); ++r) {
      rows.emplace_back(m_rows->m_translitRows[r], EntryAt(m_rows->m_entryOffsets[r]));
    }
    return rows;
  }
  // Every listed row shows its own headword's entry, or an empty one.
  void ExpectNoWrongEntry(const std::vector<Headword>& words) {
    for (const auto& row : Rows()) {
      const std::string& translit = row.first;
      const std::string& entry = row.second;
      if (entry.empty()) continue;
      bool own = std::any_of(words.begin(), words.end(), [&](const Headword& word) {
        return TranslitOf(word.indexLine) == translit && word.entry == entry;
      });
      EXPECT_TRUE(own) << "row " << translit << " shows '" << entry.substr(0, 40) << "'";
    }
  }
  std::string NoMatchText(const char* text) {
    char expected[300];
    FormatNoMatchText(text, expected, sizeof expected);
    return expected;
  }

  CTempDir m_dir;
  CLineReader m_list{2048};
  CLineReader m_index{2048};
  CLineReader m_text{2048};
  std::unique_ptr<CFoundRows> m_rows = std::make_unique<CFoundRows>();
  std::unique_ptr<char[]> m_entry = std::make_unique<char[]>(kEntryTextBytes);
  CPlainFoundList m_found;
};

const std::vector<Headword> kWords = {
    {"sarva", "all, every"}, {"sa-ma", "same; equal (to)"},       {"kavi", "poet, sage"},
    {"kapi", "monkey"},      {"rAma", "pleasing; name of %rAma"}, {"rarAma", "took delight"},
};

TEST_F(CorruptDataTest, EmptyFilesAndFilesOfOnlyLineEnds) {
  for (const char* content : {"", "\r\n", "\r\n\r\n\n\r\n", "\r", "\n\n\n", "\r\r\r\r"}) {
    SCOPED_TRACE(testing::PrintToString(content));
    Write({content, content, content});
    EXPECT_EQ(Search("sa"), SearchOutcome::kNoMatch);
    EXPECT_EQ(m_found.ItemCount(), 0);
    EXPECT_EQ(m_entry.get(), NoMatchText("sa"));
    EXPECT_EQ(Search("s"), SearchOutcome::kNoMatch);
    EXPECT_EQ(EntryAt(0), "");
    EXPECT_EQ(EntryAt(1), "");
  }
  EXPECT_TRUE(g_warnings.empty());
}

TEST_F(CorruptDataTest, LoneCrLineEndsReadLikeCrLf) {
  Write(LayOut(kWords, "\r"));
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  EXPECT_EQ(Rows(),
            (std::vector<std::pair<std::string, std::string>>{
                {TranslitOf("sarva"), "all, every"}, {TranslitOf("sa-ma"), "same; equal (to)"}}));
  ASSERT_EQ(Search("ra"), SearchOutcome::kFound);
  EXPECT_EQ(Rows().size(), 1u);
  ExpectNoWrongEntry(kWords);
}

TEST_F(CorruptDataTest, OffsetsPastTheEndNegativeOrNotNumbers) {
  Files good = LayOut(kWords);
  for (const char* bad : {"999999", "-7", "abc", "99999999999999999999", " x", ""}) {
    SCOPED_TRACE(bad);
    // The "sa" bucket's start in kvlist.txt.
    Files files = good;
    files.list.replace(files.list.find("\r\n") + 2, 1, bad);
    Write(files);
    EXPECT_EQ(Search("sa"), SearchOutcome::kNoMatch);
    EXPECT_EQ(m_entry.get(), NoMatchText("sa"));
    // The other buckets still work, unless the offset line is gone altogether: the reader
    // never returns an empty line, so the bucket list is then read out of step.
    if (*bad != 0) {
      EXPECT_EQ(Search("ka"), SearchOutcome::kFound);
    }
    for (const char* key : {"ka", "k", "r", "s"}) {
      Search(key);
      ExpectNoWrongEntry(kWords);
    }
  }
  for (const char* bad : {"999999", "-7", "abc", "12abc", "4rAma", "99999999999999999999"}) {
    SCOPED_TRACE(bad);
    // The entry offset of "kavi" in kvindx.txt; kvlist.txt follows the new lengths.
    Files files = LayOut(kWords);
    const size_t at = files.index.find("kavi\r\n") + 6;
    files.index.replace(at, files.index.find("\r\n", at) - at, bad);
    files.list = ListOf(files.index);
    Write(files);
    ASSERT_EQ(Search("kav"), SearchOutcome::kFound);
    EXPECT_EQ(Rows(), (std::vector<std::pair<std::string, std::string>>{{TranslitOf("kavi"), ""}}));
    Search("ka");
    ExpectNoWrongEntry(kWords);
  }
  // Entry offsets that the list never holds: before the start, past the end.
  Write(LayOut(kWords));
  EXPECT_EQ(EntryAt(-1), "");
  EXPECT_EQ(EntryAt(-1000000), "");
  EXPECT_EQ(EntryAt(1 << 30), "");
}

TEST_F(CorruptDataTest, OffsetsIntoTheMiddleOfLinesShowNoOtherEntry) {
  // Read from two bytes into "rarAma", the tail "rAma" would be taken for a headword and shown
  // with the entry of "rarAma"; read from inside the offset line "14", its tail "4" would be
  // a headword and the next line its offset.
  const std::vector<Headword> words = {{"rarAma", "took delight"}, {"rAma", "pleasing"}};
  Files files = LayOut(words);
  ASSERT_EQ(files.list, "ra\r\n0\r\nrA\r\n11\r\n##\r\n21\r\n");
  ASSERT_EQ(files.index, "rarAma\r\n0\r\nrAma\r\n14\r\n");
  for (const char* start : {"2", "18", "6", "7"}) {
    SCOPED_TRACE(start);
    files.list = std::string("ra\r\n0\r\nrA\r\n") + start + "\r\n##\r\n21\r\n";
    Write(files);
    EXPECT_EQ(Search("rA"), SearchOutcome::kNoMatch);
    for (const char* key : {"r", "ra", "4", "0"}) {
      Search(key);
      ExpectNoWrongEntry(words);
    }
  }
  // Entry offsets inside an entry line show nothing rather than its tail.
  Write(LayOut(words));
  EXPECT_EQ(EntryAt(0), "took delight");
  EXPECT_EQ(EntryAt(5), "");
  // The line end before an entry is a place of that entry.
  EXPECT_EQ(EntryAt(12), "pleasing");
  EXPECT_EQ(EntryAt(13), "pleasing");
  EXPECT_EQ(EntryAt(14), "pleasing");
  EXPECT_EQ(EntryAt(15), "");
}

TEST_F(CorruptDataTest, MoreThanTwoHundredMatchingBucketsAreAllSearched) {
  // 250 buckets under the same key, one headword each: a bucket list written by hand or merged
  // from several dictionaries.
  std::string index;
  std::string text;
  std::string list;
  std::vector<Headword> words;
  for (int i = 0; i < 250; ++i) {
    std::string headword = "sa";
    for (int n = i; n > 0; n /= 8) headword += "kgcjTDtd"[n % 8];
    words.push_back({headword, "entry " + std::to_string(i)});
    list += "sa\r\n" + std::to_string(index.size()) + "\r\n";
    index += headword + "\r\n" + std::to_string(text.size()) + "\r\n";
    text += words.back().entry + "\r\n";
  }
  list += "##\r\n" + std::to_string(index.size()) + "\r\n";
  Write({list, index, text});
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  // Every bucket is searched, the 201st to the 250th in a second pass, in bucket order.
  ASSERT_EQ(m_found.ItemCount(), 250);
  auto rows = Rows();
  for (int i = 0; i < 250; ++i) {
    EXPECT_EQ(rows[static_cast<size_t>(i)],
              std::make_pair(TranslitOf(words[static_cast<size_t>(i)].indexLine),
                             words[static_cast<size_t>(i)].entry));
  }
}

TEST_F(CorruptDataTest, IndexLinesOf127000BytesKeepTheRecordsInStep) {
  // A headword line longer than the reader's limit, whose cut-off rest looks like an offset.
  const std::string longHeadword = "sa" + std::string(126997, 'k') + "12";
  ASSERT_EQ(longHeadword.size(), 127001u);
  const std::vector<Headword> words = {
      {longHeadword, "the long one"}, {"sarva", "all"}, {"sama", "same"}};
  Write(LayOut(words));
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].second, "the long one");
  EXPECT_EQ(rows[1], std::make_pair(TranslitOf("sarva"), std::string("all")));
  EXPECT_EQ(rows[2], std::make_pair(TranslitOf("sama"), std::string("same")));
  // The list strings of the long headword are cut to their rows, closed by 0xA0.
  for (const char* row : {m_rows->m_translitRows[0], m_rows->m_devanagariRows[0]}) {
    const size_t length = strnlen(row, kRowBytes);
    ASSERT_LT(length, static_cast<size_t>(kRowBytes));
    EXPECT_EQ(static_cast<unsigned char>(row[length - 1]), 0xA0);
  }
  ASSERT_EQ(g_warnings.size(), 1u);
  EXPECT_EQ(g_warnings[0], "m_pBuffer overflow in line 1 (line length over 127000 chars)");
  // A headword of exactly 127000 bytes: cut by one byte, no rest to skip beyond it.
  const std::vector<Headword> exact = {{"sa" + std::string(126998, 'm'), "exact"},
                                       {"saha", "with"}};
  Write(LayOut(exact));
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  EXPECT_EQ(Rows(), (std::vector<std::pair<std::string, std::string>>{
                        {Rows()[0].first, "exact"}, {TranslitOf("saha"), "with"}}));
}

TEST_F(CorruptDataTest, EntryLineOf300000BytesIsCutToTheBuffer) {
  const std::string huge = "begin " + std::string(300000 - 10, 'x') + " end";
  const std::vector<Headword> words = {{"kavi", huge}, {"kapi", "monkey"}};
  Write(LayOut(words));
  ASSERT_EQ(Search("ka"), SearchOutcome::kFound);
  const std::string shown = EntryAt(m_rows->m_entryOffsets[0]);
  EXPECT_EQ(shown.size(), static_cast<size_t>(kLineLimit - 1));
  EXPECT_EQ(shown, huge.substr(0, kLineLimit - 1));
  ASSERT_FALSE(g_warnings.empty());
  EXPECT_EQ(g_warnings[0], "m_pBuffer overflow in line 1 (line length over 127000 chars)");
  EXPECT_EQ(EntryAt(m_rows->m_entryOffsets[1]), "monkey");
}

TEST_F(CorruptDataTest, NulBytesEndTheTextTheyAreIn) {
  std::vector<Headword> words = {{std::string("sa\0rva", 6), std::string("all\0 of it", 10)},
                                 {"sama", "same"}};
  Files files = LayOut(words);
  files.list.insert(1, std::string(1, '\0'));  // "s\0a": this bucket key no longer matches "sa"
  Write(files);
  EXPECT_EQ(Search("sa"), SearchOutcome::kNoMatch);
  EXPECT_EQ(Search("s"), SearchOutcome::kFound);
  EXPECT_EQ(m_found.ItemCount(), 2);
  Write(LayOut(words));
  ASSERT_EQ(Search("sa"), SearchOutcome::kFound);
  EXPECT_EQ(Rows(), (std::vector<std::pair<std::string, std::string>>{
                        {TranslitOf("sa"), "all"}, {TranslitOf("sama"), "same"}}));
  EXPECT_EQ(Search("sar"), SearchOutcome::kNoMatch);
}

TEST_F(CorruptDataTest, IndexShorterThanTheListClaims) {
  const std::vector<Headword> words = {
      {"kavi", std::string(12345, 'p')}, {"kapi", "monkey"}, {"kaTa", "mat"}};
  const Files full = LayOut(words);
  // Cut kvindx.txt at every byte: inside a headword, inside an offset line ("12345" loses
  // digits and would point into the first entry), between records.
  for (size_t cut = 0; cut < full.index.size(); ++cut) {
    SCOPED_TRACE(cut);
    Write({full.list, full.index.substr(0, cut), full.text});
    const SearchOutcome outcome = Search("ka");
    EXPECT_TRUE(outcome == SearchOutcome::kFound || outcome == SearchOutcome::kNoMatch);
    ExpectNoWrongEntry(words);
  }
  // Cut right after a whole record: the records before it are all there.
  const size_t twoRecords = full.index.find("kaTa");
  Write({full.list, full.index.substr(0, twoRecords), full.text});
  ASSERT_EQ(Search("ka"), SearchOutcome::kFound);
  EXPECT_EQ(m_found.ItemCount(), 2);
  // A cut kvtot2.txt shows what is left of the entry: it is still that entry.
  Write({full.list, full.index, full.text.substr(0, 100)});
  Search("kav");
  EXPECT_EQ(Rows(), (std::vector<std::pair<std::string, std::string>>{
                        {TranslitOf("kavi"), std::string(100, 'p')}}));
}

TEST_F(CorruptDataTest, MissingOrUnreadableFilesAreNamed) {
  const Files files = LayOut(kWords);
  const char* const names[] = {"kvlist.txt", "kvindx.txt", "kvtot2.txt"};
  for (int missing = 0; missing < 3; ++missing) {
    for (bool directory : {false, true}) {
      SCOPED_TRACE(std::string(names[missing]) + (directory ? " is a folder" : " is missing"));
      CTempDir dir;
      const std::string contents[] = {files.list, files.index, files.text};
      for (int i = 0; i < 3; ++i) {
        if (i != missing) {
          dir.Write(names[i], contents[i]);
        } else if (directory) {
          std::filesystem::create_directory(dir.Path() / names[i]);
        }
      }
      CLineReader readers[3] = {CLineReader(2048), CLineReader(2048), CLineReader(2048)};
      for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(readers[i].Open((dir.Path() / names[i]).c_str()), i != missing);
      }
      const std::string expected = std::string("Could not open file <") + names[missing] +
                                   ">\n Did you install the dictionary?";
      const SearchOutcome outcome =
          RunHeadwordSearch({"ka", false}, readers[0], readers[1], *m_rows, m_found, m_entry.get());
      if (missing < 2) {
        EXPECT_EQ(outcome, SearchOutcome::kMissingFile);
        EXPECT_EQ(m_entry.get(), expected);
        EXPECT_EQ(m_found.ItemCount(), 0);
      } else {
        ASSERT_EQ(outcome, SearchOutcome::kFound);
        EXPECT_FALSE(RetrieveEntry(m_rows->m_entryOffsets[0], readers[2], m_entry.get()));
        EXPECT_EQ(m_entry.get(), expected);
      }
    }
  }
}

}  // namespace
}  // namespace kv
