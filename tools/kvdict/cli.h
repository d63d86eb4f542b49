#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// Reads the arguments after argv[1] by `command`'s table entry and runs it.
int RunCommand(const CCommand& command, int argc, char** argv);

// The dictionary folder a subcommand reads: --data when given, else the first dictionary found
// from the current directory on (see kv::FindDictionaries), else the current directory, whose
// missing files are then reported as usual.
std::string DataFolder(const CArgs& args);

// Prints "kvdict <command>: <message>" on stderr and returns kExitUsage.
int UsageError(std::string_view command, std::string_view message);

// Lowercase hex of every byte of a zero-terminated string.
std::string Hex(const char* bytes);

}  // namespace kvdict
