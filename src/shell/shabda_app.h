#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace kv {

class CChildFrame;
class CMainFrame;
class CShabdaDoc;
class CShabdaView;

// Where the program keeps the settings of its window framework: the recent-file list and
// the "Settings" values.
inline constexpr char kSettingsOrganization[] = "Local AppWizard-Generated Applications";
inline constexpr char kSettingsApplication[] = "KVANI";
inline constexpr int kRecentFileCount = 4;

// Asks the user where to save the document; an empty result cancels. Tests replace it.
using SaveFileAsker = std::function<QString(QWidget* parent)>;

// The application: starts the program (settings, document, main frame, document window),
// carries the About box and the commands that no menu offers, and holds the one pointer
// through which everything reaches the entry pane.
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

  // The entry pane, set by the pane itself when it is made.
  CShabdaView* m_pEntryView = nullptr;

  CMainFrame* MainFrame() const { return m_mainFrame.get(); }
  CChildFrame* ChildFrame() const { return m_childFrame; }
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

  std::unique_ptr<CShabdaDoc> m_document;
  std::unique_ptr<CMainFrame> m_mainFrame;
  CChildFrame* m_childFrame = nullptr;
  QStringList m_recentFiles;
  int m_previewPages = 0;
  SaveFileAsker m_askSaveFile;
};

// The one application object.
extern CShabdaApp g_app;

}  // namespace kv
