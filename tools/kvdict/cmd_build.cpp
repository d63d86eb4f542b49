// kvdict build: turns a dictionary source into the three data files.
#include <cstdio>

#include "commands.h"
#include "dictionary/dictionary_builder.h"

namespace kvdict {

namespace {

int RunBuild(const CArgs& args) {
  std::string outDir = args.Value("--out", "");
  if (outDir.empty()) return UsageError("build", "--out DIR is required");

  const std::string& source = args.Operands()[0];
  kv::BuildResult result = kv::BuildDictionary(source, outDir);
  for (const auto& error : result.errors) {
    std::fprintf(stderr, "%s:%d: %s\n", error.file.c_str(), error.line, error.reason.c_str());
  }
  if (!result.Ok()) {
    std::fprintf(stderr, "kvdict build: %zu error(s), nothing written\n", result.errors.size());
    return kExitUsage;
  }
  std::printf("%s: %d headwords in %d buckets written to %s\n", source.c_str(),
              result.headwordCount, result.bucketCount, outDir.c_str());
  return kExitOk;
}

}  // namespace

const CCommand kBuildCommand = {
    "build",
    "build the three data files from a dictionary source",
    "usage: kvdict build SOURCE --out DIR\n"
    "\n"
    "Reads SOURCE, one headword a line: the index line (internal letters, optionally with\n"
    "the marker bytes - ` % 4 7 9 @ and U+00F3), a TAB, the entry text (UTF-8, written out\n"
    "as Windows-1252). Lines beginning with # and blank lines are comments.\n"
    "Writes kvlist.txt, kvindx.txt and kvtot2.txt into DIR (created when missing).\n"
    "On any error nothing is written; each error is shown as FILE:LINE: REASON.\n"
    "\n"
    "exit status: 0 built, 2 errors in the source or a usage error\n",
    {"--help", "-h"},
    {"--out"},
    1,
    "give exactly one SOURCE file",
    RunBuild,
};

}  // namespace kvdict
