#pragma once

#include <QString>
#include <string_view>

namespace kv {

// Puts `text` on the system clipboard as plain text, replacing what it held.
void CopyTextToClipboard(const QString& text);

// Puts a byte string of the Windows-1252 code page (entry text) on the clipboard as plain
// text, read into Unicode first.
void CopyBytesToClipboard(std::string_view bytes);

}  // namespace kv
