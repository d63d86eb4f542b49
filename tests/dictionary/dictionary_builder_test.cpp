#include "dictionary/dictionary_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dictionary/dictionary_check.h"
#include "dictionary/headword_search.h"
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
  if (fs::exists(dir)) {
    for (const auto& item : fs::directory_iterator(dir)) names.push_back(item.path().filename());
  }
  return names;
}

TEST(DictionaryBuilder, BucketKeysSkipTheMarkersThatMatchingSkips) {
  EXPECT_EQ(BucketKeyOf("-`4r7@\xF3"
                        "A-ma"),
            "rA");
  EXPECT_EQ(BucketKeyOf("r%Ama"), "r%");  // "%" and "9" stay: matching keeps them
  EXPECT_EQ(BucketKeyOf("a-"), "a");
  EXPECT_EQ(BucketKeyOf("4-"), "");
  for (const char* line : {"rA-ma", "`de4va", "@sa7ptan", "k\xF3Sa", "a-"}) {
    EXPECT_TRUE(KeyMatches(line, BucketKeyOf(line).c_str())) << line;
  }
}

// The source's bytes become exactly the checked-in files: comments, markers, Windows-1252
// text, buckets in order of first appearance and interleaved in the source, a repeated and a
// one-letter headword, CR LF line ends and the closing record.
TEST(DictionaryBuilder, BuildsTheGoldenFiles) {
  CTempDir dir;
  const fs::path data = fs::path(KV_TEST_DATA_DIR) / "dictionary";
  const BuildResult built = BuildDictionary((data / "source.txt").string(), dir.Path().string());
  ASSERT_TRUE(built.Ok()) << built.errors[0].reason;
  EXPECT_EQ(built.headwordCount, 10);
  EXPECT_EQ(built.bucketCount, 7);
  EXPECT_EQ(FilesIn(dir.Path()).size(), 3u);  // no temporary left beside them
  for (const char* name : {kListFileName, kIndexFileName, kTextFileName}) {
    EXPECT_EQ(test::Hex(ReadBytes(dir.Path() / name)), test::Hex(ReadBytes(data / "built" / name)))
        << name;
  }
  EXPECT_TRUE(CheckDictionaryFiles(dir.Path().string()).Clean());
}

TEST(DictionaryBuilder, EachErrorNamesItsLineAndLeavesNoFile) {
  auto cases = test::ReadRows("dictionary/builder_errors.txt");
  cases.emplace_back("deva\t" + std::string(kMaxDataLineBytes + 1, 'x'),
                     "entry of 126999 bytes is longer than 126998");
  cases.emplace_back(std::string(500, '%') + "a\tlong", "index line of 501 bytes is too long");
  for (const auto& [line, reason] : cases) {
    CTempDir dir;
    const std::string source =
        dir.Write("source.txt", "# head\nrAma\tthe hero\n\n" + line + "\nsIta\this wife\n");
    const BuildResult result = BuildDictionary(source, (dir.Path() / "out").string());
    ASSERT_EQ(result.errors.size(), 1u) << reason;
    EXPECT_EQ(result.errors[0].file, source);
    EXPECT_EQ(result.errors[0].line, 4) << reason;
    EXPECT_NE(result.errors[0].reason.find(reason), std::string::npos) << result.errors[0].reason;
    EXPECT_TRUE(FilesIn(dir.Path() / "out").empty()) << reason;
  }
  // The longest entry the program reads without a warning is taken.
  std::vector<DictionaryError> errors;
  ParseSource("deva\t" + std::string(kMaxDataLineBytes, 'x'), "src.txt", errors);
  EXPECT_TRUE(errors.empty());
}

// Every bad line is reported, and nothing written, as the kvdict cases show; here what a
// failed build leaves of the files an earlier build wrote.
TEST(DictionaryBuilder, FailedBuildKeepsEarlierFiles) {
  CTempDir dir;
  const fs::path out = dir.Path() / "out";
  ASSERT_TRUE(BuildDictionary(dir.Write("good.txt", "rAma\tthe hero\n"), out.string()).Ok());
  const std::string listBefore = ReadBytes(out / kListFileName);
  const std::string bad = dir.Write("bad.txt", "rAma\tthe hero\nx y\nsIta\this\n");
  EXPECT_EQ(BuildDictionary(bad, out.string()).errors.size(), 1u);
  EXPECT_EQ(FilesIn(out).size(), 3u);
  EXPECT_EQ(ReadBytes(out / kListFileName), listBefore);
  const std::string empty = dir.Write("empty.txt", "# nothing but a comment\n");
  EXPECT_FALSE(BuildDictionary(empty, out.string()).Ok());
  EXPECT_EQ(ReadBytes(out / kListFileName), listBefore);
}

TEST(DictionaryBuilder, ListStringLimitIsMeasuredOnBothStrings) {
  std::string ka;
  std::string gA;
  for (int i = 0; i < 49; ++i) ka += "ka";
  for (int i = 0; i < 32; ++i) gA += "gA";
  // 98 transliteration bytes, 0xA0 and the terminator fill a row exactly; one more does not.
  EXPECT_EQ(ListStringsProblem(ka), "");
  EXPECT_EQ(ListStringsProblem(ka + "%%%%"), "");  // dropped markers cost nothing
  EXPECT_EQ(ListStringsProblem(ka + "k"),
            "transliteration string needs 101 bytes, a list row holds 100");
  // Thirty-two "gA" (67 3A 61 each) and a final k (6B CE) make 98 Devanagari bytes; a final
  // g (67 3A CE) makes 99, one too many.
  EXPECT_EQ(ListStringsProblem(gA + "k"), "");
  EXPECT_EQ(ListStringsProblem(gA + "g"),
            "Devanagari string needs 101 bytes, a list row holds 100");
}

}  // namespace
}  // namespace kv
