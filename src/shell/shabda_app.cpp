#include "shell/shabda_app.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QListView>
#include <QMdiArea>
#include <QSettings>
#include <cstring>

#include "dictionary/dictionary_locations.h"
#include "dictionary/found_rows.h"
#include "display/found_list_box.h"
#include "platform/message_box.h"
#include "shell/about_box.h"
#include "shell/child_frame.h"
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

QSettings ProgramSettings() {
  return QSettings(QString::fromLatin1(kSettingsOrganization),
                   QString::fromLatin1(kSettingsApplication));
}

QString RecentFileKey(int i) { return QStringLiteral("File%1").arg(i + 1); }

QString DictionaryKey() { return QStringLiteral("%1/Dictionary").arg(kSettingsSection); }

}  // namespace

CShabdaApp::CShabdaApp()
    : m_finder(std::make_unique<CEntryFinder>()),
      m_askSaveFile([](QWidget* parent) { return QFileDialog::getSaveFileName(parent); }) {}

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
  m_rememberedDictionary = QFile::decodeName(DictionaryIdentity(folder).c_str());
  ProgramSettings().setValue(DictionaryKey(), m_rememberedDictionary);
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
  // The scan holds the event loop for a few tens of milliseconds on a large dictionary.
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const CFindResult result = m_foundView->Model().Find(query, *m_finder, m_dictionary);
  QGuiApplication::restoreOverrideCursor();
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
