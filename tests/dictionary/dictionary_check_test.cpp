#include "dictionary/dictionary_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_files.h"

namespace kv {
namespace {

// The files of a four-headword dictionary, laid out by hand:
//   kvtot2.txt  "the hero" 0, "a god" 10, "a king" 17, "the first letter" 25
//   kvindx.txt  rAma 0, rA-jan 9, deva 21, a 31; length 38
//   kvlist.txt  rA 0, de 21, a 31, closing 38
const std::string kText = "the hero\r\na god\r\na king\r\nthe first letter\r\n";
const std::string kIndex = "rAma\r\n0\r\nrA-jan\r\n17\r\ndeva\r\n10\r\na\r\n25\r\n";
const std::string kList = "rA\r\n0\r\nde\r\n21\r\na\r\n31\r\n##\r\n38\r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string Describe(const CheckResult& result) {
  std::string out;
  for (const auto& p : result.problems) {
    out += p.file + ":" + std::to_string(p.line) + ": " + p.reason + "\n";
  }
  return out;
}

// Expects exactly one problem, in `file` at `line`, whose reason contains `reason`.
void ExpectOneProblem(const CheckResult& result, const char* file, int line,
                      const std::string& reason) {
  ASSERT_EQ(result.problems.size(), 1u) << Describe(result);
  EXPECT_EQ(result.problems[0].file, file);
  EXPECT_EQ(result.problems[0].line, line) << Describe(result);
  EXPECT_NE(result.problems[0].reason.find(reason), std::string::npos) << Describe(result);
}

bool HasProblem(const CheckResult& result, const char* file, int line, const std::string& reason) {
  for (const auto& p : result.problems) {
    if (p.file == file && p.line == line && p.reason.find(reason) != std::string::npos) return true;
  }
  return false;
}

TEST(DictionaryCheck, CleanFilesAndTheOffsetsTheReaderAccepts) {
  CheckResult clean = CheckDictionaryData(kList, kIndex, kText);
  EXPECT_TRUE(clean.Clean()) << Describe(clean);
  EXPECT_EQ(clean.headwordCount, 4);
  EXPECT_EQ(clean.bucketCount, 3);
  // The reader steps over line ends where it is placed, so the CR or LF before an entry
  // reaches it as well as its first byte does, and so does the line end before a record.
  EXPECT_TRUE(
      CheckDictionaryData(kList, Replace(kIndex, "\r\n17\r\n", "\r\n15\r\n"), kText).Clean());
  EXPECT_TRUE(
      CheckDictionaryData(kList, Replace(kIndex, "\r\n17\r\n", "\r\n16\r\n"), kText).Clean());
  EXPECT_TRUE(
      CheckDictionaryData(Replace(kList, "\r\n21\r\n", "\r\n20\r\n"), kIndex, kText).Clean());
  // Bare LF line ends read the same.
  const std::string lfText = "the hero\na god\na king\nthe first letter\n";
  const std::string lfIndex = "rAma\n0\nrA-jan\n15\ndeva\n9\na\n22\n";
  const std::string lfList = "rA\n0\nde\n17\na\n24\n##\n29\n";
  CheckResult lf = CheckDictionaryData(lfList, lfIndex, lfText);
  EXPECT_TRUE(lf.Clean()) << Describe(lf);
}

TEST(DictionaryCheck, EntryOffsetsMustReachALineStart) {
  // 19 is inside "a king" (kvtot2.txt line 3); the record's offset line is kvindx.txt line 4.
  ExpectOneProblem(CheckDictionaryData(kList, Replace(kIndex, "\r\n17\r\n", "\r\n19\r\n"), kText),
                   "kvindx.txt", 4, "entry offset 19 points into the middle of kvtot2.txt line 3");
  ExpectOneProblem(CheckDictionaryData(kList, Replace(kIndex, "\r\n25\r\n", "\r\n43\r\n"), kText),
                   "kvindx.txt", 8, "past the last entry");
  ExpectOneProblem(CheckDictionaryData(kList, Replace(kIndex, "\r\n10\r\n", "\r\n-1\r\n"), kText),
                   "kvindx.txt", 6, "out of range");
  ExpectOneProblem(CheckDictionaryData(kList, Replace(kIndex, "\r\n10\r\n", "\r\nxy\r\n"), kText),
                   "kvindx.txt", 6, "offset line 'xy' is not a number");
}

TEST(DictionaryCheck, BucketOffsetsAndContents) {
  // 24 is inside the index line "deva".
  ExpectOneProblem(CheckDictionaryData(Replace(kList, "\r\n21\r\n", "\r\n24\r\n"), kIndex, kText),
                   "kvlist.txt", 4, "offset 24 is not the start of a record");
  // An offset onto an offset line is no record start either.
  ExpectOneProblem(CheckDictionaryData(Replace(kList, "\r\n21\r\n", "\r\n17\r\n"), kIndex, kText),
                   "kvlist.txt", 4, "offset 17 is not the start");
  // Bucket "de" starting one record early takes in rA-jan, which belongs to "rA".
  ExpectOneProblem(CheckDictionaryData(Replace(kList, "\r\n21\r\n", "\r\n9\r\n"), kIndex, kText),
                   "kvindx.txt", 3, "headword 'rA-jan' of bucket 'rA' stands in bucket 'de'");
  // A one-letter key line holds only one-letter headwords.
  ExpectOneProblem(CheckDictionaryData(Replace(kList, "de\r\n", "d\r\n"), kIndex, kText),
                   "kvindx.txt", 5, "headword 'deva' of bucket 'de' stands in bucket 'd'");
  ExpectOneProblem(CheckDictionaryData(Replace(kList, "\r\n38\r\n", "\r\n37\r\n"), kIndex, kText),
                   "kvlist.txt", 8,
                   "the last record's offset 37 is not the length of kvindx.txt (38)");
  // The same key twice: its headwords are split into two runs.
  std::string twice = "rA\r\n0\r\nde\r\n21\r\nrA\r\n31\r\n##\r\n39\r\n";
  ExpectOneProblem(
      CheckDictionaryData(twice, Replace(kIndex, "\r\na\r\n25", "\r\nrA\r\n25"), kText),
      "kvlist.txt", 5, "bucket 'rA' again (first at line 1)");
  // Records ahead of the first bucket belong to none.
  ExpectOneProblem(CheckDictionaryData(Replace(kList, "rA\r\n0\r\n", "rA\r\n9\r\n"), kIndex, kText),
                   "kvindx.txt", 1, "before the first bucket");
  // Buckets out of order leave one of them empty.
  std::string backwards = "rA\r\n21\r\nde\r\n0\r\na\r\n31\r\n##\r\n38\r\n";
  CheckResult crossed = CheckDictionaryData(backwards, kIndex, kText);
  ASSERT_FALSE(crossed.Clean());
  EXPECT_EQ(crossed.problems[0].file, "kvindx.txt");  // records 0..1 before the first bucket
  EXPECT_TRUE(HasProblem(crossed, "kvlist.txt", 2, "bucket 'rA' holds no record"))
      << Describe(crossed);
  EXPECT_TRUE(HasProblem(crossed, "kvindx.txt", 1,
                         "headword 'rAma' of bucket 'rA' stands in "
                         "bucket 'de'"))
      << Describe(crossed);
  // A record cut in half by a missing offset line; the record before it then stands last.
  CheckResult cut = CheckDictionaryData(Replace(kList, "##\r\n38\r\n", "##\r\n"), kIndex, kText);
  EXPECT_TRUE(HasProblem(cut, "kvlist.txt", 7, "key line without its offset line"))
      << Describe(cut);
  EXPECT_TRUE(HasProblem(cut, "kvlist.txt", 6, "offset 31 is not the length of kvindx.txt"))
      << Describe(cut);
  EXPECT_FALSE(CheckDictionaryData("", kIndex, kText).Clean());
}

TEST(DictionaryCheck, LinesTooLongForTheProgram) {
  // An entry of 126999 bytes draws the reader's warning; 126998 does not.
  std::string longest(kMaxDataLineBytes, 'x');
  std::string text = kText + longest + "\r\n";
  EXPECT_TRUE(CheckDictionaryData(kList, kIndex, text).Clean());
  ExpectOneProblem(CheckDictionaryData(kList, kIndex, text.insert(kText.size(), "x")), "kvtot2.txt",
                   5, "line of 126999 bytes is longer than 126998 bytes");
  // kvlist.txt lines go into 200 bytes.
  ExpectOneProblem(
      CheckDictionaryData(Replace(kList, "de\r\n", "de" + std::string(197, 'v') + "\r\n"), kIndex,
                          kText),
      "kvlist.txt", 3, "line of 199 bytes is longer than 198 bytes");
  EXPECT_TRUE(CheckDictionaryData(Replace(kList, "de\r\n", "de" + std::string(196, 'v') + "\r\n"),
                                  kIndex, kText)
                  .Clean());
  // An index line whose transliteration overflows its row.
  std::string ka = "de";
  for (int i = 0; i < 50; ++i) ka += "ka";
  DictionaryFiles wide = LayOutDictionary({{"rAma", "the hero", 1}, {ka, "many", 2}});
  ExpectOneProblem(CheckDictionaryData(wide.list, wide.index, wide.text), "kvindx.txt", 3,
                   "transliteration string needs 104 bytes");
  ExpectOneProblem(
      CheckDictionaryData(kList, kIndex, Replace(kText, "a god", std::string("a g\0d", 5))),
      "kvtot2.txt", 2, "NUL byte");
}

TEST(DictionaryCheck, FilesAreReadFromTheDirectory) {
  test::CTempDir dir;
  CheckResult none = CheckDictionaryFiles(dir.Path().string());
  EXPECT_TRUE(none.missingFile);
  EXPECT_EQ(none.problems.size(), 3u);
  dir.Write("kvlist.txt", kList);
  dir.Write("kvindx.txt", Replace(kIndex, "\r\n17\r\n", "\r\n19\r\n"));
  dir.Write("kvtot2.txt", kText);
  CheckResult found = CheckDictionaryFiles(dir.Path().string());
  EXPECT_FALSE(found.missingFile);
  ASSERT_EQ(found.problems.size(), 1u);
  EXPECT_EQ(found.problems[0].file, (dir.Path() / "kvindx.txt").string());
  EXPECT_EQ(found.problems[0].line, 4);
}

}  // namespace
}  // namespace kv
