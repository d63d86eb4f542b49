#include "cli.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

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

void CArgs::SetValue(std::string_view flag, std::string value) {
  for (auto& [name, given] : m_values) {
    if (name == flag) {
      given = std::move(value);
      return;
    }
  }
  m_values.emplace_back(std::string(flag), std::move(value));
}

int RunCommand(const CCommand& command, int argc, char** argv) {
  CArgs args(argc, argv, 2, command.flags, command.valueFlags);
  if (!args.Ok()) return UsageError(command.name, args.Error());
  if (args.Has("--help") || args.Has("-h")) {
    std::fputs(command.help, stdout);
    return kExitOk;
  }
  const std::size_t given = args.Operands().size();
  if (command.operands == kOneOrMoreOperands ? given == 0 : given != command.operands) {
    return UsageError(command.name, command.operandError);
  }
  const std::string name = args.Value("--dict", "");
  if (!name.empty() && args.Value("--data", "").empty()) {
    const std::vector<kv::DictionaryFolder> found = FoundDictionaries();
    const auto named = std::find_if(found.begin(), found.end(),
                                    [&](const kv::DictionaryFolder& f) { return f.name == name; });
    if (named == found.end()) {
      return UsageError(command.name, "no dictionary named '" + name + "' is found");
    }
    args.SetValue("--data", named->path);
  }
  return command.run(args);
}

std::vector<kv::DictionaryFolder> FoundDictionaries() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return kv::FindDictionaries(
      kv::ProcessDictionaryEnvironment(error ? "" : program.parent_path().string()));
}

std::string DataFolder(const CArgs& args) {
  std::string given = args.Value("--data", "");
  if (!given.empty()) return given;
  std::vector<kv::DictionaryFolder> found = FoundDictionaries();
  return found.empty() ? "." : found.front().path;
}

int UsageError(std::string_view command, std::string_view message) {
  std::fprintf(stderr, "kvdict %.*s: %.*s (see kvdict %.*s --help)\n",
               static_cast<int>(command.size()), command.data(), static_cast<int>(message.size()),
               message.data(), static_cast<int>(command.size()), command.data());
  return kExitUsage;
}

std::optional<kv::SearchInput> SearchInputOf(const CArgs& args, std::string_view command) {
  kv::SearchInput input{args.Operands()[0].c_str(), args.Has("--itrans")};
  const std::string name = args.Value("--scheme", "");
  if (name.empty()) return input;
  kv::Scheme scheme = kv::Scheme::kHk;
  if (!kv::ParseSchemeName(name, scheme)) {
    UsageError(command, "unknown scheme " + name + " (hk, itrans, iast, deva or slp1)");
    return std::nullopt;
  }
  if (input.itrans) {
    UsageError(command, "--itrans and --scheme cannot be given together");
    return std::nullopt;
  }
  input.scheme = scheme;
  return input;
}

std::optional<kv::CSearchKey> SearchKeyOf(const kv::SearchInput& input, std::string_view command) {
  const kv::CSearchKey key = kv::ReadSearchKey(input);
  if (key.Ok()) return key;
  const std::string why = kv::RefusalText(input.searchText, key);
  std::fprintf(stderr, "kvdict %.*s: cannot read TEXT: %s\n", static_cast<int>(command.size()),
               command.data(), why.c_str());
  return std::nullopt;
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
