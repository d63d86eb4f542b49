#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "dictionary/browse_history.h"
#include "dictionary/dictionary.h"
#include "dictionary/entry_find.h"
#include "display/found_view.h"
#include "display/shabda_view.h"

class QWidget;

namespace kv {

class CChildFrame;
class CMainFrame;
class CShabdaDoc;

// Where the program keeps the settings of its window framework: the recent-file list and
// the "Settings" values.
inline constexpr char kSettingsOrganization[] = "Local AppWizard-Generated Applications";
inline constexpr char kSettingsApplication[] = "KVANI";
inline constexpr int kRecentFileCount = 4;

// Asks the user where to save the document; an empty result cancels. Tests replace it.
using SaveFileAsker = std::function<QString(QWidget* parent)>;

// The application: owns the dictionary, starts the program (settings, document, main frame,
// document window with its two panes, wired to each other), and carries the About box and the
// commands that no menu offers.
class CShabdaApp {
 public:
  CShabdaApp();
  ~CShabdaApp();
  CShabdaApp(const CShabdaApp&) = delete;
  CShabdaApp& operator=(const CShabdaApp&) = delete;

  // Starts the program; false when it cannot run. Needs a QApplication.
  bool InitInstance();
  // Writes the settings back; called once the event loop has ended.
  void ExitInstance();

  CDictionary& Dictionary() { return m_dictionary; }
  // Opens the dictionary in `folder` in place of the one open: the found list empties, the
  // entry pane clears, and the choice is remembered for the next start. Each file that does
  // not open is reported.
  void OpenDictionary(const std::string& folder);
  // Find in Entries: finds the words of `text` in the entries as if typed into the Find box
  // (the ITRANS box read as for a search), behind a wait cursor. The found list then lists
  // the headwords found, each entry chosen from it shows its matching words marked, and the
  // status line says how many entries matched; a query that is refused (nothing to find, too
  // long, not readable) or finds nothing leaves its message in the status line instead. Back
  // and Forward putting back the last find made list its rows again without reading the entries,
  // unless kvindx.txt or kvtot2.txt changed since.
  void FindInEntries(const QString& text);
  // History: every search and find run into the list is a step (a search run while typing once
  // the typing has settled), and so is every entry chosen from the list. Records the list just
  // made by `list`; `typed` for a search run while typing.
  void RecordList(const CListSource& list, bool typed);
  // Back and Forward: the step before or after the current one, shown as it was (the search
  // text and the ITRANS box, the list, its selection and the entry); nothing at either end.
  void GoBack();
  void GoForward();
  // Shows `headword` as a search for it (its letters in Harvard-Kyoto) with its row selected.
  // False, with a word in the status line, when the dictionary no longer holds it.
  bool ShowHeadword(const CHeadwordRef& headword);
  const CHistory& History() const { return m_history; }
  // The headword whose entry the entry pane shows; empty for none (or a message).
  const CHeadwordRef& ShownHeadword() const { return m_shownEntry; }
  // Favourites: the shown headword added (once) or removed; kept in the settings, per dictionary.
  const CFavourites& Favourites() const { return m_favourites; }
  void AddFavourite();
  void RemoveFavourite();
  // The headwords of `headwords` that the open dictionary still holds, each found again by the
  // headword search of its letters once while the dictionary's files are unchanged.
  std::vector<CHeadwordRef> HeldHeadwords(const std::vector<CHeadwordRef>& headwords);
  // The text of the last find, as given.
  const QString& FindText() const { return m_findText; }
  // The dictionary chosen last (as DictionaryIdentity gives it), empty when none was.
  const QString& RememberedDictionary() const { return m_rememberedDictionary; }
  CMainFrame* MainFrame() const { return m_mainFrame.get(); }
  CChildFrame* ChildFrame() const { return m_childFrame; }
  // The document window's panes; null while there is none.
  CFoundView* FoundView() const { return m_foundView; }
  CShabdaView* EntryView() const { return m_pEntryView; }
  const QStringList& RecentFiles() const { return m_recentFiles; }
  // The found-list pane's list and the entry pane, in F6 order.
  QList<QWidget*> Panes() const;

  // About KVANI...
  void OnAppAbout();
  // Saves the (empty) document under a name the user gives.
  void OnFileSave();
  void SetSaveFileAsker(SaveFileAsker asker) { m_askSaveFile = std::move(asker); }
  // A conversion check on a fixed sample: appends a row drawn from
  // "dradhratrathravrabrabhracrachra" to the found list; nothing when the list is full.
  void OnAppendSampleRow();
  // Puts the found list back to size 15, transliteration only.
  void OnResetListLook();

 private:
  void LoadSettings();
  void AddRecentFile(const QString& path);
  void CreateDocumentWindow();
  // The open dictionary's headwords viewed and favourites, from the settings; no steps.
  void LoadBrowsing();
  void SaveBrowsing();
  void Restore(const CHistoryStep* step);
  // A row of the list was chosen (not by Back or Forward): its entry is a step.
  void OnRowChosen();
  void UpdateBrowseActions();
  // The status line after a find of `query` that gave `result`.
  void ShowFindStatus(const CFindQuery& query, const CFindResult& result);

  CDictionary m_dictionary;
  // Finds in m_dictionary's entries; made afresh with each dictionary opened.
  std::unique_ptr<CEntryFinder> m_finder;
  QString m_findText;
  CHistory m_history;
  CFavourites m_favourites;
  CHeldHeadwords m_heldHeadwords;
  // What made the list shown, while one made by a search or a find is shown.
  std::optional<CListSource> m_shownList;
  CHeadwordRef m_shownEntry;
  // Back or Forward is putting a step back: nothing it does is a step of its own.
  bool m_restoring = false;
  // Records a search run while typing once no key has come for this long.
  QTimer m_settleTyping;
  // The list the last find made, listed again by Back and Forward without reading the entries
  // while the two files it was made from are unchanged.
  struct CFindSnapshot {
    CListSource m_source;
    CLineReader::CFileStamp m_indexStamp;
    CLineReader::CFileStamp m_textStamp;
    CFindResult m_result;
    std::unique_ptr<CFoundRows> m_rows;
  };
  std::optional<CFindSnapshot> m_lastFind;
  std::unique_ptr<CShabdaDoc> m_document;
  std::unique_ptr<CMainFrame> m_mainFrame;
  CChildFrame* m_childFrame = nullptr;
  QPointer<CFoundView> m_foundView;
  QPointer<CShabdaView> m_pEntryView;
  QStringList m_recentFiles;
  QString m_rememberedDictionary;
  int m_previewPages = 0;
  SaveFileAsker m_askSaveFile;
};

}  // namespace kv
