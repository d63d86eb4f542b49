#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "cli.h"
#include "commands.h"
#include "dictionary/headword_search.h"
#include "dictionary_files.h"
#include "unicode_text.h"

namespace kvdict {

int RunEntry(int argc, char** argv) {
  CArgs args(argc, argv, 2, {"--raw", "--help"}, {"--data"});
  if (!args.Ok()) return UsageError("entry", args.Error());
  if (args.Has("--help")) {
    std::printf(
        "usage: kvdict entry [--data DIR] [--raw] OFFSET\n\n"
        "Prints the entry line at byte OFFSET of kvtot2.txt (the offsets kvdict lookup lists):\n"
        "one paragraph per line with the Sanskrit words in IAST.\n"
        "  --data DIR  the folder holding the dictionary files (default: the first\n"
        "              dictionary found, see kvdict --help)\n"
        "  --raw       print the entry line byte for byte\n");
    return kExitOk;
  }
  if (args.Operands().size() != 1) return UsageError("entry", "expects exactly one OFFSET");
  const char* number = args.Operands()[0].c_str();
  char* end = nullptr;
  errno = 0;
  long long offset = std::strtoll(number, &end, 10);
  if (end == number || *end != 0 || errno == ERANGE || offset < 0) {
    return UsageError("entry", "OFFSET must be a byte offset (a whole number, 0 or more)");
  }

  CDictionaryFiles files(DataFolder(args));
  if (!files.text.IsOpen()) return ReportMissing(files.text);
  auto entryText = std::make_unique<char[]>(kv::kEntryTextBytes);
  kv::RetrieveEntry(offset, files.text, entryText.get());
  if (args.Has("--raw")) {
    std::printf("%s\n", entryText.get());
  } else {
    std::fputs(ReadableEntry(entryText.get()).c_str(), stdout);
  }
  return kExitOk;
}

}  // namespace kvdict
