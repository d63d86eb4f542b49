#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "dictionary/found_rows.h"

namespace kv {

// The longest lines the program reads without its over-long-line warning: the reader
// warns once a line fills its buffer but for the terminator, so a line must stay two bytes
// under the buffer size (kvlist.txt lines go into 200 bytes, the others into 127000).
inline constexpr std::size_t kMaxListLineBytes = 200 - 2;
inline constexpr std::size_t kMaxDataLineBytes = static_cast<std::size_t>(kLineLimit) - 2;

// Key line of the record that closes kvlist.txt. '#' is not an internal letter, no ITRANS
// spelling produces it and the search-text check refuses it, so Return never searches for it;
// a click on Search with a text beginning "##" matches it, but the closing record has no
// follower, so its range ends at 0 and yields no hit.
inline constexpr const char* kClosingKeyLine = "##";

// One problem found in a file: `line` counts from 1 (0 when it concerns the whole file).
struct DictionaryError {
  std::string file;
  int line = 0;
  std::string reason;
};

// One headword of a source file, already in the bytes the data files hold.
struct SourceEntry {
  std::string indexLine;  // internal letters and marker bytes
  std::string entry;      // Windows-1252 entry text
  int line = 0;           // its line in the source file
};

// The contents of the three data files.
struct DictionaryFiles {
  std::string list;
  std::string index;
  std::string text;
  int bucketCount = 0;
};

struct BuildResult {
  std::vector<DictionaryError> errors;
  int headwordCount = 0;
  int bucketCount = 0;
  bool Ok() const { return errors.empty(); }
};

// The bucket of an index line: its first two bytes once the ignored markers are taken out
// (one byte for a one-letter headword, empty for a line without any).
std::string BucketKeyOf(std::string_view indexLine);

// Empty when both list strings of `indexLine` fit their 100-byte rows, otherwise the reason.
std::string ListStringsProblem(std::string_view indexLine);

// Empty when `entry` is a headword the three files can hold, otherwise the reason: an index
// line of internal letters and marker bytes with at least one letter, whose list strings fit
// their rows, and an entry of Windows-1252 text without control characters, not empty and not
// longer than kMaxDataLineBytes. Every headword a dictionary is written from passes it.
std::string SourceEntryProblem(const SourceEntry& entry);

// Parses a source file: one headword a line, the index line, a TAB, the entry (UTF-8);
// '#' lines and blank lines are comments. Appends a problem per bad line to `errors`, naming
// `fileName`, and returns the good lines.
std::vector<SourceEntry> ParseSource(std::string_view bytes, const std::string& fileName,
                                     std::vector<DictionaryError>& errors);

// Lays the headwords out as the three files: buckets in order of first appearance, the
// headwords of a bucket in source order, CR LF line ends, kvlist.txt closed by one record
// whose offset is the length of kvindx.txt.
DictionaryFiles LayOutDictionary(const std::vector<SourceEntry>& entries);

// Writes the headwords (each passing SourceEntryProblem) as kvlist.txt, kvindx.txt and
// kvtot2.txt into `outDir` (created when missing). The files are first written under
// temporary names and renamed only when all three are complete; on any error no file is left
// behind. `sourceName` names the source in errors that concern it as a whole.
BuildResult WriteDictionary(const std::vector<SourceEntry>& entries, const std::string& sourceName,
                            const std::string& outDir);

// Reads `sourcePath` and writes its headwords as WriteDictionary does; nothing is written
// when any line of the source is bad.
BuildResult BuildDictionary(const std::string& sourcePath, const std::string& outDir);

}  // namespace kv
