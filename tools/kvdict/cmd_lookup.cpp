// kvdict lookup: the headwords that begin with a word, as the found list shows them.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "dictionary/dictionary.h"
#include "dictionary/headword_search.h"
#include "dictionary/transliteration.h"
#include "unicode_text.h"

namespace kvdict {

namespace {

int RunLookup(const CArgs& args) {
  std::optional<kv::SearchInput> input = SearchInputOf(args, "lookup");
  if (!input) return kExitUsage;
  if (!SearchKeyOf(*input, "lookup")) return kExitUsage;
  input->alwaysLoose = args.Has("--loose");
  kv::CDictionary dictionary;
  dictionary.Open(DataFolder(args));
  auto rows = std::make_unique<kv::CFoundRows>();
  auto entryText = std::make_unique<char[]>(kv::kEntryTextBytes);
  entryText[0] = 0;
  kv::CPlainFoundList list;
  switch (kv::RunHeadwordSearch(*input, dictionary.ListReader(), dictionary.IndexReader(), *rows,
                                list, entryText.get())) {
    case kv::SearchOutcome::kRefused:  // SearchKeyOf has said why
      return kExitUsage;
    case kv::SearchOutcome::kEmptyKey:
      return UsageError("lookup", "Please enter search text");
    case kv::SearchOutcome::kMissingFile:
      std::fprintf(stderr, "%s\n", entryText.get());
      return kExitUsage;
    case kv::SearchOutcome::kNoMatch:
      std::printf("%s\n", entryText.get());
      return kExitNotFound;
    case kv::SearchOutcome::kFound:
    case kv::SearchOutcome::kFoundLoose:
      break;
  }
  PrintFoundRows(*rows, list.ItemCount(), args.Has("--raw"));
  return kExitOk;
}

}  // namespace

void PrintFoundRows(const kv::CFoundRows& rows, int count, bool raw) {
  std::string devanagari;
  for (int r = 0; r < count; ++r) {
    if (raw) {
      std::printf("%s\t%s\t%d\n", Hex(rows.m_translitRows[r]).c_str(),
                  Hex(rows.m_devanagariRows[r]).c_str(), rows.m_entryOffsets[r]);
    } else {
      devanagari.clear();
      kv::AppendDevanagari(rows.m_letterRows[r], kv::MarkerBytes::kJoin, devanagari);
      std::printf("%s\t%s\t%d\n", devanagari.c_str(),
                  UnicodeTranslit(rows.m_translitRows[r]).c_str(), rows.m_entryOffsets[r]);
    }
  }
}

const CCommand kLookupCommand = {
    "lookup",
    "list the headwords that begin with a word",
    "usage: kvdict lookup [--itrans | --scheme NAME] [--loose] [--data DIR | --dict NAME] [--raw] TEXT\n\n"
    "Lists every headword that begins with TEXT, as the program's found list does:\n"
    "Devanagari, transliteration and entry offset, separated by tabs. TEXT is read as\n"
    "the program's search edit reads it: as Devanagari when it holds Devanagari letters,\n"
    "as IAST when it holds IAST letters, otherwise as the dictionary's own letters\n"
    "(Harvard-Kyoto); hyphens and spaces between words do not count. When no headword\n"
    "begins with it, the headwords that begin with it loosely are listed: long and short\n"
    "vowels alike, dots and accents ignored, s or sh for every sibilant, ri for vowel r,\n"
    "a final visarga left out.\n"
    "  --itrans       TEXT without Devanagari or IAST letters is ITRANS\n"
    "  --scheme NAME  TEXT is in this scheme: hk, itrans, iast, deva or slp1\n"
    "  --loose        list the loose matches after the exact ones on every lookup\n"
    "  --data DIR     the folder holding kvlist.txt, kvindx.txt, kvtot2.txt (default:\n"
    "                 the first dictionary found, see kvdict --help)\n"
    "  --dict NAME    the dictionary of that name (see kvdict list)\n"
    "  --raw          transliteration and Devanagari as font code bytes in hex\n"
    "Exit code 1 when nothing is found, 2 when TEXT cannot be read or a data file is\n"
    "missing.\n",
    {"--itrans", "--loose", "--raw", "--help"},
    {"--data", "--dict", "--scheme"},
    1,
    "expects exactly one TEXT",
    RunLookup,
};

}  // namespace kvdict
