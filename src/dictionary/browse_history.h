#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "dictionary/found_rows.h"

namespace kv {

// Where the user has been: the steps that Back and Forward move through, and the headwords
// viewed, which the program keeps from one run to the next.

// A headword as the found list shows it: its letters as its index line holds them (a row's
// m_letterRows, marker bytes included), and the offset of the entry it leads to, which tells two
// headwords of one spelling apart. The offset is a hint: a dictionary built again moves it.
struct CHeadwordRef {
  std::string m_letters;
  int m_entryOffset = -1;

  bool Empty() const { return m_letters.empty(); }
  bool operator==(const CHeadwordRef&) const = default;
};

// The headword of row `row` of `rows`.
CHeadwordRef RowHeadword(const CFoundRows& rows, int row);
// The row among the first `count` of `rows` that shows `headword`: the one with its letters
// and entry offset, else the first with its letters; -1 when none has them.
int FindHeadwordRow(const CFoundRows& rows, int count, const CHeadwordRef& headword);
// The search text that lists `headword` when read as Harvard-Kyoto: its letters without the
// marker bytes that matching passes over.
std::string HeadwordSearchText(const CHeadwordRef& headword);
// Runs the headword search for `headword` into `rows` and `list` (exact hits only, never the
// loose search) and gives the row that shows it, or -1 when the dictionary no longer holds it
// (or a file is not open). `entryText` (kEntryTextBytes) takes a search's message.
int ListHeadword(const CHeadwordRef& headword, CDictionary& dictionary, CFoundRows& rows,
                 IFoundList& list, char* entryText);

// Which of some headwords a dictionary holds, for menus that list them each time they open: a
// headword found once is not searched again while kvlist.txt and kvindx.txt keep their stamps
// (an exact search reads the headword's whole bucket); one not found is searched again.
class CHeldHeadwords {
 public:
  // The headwords of `headwords` that `dictionary` holds, in their order.
  std::vector<CHeadwordRef> Held(const std::vector<CHeadwordRef>& headwords,
                                 CDictionary& dictionary);

 private:
  CLineReader::CFileStamp m_listStamp;
  CLineReader::CFileStamp m_indexStamp;
  std::vector<CHeadwordRef> m_found;
};

// The plain text the settings keep a headword list in: one line per headword, its entry offset
// in decimal, a space, then its letters. ReadHeadwordList takes every line of that form and
// passes over any other (a damaged value gives what can still be read) and stops at `cap`.
std::string HeadwordListText(const std::vector<CHeadwordRef>& headwords);
std::vector<CHeadwordRef> ReadHeadwordList(std::string_view text, std::size_t cap);

// What the found list was made by: a headword search or a find in the entries, with the text
// given and the state of the ITRANS box that read it.
enum class ListKind : unsigned char { kSearch, kFind };
struct CListSource {
  ListKind m_kind = ListKind::kSearch;
  std::string m_text;
  bool m_itrans = false;
  bool operator==(const CListSource&) const = default;
};

// One step: the list, the entry the entry pane shows (none for an empty pane or a message),
// and whether that entry is the list's selected row.
struct CHistoryStep {
  CListSource m_list;
  CHeadwordRef m_entry;
  bool m_selected = false;
  bool operator==(const CHistoryStep&) const = default;
};

// The steps and the headwords viewed. Recording a step equal to the current one does nothing;
// recording one after going back drops the steps ahead. A search run while typing is recorded
// only once the typing settles: RecordSettling keeps it aside, each later one takes its place,
// and Settle (or any other step, or Back and Forward) records the last.
class CHistory {
 public:
  static constexpr std::size_t kMaxSteps = 100;
  static constexpr std::size_t kMaxViewed = 20;

  void Record(const CHistoryStep& step);
  void RecordSettling(const CHistoryStep& step);
  void Settle();

  bool CanGoBack() const;
  bool CanGoForward() const;
  // The step to show now, or null at that end (where nothing moves).
  const CHistoryStep* Back();
  const CHistoryStep* Forward();
  // The step shown last, the one waiting to settle included; null before the first.
  const CHistoryStep* Current() const;
  // Forgets the steps (another dictionary is open); the headwords viewed are the caller's.
  void ClearSteps();

  // The headwords whose entries were chosen from a list, the latest first, each once.
  const std::vector<CHeadwordRef>& Viewed() const { return m_viewed; }
  void SetViewed(std::vector<CHeadwordRef> viewed);

 private:
  std::vector<CHistoryStep> m_steps;
  std::size_t m_at = 0;  // the current step's index, when there are steps
  std::optional<CHistoryStep> m_settling;
  std::vector<CHeadwordRef> m_viewed;
};

// The headwords the user keeps, in the order added, each once.
class CFavourites {
 public:
  static constexpr std::size_t kMaxFavourites = 500;

  // False when `headword` is there already, is empty, or the list is full.
  bool Add(const CHeadwordRef& headword);
  bool Remove(const CHeadwordRef& headword);
  bool Holds(const CHeadwordRef& headword) const;
  bool Full() const { return m_items.size() >= kMaxFavourites; }
  const std::vector<CHeadwordRef>& Items() const { return m_items; }
  void SetItems(std::vector<CHeadwordRef> items);

 private:
  std::vector<CHeadwordRef> m_items;
};

}  // namespace kv
