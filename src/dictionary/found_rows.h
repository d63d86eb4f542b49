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
// three tables belongs to list item r.
struct CFoundRows {
  char m_translitRows[kMaxRows][kRowBytes] = {};
  char m_devanagariRows[kMaxRows][kRowBytes] = {};
  int m_entryOffsets[kMaxRows] = {};
};

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
