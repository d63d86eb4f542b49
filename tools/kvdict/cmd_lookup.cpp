// kvdict lookup: the headwords that begin with a word, as the found list shows them.
#include <cstdio>
#include <memory>

#include "commands.h"
#include "dictionary/dictionary.h"
#include "dictionary/headword_search.h"
#include "unicode_text.h"

namespace kvdict {

namespace {

int RunLookup(const CArgs& args) {
  kv::CDictionary dictionary;
  dictionary.Open(DataFolder(args));
  auto rows = std::make_unique<kv::CFoundRows>();
  auto entryText = std::make_unique<char[]>(kv::kEntryTextBytes);
  entryText[0] = 0;
  kv::CPlainFoundList list;
  kv::SearchInput input{args.Operands()[0].c_str(), args.Has("--itrans")};
  switch (kv::RunHeadwordSearch(input, dictionary.ListReader(), dictionary.IndexReader(), *rows,
                                list, entryText.get())) {
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
  PrintFoundRows(*rows, list.ItemCount(), args.Has("--raw"));
  return kExitOk;
}

}  // namespace

void PrintFoundRows(const kv::CFoundRows& rows, int count, bool raw) {
  for (int r = 0; r < count; ++r) {
    if (raw) {
      std::printf("%s\t%s\t%d\n", Hex(rows.m_translitRows[r]).c_str(),
                  Hex(rows.m_devanagariRows[r]).c_str(), rows.m_entryOffsets[r]);
    } else {
      std::printf("%s\t%s\t%d\n", UnicodeDevanagari(rows.m_devanagariRows[r]).c_str(),
                  UnicodeTranslit(rows.m_translitRows[r]).c_str(), rows.m_entryOffsets[r]);
    }
  }
}

const CCommand kLookupCommand = {
    "lookup",
    "list the headwords that begin with a word",
    "usage: kvdict lookup [--itrans] [--data DIR] [--raw] TEXT\n\n"
    "Lists every headword that begins with TEXT, as the program's found list does:\n"
    "Devanagari, transliteration and entry offset, separated by tabs.\n"
    "  --itrans    TEXT is ITRANS and is converted to internal letters first\n"
    "  --data DIR  the folder holding kvlist.txt, kvindx.txt, kvtot2.txt (default:\n"
    "              the first dictionary found, see kvdict --help)\n"
    "  --raw       transliteration and Devanagari as font code bytes in hex\n"
    "Exit code 1 when nothing is found, 2 when a data file is missing.\n",
    {"--itrans", "--raw", "--help"},
    {"--data"},
    1,
    "expects exactly one TEXT",
    RunLookup,
};

}  // namespace kvdict
