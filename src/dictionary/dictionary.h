#pragma once

#include <string>
#include <vector>

#include "dictionary/line_reader.h"

namespace kv {

// The three data files, by the bare names the program opens.
inline constexpr const char* kListFileName = "kvlist.txt";
inline constexpr const char* kIndexFileName = "kvindx.txt";
inline constexpr const char* kTextFileName = "kvtot2.txt";
// The three files that make a folder a dictionary, in the order the program opens them.
inline constexpr const char* kDictionaryFileNames[] = {kListFileName, kIndexFileName,
                                                       kTextFileName};

// A dictionary: the readers over its bucket list, its index and its entries. The readers
// stay open until the dictionary is opened again or destroyed; one that did not open reads
// as an empty file.
class CDictionary {
 public:
  // Capacity of each reader's buffer.
  static constexpr int kReaderBufferBytes = 2048;

  // Opens the three files of `folder` ("<folder>/kvlist.txt", ...), closing what was open
  // before. True when all three opened.
  bool Open(const std::string& folder);
  // The same with a path of its own for each file.
  bool OpenFiles(const std::string& listPath, const std::string& indexPath,
                 const std::string& textPath);
  // The bare names of the files that did not open, in the order list, index, entries.
  std::vector<std::string> MissingFiles() const;
  // True when `path` names one of the files open now (by whatever name or link), which
  // nothing may write over while they are read.
  bool HoldsFile(const std::string& path) const;
  // Sends the over-long-line warnings of all three readers to `handler`.
  void SetWarningHandler(const ReaderWarningHandler& handler);

  CLineReader& ListReader() { return m_listReader; }
  CLineReader& IndexReader() { return m_indexReader; }
  CLineReader& TextReader() { return m_textReader; }

 private:
  CLineReader m_listReader{kReaderBufferBytes};
  CLineReader m_indexReader{kReaderBufferBytes};
  CLineReader m_textReader{kReaderBufferBytes};
};

}  // namespace kv
