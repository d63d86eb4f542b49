#include "dictionary/browse_history.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "dictionary/headword_search.h"
#include "dictionary/letter_tables.h"
#include "dictionary/script_input.h"

namespace kv {
namespace {

// Puts `headword` first in `list`, taking out an earlier copy, and cuts the list to `cap`.
void MoveToFront(std::vector<CHeadwordRef>& list, const CHeadwordRef& headword, std::size_t cap) {
  std::erase(list, headword);
  list.insert(list.begin(), headword);
  if (list.size() > cap) list.resize(cap);
}

// `list` without empty or repeated headwords, at most `cap` of them, in the order given.
std::vector<CHeadwordRef> Distinct(std::vector<CHeadwordRef> list, std::size_t cap) {
  std::vector<CHeadwordRef> kept;
  for (CHeadwordRef& headword : list) {
    if (kept.size() == cap) break;
    if (!headword.Empty() && std::find(kept.begin(), kept.end(), headword) == kept.end()) {
      kept.push_back(std::move(headword));
    }
  }
  return kept;
}

// Letters a row can hold: printable ASCII and the high bytes, never a control byte.
bool AreRowLetters(std::string_view letters) {
  return !letters.empty() && letters.size() < static_cast<std::size_t>(kRowBytes) &&
         std::none_of(letters.begin(), letters.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

}  // namespace

CHeadwordRef RowHeadword(const CFoundRows& rows, int row) {
  return {rows.m_letterRows[row], rows.m_entryOffsets[row]};
}

int FindHeadwordRow(const CFoundRows& rows, int count, const CHeadwordRef& headword) {
  int sameLetters = -1;
  for (int row = 0; row < count; ++row) {
    if (headword.m_letters != rows.m_letterRows[row]) continue;
    if (rows.m_entryOffsets[row] == headword.m_entryOffset) return row;
    if (sameLetters < 0) sameLetters = row;
  }
  return sameLetters;
}

std::string HeadwordSearchText(const CHeadwordRef& headword) {
  std::string text;
  for (char c : headword.m_letters) {
    if (!IsMatchIgnoredByte(static_cast<unsigned char>(c))) text += c;
  }
  return text;
}

int ListHeadword(const CHeadwordRef& headword, CDictionary& dictionary, CFoundRows& rows,
                 IFoundList& list, char* entryText) {
  const std::string text = HeadwordSearchText(headword);
  SearchInput input{text.c_str(), false};
  input.scheme = Scheme::kHk;
  input.exactOnly = true;
  if (RunHeadwordSearch(input, dictionary.ListReader(), dictionary.IndexReader(), rows, list,
                        entryText) != SearchOutcome::kFound) {
    return -1;
  }
  return FindHeadwordRow(rows, list.ItemCount(), headword);
}

std::vector<CHeadwordRef> CHeldHeadwords::Held(const std::vector<CHeadwordRef>& headwords,
                                               CDictionary& dictionary) {
  const CLineReader::CFileStamp listStamp = dictionary.ListReader().Stamp();
  const CLineReader::CFileStamp indexStamp = dictionary.IndexReader().Stamp();
  if (listStamp != m_listStamp || indexStamp != m_indexStamp) {
    m_found.clear();
    m_listStamp = listStamp;
    m_indexStamp = indexStamp;
  }
  const auto rows = std::make_unique<CFoundRows>();
  const auto message = std::make_unique<char[]>(kEntryTextBytes);
  CPlainFoundList list;
  std::vector<CHeadwordRef> held;
  for (const CHeadwordRef& headword : headwords) {
    const bool known = std::find(m_found.begin(), m_found.end(), headword) != m_found.end();
    if (!known && ListHeadword(headword, dictionary, *rows, list, message.get()) < 0) continue;
    if (!known) m_found.push_back(headword);
    held.push_back(headword);
  }
  return held;
}

std::string HeadwordListText(const std::vector<CHeadwordRef>& headwords) {
  std::string text;
  for (const CHeadwordRef& headword : headwords) {
    text += std::to_string(headword.m_entryOffset) + ' ' + headword.m_letters + '\n';
  }
  return text;
}

std::vector<CHeadwordRef> ReadHeadwordList(std::string_view text, std::size_t cap) {
  std::vector<CHeadwordRef> headwords;
  while (!text.empty() && headwords.size() < cap) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) continue;
    // An offset the record no longer matches is only a hint; one that is no number at all
    // means the line is not one of ours.
    const std::string_view offset = line.substr(0, space);
    const int entryOffset = offset == "-1" ? -1 : ReadEntryOffset(offset);
    const std::string_view letters = line.substr(space + 1);
    if ((entryOffset < 0 && offset != "-1") || !AreRowLetters(letters)) continue;
    headwords.push_back({std::string(letters), entryOffset});
  }
  return headwords;
}

void CHistory::Record(const CHistoryStep& step) {
  Settle();
  if (const CHistoryStep* current = Current(); current != nullptr && *current == step) return;
  if (!m_steps.empty()) m_steps.resize(m_at + 1);
  m_steps.push_back(step);
  if (m_steps.size() > kMaxSteps) m_steps.erase(m_steps.begin());
  m_at = m_steps.size() - 1;
  if (step.m_selected && !step.m_entry.Empty()) MoveToFront(m_viewed, step.m_entry, kMaxViewed);
}

void CHistory::RecordSettling(const CHistoryStep& step) { m_settling = step; }

void CHistory::Settle() {
  if (!m_settling) return;
  const CHistoryStep step = std::move(*m_settling);
  m_settling.reset();
  Record(step);
}

bool CHistory::CanGoBack() const {
  if (m_settling && !m_steps.empty() && *m_settling != m_steps[m_at]) return true;
  return !m_steps.empty() && m_at > 0;
}

bool CHistory::CanGoForward() const {
  if (m_settling && !m_steps.empty() && *m_settling != m_steps[m_at]) return false;
  return !m_steps.empty() && m_at + 1 < m_steps.size();
}

const CHistoryStep* CHistory::Back() {
  Settle();
  if (m_steps.empty() || m_at == 0) return nullptr;
  return &m_steps[--m_at];
}

const CHistoryStep* CHistory::Forward() {
  Settle();
  if (m_steps.empty() || m_at + 1 >= m_steps.size()) return nullptr;
  return &m_steps[++m_at];
}

const CHistoryStep* CHistory::Current() const {
  if (m_settling) return &*m_settling;
  return m_steps.empty() ? nullptr : &m_steps[m_at];
}

void CHistory::ClearSteps() {
  m_steps.clear();
  m_at = 0;
  m_settling.reset();
}

void CHistory::SetViewed(std::vector<CHeadwordRef> viewed) {
  m_viewed = Distinct(std::move(viewed), kMaxViewed);
}

bool CFavourites::Add(const CHeadwordRef& headword) {
  if (headword.Empty() || Full() || Holds(headword)) return false;
  m_items.push_back(headword);
  return true;
}

bool CFavourites::Remove(const CHeadwordRef& headword) { return std::erase(m_items, headword) > 0; }

bool CFavourites::Holds(const CHeadwordRef& headword) const {
  return std::find(m_items.begin(), m_items.end(), headword) != m_items.end();
}

void CFavourites::SetItems(std::vector<CHeadwordRef> items) {
  m_items = Distinct(std::move(items), kMaxFavourites);
}

}  // namespace kv
