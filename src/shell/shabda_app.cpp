#include "shell/shabda_app.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QMdiArea>
#include <QSettings>
#include <QUrl>
#include <cstring>

#include "dictionary/dictionary_locations.h"
#include "dictionary/found_rows.h"
#include "display/found_list_box.h"
#include "platform/message_box.h"
#include "shell/about_box.h"
#include "shell/child_frame.h"
#include "shell/history_menu.h"
#include "shell/main_frame.h"
#include "shell/shabda_doc.h"
#include "shell/shell_icons.h"

namespace kv {
namespace {

constexpr char kRecentFileSection[] = "Recent File List";
constexpr char kSettingsSection[] = "Settings";
// The program's own values in the settings section.
constexpr char kSearchAsYouTypeKey[] = "Settings/SearchAsYouType";
constexpr char kWindowPlacementKey[] = "Settings/WindowPlacement";
constexpr char kLooseMatchingKey[] = "Settings/LooseMatching";
constexpr char kDevanagariEntriesKey[] = "Settings/SanskritInDevanagari";
constexpr char kSampleIndexText[] = "dradhratrathravrabrabhracrachra";
constexpr int kResetListSize = 15;
// A search run while typing becomes a step once no key has come for this long.
constexpr int kTypingSettledMs = 1000;

QSettings ProgramSettings() {
  return QSettings(QString::fromLatin1(kSettingsOrganization),
                   QString::fromLatin1(kSettingsApplication));
}

QString RecentFileKey(int i) { return QStringLiteral("File%1").arg(i + 1); }

QString DictionaryKey() { return QStringLiteral("%1/Dictionary").arg(kSettingsSection); }

// Where the headwords viewed ("Viewed") and the favourites ("Favourites") of the dictionary in
// `folder` are kept: one value per dictionary, named by its identity.
QString BrowsingKey(const char* section, const std::string& folder) {
  const std::string identity = folder.empty() ? std::string("files") : DictionaryIdentity(folder);
  return QStringLiteral("%1/%2").arg(
      QString::fromLatin1(section),
      QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(identity))));
}

constexpr char kViewedSection[] = "Viewed";
constexpr char kFavouritesSection[] = "Favourites";

}  // namespace

CShabdaApp::CShabdaApp()
    : m_finder(std::make_unique<CEntryFinder>()),
      m_askSaveFile([](QWidget* parent) { return QFileDialog::getSaveFileName(parent); }) {
  m_settleTyping.setSingleShot(true);
  m_settleTyping.setInterval(kTypingSettledMs);
  QObject::connect(&m_settleTyping, &QTimer::timeout, [this] {
    m_history.Settle();
    UpdateBrowseActions();
  });
}

CShabdaApp::~CShabdaApp() = default;

bool CShabdaApp::InitInstance() {
  m_dictionary.SetWarningHandler(ShowReaderWarning);
  // The title bar, the task bar and Alt+Tab show this for the main window and every dialog.
  QApplication::setWindowIcon(ProgramIcon());
  LoadSettings();
  m_document = std::make_unique<CShabdaDoc>();
  m_mainFrame = std::make_unique<CMainFrame>(*this);
  if (!m_mainFrame->Create()) return false;
  const QSettings settings = ProgramSettings();
  m_mainFrame->SearchAsYouTypeAction()->setChecked(
      settings.value(QString::fromLatin1(kSearchAsYouTypeKey), false).toBool());
  m_mainFrame->LooseMatchingAction()->setChecked(
      settings.value(QString::fromLatin1(kLooseMatchingKey), false).toBool());
  m_mainFrame->PlaceFirstWindow(
      settings.value(QString::fromLatin1(kWindowPlacementKey)).toByteArray());
  CreateDocumentWindow();
  LoadBrowsing();
  // Its action shows the entry pane's Sanskrit as the last run left it.
  m_mainFrame->DevanagariEntriesAction()->setChecked(
      settings.value(QString::fromLatin1(kDevanagariEntriesKey), false).toBool());
  m_mainFrame->show();
  return true;
}

void CShabdaApp::CreateDocumentWindow() {
  auto* foundView = new CFoundView(m_dictionary);
  auto* entryView = new CShabdaView;
  m_childFrame = new CChildFrame(foundView, entryView, m_document->Title());
  m_mainFrame->ShowDocumentTitle(m_document->Title());
  const CFoundListModel* list = &foundView->Model();
  QObject::connect(list, &CFoundListModel::EntryRetrieved, entryView, &CShabdaView::ShowNewEntry);
  QObject::connect(list, &CFoundListModel::EntryTextChanged, entryView, &CShabdaView::ShowText);
  QObject::connect(list, &CFoundListModel::EntryMarked, entryView, &CShabdaView::MarkMatches);
  // A message in the entry pane (or none) stands where an entry stood.
  QObject::connect(list, &CFoundListModel::EntryTextChanged, [this] {
    m_shownEntry = {};
    UpdateBrowseActions();
  });
  // After the view's own handler has read the row's entry.
  QObject::connect(foundView->List()->selectionModel(), &QItemSelectionModel::selectionChanged,
                   [this] { OnRowChosen(); });
  m_foundView = foundView;
  m_pEntryView = entryView;
  m_mainFrame->MdiArea()->addSubWindow(m_childFrame);
  m_childFrame->show();
  m_childFrame->PostMaximize();
}

void CShabdaApp::ExitInstance() {
  if (!m_mainFrame) return;
  QSettings settings = ProgramSettings();
  settings.beginGroup(QString::fromLatin1(kRecentFileSection));
  settings.remove(QString());
  for (int i = 0; i < m_recentFiles.size(); ++i)
    settings.setValue(RecentFileKey(i), m_recentFiles[i]);
  settings.endGroup();
  settings.setValue(QStringLiteral("%1/PreviewPages").arg(kSettingsSection), m_previewPages);
  settings.setValue(QString::fromLatin1(kSearchAsYouTypeKey),
                    m_mainFrame->SearchAsYouTypeAction()->isChecked());
  settings.setValue(QString::fromLatin1(kLooseMatchingKey),
                    m_mainFrame->LooseMatchingAction()->isChecked());
  settings.setValue(QString::fromLatin1(kDevanagariEntriesKey),
                    m_mainFrame->DevanagariEntriesAction()->isChecked());
  settings.setValue(QString::fromLatin1(kWindowPlacementKey), m_mainFrame->saveGeometry());
  settings.sync();
  m_settleTyping.stop();
  m_childFrame = nullptr;
  m_mainFrame.reset();
  m_document.reset();
}

void CShabdaApp::LoadSettings() {
  QSettings settings = ProgramSettings();
  m_recentFiles.clear();
  for (int i = 0; i < kRecentFileCount; ++i) {
    QString file = settings.value(QStringLiteral("%1/%2").arg(kRecentFileSection, RecentFileKey(i)))
                       .toString();
    if (!file.isEmpty()) m_recentFiles.append(file);
  }
  m_previewPages =
      settings.value(QStringLiteral("%1/PreviewPages").arg(kSettingsSection), 0).toInt();
  m_rememberedDictionary = settings.value(DictionaryKey()).toString();
}

void CShabdaApp::OpenDictionary(const std::string& folder) {
  m_dictionary.Open(folder);
  m_finder = std::make_unique<CEntryFinder>();
  if (m_foundView) m_foundView->Model().DeleteAllRows();
  if (m_pEntryView) m_pEntryView->ShowNewEntry("");
  m_shownList.reset();
  m_shownEntry = {};
  m_lastFind.reset();
  m_rememberedDictionary = QFile::decodeName(DictionaryIdentity(folder).c_str());
  ProgramSettings().setValue(DictionaryKey(), m_rememberedDictionary);
  LoadBrowsing();
  if (m_mainFrame) m_mainFrame->ReportMissingFiles();
}

void CShabdaApp::FindInEntries(const QString& text) {
  if (!m_mainFrame || !m_foundView) return;
  m_findText = text;
  const QByteArray utf8 = text.toUtf8();
  const CFindQuery query =
      CFindQuery::Parse(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                        m_mainFrame->ItransCheck()->isChecked());
  if (!query.Ok()) {
    m_mainFrame->ShowStatus(QString::fromStdString(query.Message()),
                            QStringLiteral("Nothing was searched for."));
    return;
  }
  const CListSource source{ListKind::kFind, utf8.toStdString(),
                           m_mainFrame->ItransCheck()->isChecked()};
  CFoundListModel& model = m_foundView->Model();
  const CLineReader::CFileStamp indexStamp = m_dictionary.IndexReader().Stamp();
  const CLineReader::CFileStamp textStamp = m_dictionary.TextReader().Stamp();
  CFindResult result;
  if (m_restoring && m_lastFind && m_lastFind->m_source == source &&
      m_lastFind->m_indexStamp == indexStamp && m_lastFind->m_textStamp == textStamp) {
    result = m_lastFind->m_result;
    model.ShowFoundRows(*m_lastFind->m_rows, result.m_rowCount, query);
  } else {
    // The scan holds the event loop for a few tens of milliseconds on a large dictionary.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    result = model.Find(query, *m_finder, m_dictionary);
    QGuiApplication::restoreOverrideCursor();
    m_lastFind.reset();
    if (result.m_outcome == FindOutcome::kFound) {
      m_lastFind = CFindSnapshot{source, indexStamp, textStamp, result,
                                 std::make_unique<CFoundRows>(model)};
    }
  }
  RecordList(source, false);
  ShowFindStatus(query, result);
}

void CShabdaApp::ShowFindStatus(const CFindQuery& query, const CFindResult& result) {
  if (result.m_outcome != FindOutcome::kFound) {
    m_mainFrame->ShowStatus(QString::fromStdString(result.m_message), {});
    return;
  }
  const QString matched = result.m_entryCount == 1
                              ? QStringLiteral("1 entry matched")
                              : QStringLiteral("%1 entries matched").arg(result.m_entryCount);
  QString words;
  for (const CFindWord& word : query.Words()) {
    words +=
        (words.isEmpty() ? QString() : QStringLiteral(" ")) + QString::fromStdString(word.m_text);
  }
  QString detail = QStringLiteral("Found in the entries: %1").arg(words);
  if (result.m_rowCount >= kMaxHits) {
    detail += QStringLiteral("\nThe list shows the best %1 headwords.").arg(kMaxHits);
  }
  m_mainFrame->ShowStatus(matched, detail);
}

void CShabdaApp::RecordList(const CListSource& list, bool typed) {
  m_shownList = list;
  if (m_restoring) return;
  const CHistoryStep step{list, m_shownEntry, false};
  if (typed) {
    m_history.RecordSettling(step);
    m_settleTyping.start();
  } else {
    m_history.Record(step);
  }
  UpdateBrowseActions();
}

void CShabdaApp::OnRowChosen() {
  const int row = m_foundView ? m_foundView->GetCurSel() : -1;
  if (m_restoring || row < 0) return;
  m_shownEntry = RowHeadword(m_foundView->Model(), row);
  // Rows that no search made (OnAppendSampleRow) are no step to come back to.
  if (m_shownList) {
    m_history.Record({*m_shownList, m_shownEntry, true});
    SaveBrowsing();
  }
  UpdateBrowseActions();
}

void CShabdaApp::GoBack() { Restore(m_history.Back()); }

void CShabdaApp::GoForward() { Restore(m_history.Forward()); }

void CShabdaApp::Restore(const CHistoryStep* step) {
  if (step == nullptr || !m_mainFrame || !m_foundView) return;
  m_settleTyping.stop();
  const CHistoryStep shown = *step;  // the history may move while it is shown
  m_restoring = true;
  CFoundListModel& model = m_foundView->Model();
  const CListSource& list = shown.m_list;
  const QString text = QString::fromStdString(list.m_text);
  // The list that is shown already is not made again: a find takes tens of milliseconds.
  const bool remake = m_shownList != list;
  if (list.m_kind == ListKind::kSearch) {
    m_mainFrame->ShowSearchText(text, list.m_itrans);
    if (remake) m_mainFrame->OnSearch();
  } else {
    m_mainFrame->ItransCheck()->setChecked(list.m_itrans);
    if (remake) FindInEntries(text);
  }
  QListView* view = m_foundView->List();
  const int row =
      shown.m_selected ? FindHeadwordRow(model, model.ItemCount(), shown.m_entry) : -1;
  const bool entryShown = shown.m_entry == m_shownEntry;
  if (row >= 0) {
    // A row newly selected has its entry read by the view.
    const bool wasSelected = view->selectionModel()->isSelected(model.index(row));
    view->setCurrentIndex(model.index(row));
    view->scrollTo(model.index(row));
    if (wasSelected && !entryShown) model.RetrieveRowEntry(row, m_dictionary);
  } else {
    view->clearSelection();
    if (!entryShown && !shown.m_entry.Empty()) {
      model.RetrieveEntryAt(shown.m_entry.m_entryOffset, m_dictionary);
    } else if (!entryShown && m_pEntryView) {
      m_pEntryView->ShowNewEntry("");
    }
  }
  m_shownEntry = shown.m_entry;
  m_restoring = false;
  UpdateBrowseActions();
}

bool CShabdaApp::ShowHeadword(const CHeadwordRef& headword) {
  if (!m_mainFrame || !m_foundView) return false;
  m_mainFrame->ShowSearchText(QString::fromLatin1(HeadwordSearchText(headword)), false);
  m_mainFrame->OnSearch();
  CFoundListModel& model = m_foundView->Model();
  const int row = FindHeadwordRow(model, model.ItemCount(), headword);
  if (row < 0) {
    m_mainFrame->ShowStatus(QStringLiteral("Not in this dictionary"),
                            QStringLiteral("The dictionary no longer holds that headword."));
    return false;
  }
  m_foundView->List()->setCurrentIndex(model.index(row));
  m_foundView->List()->scrollTo(model.index(row));
  return true;
}

void CShabdaApp::AddFavourite() {
  if (m_favourites.Full()) {
    m_mainFrame->ShowStatus(QStringLiteral("Favourites full"),
                            QStringLiteral("Favourites holds %1 headwords; remove one first.")
                                .arg(CFavourites::kMaxFavourites));
  }
  if (m_favourites.Add(m_shownEntry)) SaveBrowsing();
  UpdateBrowseActions();
}

void CShabdaApp::RemoveFavourite() {
  if (m_favourites.Remove(m_shownEntry)) SaveBrowsing();
  UpdateBrowseActions();
}

std::vector<CHeadwordRef> CShabdaApp::HeldHeadwords(const std::vector<CHeadwordRef>& headwords) {
  return m_heldHeadwords.Held(headwords, m_dictionary);
}

void CShabdaApp::LoadBrowsing() {
  const QSettings settings = ProgramSettings();
  const auto read = [&](const char* section, std::size_t cap) {
    const QByteArray text =
        settings.value(BrowsingKey(section, m_dictionary.Folder())).toString().toLatin1();
    return ReadHeadwordList(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                            cap);
  };
  m_history.ClearSteps();
  m_history.SetViewed(read(kViewedSection, CHistory::kMaxViewed));
  m_favourites.SetItems(read(kFavouritesSection, CFavourites::kMaxFavourites));
  UpdateBrowseActions();
}

void CShabdaApp::SaveBrowsing() {
  QSettings settings = ProgramSettings();
  settings.setValue(BrowsingKey(kViewedSection, m_dictionary.Folder()),
                    QString::fromLatin1(HeadwordListText(m_history.Viewed())));
  settings.setValue(BrowsingKey(kFavouritesSection, m_dictionary.Folder()),
                    QString::fromLatin1(HeadwordListText(m_favourites.Items())));
}

void CShabdaApp::UpdateBrowseActions() {
  if (!m_mainFrame) return;
  if (CHistoryMenu* history = m_mainFrame->HistoryMenu()) history->UpdateActions();
  if (CFavouritesMenu* favourites = m_mainFrame->FavouritesMenu()) favourites->UpdateActions();
}

void CShabdaApp::AddRecentFile(const QString& path) {
  m_recentFiles.removeAll(path);
  m_recentFiles.prepend(path);
  while (m_recentFiles.size() > kRecentFileCount) m_recentFiles.removeLast();
}

QList<QWidget*> CShabdaApp::Panes() const {
  QList<QWidget*> panes;
  if (m_foundView) panes.append(m_foundView->List());
  if (m_pEntryView) panes.append(m_pEntryView);
  return panes;
}

void CShabdaApp::OnAppAbout() {
  CAboutDlg about(m_mainFrame.get());
  about.exec();
}

void CShabdaApp::OnFileSave() {
  QString path = m_askSaveFile(m_mainFrame.get());
  if (path.isEmpty()) return;
  // Saving is writing an empty file: over a dictionary file it would wipe every entry, of the
  // dictionary open or of another one.
  const std::string target = QFile::encodeName(path).toStdString();
  if (m_dictionary.HoldsFile(target) || IsDictionaryFile(target)) {
    ShowMessageBox(m_mainFrame.get(),
                   QStringLiteral("<%1> is a file of a dictionary; saving over it would destroy "
                                  "it. Nothing was saved.")
                       .arg(path),
                   QStringLiteral("Cannot do that"), MessageIcon::kExclamation);
    return;
  }
  QString error;
  if (!m_document->SaveTo(path, &error)) {
    ShowMessageBox(m_mainFrame.get(), QStringLiteral("Could not save <%1>: %2").arg(path, error),
                   QStringLiteral("Cannot do that"), MessageIcon::kExclamation);
    return;
  }
  AddRecentFile(path);
}

void CShabdaApp::OnAppendSampleRow() {
  if (!m_foundView) return;
  CFoundListModel& list = m_foundView->Model();
  const int n = list.ItemCount();
  if (n >= kMaxRows) return;
  FillRow(list, n, kSampleIndexText);
  list.AddRow();
}

void CShabdaApp::OnResetListLook() {
  if (!m_foundView) return;
  m_foundView->Model().SetFontSize(kResetListSize);
  m_foundView->Model().SetDisplayStyle(kStyleTranslit);
}

}  // namespace kv
