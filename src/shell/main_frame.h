#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "dictionary/dictionary_locations.h"
#include "platform/font.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMdiArea;
class QPlainTextEdit;
class QToolBar;

namespace kv {

class CHoverButton;
class CShabdaApp;

// The two rows of the search bar.
struct CSearchBar {
  QToolBar* m_firstRow = nullptr;
  QToolBar* m_secondRow = nullptr;
};

// The top-level window: the document area under a two-row search bar, with the Edit,
// Window and Help menus. It opens the application's dictionary as it is created and answers
// the bar. The bar's controls are its children and live as long as it does.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(CShabdaApp& app);
  ~CMainFrame() override;

  // Builds the search bar, the search-text font and the menus, opens the data files
  // (telling the user of each one that is missing) and dresses the buttons.
  bool Create();
  QMdiArea* MdiArea() const { return m_mdiArea; }

  QCheckBox* ItransCheck() const { return m_itransCheck; }
  QComboBox* FontSizeBox() const { return m_fontSizeBox; }
  QComboBox* DisplayStyleBox() const { return m_displayStyleBox; }
  QPlainTextEdit* SearchTextEdit() const { return m_searchTextEdit; }
  CHoverButton* SearchButton() const { return m_searchButton; }
  QLabel* StatusLine() const { return m_statusLine; }
  CHoverButton* CopyButton() const { return m_copyButton; }
  const CFont& SearchTextFont() const { return m_searchTextFont; }

  // The handlers of the bar and the menus.
  void OnFontSizeCloseUp();
  void OnDisplayStyleCloseUp();
  void OnSearch();
  void OnSearchTextChange();
  void OnEditCopy();
  void OnHelp();
  void OnFileSave();
  // Moves the focus to the next (F6) or previous (Shift+F6) pane of the document window.
  void OnNextPane(bool forward);
  // Tells the user of each file of the dictionary that did not open ("Error" boxes).
  void ReportMissingFiles();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateSearchBar(bool largeFonts);
  void CreateMenus();
  void OpenDataFiles();
  // The search edit's text as the bytes the search reads.
  std::string SearchTextBytes() const;

  CShabdaApp& m_app;
  QMdiArea* m_mdiArea;
  CSearchBar m_searchBar;
  QCheckBox* m_itransCheck = nullptr;
  QComboBox* m_fontSizeBox = nullptr;
  QComboBox* m_displayStyleBox = nullptr;
  QPlainTextEdit* m_searchTextEdit = nullptr;
  CHoverButton* m_searchButton = nullptr;
  QLabel* m_spacer1 = nullptr;
  QLabel* m_spacer2 = nullptr;
  QLabel* m_statusLine = nullptr;
  CHoverButton* m_copyButton = nullptr;
  CFont m_searchTextFont;
};

// The dictionaries the program finds, in the order it looks for them.
std::vector<DictionaryFolder> ProgramDictionaries();

// Where a data file is looked for: the current directory first, then the program's own.
// Gives the bare name when neither holds it, so that messages name the file as asked.
QString LocateDataFile(const QString& name);

}  // namespace kv
