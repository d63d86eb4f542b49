// kvdict convert: a word as the search key, in IAST and in Devanagari.
#include <cstdio>
#include <string>

#include "commands.h"
#include "dictionary/list_strings.h"
#include "dictionary/transliteration.h"

namespace kvdict {

namespace {

int RunConvert(const CArgs& args) {
  const std::optional<kv::SearchInput> input = SearchInputOf(args, "convert");
  if (!input) return kExitUsage;
  const std::optional<kv::CSearchKey> key = SearchKeyOf(*input, "convert");
  if (!key) return kExitUsage;
  if (key->Empty()) return UsageError("convert", "TEXT holds no letter");

  std::printf("%s\n", key->m_key);
  if (args.Has("--raw")) {
    char translit[kv::kRowBytes];
    char devanagari[kv::kRowBytes];
    kv::MakeListStrings(key->m_key, translit, devanagari, kv::kRowBytes);
    std::printf("%s\n%s\n", Hex(translit).c_str(), Hex(devanagari).c_str());
  } else {
    std::string iast;
    kv::AppendIast(key->m_key, iast);
    std::string devanagari;
    kv::AppendDevanagari(key->m_key, kv::MarkerBytes::kJoin, devanagari);
    std::printf("%s\n%s\n", iast.c_str(), devanagari.c_str());
  }
  return kExitOk;
}

}  // namespace

const CCommand kConvertCommand = {
    "convert",
    "show a word as key, transliteration and Devanagari",
    "usage: kvdict convert [--itrans | --scheme NAME] [--raw] TEXT\n\n"
    "Prints TEXT as the search key in internal letters (Harvard-Kyoto, without the hyphens\n"
    "and spaces between words), then in IAST and in Devanagari. TEXT is read as the\n"
    "program's search edit reads it: as Devanagari when it holds Devanagari letters, as\n"
    "IAST when it holds IAST letters, otherwise as internal letters.\n"
    "  --itrans       TEXT without Devanagari or IAST letters is ITRANS\n"
    "  --scheme NAME  TEXT is in this scheme: hk, itrans, iast, deva or slp1\n"
    "  --raw          print the found list's transliteration and Devanagari font code bytes\n"
    "                 in hex instead\n"
    "Exit code 2 when TEXT cannot be read.\n",
    {"--itrans", "--raw", "--help"},
    {"--scheme"},
    1,
    "expects exactly one TEXT",
    RunConvert,
};

}  // namespace kvdict
