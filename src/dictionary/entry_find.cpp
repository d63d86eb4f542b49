#include "dictionary/entry_find.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

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

// The first line-end byte of `text` at or after `from`, or its size.
std::size_t NextLineEnd(std::string_view text, std::size_t from) {
  while (from < text.size() && !IsLineEnd(text[from])) ++from;
  return from;
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
      from = NextLineEnd(data, 0);
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
      segment = at = NextLineEnd(data, at + kCountedLineBytes);
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
  // read from the same state of the file before. False on a read error (the map is then empty).
  bool Refresh(const CLineReader& indexReader, char* block);
  const std::vector<CRecord>& Records() const { return m_records; }

 private:
  CLineReader::CFileStamp m_stamp;
  bool m_read = false;
  std::vector<CRecord> m_records;
};

bool CHeadwordMap::Refresh(const CLineReader& indexReader, char* block) {
  const CLineReader::CFileStamp stamp = indexReader.Stamp();
  if (m_read && stamp == m_stamp) return true;
  m_read = false;
  m_records.clear();
  // A record takes two lines of ten bytes or so.
  m_records.reserve(static_cast<std::size_t>(stamp.m_size / 20));
  long long headwordStart = -1;  // the record's index line, read and waiting for its offset
  int ordinal = 0;
  const bool read = ForEachLines(indexReader, block, [&](const CLines& lines) {
    const std::string_view text = lines.m_text;
    for (std::size_t at = 0; at < text.size();) {
      while (at < text.size() && IsLineEnd(text[at])) ++at;
      if (at == text.size()) break;
      const std::size_t end = NextLineEnd(text, at);
      if (headwordStart < 0) {
        headwordStart = lines.m_offset + static_cast<long long>(at);
      } else {
        const int offset = lines.m_cut ? -1 : ReadEntryOffset(text.substr(at, end - at));
        if (offset >= 0) m_records.push_back({offset, headwordStart, ordinal});
        ++ordinal;
        headwordStart = -1;
      }
      at = end;
    }
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
  std::uint32_t m_words;
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
                      lines.m_offset + static_cast<long long>(hit.m_start), hit.m_words,
                      hit.m_first});
    }
  });
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
  CHeadwordMap& headwords = m_state->m_headwords;
  char* block = m_state->m_block.get();
  std::vector<CHit> hits;
  const CLineReader* failed = !headwords.Refresh(indexReader, block)         ? &indexReader
                              : !ScanEntries(query, textReader, block, hits) ? &textReader
                                                                             : nullptr;
  if (failed != nullptr) {
    result.m_outcome = FindOutcome::kReadError;
    result.m_message = "Could not read " + failed->FileName();
    return result;
  }

  // The headwords of each matching entry: the records that lead to its line or to the line-end
  // bytes before it (the entry retrieval reads the same line from there).
  struct CCandidate {
    const CHit* hit;
    const CHeadwordMap::CRecord* record;
  };
  std::vector<CCandidate> candidates;
  const std::vector<CHeadwordMap::CRecord>& records = headwords.Records();
  auto record = records.begin();
  for (const CHit& hit : hits) {
    while (record != records.end() && record->m_entryOffset < hit.m_runStart) ++record;
    if (record == records.end()) break;
    if (record->m_entryOffset > hit.m_start) continue;
    ++result.m_entryCount;
    for (; record != records.end() && record->m_entryOffset <= hit.m_start; ++record) {
      candidates.push_back({&hit, &*record});
    }
  }
  auto better = [](const CCandidate& a, const CCandidate& b) {
    const int aWords = std::popcount(a.hit->m_words);
    const int bWords = std::popcount(b.hit->m_words);
    if (aWords != bWords) return aWords > bWords;
    if (a.hit->m_first != b.hit->m_first) return a.hit->m_first < b.hit->m_first;
    return a.record->m_ordinal < b.record->m_ordinal;
  };
  const auto shown = std::min(candidates.size(), static_cast<std::size_t>(kMaxHits));
  std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(shown),
                    candidates.end(), better);
  if (shown == 0) {
    result.m_outcome = FindOutcome::kNoMatch;
    result.m_message = FormatFindNoMatchText(query);
    return result;
  }
  for (std::size_t r = 0; r < shown; ++r) {
    const CHeadwordMap::CRecord& chosen = *candidates[r].record;
    indexReader.Seek(chosen.m_lineOffset);
    indexReader.ReadLine(block, kLineLimit);
    MakeListStrings(block, rows.m_translitRows[r], rows.m_devanagariRows[r], kRowBytes);
    rows.m_entryOffsets[r] = static_cast<int>(chosen.m_entryOffset);
    list.AddRow();
  }
  result.m_outcome = FindOutcome::kFound;
  result.m_rowCount = static_cast<int>(shown);
  return result;
}

std::string FormatFindNoMatchText(const CFindQuery& query) {
  return "No entries found for <" + QueryText(query) + ">.";
}

}  // namespace kv
