#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_locations.h"
#include "dictionary/headword_search.h"

namespace kvdict {

// Exit codes shared by every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNotFound = 1;
inline constexpr int kExitUsage = 2;

// The arguments of one subcommand, split into the flags it knows and its operands.
// A flag that takes a value ("--data DIR") is listed in `valueFlags`.
class CArgs {
 public:
  // Parses argv[first..argc). Fails on an unknown flag or a value flag without value.
  CArgs(int argc, char** argv, int first, const std::vector<std::string_view>& flags,
        const std::vector<std::string_view>& valueFlags);

  bool Ok() const { return m_error.empty(); }
  const std::string& Error() const { return m_error; }
  bool Has(std::string_view flag) const;
  // The value of a value flag, or `fallback` when it was not given.
  std::string Value(std::string_view flag, std::string fallback) const;
  // Gives a value flag the value `value`, as if the command line had given it.
  void SetValue(std::string_view flag, std::string value);
  const std::vector<std::string>& Operands() const { return m_operands; }

 private:
  std::vector<std::string> m_flags;
  std::vector<std::pair<std::string, std::string>> m_values;
  std::vector<std::string> m_operands;
  std::string m_error;
};

// The operand count of a subcommand that takes one or more operands.
inline constexpr std::size_t kOneOrMoreOperands = static_cast<std::size_t>(-1);

// One subcommand as the command line sees it. Its arguments are read by the flag lists
// (which hold its help flags too), its help text printed for a help flag, and its operands
// counted before `run` is called; any other number of them is a usage error saying
// `operandError`.
struct CCommand {
  const char* name;
  const char* summary;  // the line of the command list
  const char* help;
  std::vector<std::string_view> flags;
  std::vector<std::string_view> valueFlags;
  std::size_t operands;  // or kOneOrMoreOperands
  const char* operandError;
  int (*run)(const CArgs& args);
};

// Reads the arguments after argv[1] by `command`'s table entry and runs it. A command that
// takes --dict NAME gets the folder of the dictionary of that name as its --data, unless
// --data was given too.
int RunCommand(const CCommand& command, int argc, char** argv);

// The dictionaries found from the current directory on (see kv::FindDictionaries).
std::vector<kv::DictionaryFolder> FoundDictionaries();

// The dictionary folder a subcommand reads: --data when given, else the first dictionary found,
// else the current directory, whose missing files are then reported as usual.
std::string DataFolder(const CArgs& args);

// Prints "kvdict <command>: <message>" on stderr and returns kExitUsage.
int UsageError(std::string_view command, std::string_view message);

// The search input of `lookup` and `convert`: the operand TEXT, read as the program's search
// edit reads it, with --itrans (the ITRANS box ticked) or --scheme NAME (one scheme forced).
// Prints the usage error and gives nothing for a bad scheme name or both options.
std::optional<kv::SearchInput> SearchInputOf(const CArgs& args, std::string_view command);

// The key of `input`; prints "kvdict <command>: cannot read TEXT: <why>" and gives nothing
// for a text that cannot be read.
std::optional<kv::CSearchKey> SearchKeyOf(const kv::SearchInput& input, std::string_view command);

// Lowercase hex of every byte of a zero-terminated string.
std::string Hex(const char* bytes);

}  // namespace kvdict
