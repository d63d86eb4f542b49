#include <cstdio>
#include <memory>

#include "cli.h"
#include "commands.h"
#include "dictionary/headword_search.h"
#include "dictionary_files.h"
#include "unicode_text.h"

namespace kvdict {

int RunLookup(int argc, char** argv) {
  CArgs args(argc, argv, 2, {"--itrans", "--raw", "--help"}, {"--data"});
  if (!args.Ok()) return UsageError("lookup", args.Error());
  if (args.Has("--help")) {
    std::printf(
        "usage: kvdict lookup [--itrans] [--data DIR] [--raw] TEXT\n\n"
        "Lists every headword that begins with TEXT, as the program's found list does:\n"
        "Devanagari, transliteration and entry offset, separated by tabs.\n"
        "  --itrans    TEXT is ITRANS and is converted to internal letters first\n"
        "  --data DIR  the folder holding kvlist.txt, kvindx.txt, kvtot2.txt (default:\n"
        "              the first dictionary found, see kvdict --help)\n"
        "  --raw       transliteration and Devanagari as font code bytes in hex\n"
        "Exit code 1 when nothing is found, 2 when a data file is missing.\n");
    return kExitOk;
  }
  if (args.Operands().size() != 1) return UsageError("lookup", "expects exactly one TEXT");

  CDictionaryFiles files(DataFolder(args));
  auto rows = std::make_unique<kv::CFoundRows>();
  auto entryText = std::make_unique<char[]>(kv::kEntryTextBytes);
  entryText[0] = 0;
  kv::CPlainFoundList list;
  kv::SearchInput input{args.Operands()[0].c_str(), args.Has("--itrans")};
  switch (kv::RunHeadwordSearch(input, files.list, files.index, *rows, list, entryText.get())) {
    case kv::SearchOutcome::kEmptyKey:
      return UsageError("lookup", "Please enter search text");
    case kv::SearchOutcome::kMissingFile:
      std::fprintf(stderr, "%s\n", entryText.get());
      return kExitUsage;
    case kv::SearchOutcome::kNoMatch:
      std::printf("%s\n", entryText.get());
      return kExitNotFound;
    case kv::SearchOutcome::kFound:
      break;
  }
  const bool raw = args.Has("--raw");
  for (int r = 0; r < list.ItemCount(); ++r) {
    if (raw) {
      std::printf("%s\t%s\t%d\n", Hex(rows->m_translitRows[r]).c_str(),
                  Hex(rows->m_devanagariRows[r]).c_str(), rows->m_entryOffsets[r]);
    } else {
      std::printf("%s\t%s\t%d\n", UnicodeDevanagari(rows->m_devanagariRows[r]).c_str(),
                  UnicodeTranslit(rows->m_translitRows[r]).c_str(), rows->m_entryOffsets[r]);
    }
  }
  return kExitOk;
}

}  // namespace kvdict
