#include "dictionary/headword_search.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "dictionary/decoders.h"
#include "dictionary/letter_tables.h"
#include "dictionary/loose_match.h"

namespace kv {
namespace {

// Lines of the bucket list are read into buffers of this size.
constexpr int kListLineBytes = 200;
// At most this many buckets are searched for one key.
constexpr int kMaxRanges = 200;

struct CRange {
  long long start;
  long long end;
};

// Reads a stored offset as atoi does (leading blanks, a sign, digits, anything after them
// ignored), except that a line without digits or with a number beyond int reads as -1, a
// place with nothing to read, rather than as 0, the first record of the file.
long long ReadOffset(const char* line) {
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(line, &end, 10);
  if (end == line || errno == ERANGE || value > INT_MAX || value < INT_MIN) return -1;
  return value;
}

// True when a line was read, including a last line that has no line end.
bool ReadAnyLine(CLineReader& reader, char* dest, int size) {
  return reader.ReadLine(dest, size) != 0 || dest[0] != 0;
}

// A key line matches when its first byte is the key's and its second byte is the key's too,
// or the key is a single byte.
bool KeyLineMatches(const char* keyLine, const char* key) {
  if (keyLine[0] != key[0]) return false;
  return key[1] == 0 || keyLine[1] == key[1];
}

// Reads the bucket list as (key line, offset line) records; `bucketMatches(keyLine)` tells
// the matching ones. A matching record's range runs
// from its own offset to the offset of the record after it; the last record has no follower
// and its range is empty. The first `skip` matching records are passed over, so that a key
// matching more buckets than one list holds is searched in several passes. Returns the number
// of matching records after the skipped ones; at most kMaxRanges of them are stored.
template <typename BucketMatches>
int CollectRanges(const BucketMatches& bucketMatches, CLineReader& listReader, int skip,
                  CRange* ranges) {
  char keyLine[kListLineBytes];
  char nextKeyLine[kListLineBytes];
  char offsetLine[kListLineBytes];
  int count = 0;
  listReader.Seek(0);
  if (!ReadAnyLine(listReader, keyLine, kListLineBytes)) return 0;
  listReader.ReadLine(offsetLine, kListLineBytes);
  long long start = ReadOffset(offsetLine);
  for (;;) {
    bool hasNext = ReadAnyLine(listReader, nextKeyLine, kListLineBytes);
    long long nextStart = 0;
    if (hasNext) {
      listReader.ReadLine(offsetLine, kListLineBytes);
      nextStart = ReadOffset(offsetLine);
    }
    if (bucketMatches(static_cast<const char*>(keyLine))) {
      if (skip > 0) {
        --skip;
      } else {
        if (count < kMaxRanges) ranges[count] = {start, nextStart};
        ++count;
      }
    }
    if (!hasNext) return count;
    std::memcpy(keyLine, nextKeyLine, kListLineBytes);
    start = nextStart;
  }
}

// Reads and drops the rest of a line that the last read cut for want of room, so that the
// next read starts on the following line and records stay in step. Returns the line counter
// after the last read (`lineNumber` when nothing was cut).
int SkipRestOfLine(CLineReader& reader, char* work, int size, int lineNumber) {
  while (reader.LineCut()) {
    lineNumber = reader.ReadLine(work, size);
    if (lineNumber == 0 && work[0] == 0) break;
  }
  return lineNumber;
}

const CLineReader* FirstClosed(const CLineReader& a, const CLineReader& b) {
  if (!a.IsOpen()) return &a;
  if (!b.IsOpen()) return &b;
  return nullptr;
}

// The rows a search lists, with the place of each row's record in the index (the position
// after its headword line), so that the loose pass never lists a record a second time.
class CHitList {
 public:
  CHitList(CFoundRows& rows, IFoundList& list) : m_rows(rows), m_list(list) {}

  int Count() const { return m_count; }
  bool Full() const { return m_count == kMaxHits; }
  bool Holds(long long record) const {
    return std::find(m_records, m_records + m_count, record) != m_records + m_count;
  }
  // Writes the next row's strings; the row is listed only by Commit.
  void Fill(const char* indexLine) { FillRow(m_rows, m_count, indexLine); }
  void Commit(long long record, int entryOffset) {
    m_rows.m_entryOffsets[m_count] = entryOffset;
    m_records[m_count++] = record;
    m_list.AddRow();
  }

 private:
  CFoundRows& m_rows;
  IFoundList& m_list;
  long long m_records[kMaxHits] = {};
  int m_count = 0;
};

// Reads the index records of buckets and lists those a test accepts.
struct CBucketScan {
  CLineReader& m_listReader;
  CLineReader& m_indexReader;
  char* m_work;  // kEntryTextBytes bytes
  CHitList& m_hits;

  // The buckets whose key lines `bucketMatches(keyLine)` accepts, in the order of the bucket
  // list; `matches(indexLine, record)` decides each record. Stops with a full list.
  template <typename BucketMatches, typename Matches>
  void Search(const BucketMatches& bucketMatches, const Matches& matches) {
    CRange ranges[kMaxRanges];
    // Almost always one pass: only a bucket list with more than kMaxRanges buckets for one
    // key needs more.
    for (int skip = 0;; skip += kMaxRanges) {
      const int matching = CollectRanges(bucketMatches, m_listReader, skip, ranges);
      const int rangeCount = matching < kMaxRanges ? matching : kMaxRanges;
      for (int i = 0; i < rangeCount; ++i) {
        ScanRange(ranges[i], matches);
        if (m_hits.Full()) return;
      }
      if (matching <= kMaxRanges) return;
    }
  }

  template <typename Matches>
  void ScanRange(const CRange& range, const Matches& matches) {
    if (range.start < 0 || range.start >= range.end) return;
    // A bucket that begins inside a line would read line tails as headwords and offsets as
    // headwords' offsets: the whole bucket is out of step and is passed over.
    if (!m_indexReader.StartsLine(range.start)) return;
    m_indexReader.Seek(range.start);
    char offsetLine[kListLineBytes];
    // Only records that start before the range's end belong to it.
    for (;;) {
      int lineNumber = m_indexReader.ReadLine(m_work, kLineLimit);
      if (lineNumber == 0 && m_work[0] == 0) break;
      const long long record = m_indexReader.GetPosition();
      const bool match = matches(static_cast<const char*>(m_work), record);
      if (match) m_hits.Fill(m_work);
      lineNumber = SkipRestOfLine(m_indexReader, m_work, kLineLimit, lineNumber);
      // The reader counts a line only when its line end follows, so an offset line that the
      // end of the file cut short (a truncated file) leaves the counter where it was: its
      // number may have lost digits, and the record is incomplete.
      const int offsetNumber = m_indexReader.ReadLine(offsetLine, kListLineBytes);
      const bool offsetCut = m_indexReader.LineCut();
      const bool complete = offsetNumber > lineNumber;
      SkipRestOfLine(m_indexReader, m_work, kLineLimit, offsetNumber);
      if (match && complete) {
        m_hits.Commit(record, offsetCut ? -1 : ReadEntryOffset(offsetLine));
        if (m_hits.Full()) return;
      }
      if (m_indexReader.GetPosition() + 1 >= range.end) break;
    }
  }
};

}  // namespace

int ReadEntryOffset(std::string_view line) {
  std::size_t at = 0;
  auto skipBlanks = [&] {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
  };
  skipBlanks();
  if (at == line.size() || line[at] < '0' || line[at] > '9') return -1;
  long long value = 0;
  for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at) {
    value = value * 10 + (line[at] - '0');
    if (value > INT_MAX) return -1;
  }
  skipBlanks();
  return at == line.size() ? static_cast<int>(value) : -1;
}

bool KeyMatches(const char* indexLine, const char* key) {
  const unsigned char* line = reinterpret_cast<const unsigned char*>(indexLine);
  for (const unsigned char* k = reinterpret_cast<const unsigned char*>(key); *k; ++k) {
    while (IsMatchIgnoredByte(*line)) ++line;
    if (*line != *k) return false;
    ++line;
  }
  return true;
}

void FormatNoMatchText(const char* searchText, char* dest, int destSize) {
  int n = 0;
  const std::string_view text(searchText);
  for (std::size_t pos = 0; pos < text.size(); ++n) {
    // A byte that begins no character counts as one.
    if (ReadUtf8(text, pos) == kNoCodePoint) ++pos;
  }
  int first = n - 2 < 1 ? 1 : n - 2;
  int second = n - 1 < 1 ? 1 : n - 1;
  std::snprintf(dest, static_cast<size_t>(destSize),
                "No matches found for <%s>, try to search on the first %d/%d letters of the word.",
                searchText, first, second);
}

void FormatMissingFileText(const char* fileName, char* dest, int destSize) {
  std::snprintf(dest, static_cast<size_t>(destSize),
                "Could not open file <%s>\n Did you install the dictionary?", fileName);
}

bool IsNoMatchText(const char* text) {
  static constexpr char kPrefix[] = "No matches";
  return std::strncmp(text, kPrefix, sizeof kPrefix - 1) == 0;
}

CSearchKey ReadSearchKey(const SearchInput& input) {
  return input.scheme ? MakeSearchKeyAs(input.searchText, *input.scheme)
                      : MakeSearchKey(input.searchText, input.itrans);
}

SearchOutcome RunHeadwordSearch(const SearchInput& input, CLineReader& listReader,
                                CLineReader& indexReader, CFoundRows& rows, IFoundList& list,
                                char* entryText) {
  const CSearchKey key = ReadSearchKey(input);
  if (!key.Ok()) return SearchOutcome::kRefused;
  if (key.Empty()) return SearchOutcome::kEmptyKey;

  list.DeleteAllRows();
  if (const CLineReader* closed = FirstClosed(listReader, indexReader)) {
    FormatMissingFileText(closed->FileName().c_str(), entryText, kEntryTextBytes);
    return SearchOutcome::kMissingFile;
  }

  std::unique_ptr<char[]> work(new char[kEntryTextBytes]);
  CHitList hits(rows, list);
  CBucketScan scan{listReader, indexReader, work.get(), hits};
  scan.Search([&key](const char* keyLine) { return KeyLineMatches(keyLine, key.m_key); },
              [&key](const char* line, long long) { return KeyMatches(line, key.m_key); });
  const int exact = hits.Count();
  // A key of avagrahas alone folds to nothing, which would begin every headword.
  if ((exact == 0 || input.alwaysLoose) && !input.exactOnly && key.m_folded[0] != '\0') {
    const std::string_view folded = key.m_folded;
    scan.Search(
        [folded](const char* keyLine) { return LooseBucketMayMatch(keyLine, folded); },
        [&hits, folded](const char* line, long long record) {
          return LooseKeyMatches(line, folded) && !hits.Holds(record);
        });
  }
  if (exact > 0) return SearchOutcome::kFound;
  if (hits.Count() > 0) return SearchOutcome::kFoundLoose;
  FormatNoMatchText(input.searchText, entryText, kEntryTextBytes);
  return SearchOutcome::kNoMatch;
}

bool RetrieveEntry(long long offset, CLineReader& textReader, char* entryText) {
  entryText[0] = 0;
  if (!textReader.IsOpen()) {
    FormatMissingFileText(textReader.FileName().c_str(), entryText, kEntryTextBytes);
    return false;
  }
  // An offset inside a line would show the tail of some entry as this headword's.
  if (!textReader.StartsLine(offset)) return true;
  textReader.Seek(offset);
  textReader.ReadLine(entryText, kLineLimit);
  return true;
}

SearchTextCheck CheckSearchText(std::string_view text, bool itrans) {
  SearchTextCheck check;
  check.cleaned.reserve(text.size());
  // Return puts a line break into the edit: each one is cut, CR LF as a pair.
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      check.lineBreakCut = true;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      continue;
    }
    check.cleaned += c;
  }
  // The status describes the text the edit keeps.
  check.key = MakeSearchKey(check.cleaned, itrans);
  check.refused = !check.key.Ok();
  if (check.refused) {
    check.status = "Error in Text";
  } else {
    check.status = check.key.Empty() ? "Enter Text" : "Click Search";
  }
  check.runSearch = check.lineBreakCut && !check.refused;
  return check;
}

}  // namespace kv
