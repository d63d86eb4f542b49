#include "dictionary/entry_find.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

#include "dictionary/byte_blocks.h"
#include "dictionary/entry_scan.h"
#include "dictionary/find_text.h"
#include "dictionary/headword_search.h"
#include "dictionary/list_strings.h"

namespace kv {
namespace {

using find::IsLineEnd;

// Files are read in blocks of this size: room for the longest line the program reads and as
// much again, and small enough to stay in the processor's cache while it is scanned.
constexpr std::size_t kBlockBytes = 256 * 1024;
// Each read adds at most this much: data copied into the block is still in the cache when it is
// scanned.
constexpr std::size_t kReadBytes = 64 * 1024;
// The part of a line that counts: what the entry retrieval reads of it.
constexpr std::size_t kCountedLineBytes = static_cast<std::size_t>(kLineLimit - 1);
static_assert(kBlockBytes > 2 * kCountedLineBytes);

constexpr std::size_t kNone = std::string_view::npos;

// The last line-end byte of `text`, or kNone.
std::size_t LastLineEnd(std::string_view text) {
  std::size_t last = kNone;
  for (const char end : {'\n', '\r'}) {
    if (const void* found = memrchr(text.data(), end, text.size())) {
      const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
      if (last == kNone || at > last) last = at;
    }
  }
  return last;
}

// Calls `onLine(start, end)` for every line of `text` in order: the runs of bytes between line
// ends. Index files are lines of a few bytes, so line ends are found sixty-four bytes at a time.
template <typename OnLine>
void SplitLines(std::string_view text, OnLine&& onLine) {
  constexpr std::size_t kGroup = 64;
  std::uint64_t lastWasEnd = 1;  // the place before the text ends a line
  std::size_t lineStart = 0;
  char padded[kGroup];
  for (std::size_t group = 0; group < text.size(); group += kGroup) {
    const char* bytes = text.data() + group;
    if (text.size() - group < kGroup) {
      // The last group, filled up with line ends.
      std::memset(padded, '\n', kGroup);
      std::memcpy(padded, bytes, text.size() - group);
      bytes = padded;
    }
    std::uint64_t ends = 0;
    for (std::size_t lane = 0; lane < kGroup; lane += blocks::kLanes) {
      ends |= std::uint64_t{blocks::Bits(blocks::IsLineEnd(blocks::Load(bytes + lane)))} << lane;
    }
    const std::uint64_t afterEnd = ends << 1 | lastWasEnd;
    lastWasEnd = ends >> 63;
    const std::uint64_t starts = ~ends & afterEnd;
    const std::uint64_t stops = ends & ~afterEnd;
    for (std::uint64_t events = starts | stops; events != 0; events &= events - 1) {
      const auto at = group + static_cast<std::size_t>(std::countr_zero(events));
      if ((starts >> (at - group) & 1) != 0) {
        lineStart = at;
      } else {
        onLine(lineStart, std::min(at, text.size()));
      }
    }
  }
  if (lastWasEnd == 0) onLine(lineStart, text.size());
}

// Whole lines of a file, as the line reader hands them out: a line longer than what counts is cut
// there, in a piece of its own, and the rest of it is passed over.
struct CLines {
  std::string_view m_text;
  long long m_offset;  // of m_text[0] in the file
  bool m_cut;          // m_text is the counted part of one longer line
  // Where the line-end bytes before the line that begins at m_text[start] begin: the first place
  // the entry retrieval reads that line from.
  std::string_view m_block;
  std::size_t m_base;           // m_text[0] is m_block[m_base]
  long long m_runStartAtBlock;  // for a run that reaches back to m_block[0]
  long long RunStart(std::size_t start) const {
    std::size_t at = m_base + start;
    while (at > 0 && IsLineEnd(m_block[at - 1])) --at;
    return at == 0 ? m_runStartAtBlock
                   : m_offset - static_cast<long long>(m_base) + static_cast<long long>(at);
  }
};

// Calls `onLines(const CLines&)` for all the lines of `reader`'s file, in order, reading it in
// blocks into `block` (kBlockBytes). False on a read error.
template <typename OnLines>
bool ForEachLines(const CLineReader& reader, char* block, OnLines&& onLines) {
  long long blockOffset = 0;  // file offset of block[0]
  std::size_t held = 0;
  long long runStartAtBlock = 0;
  bool skipping = false;  // in the part of an over-long line past what counts
  for (bool atEnd = false; !atEnd;) {
    const long long got =
        reader.ReadAt(blockOffset + static_cast<long long>(held), block + held,
                      static_cast<long long>(std::min(kReadBytes, kBlockBytes - held)));
    if (got < 0) return false;
    atEnd = got == 0;
    held += static_cast<std::size_t>(got);
    const std::string_view data(block, held);
    std::size_t from = 0;
    if (skipping) {
      from = find::NextLineEnd(data, 0);
      if (from == held) {
        blockOffset += static_cast<long long>(held);
        held = 0;
        continue;
      }
      skipping = false;
      runStartAtBlock = blockOffset + static_cast<long long>(from);
    }
    auto emit = [&](std::size_t begin, std::size_t end, bool cut) {
      if (end > begin) {
        onLines(CLines{data.substr(begin, end - begin), blockOffset + static_cast<long long>(begin),
                       cut, data, begin, runStartAtBlock});
      }
    };
    // The complete lines: up to the last line end, or all that is left at the end of the file.
    const std::size_t lastEnd = atEnd ? kNone : LastLineEnd(data.substr(from));
    const std::size_t complete = atEnd ? held : lastEnd == kNone ? from : from + lastEnd + 1;
    // Lines that do not count whole: every stretch of more than kCountedLineBytes bytes must hold
    // a line end, which is found at once looking back from its end since lines are short.
    std::size_t segment = from;
    for (std::size_t at = from; complete - at > kCountedLineBytes;) {
      const std::size_t last = LastLineEnd(data.substr(at, kCountedLineBytes + 1));
      if (last != kNone) {
        at += last + 1;
        continue;
      }
      emit(segment, at, false);
      emit(at, at + kCountedLineBytes, true);
      segment = at = find::NextLineEnd(data, at + kCountedLineBytes);
    }
    emit(segment, complete, false);
    std::size_t keep = complete;
    if (held - complete >= kCountedLineBytes) {
      // A line longer than what counts that goes on in the next block.
      emit(complete, complete + kCountedLineBytes, true);
      skipping = true;
      keep = held;
    }
    std::size_t run = keep;
    while (run > 0 && IsLineEnd(data[run - 1])) --run;
    if (run > 0) runStartAtBlock = blockOffset + static_cast<long long>(run);
    std::memmove(block, block + keep, held - keep);
    blockOffset += static_cast<long long>(keep);
    held -= keep;
  }
  return true;
}

// The index records of kvindx.txt by the entry offset they lead to.
class CHeadwordMap {
 public:
  struct CRecord {
    long long m_entryOffset = 0;  // as the record's offset line gives it
    long long m_lineOffset = 0;   // where its index line begins in kvindx.txt
    int m_ordinal = 0;            // its place among the records of kvindx.txt
  };

  // Reads the records of `indexReader`'s file, through `block` (kBlockBytes), unless they were
  // read from a file with the same stamp before and `again` is false. False on a read error
  // (the map is then empty).
  bool Refresh(const CLineReader& indexReader, char* block, bool again);
  const std::vector<CRecord>& Records() const { return m_records; }

 private:
  CLineReader::CFileStamp m_stamp;
  bool m_read = false;
  std::vector<CRecord> m_records;
};

bool CHeadwordMap::Refresh(const CLineReader& indexReader, char* block, bool again) {
  const CLineReader::CFileStamp stamp = indexReader.Stamp();
  if (m_read && stamp == m_stamp && !again) return true;
  m_read = false;
  m_records.clear();
  // A record takes two lines of ten bytes or so.
  m_records.reserve(static_cast<std::size_t>(stamp.m_size / 20));
  long long headwordStart = -1;  // the record's index line, read and waiting for its offset
  int ordinal = 0;
  const bool read = ForEachLines(indexReader, block, [&](const CLines& lines) {
    SplitLines(lines.m_text, [&](std::size_t start, std::size_t end) {
      if (headwordStart < 0) {
        headwordStart = lines.m_offset + static_cast<long long>(start);
        return;
      }
      const int offset =
          lines.m_cut ? -1 : ReadEntryOffset(lines.m_text.substr(start, end - start));
      if (offset >= 0) m_records.push_back({offset, headwordStart, ordinal});
      ++ordinal;
      headwordStart = -1;
    });
  });
  if (!read) {
    m_records.clear();
    return false;
  }
  // Entries are mostly written in the order of the index: the few records out of that order are
  // sorted apart and merged back.
  auto byOffset = [](const CRecord& a, const CRecord& b) {
    return a.m_entryOffset != b.m_entryOffset ? a.m_entryOffset < b.m_entryOffset
                                              : a.m_ordinal < b.m_ordinal;
  };
  std::vector<CRecord> apart;
  std::size_t inOrder = 0;
  for (const CRecord& record : m_records) {
    if (inOrder == 0 || !byOffset(record, m_records[inOrder - 1])) {
      m_records[inOrder++] = record;
    } else {
      apart.push_back(record);
    }
  }
  m_records.resize(inOrder);
  std::sort(apart.begin(), apart.end(), byOffset);
  const auto middle = static_cast<std::ptrdiff_t>(m_records.size());
  m_records.insert(m_records.end(), apart.begin(), apart.end());
  std::inplace_merge(m_records.begin(), m_records.begin() + middle, m_records.end(), byOffset);
  m_stamp = stamp;
  m_read = true;
  return true;
}

// A line of kvtot2.txt that matched.
struct CHit {
  long long m_runStart;  // where the line-end bytes before it begin
  long long m_start;
  int m_wordsMatched;
  int m_first;
};

bool ScanEntries(const CFindQuery& query, const CLineReader& textReader, char* block,
                 std::vector<CHit>& hits) {
  CEntryScanner scanner(query);
  std::vector<CLineHit> lineHits;
  return ForEachLines(textReader, block, [&](const CLines& lines) {
    lineHits.clear();
    scanner.Scan(lines.m_text, lineHits);
    for (const CLineHit& hit : lineHits) {
      hits.push_back({lines.RunStart(hit.m_start),
                      lines.m_offset + static_cast<long long>(hit.m_start),
                      std::popcount(hit.m_words), hit.m_first});
    }
  });
}

// A headword whose entry matched, with what ranks it.
struct CCandidate {
  int wordsMatched;
  int first;
  const CHeadwordMap::CRecord* record;
};

// The headwords of the matching lines, best first, at most kMaxHits of them; `entryCount` counts
// the lines that some headword leads to, directly or by the line-end bytes before the line (from
// where the entry retrieval reads the same line).
std::vector<CCandidate> Rank(const std::vector<CHit>& hits,
                             const std::vector<CHeadwordMap::CRecord>& records, int& entryCount) {
  std::vector<CCandidate> candidates;
  auto record = records.begin();
  for (const CHit& hit : hits) {
    while (record != records.end() && record->m_entryOffset < hit.m_runStart) ++record;
    if (record == records.end()) break;
    if (record->m_entryOffset > hit.m_start) continue;
    ++entryCount;
    for (; record != records.end() && record->m_entryOffset <= hit.m_start; ++record) {
      candidates.push_back({hit.m_wordsMatched, hit.m_first, &*record});
    }
  }
  auto better = [](const CCandidate& a, const CCandidate& b) {
    if (a.wordsMatched != b.wordsMatched) return a.wordsMatched > b.wordsMatched;
    if (a.first != b.first) return a.first < b.first;
    return a.record->m_ordinal < b.record->m_ordinal;
  };
  const auto shown = std::min(candidates.size(), static_cast<std::size_t>(kMaxHits));
  std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(shown),
                    candidates.end(), better);
  candidates.resize(shown);
  return candidates;
}

// Fills row `r` from `record` when kvindx.txt still holds it: its index line where the record
// says, followed by its offset. `work` takes the index line (kLineLimit bytes).
bool ListRow(const CHeadwordMap::CRecord& record, CLineReader& indexReader, char* work, int r,
             CFoundRows& rows) {
  constexpr int kOffsetLineBytes = 200;
  char offsetLine[kOffsetLineBytes];
  if (!indexReader.StartsLine(record.m_lineOffset)) return false;
  indexReader.Seek(record.m_lineOffset);
  if (indexReader.ReadLine(work, kLineLimit) == 0 || indexReader.LineCut()) return false;
  indexReader.ReadLine(offsetLine, kOffsetLineBytes);
  if (indexReader.LineCut() || ReadEntryOffset(offsetLine) != record.m_entryOffset) return false;
  FillRow(rows, r, work);
  rows.m_entryOffsets[r] = static_cast<int>(record.m_entryOffset);
  return true;
}

std::string QueryText(const CFindQuery& query) {
  std::string text;
  for (const CFindWord& word : query.Words()) {
    if (!text.empty()) text += ' ';
    text += word.m_text;
  }
  return text;
}

}  // namespace

// What a finder keeps from one find to the next.
struct CEntryFinder::CState {
  CHeadwordMap m_headwords;
  std::unique_ptr<char[]> m_block = std::make_unique<char[]>(kBlockBytes);
};

CEntryFinder::CEntryFinder() : m_state(std::make_unique<CState>()) {}
CEntryFinder::~CEntryFinder() = default;

CFindResult CEntryFinder::Find(const CFindQuery& query, CDictionary& dictionary, CFoundRows& rows,
                               IFoundList& list) {
  CFindResult result;
  if (!query.Ok()) {
    result.m_message = query.Message();
    return result;
  }
  list.DeleteAllRows();
  CLineReader& indexReader = dictionary.IndexReader();
  const CLineReader& textReader = dictionary.TextReader();
  for (const CLineReader* reader : {static_cast<const CLineReader*>(&indexReader), &textReader}) {
    if (!reader->IsOpen()) {
      char text[160];
      FormatMissingFileText(reader->FileName().c_str(), text, sizeof text);
      result.m_outcome = FindOutcome::kMissingFile;
      result.m_message = text;
      return result;
    }
  }
  char* block = m_state->m_block.get();
  std::vector<CHit> hits;
  if (!ScanEntries(query, textReader, block, hits)) {
    result.m_outcome = FindOutcome::kReadError;
    result.m_message = "Could not read " + textReader.FileName();
    return result;
  }
  // A row is made from its record as kvindx.txt holds it now. A record that is no longer there
  // means the file changed since it was read, in a way its stamp did not show (rewritten in
  // place within the file system's clock tick): it is read again, and rows that still do not
  // hold are left out.
  for (int attempt = 0;; ++attempt) {
    CHeadwordMap& headwords = m_state->m_headwords;
    if (!headwords.Refresh(indexReader, block, attempt > 0)) {
      result.m_outcome = FindOutcome::kReadError;
      result.m_message = "Could not read " + indexReader.FileName();
      return result;
    }
    result.m_entryCount = 0;
    const std::vector<CCandidate> ranked = Rank(hits, headwords.Records(), result.m_entryCount);
    list.DeleteAllRows();
    result.m_rowCount = 0;
    bool current = true;
    for (const CCandidate& candidate : ranked) {
      if (ListRow(*candidate.record, indexReader, block, result.m_rowCount, rows)) {
        list.AddRow();
        ++result.m_rowCount;
      } else {
        current = false;
        if (attempt == 0) break;
      }
    }
    if (current || attempt > 0) break;
  }
  if (result.m_rowCount == 0) {
    result.m_outcome = FindOutcome::kNoMatch;
    result.m_message = FormatFindNoMatchText(query);
    return result;
  }
  result.m_outcome = FindOutcome::kFound;
  return result;
}

std::string FormatFindNoMatchText(const CFindQuery& query) {
  return "No entries found for <" + QueryText(query) + ">.";
}

}  // namespace kv
