#pragma once

#include <string>
#include <string_view>

#include "dictionary/found_rows.h"
#include "dictionary/itrans.h"
#include "dictionary/line_reader.h"

namespace kv {

// True for the marker bytes that headword matching skips: "-", "4", "7", "@", "`" and 0xF3.
inline bool IsMatchIgnoredByte(unsigned char c) {
  return c == '-' || c == '4' || c == '7' || c == '@' || c == '`' || c == 0xF3;
}

// Filtered prefix match: the index line without the marker bytes that matching skips begins
// with `key`.
bool KeyMatches(const char* indexLine, const char* key);

// The entry offset of an index record's offset line. Only a line that is a number and nothing
// else (blanks around it allowed) is taken; anything else (a headword read in its place, text, a
// number beyond int) gives -1, which shows an empty entry rather than another headword's.
int ReadEntryOffset(std::string_view line);

// Forms "No matches found for <%s>, try to search on the first %d/%d letters of the word."
// for the search text as typed, into `dest` of `destSize` bytes.
void FormatNoMatchText(const char* searchText, char* dest, int destSize);

// "Could not open file <NAME>\n Did you install the dictionary?" into `dest`.
void FormatMissingFileText(const char* fileName, char* dest, int destSize);

// True when `text` is the no-match message that the search writes.
bool IsNoMatchText(const char* text);

enum class SearchOutcome {
  kEmptyKey,     // nothing to search for: the caller says "Please enter search text"
  kFound,        // rows were listed
  kNoMatch,      // the no-match text was written into the entry text
  kMissingFile,  // a data file is not open: its message was written into the entry text
};

struct SearchInput {
  const char* searchText;  // as typed, at most 199 bytes are used
  bool itrans;             // convert the text from ITRANS first
};

// Runs the headword search: fills `rows` and `list` with up to kMaxHits headwords that begin
// with the key, in bucket and file order; with no hit writes the no-match text into
// `entryText` (kEntryTextBytes bytes). The entry text is left alone when there are hits.
SearchOutcome RunHeadwordSearch(const SearchInput& input, CLineReader& listReader,
                                CLineReader& indexReader, CFoundRows& rows, IFoundList& list,
                                char* entryText);

// Reads the entry line at `offset` of the entries file into `entryText` (kEntryTextBytes
// bytes); an offset at or past the end leaves it empty. With the file not open the entry
// text holds its missing-file message and the result is false.
bool RetrieveEntry(long long offset, CLineReader& textReader, char* entryText);

// The search-text check that runs on every change of the search edit, on the edit's whole
// text. A text longer than a key can hold is refused like one with a refused byte; the edit
// keeps it whole, so that the user sees what to shorten.
struct SearchTextCheck {
  const char* status = nullptr;  // "Enter Text", "Click Search" or "Error in Text"
  bool refused = false;          // some byte is refused, or the text is too long
  bool lineBreakCut = false;     // `text` had line breaks; the edit must take `cleaned`
  bool runSearch = false;        // Return was pressed on an acceptable text
  std::string cleaned;           // the text without its line breaks
};
SearchTextCheck CheckSearchText(std::string_view text);

// True when the search-text check refuses byte `c`.
bool IsRefusedSearchByte(unsigned char c);

}  // namespace kv
