#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/dictionary.h"
#include "dictionary/found_rows.h"
#include "dictionary/headword_search.h"
#include "test_files.h"

namespace kv::test {

// A dictionary that the test writes into a directory of its own, searched and read as the
// program does it; the readers' warnings are kept in m_warnings.
class CDictionaryTest : public testing::Test {
 protected:
  CDictionaryTest() {
    m_dictionary.SetWarningHandler([this](const char* text) { m_warnings.emplace_back(text); });
  }

  void Write(const SFiles& files) {
    WriteFiles(m_dir, files);
    m_dictionary.Open(m_dir.Path().string());
  }
  void Write(const std::vector<SHeadword>& words) { Write(LayOut(words)); }

  SearchOutcome Search(const char* text, bool itrans = false, bool alwaysLoose = false) {
    return RunHeadwordSearch({text, itrans, alwaysLoose}, m_dictionary.ListReader(),
                             m_dictionary.IndexReader(), *m_rows, m_found, m_entry.get());
  }
  std::string EntryAt(long long offset) {
    RetrieveEntry(offset, m_dictionary.TextReader(), m_entry.get());
    return m_entry.get();
  }
  // Each listed row as its transliteration string and the entry that selecting it shows.
  std::vector<std::pair<std::string, std::string>> Rows() {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int r = 0; r < m_found.ItemCount(); ++r) {
      rows.emplace_back(m_rows->m_translitRows[r], EntryAt(m_rows->m_entryOffsets[r]));
    }
    return rows;
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (const auto& row : Rows()) entries.push_back(row.second);
    return entries;
  }
  // Reads dictionaries and what searching them shows from tests/data/<name>: rows
  // "kvlist.txt | kvindx.txt | kvtot2.txt = KEY: ENTRY / ENTRY // KEY: ...", a file given as
  // <missing> or <folder> when it is one, an empty entry as "-", a search that finds nothing
  // as "no match", one that lists only loose hits with "~ " before them, one that misses a
  // file as its message, a text that cannot be read as "refused"; a KEY "itrans TEXT" is
  // ITRANS, a KEY "loose TEXT" lists loose hits on every search, a KEY "@OFFSET" shows the
  // entry read at that offset instead.
  void ExpectSearches(const std::string& name);

  CTempDir m_dir;
  CDictionary m_dictionary;
  std::unique_ptr<CFoundRows> m_rows = std::make_unique<CFoundRows>();
  std::unique_ptr<char[]> m_entry = std::make_unique<char[]>(kEntryTextBytes);
  CPlainFoundList m_found;
  std::vector<std::string> m_warnings;
};

}  // namespace kv::test
