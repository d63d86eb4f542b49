#pragma once

#include <QString>

namespace kv {

// Puts `text` on the system clipboard as plain text, replacing what it held.
void CopyTextToClipboard(const QString& text);

}  // namespace kv
