#include "dictionary/dictionary_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/dictionary_check.h"
#include "dictionary/found_rows.h"
#include "dictionary/headword_search.h"
#include "dictionary/line_reader.h"
#include "test_files.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using test::CTempDir;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> names;
  if (!fs::exists(dir)) return names;
  for (const auto& item : fs::directory_iterator(dir)) names.push_back(item.path().filename());
  return names;
}

TEST(DictionaryBuilder, LaysOutBucketsInOrderOfFirstAppearance) {
  std::vector<DictionaryError> errors;
  auto entries = ParseSource(
      "# comment line\r\n"
      "rAma\tthe hero\r\n"
      "deva\ta god\n"
      "   \n"
      "rA-jan\ta king\n"
      "a\tthe first letter",
      "src.txt", errors);
  ASSERT_TRUE(errors.empty());
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[2].indexLine, "rA-jan");
  EXPECT_EQ(entries[2].line, 5);
  EXPECT_EQ(entries[3].entry, "the first letter");

  DictionaryFiles files = LayOutDictionary(entries);
  EXPECT_EQ(files.text, "the hero\r\na god\r\na king\r\nthe first letter\r\n");
  EXPECT_EQ(files.index, "rAma\r\n0\r\nrA-jan\r\n17\r\ndeva\r\n10\r\na\r\n25\r\n");
  EXPECT_EQ(files.list, "rA\r\n0\r\nde\r\n21\r\na\r\n31\r\n##\r\n38\r\n");
  EXPECT_EQ(files.bucketCount, 3);
  EXPECT_TRUE(CheckDictionaryData(files.list, files.index, files.text).Clean());
}

TEST(DictionaryBuilder, BucketKeysSkipTheMarkersThatMatchingIgnores) {
  EXPECT_EQ(BucketKeyOf("rA-ma"), "rA");
  EXPECT_EQ(BucketKeyOf("-`4r7@\xF3"
                        "A-ma"),
            "rA");
  EXPECT_EQ(BucketKeyOf("r%Ama"), "r%");  // "%" and "9" stay: matching keeps them
  EXPECT_EQ(BucketKeyOf("a"), "a");
  EXPECT_EQ(BucketKeyOf("a-"), "a");
  EXPECT_EQ(BucketKeyOf("4-"), "");
  // Whatever the markers, the headword's own bucket key finds it.
  for (const char* line : {"rA-ma", "`de4va", "@sa7ptan", "k\xF3Sa", "a-"}) {
    std::string key = BucketKeyOf(line);
    EXPECT_TRUE(KeyMatches(line, key.c_str())) << line;
  }
}

// A source that exercises markers, Windows-1252 text, interleaved buckets, a repeated
// headword, a one-letter headword and an entry of the longest length the program reads.
struct RoundTripWord {
  std::string sourceIndex;
  std::string sourceEntry;
  std::string indexLine;
  std::string entry;
};

std::vector<RoundTripWord> RoundTripWords() {
  // Mostly words whose bytes pass through unchanged.
  auto same = [](std::string index, std::string entry) {
    return RoundTripWord{index, entry, index, entry};
  };
  return {
      same("rA-ma", "the hero of the R%AmAyaNa ; son of D%azaratha"),
      same("deva", "a god (also `king'; lord)"),
      same("`ra4ja7s", "dust, pollen"),
      {"d\xC3\xB3"
       "eva-datta",
       "a name \xE2\x80\x93 \xE2\x80\x9C"
       "god-given\xE2\x80\x9D, caf\xC3\xA9",
       "d\xF3"
       "eva-datta",
       "a name \x96 \x93god-given\x94, caf\xE9"},
      {"a", "the first letter; a negative prefix \xE2\x82\xAC", "a",
       "the first letter; a negative prefix \x80"},
      same("rAjan", "a king"),
      same("d%e9vI", "a goddess"),
      same("@sa", "with"),
      same("deva", "a second entry for the same headword"),
      same("kSatriya", std::string(kMaxDataLineBytes, 'w')),
      same("ka", "who?"),
  };
}

TEST(DictionaryBuilder, RoundTripReadsEveryRecordAndEntryBackByteExact) {
  CTempDir dir;
  std::string source = "# a test dictionary\r\n\r\n";
  for (const auto& word : RoundTripWords())
    source += word.sourceIndex + "\t" + word.sourceEntry + "\r\n";
  std::string sourcePath = dir.Write("source.txt", source);
  fs::path out = dir.Path() / "out";

  BuildResult built = BuildDictionary(sourcePath, out.string());
  ASSERT_TRUE(built.Ok()) << built.errors[0].reason;
  EXPECT_EQ(built.headwordCount, 11);
  EXPECT_EQ(built.bucketCount, 8);  // rA de ra a d% sa kS ka
  std::vector<std::string> names = FilesIn(out);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"kvindx.txt", "kvlist.txt", "kvtot2.txt"}));

  CheckResult checked = CheckDictionaryFiles(out.string());
  EXPECT_TRUE(checked.Clean()) << checked.problems[0].file << ":" << checked.problems[0].line
                               << ": " << checked.problems[0].reason;
  EXPECT_EQ(checked.headwordCount, 11);
  EXPECT_EQ(checked.bucketCount, 8);

  // The expected buckets: keys in order of first appearance, members in source order.
  std::vector<std::string> keys;
  std::vector<std::vector<RoundTripWord>> members;
  for (const auto& word : RoundTripWords()) {
    std::string key = BucketKeyOf(word.indexLine);
    auto it = std::find(keys.begin(), keys.end(), key);
    if (it == keys.end()) {
      keys.push_back(key);
      members.emplace_back();
      it = keys.end() - 1;
    }
    members[static_cast<size_t>(it - keys.begin())].push_back(word);
  }

  CLineReader list(2048), index(2048), text(2048);
  ASSERT_TRUE(list.Open((out / kListFileName).c_str()));
  ASSERT_TRUE(index.Open((out / kIndexFileName).c_str()));
  ASSERT_TRUE(text.Open((out / kTextFileName).c_str()));
  std::vector<char> line(kEntryTextBytes);
  auto readLine = [&](CLineReader& reader) {
    return reader.ReadLine(line.data(), kLineLimit) ? std::string(line.data())
                                                    : std::string("<eof>");
  };
  std::vector<std::pair<std::string, long long>> buckets;
  list.Seek(0);
  for (;;) {
    std::string key = readLine(list);
    if (key == "<eof>") break;
    buckets.emplace_back(key, std::stoll(readLine(list)));
  }
  ASSERT_EQ(buckets.size(), keys.size() + 1);
  EXPECT_EQ(buckets.back().first, kClosingKeyLine);
  EXPECT_EQ(buckets.back().second, static_cast<long long>(fs::file_size(out / kIndexFileName)));
  for (size_t b = 0; b < keys.size(); ++b) {
    EXPECT_EQ(buckets[b].first, keys[b]);
    long long end = buckets[b + 1].second;
    index.Seek(buckets[b].second);
    for (size_t m = 0; m < members[b].size(); ++m) {
      const RoundTripWord& word = members[b][m];
      EXPECT_EQ(readLine(index), word.indexLine);
      long long offset = std::stoll(readLine(index));
      // The bucket's last line end is the byte right before the next bucket.
      EXPECT_EQ(index.GetPosition() + 1 == end, m + 1 == members[b].size()) << word.indexLine;
      text.Seek(offset);
      EXPECT_EQ(test::Hex(readLine(text)), test::Hex(word.entry)) << word.indexLine;
    }
  }

  // The search finds each two-letter bucket's headwords, and only those, in source order.
  auto rows = std::make_unique<CFoundRows>();
  CPlainFoundList found;
  std::vector<char> entryText(kEntryTextBytes);
  for (size_t b = 0; b < keys.size(); ++b) {
    if (keys[b].size() < 2) continue;
    ASSERT_EQ(
        RunHeadwordSearch({keys[b].c_str(), false}, list, index, *rows, found, entryText.data()),
        SearchOutcome::kFound);
    ASSERT_EQ(found.ItemCount(), static_cast<int>(members[b].size())) << keys[b];
    for (size_t m = 0; m < members[b].size(); ++m) {
      text.Seek(rows->m_entryOffsets[m]);
      EXPECT_EQ(test::Hex(readLine(text)), test::Hex(members[b][m].entry));
    }
  }
}

TEST(DictionaryBuilder, EachErrorNamesItsLineAndLeavesNoFile) {
  struct Case {
    std::string line;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"\tan entry without headword", "empty headword"},
      {"-4`\tonly markers", "empty headword"},
      {"deva\tcosts \xE2\x82\xB9 5", "U+20B9 cannot be written in Windows-1252"},
      {"deva\tbell\x07", "control character U+0007"},
      {"deva\tone\ttwo", "control character U+0009"},
      {"deva\tone\rtwo", "CR inside the line"},
      {std::string("deva\tg\0od", 10), "NUL byte at byte 7"},
      {"deva god", "missing TAB"},
      {"deva\tgod \xC3(", "invalid UTF-8 at byte 5 of the entry"},
      {"de\xFFva\tgod", "invalid UTF-8 at byte 3 of the index line"},
      {"deva\t\xED\xA0\x80", "invalid UTF-8"},  // a surrogate
      {"deva\t\xC0\xAF", "invalid UTF-8"},      // an overlong form
      {"de va\tgod", "U+0020, which is neither an internal letter nor a marker byte"},
      {"deva\t", "empty entry"},
      {"deva\t" + std::string(kMaxDataLineBytes + 1, 'x'),
       "entry of 126999 bytes is longer than 126998"},
      {std::string(120, 'k') + "\tlong", "transliteration string needs"},
      {std::string(500, '%') + "a\tlong", "index line of 501 bytes is too long"},
  };
  for (const auto& item : cases) {
    CTempDir dir;
    std::string sourcePath =
        dir.Write("source.txt", "# head\nrAma\tthe hero\n\n" + item.line + "\nsIta\this wife\n");
    fs::path out = dir.Path() / "out";
    BuildResult result = BuildDictionary(sourcePath, out.string());
    ASSERT_EQ(result.errors.size(), 1u) << item.reason;
    EXPECT_EQ(result.errors[0].file, sourcePath);
    EXPECT_EQ(result.errors[0].line, 4) << item.reason;
    EXPECT_NE(result.errors[0].reason.find(item.reason), std::string::npos)
        << result.errors[0].reason;
    EXPECT_TRUE(FilesIn(out).empty()) << item.reason;
  }
}

TEST(DictionaryBuilder, FailedBuildKeepsEarlierFilesAndReportsEveryBadLine) {
  CTempDir dir;
  fs::path out = dir.Path() / "out";
  std::string good = dir.Write("good.txt", "rAma\tthe hero\n");
  ASSERT_TRUE(BuildDictionary(good, out.string()).Ok());
  std::string listBefore = ReadBytes(out / kListFileName);

  std::string bad = dir.Write("bad.txt", "rAma\tthe hero\nx y\nsIta\this wife\n\tz\ndeva\t\n");
  BuildResult result = BuildDictionary(bad, out.string());
  ASSERT_EQ(result.errors.size(), 3u);
  EXPECT_EQ(result.errors[0].line, 2);
  EXPECT_EQ(result.errors[1].line, 4);
  EXPECT_EQ(result.errors[2].line, 5);
  EXPECT_EQ(FilesIn(out).size(), 3u);  // no temporary left beside them
  EXPECT_EQ(ReadBytes(out / kListFileName), listBefore);

  BuildResult missing = BuildDictionary((dir.Path() / "absent.txt").string(), out.string());
  ASSERT_EQ(missing.errors.size(), 1u);
  EXPECT_EQ(missing.errors[0].line, 0);

  std::string empty = dir.Write("empty.txt", "# nothing but a comment\n");
  EXPECT_FALSE(BuildDictionary(empty, (dir.Path() / "out2").string()).Ok());
  EXPECT_FALSE(fs::exists(dir.Path() / "out2" / kListFileName));
}

TEST(DictionaryBuilder, ListStringLimitIsMeasuredOnBothStrings) {
  std::string ka, gA;
  for (int i = 0; i < 49; ++i) ka += "ka";
  for (int i = 0; i < 40; ++i) gA += "gA";
  // 98 transliteration bytes, 0xA0 and the terminator fill a row exactly; one more does not.
  EXPECT_EQ(ListStringsProblem(ka), "");
  EXPECT_EQ(ListStringsProblem(ka + "k"),
            "transliteration string needs 101 bytes, a list row holds 100");
  // Thirty-two "gA" (67 3A 61 each) and a final k (6B CE) make 98 Devanagari bytes; a final
  // g (67 3A CE) makes 99, one too many.
  std::string gA32;
  for (int i = 0; i < 32; ++i) gA32 += "gA";
  EXPECT_EQ(ListStringsProblem(gA32 + "k"), "");
  EXPECT_EQ(ListStringsProblem(gA32 + "g"),
            "Devanagari string needs 101 bytes, a list row holds 100");
  // "gA" is two transliteration bytes but three Devanagari bytes.
  EXPECT_EQ(ListStringsProblem(gA), "Devanagari string needs 122 bytes, a list row holds 100");
  // Dropped markers cost nothing.
  EXPECT_EQ(ListStringsProblem(ka + "%%%%"), "");
}

}  // namespace
}  // namespace kv
