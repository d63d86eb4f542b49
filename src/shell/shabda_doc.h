#pragma once

#include <QString>

namespace kv {

// The program's one document. The dictionary is not part of it: it holds nothing, and
// saving it writes an empty file.
class CShabdaDoc {
 public:
  const QString& Title() const { return m_title; }
  // Writes the (empty) document to `path`; false with the reason in `error` on failure.
  bool SaveTo(const QString& path, QString* error) const;

 private:
  QString m_title = QStringLiteral("Untitled");
};

}  // namespace kv
