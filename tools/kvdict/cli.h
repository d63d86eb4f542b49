#pragma once

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
  CArgs(int argc, char** argv, int first, std::vector<std::string_view> flags,
        std::vector<std::string_view> valueFlags);

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

// Prints "kvdict <command>: <message>" on stderr and returns kExitUsage.
int UsageError(std::string_view command, std::string_view message);

// Lowercase hex of every byte of a zero-terminated string.
std::string Hex(const char* bytes);

}  // namespace kvdict
