#include "shell/shabda_app.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QMdiArea>
#include <QSettings>
#include <cstring>

#include "dictionary/list_strings.h"
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
constexpr char kSampleIndexText[] = "dradhratrathravrabrabhracrachra";
constexpr int kResetListSize = 15;

QSettings ProgramSettings() {
  return QSettings(QString::fromLatin1(kSettingsOrganization),
                   QString::fromLatin1(kSettingsApplication));
}

QString RecentFileKey(int i) { return QStringLiteral("File%1").arg(i + 1); }

}  // namespace

CShabdaApp::CShabdaApp()
    : m_askSaveFile([](QWidget* parent) { return QFileDialog::getSaveFileName(parent); }) {}

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
  m_mainFrame->PlaceFirstWindow(
      settings.value(QString::fromLatin1(kWindowPlacementKey)).toByteArray());
  CreateDocumentWindow();
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
  // Saving is writing an empty file: over a dictionary file it would wipe every entry.
  if (m_dictionary.HoldsFile(QFile::encodeName(path).toStdString())) {
    ShowMessageBox(m_mainFrame.get(),
                   QStringLiteral("<%1> is a file of the dictionary Kavivani is reading; saving "
                                  "over it would destroy it. Nothing was saved.")
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
  MakeListStrings(kSampleIndexText, list.m_translitRows[n], list.m_devanagariRows[n], kRowBytes);
  list.AddRow();
}

void CShabdaApp::OnResetListLook() {
  if (!m_foundView) return;
  m_foundView->Model().SetFontSize(kResetListSize);
  m_foundView->Model().SetDisplayStyle(kStyleTranslit);
}

}  // namespace kv
