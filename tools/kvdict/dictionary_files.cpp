#include "dictionary_files.h"

#include <cstdio>

#include "cli.h"
#include "dictionary/headword_search.h"

namespace kvdict {

CDictionaryFiles::CDictionaryFiles(const std::string& dir) {
  list.Open((dir + "/kvlist.txt").c_str());
  index.Open((dir + "/kvindx.txt").c_str());
  text.Open((dir + "/kvtot2.txt").c_str());
}

int ReportMissing(const kv::CLineReader& reader) {
  char message[256];
  kv::FormatMissingFileText(reader.FileName().c_str(), message, sizeof message);
  std::fprintf(stderr, "%s\n", message);
  return kExitUsage;
}

}  // namespace kvdict
