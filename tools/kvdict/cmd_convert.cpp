// kvdict convert: a word as the search key and as the found list's two strings.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "dictionary/itrans.h"
#include "dictionary/list_strings.h"
#include "unicode_text.h"

namespace kvdict {

namespace {

int RunConvert(const CArgs& args) {
  char text[kv::kKeyBytes] = {};
  std::strncpy(text, args.Operands()[0].c_str(), kv::kKeyBytes - 1);
  char key[kv::kKeyBytes] = {};
  if (args.Has("--itrans")) {
    kv::ConvertItrans(text, key);
  } else {
    std::memcpy(key, text, sizeof key);
  }
  char translit[kv::kRowBytes];
  char devanagari[kv::kRowBytes];
  kv::MakeListStrings(key, translit, devanagari, kv::kRowBytes);

  std::printf("%s\n", key);
  if (args.Has("--raw")) {
    std::printf("%s\n%s\n", Hex(translit).c_str(), Hex(devanagari).c_str());
  } else {
    std::printf("%s\n%s\n", UnicodeTranslit(translit).c_str(),
                UnicodeDevanagari(devanagari).c_str());
  }
  return kExitOk;
}

}  // namespace

const CCommand kConvertCommand = {
    "convert",
    "show a word as key, transliteration and Devanagari",
    "usage: kvdict convert [--itrans] [--raw] TEXT\n\n"
    "Prints TEXT as the search key in internal letters, then its transliteration and its\n"
    "Devanagari as the found list shows them.\n"
    "  --itrans  TEXT is ITRANS and is converted to internal letters first\n"
    "  --raw     print the transliteration and Devanagari as the font code bytes in hex\n",
    {"--itrans", "--raw", "--help"},
    {},
    1,
    "expects exactly one TEXT",
    RunConvert,
};

}  // namespace kvdict
