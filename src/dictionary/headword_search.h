#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dictionary/found_rows.h"
#include "dictionary/itrans.h"
#include "dictionary/line_reader.h"
#include "dictionary/script_input.h"

namespace kv {

// Filtered prefix match: the index line without the marker bytes that matching skips begins
// with `key`.
bool KeyMatches(const char* indexLine, const char* key);

// The entry offset of an index record's offset line. Only a line that is a number and nothing
// else (blanks around it allowed) is taken; anything else (a headword read in its place, text, a
// number beyond int) gives -1, which shows an empty entry rather than another headword's.
int ReadEntryOffset(std::string_view line);

// Forms "No matches found for <%s>, try to search on the first %d/%d letters of the word."
// for the search text as typed, into `dest` of `destSize` bytes. The numbers count the text's
// characters (bytes for ASCII); a text in UTF-8 stays UTF-8, so the message is the one entry
// text that is not Windows-1252 (see IsNoMatchText).
void FormatNoMatchText(const char* searchText, char* dest, int destSize);

// "Could not open file <NAME>\n Did you install the dictionary?" into `dest`.
void FormatMissingFileText(const char* fileName, char* dest, int destSize);

// True when `text` is the no-match message that the search writes.
bool IsNoMatchText(const char* text);

enum class SearchOutcome {
  kRefused,      // the text cannot be read (see CSearchKey): nothing was searched or changed
  kEmptyKey,     // nothing to search for: the caller says "Please enter search text"
  kFound,        // rows were listed, exact hits first
  kFoundLoose,   // no exact hit: the rows are loose hits
  kNoMatch,      // the no-match text was written into the entry text
  kMissingFile,  // a data file is not open: its message was written into the entry text
};

struct SearchInput {
  const char* searchText;  // as typed (UTF-8); the no-match text quotes it
  bool itrans;             // the "ITRANS 5.2" box: plain ASCII text is ITRANS
  // Loose hits follow the exact ones on every search, not only when there is no exact hit.
  bool alwaysLoose = false;
  // No loose search at all, even when nothing begins with the key.
  bool exactOnly = false;
  // Read the text in this scheme instead of the one DetectScheme finds.
  std::optional<Scheme> scheme = std::nullopt;
};

// The key the search reads from `input`.
CSearchKey ReadSearchKey(const SearchInput& input);

// Runs the headword search: fills `rows` and `list` with up to kMaxHits headwords that begin
// with the key, in bucket and file order. When that finds nothing, or always with
// `alwaysLoose`, a loose search (loose_match.h) reads every bucket of the index and adds the
// headwords that the folded key begins, in bucket and file order, after the exact hits and
// without listing a record twice, up to kMaxHits rows in all. With no hit at all it writes
// the no-match text into `entryText` (kEntryTextBytes bytes), which is left alone otherwise.
// A text that cannot be read changes nothing.
SearchOutcome RunHeadwordSearch(const SearchInput& input, CLineReader& listReader,
                                CLineReader& indexReader, CFoundRows& rows, IFoundList& list,
                                char* entryText);

// Reads the entry line at `offset` of the entries file into `entryText` (kEntryTextBytes
// bytes); an offset at or past the end leaves it empty. With the file not open the entry
// text holds its missing-file message and the result is false.
bool RetrieveEntry(long long offset, CLineReader& textReader, char* entryText);

// The search-text check that runs on every change of the search edit, on the edit's whole
// text: the text without its line breaks is read as the search reads it (MakeSearchKey). A
// text that reads as no word, or whose key is longer than a key can hold, is refused; the
// edit keeps it whole, so that the user sees what to mend.
struct SearchTextCheck {
  const char* status = nullptr;  // "Enter Text", "Click Search" or "Error in Text"
  bool refused = false;          // the text cannot be read, or its key is too long
  bool lineBreakCut = false;     // `text` had line breaks; the edit must take `cleaned`
  bool runSearch = false;        // Return was pressed on an acceptable text
  std::string cleaned;           // the text without its line breaks
  CSearchKey key;                // how `cleaned` reads
};
// `text` is UTF-8; `itrans` is the state of the ITRANS box.
SearchTextCheck CheckSearchText(std::string_view text, bool itrans);

}  // namespace kv
