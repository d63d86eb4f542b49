#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <string>
#include <vector>

#include "dictionary/dictionary_locations.h"
#include "dictionary/headword_search.h"
#include "platform/font.h"
#include "shell/help_viewer.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMdiArea;
class QPlainTextEdit;
class QToolBar;

namespace kv {

class CFavouritesMenu;
class CHistoryMenu;
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
  // The caption: the program's title and the document's.
  void ShowDocumentTitle(const QString& title);
  // Sizes and places the window before it is first shown: as `savedGeometry` (from
  // saveGeometry()) says, or else wide enough for both rows of the search bar, within the
  // screen. It can never be made narrower than the search bar's controls need.
  void PlaceFirstWindow(const QByteArray& savedGeometry);
  // The width at which every control of both rows shows, the padding at the rows' ends left
  // out.
  int SearchBarMinimumWidth() const;

  QCheckBox* ItransCheck() const { return m_itransCheck; }
  QComboBox* FontSizeBox() const { return m_fontSizeBox; }
  QComboBox* DisplayStyleBox() const { return m_displayStyleBox; }
  QPlainTextEdit* SearchTextEdit() const { return m_searchTextEdit; }
  CHoverButton* SearchButton() const { return m_searchButton; }
  QLabel* StatusLine() const { return m_statusLine; }
  CHoverButton* CopyButton() const { return m_copyButton; }
  const CFont& SearchTextFont() const { return m_searchTextFont; }
  CHelpViewer* HelpViewer() const { return m_helpViewer; }
  // Search as you type: every accepted change of the search text runs the search.
  QAction* SearchAsYouTypeAction() const { return m_searchAsYouType; }
  // View > Loose Matching: every search also lists the loose matches, after the exact ones.
  QAction* LooseMatchingAction() const { return m_looseMatchingAction; }
  // View > Sanskrit in Devanagari: the entry pane shows its Sanskrit words in Devanagari.
  QAction* DevanagariEntriesAction() const { return m_devanagariEntriesAction; }

  CHistoryMenu* HistoryMenu() const { return m_historyMenu; }
  CFavouritesMenu* FavouritesMenu() const { return m_favouritesMenu; }
  // Puts `text` into the search edit, and the ITRANS box as `itrans`, without searching.
  void ShowSearchText(const QString& text, bool itrans);

  // The handlers of the bar and the menus.
  void OnFontSizeCloseUp();
  void OnDisplayStyleCloseUp();
  void OnSearch();
  void OnSearchTextChange();
  void OnDevanagariEntries(bool devanagari);
  void OnEditCopy();
  // Edit > Find in Entries: asks for the words in an input box, then finds them
  // (CShabdaApp::FindInEntries).
  void OnFindInEntries();
  // Shows `text` in the status line, `detail` (if any) below it in its tooltip. The line
  // widens for a longer text, up to kStatusLineMaxWidth, past which the text is cut short.
  void ShowStatus(const QString& text, const QString& detail);
  void OnHelp();
  void OnFileSave();
  // Moves the focus to the next (F6) or previous (Shift+F6) pane of the document window.
  void OnNextPane(bool forward);
  // Tells the user of each file of the dictionary that did not open ("Error" boxes).
  void ReportMissingFiles();
  // Zoom: moves the font-size choice `steps` places up (or down), within the list; the
  // choice then takes effect as if chosen in the box.
  void StepFontSize(int steps);
  // Back to the start size, 15.
  void ResetFontSize();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateSearchBar(bool largeFonts);
  void CreateMenus();
  void OpenDataFiles();
  // The search edit's whole text in UTF-8, as the check and the search read it.
  std::string SearchText() const;
  // Shows the check's status, and how the text reads in the status line's tooltip.
  void ShowTextCheck(const SearchTextCheck& check);
  // Runs the search; with `askForText` an empty key asks for text in a box, otherwise it is
  // passed over in silence (a search run while typing).
  void RunSearch(bool askForText);
  void OnTypedSearch();
  bool HandleZoomWheel(QObject* watched, QEvent* event);
  // The mouse's back and forward buttons anywhere in this window: Back and Forward.
  bool HandleHistoryButtons(QObject* watched, QEvent* event);

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
  QAction* m_looseMatchingAction = nullptr;
  QAction* m_devanagariEntriesAction = nullptr;
  CFont m_searchTextFont;
  QAction* m_searchAsYouType = nullptr;
  // Runs the search of a typed change once the keys already waiting have been taken.
  QTimer m_typedSearch;
  // Wheel turns toward the next zoom step (a step is 120, a notch of a common wheel).
  int m_zoomWheel = 0;
  QPointer<CHelpViewer> m_helpViewer;
  CHistoryMenu* m_historyMenu = nullptr;
  CFavouritesMenu* m_favouritesMenu = nullptr;
};

// The dictionaries the program finds, in the order it looks for them.
std::vector<DictionaryFolder> ProgramDictionaries();

// Where a data file is looked for: the current directory first, then the program's own.
// Gives the bare name when neither holds it, so that messages name the file as asked.
QString LocateDataFile(const QString& name);

}  // namespace kv
