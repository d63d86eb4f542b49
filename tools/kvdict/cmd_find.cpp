// kvdict find: the headwords whose entries hold some words, as Find in Entries lists them.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "dictionary/dictionary.h"
#include "dictionary/entry_find.h"

namespace kvdict {

namespace {

int RunFind(const CArgs& args) {
  std::string text;
  for (const std::string& word : args.Operands()) {
    if (!text.empty()) text += ' ';
    text += word;
  }
  const kv::CFindQuery query = kv::CFindQuery::Parse(text, args.Has("--itrans"));
  if (!query.Ok()) return UsageError("find", query.Message());

  kv::CDictionary dictionary;
  dictionary.Open(DataFolder(args));
  auto rows = std::make_unique<kv::CFoundRows>();
  kv::CPlainFoundList list;
  kv::CEntryFinder finder;
  const kv::CFindResult result = finder.Find(query, dictionary, *rows, list);
  switch (result.m_outcome) {
    case kv::FindOutcome::kBadQuery:
    case kv::FindOutcome::kMissingFile:
    case kv::FindOutcome::kReadError:
      std::fprintf(stderr, "%s\n", result.m_message.c_str());
      return kExitUsage;
    case kv::FindOutcome::kNoMatch:
    case kv::FindOutcome::kFound:
      break;
  }
  if (args.Has("--count")) {
    std::printf("%d\n", result.m_entryCount);
  } else if (result.m_outcome == kv::FindOutcome::kNoMatch) {
    std::printf("%s\n", result.m_message.c_str());
  } else {
    PrintFoundRows(*rows, list.ItemCount(), args.Has("--raw"));
  }
  return result.m_outcome == kv::FindOutcome::kFound ? kExitOk : kExitNotFound;
}

}  // namespace

const CCommand kFindCommand = {
    "find",
    "list the headwords whose entries hold some words",
    "usage: kvdict find [--itrans] [--data DIR | --dict NAME] [--count] [--raw] WORD...\n\n"
    "Lists the headwords whose entries hold the WORDs, as the program's Find in Entries\n"
    "does: Devanagari, transliteration and entry offset, separated by tabs; best first\n"
    "(more of the WORDs, then an earlier first match, then dictionary order), at most 291.\n"
    "An English WORD matches whole words of the entries, in any case (\"fire\" finds \"Fire,\"\n"
    "but not \"fires\"); a Sanskrit WORD, in Harvard-Kyoto, IAST, Devanagari or SLP1,\n"
    "matches the Sanskrit words of the entries and the members of their compounds by its\n"
    "letters. A plain ASCII WORD is tried both ways.\n"
    "  --itrans    read the WORDs as ITRANS\n"
    "  --data DIR  the folder holding kvlist.txt, kvindx.txt, kvtot2.txt (default:\n"
    "              the first dictionary found, see kvdict --help)\n"
    "  --dict NAME the dictionary of that name (see kvdict list)\n"
    "  --count     print only the number of entries that hold the WORDs\n"
    "  --raw       transliteration and Devanagari as font code bytes in hex\n"
    "Exit code 1 when no entry matches, 2 for a bad query or a missing data file.\n",
    {"--itrans", "--count", "--raw", "--help"},
    {"--data", "--dict"},
    kOneOrMoreOperands,
    "expects one or more WORDs",
    RunFind,
};

}  // namespace kvdict
