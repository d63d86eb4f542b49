// kvdict: the dictionary's command-line tool. It runs the same conversions and search as the
// program, builds and checks the three data files and makes them of lexicons.
#include <cstdio>
#include <string_view>

#include "cli.h"
#include "commands.h"
#include "dictionary/dictionary_locations.h"

namespace {

// The subcommands in the order the command list shows them.
const kvdict::CCommand* const kCommands[] = {
    &kvdict::kConvertCommand, &kvdict::kBuildCommand, &kvdict::kImportCommand,
    &kvdict::kCheckCommand,   &kvdict::kListCommand,  &kvdict::kLookupCommand,
    &kvdict::kEntryCommand,   &kvdict::kFindCommand,
};

void PrintHelp() {
  std::printf("usage: kvdict COMMAND [OPTIONS] ...\n\ncommands:\n");
  for (const auto* command : kCommands) std::printf("  %-8s %s\n", command->name, command->summary);
  std::printf(
      "\nkvdict COMMAND --help describes each command.\n"
      "kvdict --version prints the version.\n\n%s",
      kv::kDictionarySearchHelp);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintHelp();
    return kvdict::kExitUsage;
  }
  std::string_view name = argv[1];
  if (name == "--help" || name == "-h") {
    PrintHelp();
    return kvdict::kExitOk;
  }
  if (name == "--version") {
    std::printf("kvdict %s\n", KV_VERSION);
    return kvdict::kExitOk;
  }
  for (const auto* command : kCommands) {
    if (name == command->name) return kvdict::RunCommand(*command, argc, argv);
  }
  std::fprintf(stderr, "kvdict: unknown command '%s' (see kvdict --help)\n", argv[1]);
  return kvdict::kExitUsage;
}
