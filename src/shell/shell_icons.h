#pragma once

#include <QIcon>

namespace kv {

// The program icon (128): an open book with the Devanagari letter va, at each size the icon
// theme installs. The window icon of every window, also shown in the About box.
QIcon ProgramIcon();
// The document icon (129): a page with lines of text.
QIcon DocumentIcon();

}  // namespace kv
