#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_builder.h"

namespace kv {

struct CheckResult {
  std::vector<DictionaryError> problems;
  bool missingFile = false;  // a file could not be read; `problems` names it
  int headwordCount = 0;
  int bucketCount = 0;
  bool Clean() const { return problems.empty(); }
};

// Verifies the three files as the program reads them: every kvlist.txt offset lands on an
// index record (the closing record on the end of kvindx.txt), every kvindx.txt offset on an
// entry line of kvtot2.txt, the buckets are contiguous and hold exactly the headwords of
// their key, list strings fit their rows and no line is longer than the program reads.
// Problems name the files by their bare names.
CheckResult CheckDictionaryData(std::string_view list, std::string_view index,
                                std::string_view text);

// Reads kvlist.txt, kvindx.txt and kvtot2.txt from `dir` and checks them; problems name the
// files by their paths.
CheckResult CheckDictionaryFiles(const std::string& dir);

}  // namespace kv
