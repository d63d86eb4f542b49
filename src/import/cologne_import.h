#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_builder.h"
#include "import/cologne_body.h"
#include "import/cologne_records.h"

namespace kv {

// A lexicon in the Cologne digitisation format made into a dictionary: one headword per word
// (consecutive records of one <k1> and homonym merged in order), its entry the records' bodies
// converted (cologne_body.h), buckets in Sanskrit alphabetical order of their keys and the
// records of a bucket in the lexicon's own order.

// How many notes of each kind a report keeps to print; the rest are only counted.
inline constexpr std::size_t kListedNotes = 10;

// Something the import did to or about one place of the file.
struct CImportNote {
  int m_line = 0;
  std::string m_text;
};

// A kind of note: every one counted, the first kListedNotes kept.
struct CImportNotes {
  long long m_count = 0;
  std::vector<CImportNote> m_first;

  void Add(int line, std::string text);
};

struct CImportReport {
  std::string m_file;
  long long m_recordsRead = 0;
  long long m_recordsMerged = 0;  // records added to the entry of the record before them
  CImportNotes m_skipped;         // records left out, with the reason
  CImportNotes m_shortened;       // headwords shortened to fit a list row
  CImportNotes m_cut;             // entries cut to the longest entry line
  CReplacements m_replaced;
  // Why nothing could be read at all ("the file is empty", ...), with the line it concerns
  // (0 for the file as a whole); empty when records were found.
  std::string m_fileProblem;
  int m_fileProblemLine = 0;
  BuildResult m_written;  // what writing the dictionary gave; empty when nothing was written
  bool m_wroteFiles = false;
};

// Progress of a long import: records read so far and bytes of the file consumed.
struct CImportProgress {
  long long m_records = 0;
  std::uint64_t m_bytesRead = 0;
  std::uint64_t m_totalBytes = 0;
};
using ImportProgressHandler = std::function<void(const CImportProgress&)>;

// Reads a Cologne file into headwords, keeping the report of what it met.
class CCologneImporter {
 public:
  explicit CCologneImporter(std::string fileName);

  // Reads every record of `in`; `progress`, when given, is called every so many records.
  void Read(std::istream& in, std::uint64_t totalBytes = 0,
            const ImportProgressHandler& progress = {});
  // The headwords read, in the order they are to be written (after Read).
  const std::vector<SourceEntry>& Entries() const { return m_entries; }
  const CImportReport& Report() const { return m_report; }
  CImportReport& Report() { return m_report; }

 private:
  void Take(const CologneRecord& record);
  void FinishEntry();
  void Skip(int line, std::string reason);

  struct CWord {
    std::string m_k1;
    std::string m_homonym;
    SourceEntry m_entry;
    std::size_t m_bytes = 0;  // the entry's length with nothing cut
    bool m_open = false;
  };

  CImportReport m_report;
  std::vector<SourceEntry> m_entries;
  CWord m_word;
  CEntryWriter m_writer;
};

// The index line of a record's headword: <k1> in internal letters, with the compound marks of
// <k2> as "-" where <k2> spells the same letters; accents dropped. Empty, with `problem`
// set, when <k1> holds no letters or a character outside the SLP1 alphabet.
std::string HeadwordOf(std::string_view k1, std::string_view k2, CReplacements& replaced,
                       std::string& problem);

// `indexLine` cut at a whole letter (and without a hyphen at its end) until its list strings
// fit their rows; unchanged when they already do.
std::string ShortenedHeadword(std::string_view indexLine);

// `entry` cut at the last paragraph break (else the last space) that leaves it no longer than
// `limit` bytes; unchanged when it is no longer.
std::string_view CutEntry(std::string_view entry, std::size_t limit);

// A key for sorting bucket keys (internal letters) in Sanskrit alphabetical order: the vowels,
// the anusvara and the visarga, then the consonants, a shorter key before its extensions.
std::uint32_t SanskritOrderKey(std::string_view key);

// Imports `path` into `outDir`. Nothing is written when no record could be used, or with
// `strict` when any record was skipped.
CImportReport ImportCologneFile(const std::string& path, const std::string& outDir, bool strict,
                                const ImportProgressHandler& progress = {});

}  // namespace kv
