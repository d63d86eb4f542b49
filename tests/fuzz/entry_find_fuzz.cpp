// Fuzzes find in entries: the query parser, the matcher of one entry (FindMatches), the block
// scanner and the finder over a small dictionary made from the input.
// Input: a flag byte (bit 0: ITRANS), the query, "|||", then the entries, one a line (zero
// bytes, which data files never hold, are read as spaces). The dictionary gets a headword for
// every entry, listed in kvindx.txt in the opposite order of kvtot2.txt so that dictionary order
// and file order differ. Whatever the input, the parser must end with a query it can state or
// a reason; the scanner must find exactly the lines FindMatches finds, with the same words and
// first match; and the finder must list those lines' headwords, best first, each row showing an
// entry that matches.
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "dictionary/entry_find.h"
#include "dictionary/entry_scan.h"
#include "dictionary/find_query.h"
#include "dictionary/found_rows.h"
#include "dictionary/headword_search.h"
#include "fuzz_support.h"

namespace {

struct CExpected {
  std::size_t start;  // of the line in the entries file
  std::uint32_t words = 0;
  int first = -1;
};

// What FindMatches says of every line, checking each range on the way.
std::vector<CExpected> MatchEveryLine(const kv::CFindQuery& query, std::string_view entries) {
  std::vector<CExpected> lines;
  for (std::size_t at = 0; at < entries.size();) {
    if (entries[at] == '\r' || entries[at] == '\n') {
      ++at;
      continue;
    }
    const std::size_t end = std::min(entries.find_first_of("\r\n", at), entries.size());
    const std::string_view line = entries.substr(at, end - at);
    CExpected expected{at};
    int previous = -1;
    for (const kv::CMatchRange& range : kv::FindMatches(query, line)) {
      KV_FUZZ_CHECK(0 <= range.m_begin && range.m_begin < range.m_end);
      KV_FUZZ_CHECK(static_cast<std::size_t>(range.m_end) <= line.size());
      KV_FUZZ_CHECK(range.m_begin >= previous);
      KV_FUZZ_CHECK(range.m_word >= 0 &&
                    static_cast<std::size_t>(range.m_word) < query.Words().size());
      previous = range.m_begin;
      expected.words |= 1u << range.m_word;
      if (expected.first < 0) expected.first = range.m_begin;
    }
    if (expected.words != 0) lines.push_back(expected);
    at = end;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::fuzz::CInputCursor input(data, size);
  const bool itrans = (input.TakeByte() & 1) != 0;
  const std::string_view text = input.TakeUntil("|||");
  std::string entries(input.TakeRest());
  std::replace(entries.begin(), entries.end(), '\0', ' ');

  const kv::CFindQuery query = kv::CFindQuery::Parse(text, itrans);
  if (!query.Ok()) {
    KV_FUZZ_CHECK(!query.Message().empty() && query.Words().empty());
    return 0;
  }
  KV_FUZZ_CHECK(text.size() <= kv::kMaxFindQueryBytes && kv::fuzz::IsWellFormedUtf8(text));
  KV_FUZZ_CHECK(!query.Words().empty() &&
                query.Words().size() <= static_cast<std::size_t>(kv::kMaxFindWords));
  for (const kv::CFindWord& word : query.Words()) {
    KV_FUZZ_CHECK(!word.m_english.empty() || !word.m_sanskrit.empty());
  }

  const std::vector<CExpected> expected = MatchEveryLine(query, entries);
  std::vector<kv::CLineHit> hits;
  kv::CEntryScanner(query).Scan(entries, hits);
  KV_FUZZ_CHECK(hits.size() == expected.size());
  for (std::size_t i = 0; i < hits.size(); ++i) {
    KV_FUZZ_CHECK(hits[i].m_start == expected[i].start);
    KV_FUZZ_CHECK(hits[i].m_words == expected[i].words);
    KV_FUZZ_CHECK(hits[i].m_first == expected[i].first);
  }

  // The dictionary: a headword for each line, the last line's first.
  std::string index;
  for (std::size_t at = entries.size(); at-- > 0;) {
    const bool startsLine = at == 0 || entries[at - 1] == '\r' || entries[at - 1] == '\n';
    if (startsLine && entries[at] != '\r' && entries[at] != '\n') {
      index += "ka\r\n" + std::to_string(at) + "\r\n";
    }
  }
  kv::fuzz::WriteScratchFile(kv::kListFileName, "");
  kv::fuzz::WriteScratchFile(kv::kIndexFileName, index);
  kv::fuzz::WriteScratchFile(kv::kTextFileName, entries);
  kv::CDictionary dictionary;
  dictionary.SetWarningHandler([](const char*) {});
  dictionary.Open(kv::fuzz::ScratchDir());
  auto rows = std::make_unique<kv::CFoundRows>();
  kv::CPlainFoundList list;
  kv::CEntryFinder finder;
  const kv::CFindResult result = finder.Find(query, dictionary, *rows, list);
  KV_FUZZ_CHECK(result.m_entryCount == static_cast<int>(expected.size()));
  KV_FUZZ_CHECK(result.m_rowCount == std::min(result.m_entryCount, kv::kMaxHits));
  KV_FUZZ_CHECK(list.ItemCount() == result.m_rowCount);
  KV_FUZZ_CHECK((result.m_outcome == kv::FindOutcome::kFound) == (result.m_rowCount > 0));

  // Rows best first: more words, then an earlier first match, then the later line (listed first
  // in kvindx.txt).
  auto entryText = std::make_unique<char[]>(kv::kEntryTextBytes);
  const CExpected* previous = nullptr;
  for (int r = 0; r < result.m_rowCount; ++r) {
    kv::RetrieveEntry(rows->m_entryOffsets[r], dictionary.TextReader(), entryText.get());
    KV_FUZZ_CHECK(!kv::FindMatches(query, entryText.get()).empty());
    const auto line = std::find_if(expected.begin(), expected.end(), [&](const CExpected& e) {
      return static_cast<int>(e.start) == rows->m_entryOffsets[r];
    });
    KV_FUZZ_CHECK(line != expected.end());
    if (previous != nullptr) {
      const int words = std::popcount(line->words);
      const int previousWords = std::popcount(previous->words);
      KV_FUZZ_CHECK(words < previousWords ||
                    (words == previousWords &&
                     (line->first > previous->first ||
                      (line->first == previous->first && line->start < previous->start))));
    }
    previous = &*line;
  }
  return 0;
}
