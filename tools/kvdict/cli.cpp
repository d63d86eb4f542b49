#include "cli.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "dictionary/dictionary_locations.h"

namespace kvdict {

CArgs::CArgs(int argc, char** argv, int first, const std::vector<std::string_view>& flags,
             const std::vector<std::string_view>& valueFlags) {
  bool operandsOnly = false;
  for (int i = first; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (operandsOnly || arg.size() < 2 || arg[0] != '-') {
      m_operands.emplace_back(arg);
    } else if (arg == "--") {
      operandsOnly = true;
    } else if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
      m_flags.emplace_back(arg);
    } else if (std::find(valueFlags.begin(), valueFlags.end(), arg) != valueFlags.end()) {
      if (i + 1 >= argc) {
        m_error = "option " + std::string(arg) + " needs a value";
        return;
      }
      m_values.emplace_back(std::string(arg), std::string(argv[++i]));
    } else {
      m_error = "unknown option " + std::string(arg);
      return;
    }
  }
}

bool CArgs::Has(std::string_view flag) const {
  return std::find(m_flags.begin(), m_flags.end(), flag) != m_flags.end();
}

std::string CArgs::Value(std::string_view flag, std::string fallback) const {
  for (const auto& [name, value] : m_values) {
    if (name == flag) return value;
  }
  return fallback;
}

int RunCommand(const CCommand& command, int argc, char** argv) {
  const CArgs args(argc, argv, 2, command.flags, command.valueFlags);
  if (!args.Ok()) return UsageError(command.name, args.Error());
  if (args.Has("--help") || args.Has("-h")) {
    std::fputs(command.help, stdout);
    return kExitOk;
  }
  const std::size_t given = args.Operands().size();
  if (command.operands == kOneOrMoreOperands ? given == 0 : given != command.operands) {
    return UsageError(command.name, command.operandError);
  }
  return command.run(args);
}

std::string DataFolder(const CArgs& args) {
  std::string given = args.Value("--data", "");
  if (!given.empty()) return given;
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  std::vector<kv::DictionaryFolder> found =
      kv::FindDictionaries(kv::ProcessDictionaryEnvironment(error ? "" : program.parent_path()));
  return found.empty() ? "." : found.front().path;
}

int UsageError(std::string_view command, std::string_view message) {
  std::fprintf(stderr, "kvdict %.*s: %.*s (see kvdict %.*s --help)\n",
               static_cast<int>(command.size()), command.data(), static_cast<int>(message.size()),
               message.data(), static_cast<int>(command.size()), command.data());
  return kExitUsage;
}

std::string Hex(const char* bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes); *p; ++p) {
    out += kDigits[*p >> 4];
    out += kDigits[*p & 15];
  }
  return out;
}

}  // namespace kvdict
