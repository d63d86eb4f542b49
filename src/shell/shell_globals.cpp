#include "shell/shell_globals.h"

namespace kv {

CLineReader g_indexReader(kReaderBufferBytes);
CLineReader g_textReader(kReaderBufferBytes);
CLineReader g_listReader(kReaderBufferBytes);

CSearchBar g_searchBar;
QCheckBox* g_itransCheck = nullptr;
QComboBox* g_fontSizeBox = nullptr;
QComboBox* g_displayStyleBox = nullptr;
QPlainTextEdit* g_searchTextEdit = nullptr;
CHoverButton* g_searchButton = nullptr;
QLabel* g_spacer1 = nullptr;
QLabel* g_spacer2 = nullptr;
QLabel* g_statusLine = nullptr;
CHoverButton* g_copyButton = nullptr;
CFont g_searchTextFont;

}  // namespace kv
