#pragma once

#include <memory>
#include <string>

#include "dictionary/dictionary.h"
#include "dictionary/find_query.h"
#include "dictionary/found_rows.h"

namespace kv {

// Find in entries: the headwords whose entries hold the words of a query (find_query.h says how
// words match), listed in the found list's usual rows.
//
// How it finds them. Every find reads kvtot2.txt from end to end in blocks and scans them
// (CEntryScanner, entry_scan.h); no index is kept beside the three files. On the 200,000-headword
// benchmark dictionary (67 MB of entries) a find costs a few tens of milliseconds of one core
// (bench/find_bench, figures in the README), within what a user waits for without noticing, so
// an index would only add a file to build, check and keep in step with the entries (and a
// full-text engine's is larger than the entries themselves). kvindx.txt is needed because a row
// is made from its index record: the finder keeps each record's entry offset from one find to
// the next while the file's stamp (device, inode, size, modification time) is unchanged, and
// reads every record it lists again from the file, so that a file rewritten in place within the
// file system's clock tick is noticed too: it is then read again, and a row is never listed from
// a record the file no longer holds.
//
// The entry pane's marks: a laid-out word (CPiece of entry_layout.h, its bytes start..start +
// length of the entry text) is marked when it meets a range FindMatches gives for the entry text.
//
// Use (the program keeps one CEntryFinder beside its dictionary; kvdict makes one per run):
//   CFindQuery query = CFindQuery::Parse(text, itransTicked);
//   if (!query.Ok()) { show query.Message(); }                  // no search, nothing changes
//   CFindResult result = finder.Find(query, dictionary, rows, list);
//   kFound: rows 0..m_rowCount-1 are listed; the status line says m_entryCount entries matched;
//   kNoMatch, kMissingFile, kReadError: the list is empty and m_message tells why.
// When the user then picks row r, its entry is read as for a headword search (RetrieveEntry
// with rows.m_entryOffsets[r]); FindMatches(query, entryText) gives the byte ranges to mark.
// The finder holds no reference to the dictionary between finds; keep the query with the list
// (it is a value) to mark each entry shown from it. A find blocks its caller for the scan.

enum class FindOutcome : unsigned char {
  kBadQuery,     // the query was refused (CFindQuery::Message); nothing was done
  kFound,        // rows were listed
  kNoMatch,      // no entry matched: m_message is the no-match text
  kMissingFile,  // kvindx.txt or kvtot2.txt is not open: m_message is its missing-file text
  kReadError,    // a file could not be read to its end: m_message says which
};

struct CFindResult {
  FindOutcome m_outcome = FindOutcome::kBadQuery;
  // Entries that match, listed or not: the status line's "N entries matched". An entry that no
  // headword leads to cannot be shown and is not counted.
  int m_entryCount = 0;
  // Rows listed, at most kMaxHits: one per headword whose entry matches (two headwords that lead
  // to one entry are two rows), best first: more of the query's words matched, then an earlier
  // first match in the entry, then the order of kvindx.txt.
  int m_rowCount = 0;
  std::string m_message;
};

class CEntryFinder {
 public:
  CEntryFinder();
  ~CEntryFinder();
  CEntryFinder(const CEntryFinder&) = delete;
  CEntryFinder& operator=(const CEntryFinder&) = delete;

  // Finds `query` in `dictionary`'s entries and lists the headwords whose entries match into
  // `rows` and `list` (emptied first, as a headword search empties it). A refused query changes
  // nothing. Reads kvindx.txt only when it changed since the last find.
  CFindResult Find(const CFindQuery& query, CDictionary& dictionary, CFoundRows& rows,
                   IFoundList& list);

 private:
  struct CState;
  std::unique_ptr<CState> m_state;
};

// "No entries found for <WORDS>." with the query's words as typed, separated by spaces.
std::string FormatFindNoMatchText(const CFindQuery& query);

}  // namespace kv
