#include "dictionary/headword_search.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "dictionary/letter_tables.h"
#include "dictionary/list_strings.h"

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

// Reads the bucket list as (key line, offset line) records. A matching record's range runs
// from its own offset to the offset of the record after it; the last record has no follower
// and its range is empty. The first `skip` matching records are passed over, so that a key
// matching more buckets than one list holds is searched in several passes. Returns the number
// of matching records after the skipped ones; at most kMaxRanges of them are stored.
int CollectRanges(const char* key, CLineReader& listReader, int skip, CRange* ranges) {
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
    if (KeyLineMatches(keyLine, key)) {
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
  int n = static_cast<int>(std::strlen(searchText));
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

SearchOutcome RunHeadwordSearch(const SearchInput& input, CLineReader& listReader,
                                CLineReader& indexReader, CFoundRows& rows, IFoundList& list,
                                char* entryText) {
  char text[kKeyBytes] = {};
  std::strncpy(text, input.searchText, kKeyBytes - 1);
  char key[kKeyBytes] = {};
  if (input.itrans) {
    ConvertItrans(text, key);
  } else {
    std::memcpy(key, text, kKeyBytes);
  }
  if (key[0] == 0) return SearchOutcome::kEmptyKey;

  list.DeleteAllRows();
  if (const CLineReader* closed = FirstClosed(listReader, indexReader)) {
    FormatMissingFileText(closed->FileName().c_str(), entryText, kEntryTextBytes);
    return SearchOutcome::kMissingFile;
  }

  std::unique_ptr<char[]> work(new char[kEntryTextBytes]);
  char offsetLine[kListLineBytes];
  CRange ranges[kMaxRanges];
  int r = 0;
  // Almost always one pass: only a bucket list with more than kMaxRanges buckets for one key
  // needs more.
  for (int skip = 0;; skip += kMaxRanges) {
    const int matching = CollectRanges(key, listReader, skip, ranges);
    const int rangeCount = matching < kMaxRanges ? matching : kMaxRanges;
    for (int i = 0; i < rangeCount; ++i) {
      const CRange& range = ranges[i];
      if (range.start < 0 || range.start >= range.end) continue;
      // A bucket that begins inside a line would read line tails as headwords and offsets
      // as headwords' offsets: the whole bucket is out of step and is passed over.
      if (!indexReader.StartsLine(range.start)) continue;
      indexReader.Seek(range.start);
      // Only records that start before the range's end belong to it.
      for (;;) {
        int lineNumber = indexReader.ReadLine(work.get(), kLineLimit);
        if (lineNumber == 0 && work[0] == 0) break;
        const bool match = KeyMatches(work.get(), key);
        if (match) {
          MakeListStrings(work.get(), rows.m_translitRows[r], rows.m_devanagariRows[r], kRowBytes);
        }
        lineNumber = SkipRestOfLine(indexReader, work.get(), kLineLimit, lineNumber);
        // The reader counts a line only when its line end follows, so an offset line that the
        // end of the file cut short (a truncated file) leaves the counter where it was: its
        // number may have lost digits, and the record is incomplete.
        const int offsetNumber = indexReader.ReadLine(offsetLine, kListLineBytes);
        const bool offsetCut = indexReader.LineCut();
        const bool complete = offsetNumber > lineNumber;
        SkipRestOfLine(indexReader, work.get(), kLineLimit, offsetNumber);
        if (match && complete) {
          rows.m_entryOffsets[r] = offsetCut ? -1 : ReadEntryOffset(offsetLine);
          list.AddRow();
          if (++r == kMaxHits) return SearchOutcome::kFound;
        }
        if (indexReader.GetPosition() + 1 >= range.end) break;
      }
    }
    if (matching <= kMaxRanges) break;
  }
  if (r > 0) return SearchOutcome::kFound;
  FormatNoMatchText(text, entryText, kEntryTextBytes);
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

bool IsRefusedSearchByte(unsigned char c) {
  if ((c >= 0x21 && c <= 0x26) || (c >= 0x28 && c <= 0x2A) || c == 0x2C || c == 0x2E) return true;
  if ((c >= 0x30 && c <= 0x3B) || c == 0x40) return true;
  return std::strchr("BFQVWXZfq", c) != nullptr && c != 0;
}

SearchTextCheck CheckSearchText(std::string_view text) {
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
    if (IsRefusedSearchByte(static_cast<unsigned char>(c))) check.refused = true;
    check.cleaned += c;
  }
  if (check.cleaned.size() > static_cast<std::size_t>(kKeyBytes - 1)) check.refused = true;
  // The status describes the text the edit keeps.
  if (check.cleaned.empty()) {
    check.status = "Enter Text";
  } else {
    check.status = check.refused ? "Error in Text" : "Click Search";
  }
  check.runSearch = check.lineBreakCut && !check.refused;
  return check;
}

}  // namespace kv
