#pragma once

#include <QMainWindow>

class QMdiArea;

namespace kv {

class CShabdaApp;

// The top-level window: the document area under a two-row search bar, with the Edit,
// Window and Help menus. It opens the data files as it is created and answers the bar.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(CShabdaApp& app);
  ~CMainFrame() override;

  // Builds the search bar, the search-text font and the menus, opens the data files
  // (telling the user of each one that is missing) and dresses the buttons.
  bool Create();
  QMdiArea* MdiArea() const { return m_mdiArea; }

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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateSearchBar(bool largeFonts);
  void CreateMenus();
  void OpenDataFiles();

  CShabdaApp& m_app;
  QMdiArea* m_mdiArea;
};

// Where a data file is looked for: the current directory first, then the program's own.
// Gives the bare name when neither holds it, so that messages name the file as asked.
QString LocateDataFile(const QString& name);

}  // namespace kv
