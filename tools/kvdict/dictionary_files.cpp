#include "dictionary_files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "dictionary/dictionary_locations.h"
#include "dictionary/headword_search.h"

namespace kvdict {

CDictionaryFiles::CDictionaryFiles(const std::string& dir) {
  list.Open((dir + "/kvlist.txt").c_str());
  index.Open((dir + "/kvindx.txt").c_str());
  text.Open((dir + "/kvtot2.txt").c_str());
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

int ReportMissing(const kv::CLineReader& reader) {
  char message[256];
  kv::FormatMissingFileText(reader.FileName().c_str(), message, sizeof message);
  std::fprintf(stderr, "%s\n", message);
  return kExitUsage;
}

}  // namespace kvdict
