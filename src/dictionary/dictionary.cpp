#include "dictionary/dictionary.h"

namespace kv {

bool CDictionary::Open(const std::string& folder) {
  const std::string prefix = folder + "/";
  return OpenFiles(prefix + kListFileName, prefix + kIndexFileName, prefix + kTextFileName);
}

bool CDictionary::OpenFiles(const std::string& listPath, const std::string& indexPath,
                            const std::string& textPath) {
  const bool list = m_listReader.Open(listPath.c_str());
  const bool index = m_indexReader.Open(indexPath.c_str());
  const bool text = m_textReader.Open(textPath.c_str());
  return list && index && text;
}

std::vector<std::string> CDictionary::MissingFiles() const {
  std::vector<std::string> missing;
  for (const CLineReader* reader : {&m_listReader, &m_indexReader, &m_textReader}) {
    if (!reader->IsOpen()) missing.push_back(reader->FileName());
  }
  return missing;
}

bool CDictionary::HoldsFile(const std::string& path) const {
  for (const CLineReader* reader : {&m_listReader, &m_indexReader, &m_textReader}) {
    if (reader->IsFile(path.c_str())) return true;
  }
  return false;
}

void CDictionary::SetWarningHandler(const ReaderWarningHandler& handler) {
  for (CLineReader* reader : {&m_listReader, &m_indexReader, &m_textReader}) {
    reader->SetWarningHandler(handler);
  }
}

}  // namespace kv
