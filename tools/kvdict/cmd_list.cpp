// kvdict list: the dictionaries found, in the order they are looked for.
#include <cstdio>
#include <fstream>
#include <vector>

#include "commands.h"
#include "dictionary/dictionary.h"

namespace kvdict {

namespace {

// The headwords of a dictionary: the non-empty lines of its index, two a headword.
long long CountHeadwords(const std::string& folder) {
  std::ifstream in(folder + "/" + kv::kIndexFileName, std::ios::binary);
  std::vector<char> block(64 * 1024);
  long long lines = 0;
  bool inLine = false;
  while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    const auto count = static_cast<std::size_t>(in.gcount());
    for (std::size_t i = 0; i < count; ++i) {
      const bool lineEnd = block[i] == '\n' || block[i] == '\r';
      if (lineEnd && inLine) ++lines;
      inLine = !lineEnd;
    }
  }
  if (inLine) ++lines;
  return lines / 2;
}

int RunList(const CArgs&) {
  const std::vector<kv::DictionaryFolder> found = FoundDictionaries();
  if (found.empty()) {
    std::fprintf(stderr, "kvdict list: no dictionary found\n%s", kv::kDictionarySearchHelp);
    return kExitNotFound;
  }
  for (const kv::DictionaryFolder& folder : found) {
    std::printf("%s\t%s\t%lld\n", folder.name.c_str(), folder.path.c_str(),
                CountHeadwords(folder.path));
  }
  return kExitOk;
}

}  // namespace

const CCommand kListCommand = {
    "list",
    "list the dictionaries found",
    "usage: kvdict list\n"
    "\n"
    "Lists the dictionaries found, one a line: its name (what --dict takes), its folder and\n"
    "its number of headwords, separated by tabs, in the order they are looked for (see\n"
    "kvdict --help); without --data or --dict the first one is read.\n"
    "\n"
    "exit status: 0 dictionaries found, 1 none found\n",
    {"--help", "-h"},
    {},
    0,
    "unexpected operand",
    RunList,
};

}  // namespace kvdict
