#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "dictionary/find_query.h"

namespace kv {

// A line of a block that matched: where it begins in the block, which query words match in it
// (bit i for word i) and where the first match begins, counted from the line's start.
struct CLineHit {
  std::size_t m_start = 0;
  std::uint32_t m_words = 0;
  int m_first = 0;
};

// Finds which lines of a block of entry lines match a query, giving for every line the answer
// FindMatches would give (which words, where the first match begins) without looking at every
// line: each reading of each query word runs over the whole block, testing sixteen places at a
// time for the bytes a match must have there, and only the few places that pass are read
// closely. Once a word matched in a line the rest of that line is passed over for it.
class CEntryScanner {
 public:
  explicit CEntryScanner(const CFindQuery& query);
  ~CEntryScanner();
  CEntryScanner(const CEntryScanner&) = delete;
  CEntryScanner& operator=(const CEntryScanner&) = delete;

  // Appends to `hits`, in order, the lines of `block` that match. `block` holds whole lines with
  // the line-end bytes (CR, LF) between them, none longer than kLineLimit - 1 bytes; its start
  // and its end end lines too.
  void Scan(std::string_view block, std::vector<CLineHit>& hits);

 private:
  struct CPass;
  std::vector<CPass> m_passes;
};

}  // namespace kv
