#include "dictionary/dictionary_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_files.h"

namespace kv {
namespace {

using test::Split;

const std::string kText = "the hero\r\na god\r\na king\r\nthe first letter\r\n";
const std::string kIndex = "rAma\r\n0\r\nrA-jan\r\n17\r\ndeva\r\n10\r\na\r\n25\r\n";
const std::string kList = "rA\r\n0\r\nde\r\n21\r\na\r\n31\r\n##\r\n38\r\n";

std::string Describe(const CheckResult& result) {
  std::string out;
  for (const auto& p : result.problems) {
    out += p.file + ":" + std::to_string(p.line) + ": " + p.reason + "\n";
  }
  return out;
}

// True when the problems are, in order, "FILE:LINE: REASON" with each REASON beginning as
// given.
bool HasProblems(const CheckResult& result, const std::vector<std::string>& expected) {
  if (result.problems.size() != expected.size()) return false;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& p = result.problems[i];
    if ((p.file + ":" + std::to_string(p.line) + ": " + p.reason).rfind(expected[i], 0) != 0) {
      return false;
    }
  }
  return true;
}

TEST(DictionaryCheck, ChangedFilesShowTheirProblems) {
  const CheckResult clean = CheckDictionaryData(kList, kIndex, kText);
  EXPECT_TRUE(clean.Clean()) << Describe(clean);
  EXPECT_EQ(clean.headwordCount, 4);
  EXPECT_EQ(clean.bucketCount, 3);
  for (const auto& [changes, problems] : test::ReadRows("dictionary/check_problems.txt")) {
    std::string files[] = {kList, kIndex, kText};
    for (const std::string& change : Split(changes, " && ")) {
      const std::size_t colon = change.find(": ");
      const std::vector<std::string> fromTo = Split(change.substr(colon + 2), " -> ");
      std::string& file = files[change.starts_with("kvlist")   ? 0
                                : change.starts_with("kvindx") ? 1
                                                               : 2];
      file.replace(fromTo[0].empty() ? 0 : file.find(fromTo[0]),
                   fromTo[0].empty() ? file.size() : fromTo[0].size(), fromTo[1]);
    }
    const CheckResult result = CheckDictionaryData(files[0], files[1], files[2]);
    const std::vector<std::string> expected =
        problems.empty() ? std::vector<std::string>{} : Split(problems, " | ");
    EXPECT_TRUE(HasProblems(result, expected)) << changes << "\n" << Describe(result);
  }
}

TEST(DictionaryCheck, LinesTooLongForTheProgram) {
  // An entry of 126999 bytes draws the reader's warning; 126998 does not.
  std::string text = kText + std::string(kMaxDataLineBytes, 'x') + "\r\n";
  EXPECT_TRUE(CheckDictionaryData(kList, kIndex, text).Clean());
  EXPECT_TRUE(HasProblems(CheckDictionaryData(kList, kIndex, text.insert(kText.size(), "x")),
                          {"kvtot2.txt:5: line of 126999 bytes is longer than 126998 bytes"}));
  // kvlist.txt lines go into 200 bytes.
  std::string list = kList;
  list.insert(9, std::string(196, 'v'));  // after "de"
  EXPECT_TRUE(CheckDictionaryData(list, kIndex, kText).Clean());
  EXPECT_TRUE(HasProblems(CheckDictionaryData(list.insert(9, "v"), kIndex, kText),
                          {"kvlist.txt:3: line of 199 bytes is longer than 198 bytes"}));
  // An index line whose transliteration overflows its row.
  std::string ka = "de";
  for (int i = 0; i < 50; ++i) ka += "ka";
  const DictionaryFiles wide = LayOutDictionary({{"rAma", "the hero", 1}, {ka, "many", 2}});
  EXPECT_TRUE(HasProblems(CheckDictionaryData(wide.list, wide.index, wide.text),
                          {"kvindx.txt:3: transliteration string needs 104 bytes"}));
}

}  // namespace
}  // namespace kv
