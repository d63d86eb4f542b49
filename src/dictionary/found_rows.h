#pragma once

#include "dictionary/list_strings.h"

namespace kv {

inline constexpr int kMaxRows = 300;
// A search lists at most this many headwords.
inline constexpr int kMaxHits = 291;
// The entry text buffer: one entry line of at most kLineLimit - 1 bytes, or a message.
inline constexpr int kEntryTextBytes = 128000;
inline constexpr int kLineLimit = 127000;

// The row tables that the headword search fills and the found list draws. Row r of the
// four tables belongs to list item r.
struct CFoundRows {
  char m_translitRows[kMaxRows][kRowBytes] = {};
  char m_devanagariRows[kMaxRows][kRowBytes] = {};
  // The headword's internal letters as its index line holds them, marker bytes included: what
  // the Unicode Devanagari of the list and of `kvdict lookup` is spelled from. The glyph codes
  // of m_devanagariRows cannot spell every cluster.
  char m_letterRows[kMaxRows][kRowBytes] = {};
  int m_entryOffsets[kMaxRows] = {};
};

// Fills row `row` of the list-string and letter tables from an index line. The letters are
// cut, like the list strings, after the last whole letter that fits a row.
void FillRow(CFoundRows& rows, int row, const char* indexLine);

// The list the search fills: one item per row, carrying no data of its own.
class IFoundList {
 public:
  virtual ~IFoundList() = default;
  // Appends an item and returns its index.
  virtual int AddRow() = 0;
  virtual void DeleteAllRows() = 0;
  virtual int ItemCount() const = 0;
};

// A found list without a window, for the command-line tool, benchmarks and tests: its items
// are only counted.
class CPlainFoundList : public IFoundList {
 public:
  int AddRow() override { return m_count++; }
  void DeleteAllRows() override { m_count = 0; }
  int ItemCount() const override { return m_count; }

 private:
  int m_count = 0;
};

}  // namespace kv
