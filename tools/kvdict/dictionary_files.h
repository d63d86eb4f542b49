#pragma once

#include <string>

#include "cli.h"
#include "dictionary/line_reader.h"

namespace kvdict {

// The three readers over a dictionary folder, opened in the program's order.
struct CDictionaryFiles {
  explicit CDictionaryFiles(const std::string& dir);
  kv::CLineReader list{kReaderBytes};
  kv::CLineReader index{kReaderBytes};
  kv::CLineReader text{kReaderBytes};

  static constexpr int kReaderBytes = 2048;
};

// The folder a subcommand reads without --data: the first dictionary found from the current
// directory on (see kv::FindDictionaries), else the current directory, whose missing files
// are then reported as usual.
std::string DataFolder(const CArgs& args);

// Prints the missing-file message of `reader` on stderr; returns the usage-error exit code.
int ReportMissing(const kv::CLineReader& reader);

}  // namespace kvdict
