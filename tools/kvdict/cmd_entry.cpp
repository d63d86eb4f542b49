// kvdict entry: the entry line at an offset of the entries file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "commands.h"
#include "dictionary/dictionary.h"
#include "dictionary/headword_search.h"
#include "unicode_text.h"

namespace kvdict {

namespace {

int RunEntry(const CArgs& args) {
  const char* number = args.Operands()[0].c_str();
  char* end = nullptr;
  errno = 0;
  long long offset = std::strtoll(number, &end, 10);
  if (end == number || *end != 0 || errno == ERANGE || offset < 0) {
    return UsageError("entry", "OFFSET must be a byte offset (a whole number, 0 or more)");
  }

  kv::CDictionary dictionary;
  dictionary.Open(DataFolder(args));
  auto entryText = std::make_unique<char[]>(kv::kEntryTextBytes);
  if (!kv::RetrieveEntry(offset, dictionary.TextReader(), entryText.get())) {
    std::fprintf(stderr, "%s\n", entryText.get());
    return kExitUsage;
  }
  if (args.Has("--raw")) {
    std::printf("%s\n", entryText.get());
  } else {
    std::fputs(ReadableEntry(entryText.get()).c_str(), stdout);
  }
  return kExitOk;
}

}  // namespace

const CCommand kEntryCommand = {
    "entry",
    "print the entry at an offset of kvtot2.txt",
    "usage: kvdict entry [--data DIR | --dict NAME] [--raw] OFFSET\n\n"
    "Prints the entry line at byte OFFSET of kvtot2.txt (the offsets kvdict lookup lists):\n"
    "one paragraph per line with the Sanskrit words in IAST.\n"
    "  --data DIR  the folder holding the dictionary files (default: the first\n"
    "              dictionary found, see kvdict --help)\n"
    "  --dict NAME the dictionary of that name (see kvdict list)\n"
    "  --raw       print the entry line byte for byte\n",
    {"--raw", "--help"},
    {"--data", "--dict"},
    1,
    "expects exactly one OFFSET",
    RunEntry,
};

}  // namespace kvdict
