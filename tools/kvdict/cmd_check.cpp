// kvdict check: verifies that the three data files fit together as the program reads them.
#include <cstdio>

#include "commands.h"
#include "dictionary/dictionary_check.h"

namespace kvdict {

namespace {

int RunCheck(const CArgs& args) {
  std::string dir = DataFolder(args);
  kv::CheckResult result = kv::CheckDictionaryFiles(dir);
  for (const auto& problem : result.problems) {
    std::fprintf(stderr, "%s:%d: %s\n", problem.file.c_str(), problem.line, problem.reason.c_str());
  }
  if (result.missingFile) return kExitUsage;
  if (!result.Clean()) {
    std::fprintf(stderr, "kvdict check: %zu problem(s)\n", result.problems.size());
    return kExitNotFound;
  }
  std::printf("%s: %d headwords in %d buckets, no problems\n", dir.c_str(), result.headwordCount,
              result.bucketCount);
  return kExitOk;
}

}  // namespace

const CCommand kCheckCommand = {
    "check",
    "check that the three data files fit together",
    "usage: kvdict check [--data DIR | --dict NAME]\n"
    "\n"
    "Checks kvlist.txt, kvindx.txt and kvtot2.txt in DIR, or in the dictionary NAME (see\n"
    "kvdict list), by default in the first dictionary found (see kvdict --help): bucket and\n"
    "entry offsets, contiguous buckets, list strings that fit their rows and line lengths.\n"
    "Each problem is shown as FILE:LINE: REASON.\n"
    "\n"
    "exit status: 0 no problem, 1 problems found, 2 a usage error or a missing file\n",
    {"--help", "-h"},
    {"--data", "--dict"},
    0,
    "unexpected operand",
    RunCheck,
};

}  // namespace kvdict
