#pragma once

#include "dictionary/line_reader.h"
#include "platform/font.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QToolBar;

namespace kv {

class CHoverButton;

// Capacity of each data-file reader's buffer.
inline constexpr int kReaderBufferBytes = 2048;

// The readers over "kvindx.txt", "kvtot2.txt" and "kvlist.txt": opened once by the main
// frame and kept open until exit.
extern CLineReader g_indexReader;
extern CLineReader g_textReader;
extern CLineReader g_listReader;

// The search bar and its controls; the main frame creates them and they live as long as it.
struct CSearchBar {
  QToolBar* m_firstRow = nullptr;
  QToolBar* m_secondRow = nullptr;
};
extern CSearchBar g_searchBar;
extern QCheckBox* g_itransCheck;
extern QComboBox* g_fontSizeBox;
extern QComboBox* g_displayStyleBox;
extern QPlainTextEdit* g_searchTextEdit;
extern CHoverButton* g_searchButton;
extern QLabel* g_spacer1;
extern QLabel* g_spacer2;
extern QLabel* g_statusLine;
extern CHoverButton* g_copyButton;
extern CFont g_searchTextFont;

}  // namespace kv
