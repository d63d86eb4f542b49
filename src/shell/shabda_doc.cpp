#include "shell/shabda_doc.h"

#include <QFile>

namespace kv {

bool CShabdaDoc::SaveTo(const QString& path, QString* error) const {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace kv
