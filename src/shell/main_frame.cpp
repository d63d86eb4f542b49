#include "shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QUrl>
#include <iterator>

#include "controls/hover_button.h"
#include "dictionary/dictionary.h"
#include "dictionary/dictionary_locations.h"
#include "dictionary/headword_search.h"
#include "display/found_list_box.h"
#include "display/found_view.h"
#include "display/shabda_view.h"
#include "platform/message_box.h"
#include "platform/screen_dpi.h"
#include "shell/close_up_combo_box.h"
#include "shell/dictionary_menu.h"
#include "shell/shabda_app.h"

namespace kv {
namespace {

// The font-size choices: the found list's size in points and the entry pane's text size in
// tenths of a point (its transliteration font is 20 tenths larger).
struct FontSizeChoice {
  const char* text;
  int listSize;
  int entryTenths;
};
constexpr FontSizeChoice kFontSizeChoices[] = {
    {"10", 10, 100}, {"13", 13, 110}, {"15", 15, 120}, {"18", 18, 140},
    {"20", 20, 160}, {"30", 30, 170}, {"40", 40, 190},
};
constexpr int kInitialFontSizeChoice = 2;
constexpr int kTranslitExtraTenths = 20;

// The display-style choices in the order the box lists them, with the style each gives.
struct DisplayStyleChoice {
  const char* text;
  int style;
};
constexpr DisplayStyleChoice kDisplayStyleChoices[] = {
    {"Devnag + translit", kStyleBoth},
    {"Transliteration", kStyleTranslit},
    {"Devanagri", kStyleDevanagari},
};

constexpr int kSearchTextTenths = 180;
constexpr int kSearchTextBytes = kKeyBytes - 1;
// The Search button's face: a diagonal gradient tinted toward green.
constexpr int kSearchFaceStyle = 1;
constexpr int kSearchFaceNoise = 0;
constexpr int kSearchHoverPercent = 10;
constexpr int kSearchTintPercent = 10;
constexpr Colour kSearchTint = Rgb(22, 233, 130);
constexpr unsigned kSearchIcon = 136;
constexpr unsigned kCopyIcon = 137;

QLabel* BandLabel(const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setContentsMargins(6, 0, 4, 0);
  return label;
}

QToolBar* SearchBarRow(QMainWindow* frame, const char* name) {
  auto* row = new QToolBar(QString::fromLatin1(name), frame);
  row->setObjectName(QString::fromLatin1(name));
  row->setMovable(false);
  row->setFloatable(false);
  row->toggleViewAction()->setVisible(false);
  row->setContextMenuPolicy(Qt::PreventContextMenu);
  return row;
}

bool IsCopyKey(const QKeyEvent* key) {
  return key->matches(QKeySequence::Copy) ||
         (key->key() == Qt::Key_Insert && key->modifiers() == Qt::ControlModifier);
}

}  // namespace

std::vector<DictionaryFolder> ProgramDictionaries() {
  return FindDictionaries(ProcessDictionaryEnvironment(
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()));
}

QString LocateDataFile(const QString& name) {
  if (QFileInfo::exists(name)) return name;
  QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(name);
  if (QFileInfo::exists(besideProgram)) return besideProgram;
  return name;
}

CMainFrame::CMainFrame(CShabdaApp& app) : m_app(app), m_mdiArea(new QMdiArea(this)) {
  setWindowTitle(QStringLiteral("Kavivani V1.4"));
  setCentralWidget(m_mdiArea);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Create() {
  ScreenDpi screen = QueryScreenDpi();
  CreateSearchBar(screen.largeFonts);
  CreateMenus();

  m_searchTextFont.CreatePointFont(ScaleForLargeFonts(kSearchTextTenths, screen), "ARIAL");
  m_searchTextEdit->setFont(m_searchTextFont.Font());

  OpenDataFiles();

  m_searchButton->BuildFaceTextures(kSearchFaceStyle, kSearchFaceNoise, kSearchHoverPercent,
                                    kSearchTintPercent, kSearchTint);
  m_searchButton->SetFaceIcon(kSearchIcon, kIconRight);
  m_copyButton->SetFaceIcon(kCopyIcon, kIconLeft);
  return true;
}

void CMainFrame::CreateSearchBar(bool largeFonts) {
  m_searchBar.m_firstRow = SearchBarRow(this, "SearchBarFirstRow");
  addToolBar(Qt::TopToolBarArea, m_searchBar.m_firstRow);
  addToolBarBreak(Qt::TopToolBarArea);
  m_searchBar.m_secondRow = SearchBarRow(this, "SearchBarSecondRow");
  addToolBar(Qt::TopToolBarArea, m_searchBar.m_secondRow);
  QToolBar* first = m_searchBar.m_firstRow;
  QToolBar* second = m_searchBar.m_secondRow;

  m_itransCheck = new QCheckBox(QStringLiteral("ITRANS 5.2"), first);
  m_itransCheck->setFixedSize(largeFonts ? 106 : 100, 20);

  auto* fontSizeBox = new CCloseUpComboBox(first);
  m_fontSizeBox = fontSizeBox;
  m_fontSizeBox->setFixedWidth(60);
  for (const auto& choice : kFontSizeChoices) m_fontSizeBox->addItem(choice.text);
  m_fontSizeBox->setCurrentIndex(kInitialFontSizeChoice);
  connect(fontSizeBox, &CCloseUpComboBox::closedUp, this, &CMainFrame::OnFontSizeCloseUp);

  auto* styleBox = new CCloseUpComboBox(first);
  m_displayStyleBox = styleBox;
  m_displayStyleBox->setFixedWidth(largeFonts ? 174 : 150);
  for (const auto& choice : kDisplayStyleChoices) m_displayStyleBox->addItem(choice.text);
  m_displayStyleBox->setCurrentIndex(0);
  connect(styleBox, &CCloseUpComboBox::closedUp, this, &CMainFrame::OnDisplayStyleCloseUp);

  m_searchTextEdit = new QPlainTextEdit(second);
  m_searchTextEdit->setObjectName(QStringLiteral("searchText"));
  m_searchTextEdit->setFixedSize(largeFonts ? 163 : 175, 30);
  m_searchTextEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_searchTextEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_searchTextEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_searchTextEdit->setTabChangesFocus(true);
  m_searchTextEdit->document()->setDocumentMargin(1);
  m_searchTextEdit->installEventFilter(this);
  connect(m_searchTextEdit, &QPlainTextEdit::textChanged, this, &CMainFrame::OnSearchTextChange);

  m_searchButton = new CHoverButton(second);
  m_searchButton->setText(QStringLiteral("Search"));
  m_searchButton->setFixedSize(130, 30);
  connect(m_searchButton, &CHoverButton::clicked, this, &CMainFrame::OnSearch);

  m_spacer1 = new QLabel(QString(), first);
  m_spacer1->setFixedSize(160, 20);
  m_spacer2 = new QLabel(QString(), second);
  m_spacer2->setFixedSize(230, 20);
  m_statusLine = new QLabel(QStringLiteral("Enter text"), second);
  m_statusLine->setObjectName(QStringLiteral("statusLine"));
  m_statusLine->setFixedSize(100, 20);

  m_copyButton = new CHoverButton(second);
  m_copyButton->setFixedSize(34, 30);
  m_copyButton->setToolTip(QStringLiteral("Copy the selected words"));
  connect(m_copyButton, &CHoverButton::clicked, this, &CMainFrame::OnEditCopy);

  first->addWidget(m_itransCheck);
  first->addWidget(BandLabel("Font Size", first));
  first->addWidget(m_fontSizeBox);
  first->addWidget(BandLabel("Display Style", first));
  first->addWidget(m_displayStyleBox);
  first->addWidget(m_spacer1);
  second->addWidget(BandLabel("Search Text", second));
  second->addWidget(m_searchTextEdit);
  second->addWidget(BandLabel(" ", second));
  second->addWidget(m_searchButton);
  second->addWidget(BandLabel("Status:", second));
  second->addWidget(m_statusLine);
  second->addWidget(m_copyButton);
  second->addWidget(m_spacer2);
}

void CMainFrame::CreateMenus() {
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* copy = edit->addAction(QStringLiteral("Copy"));
  copy->setObjectName(QStringLiteral("editCopy"));
  copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
  copy->setShortcutContext(Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, &CMainFrame::OnEditCopy);

  menuBar()->addMenu(new CDictionaryMenu(m_app, this));

  QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
  connect(window->addAction(QStringLiteral("&Cascade")), &QAction::triggered, m_mdiArea,
          &QMdiArea::cascadeSubWindows);
  connect(window->addAction(QStringLiteral("&Tile")), &QAction::triggered, m_mdiArea,
          &QMdiArea::tileSubWindows);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  connect(help->addAction(QStringLiteral("Help")), &QAction::triggered, this, &CMainFrame::OnHelp);
  connect(help->addAction(QStringLiteral("&About KVANI...")), &QAction::triggered, this,
          [this] { m_app.OnAppAbout(); });

  // Keys without a menu entry.
  auto* save = new QAction(this);
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(save, &QAction::triggered, this, &CMainFrame::OnFileSave);
  auto* nextPane = new QAction(this);
  nextPane->setShortcut(QKeySequence(Qt::Key_F6));
  connect(nextPane, &QAction::triggered, this, [this] { OnNextPane(true); });
  auto* previousPane = new QAction(this);
  previousPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
  connect(previousPane, &QAction::triggered, this, [this] { OnNextPane(false); });
  addActions({save, nextPane, previousPane});
}

void CMainFrame::OpenDataFiles() {
  auto path = [](const char* name) {
    return QFile::encodeName(LocateDataFile(QString::fromLatin1(name))).toStdString();
  };
  CDictionary& dictionary = m_app.Dictionary();
  // Without a folder holding all three files, each is looked for on its own, so that every
  // missing one is reported by name.
  const std::vector<DictionaryFolder> found = ProgramDictionaries();
  const int chosen =
      ChooseStartDictionary(found, DictionaryEnvironment().currentDir,
                            QFile::encodeName(m_app.RememberedDictionary()).toStdString());
  if (chosen >= 0) {
    dictionary.Open(found[static_cast<std::size_t>(chosen)].path);
  } else {
    dictionary.OpenFiles(path(kListFileName), path(kIndexFileName), path(kTextFileName));
  }
  ReportMissingFiles();
}

void CMainFrame::ReportMissingFiles() {
  for (const std::string& name : m_app.Dictionary().MissingFiles()) {
    char text[256];
    FormatMissingFileText(name.c_str(), text, sizeof text);
    ShowMessageBox(this, QString::fromLatin1(text), QStringLiteral("Error"), MessageIcon::kNone);
  }
}

std::string CMainFrame::SearchTextBytes() const {
  QByteArray bytes = m_searchTextEdit->toPlainText().toLatin1();
  return bytes.left(kSearchTextBytes).toStdString();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // The copy keys belong to the program's copy command even while the search edit has the
  // focus: the edit must not take them as its own shortcut.
  if (watched == m_searchTextEdit && event->type() == QEvent::ShortcutOverride &&
      IsCopyKey(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnFontSizeCloseUp() {
  int selection = m_fontSizeBox->currentIndex();
  if (selection < 0 || selection >= static_cast<int>(std::size(kFontSizeChoices))) return;
  const FontSizeChoice& choice = kFontSizeChoices[selection];
  if (CFoundView* found = m_app.FoundView()) found->Model().SetFontSize(choice.listSize);
  if (CShabdaView* entry = m_app.EntryView()) {
    entry->SetFontSizes(choice.entryTenths, choice.entryTenths + kTranslitExtraTenths);
  }
}

void CMainFrame::OnDisplayStyleCloseUp() {
  int selection = m_displayStyleBox->currentIndex();
  if (selection < 0 || selection >= static_cast<int>(std::size(kDisplayStyleChoices))) return;
  if (CFoundView* found = m_app.FoundView()) {
    found->Model().SetDisplayStyle(kDisplayStyleChoices[selection].style);
  }
}

void CMainFrame::OnSearch() {
  std::string text = SearchTextBytes();
  CFoundView* found = m_app.FoundView();
  if (found == nullptr) return;  // no document window, nowhere to show anything
  // A message written into the entry text reaches the entry pane from the list itself.
  SearchInput input{text.c_str(), m_itransCheck->isChecked()};
  if (found->Model().Search(input, m_app.Dictionary()) == SearchOutcome::kEmptyKey) {
    ShowMessageBox(this, QStringLiteral("Please enter search text"),
                   QStringLiteral("Cannot do that"), MessageIcon::kNone);
  }
}

void CMainFrame::OnSearchTextChange() {
  std::string text = SearchTextBytes();
  SearchTextCheck check = CheckSearchText(text.c_str());
  m_statusLine->setText(QString::fromLatin1(check.status));
  if (!check.lineBreakCut) return;
  {
    // The shortened text needs no second check: it was checked with the line break.
    QSignalBlocker blocker(m_searchTextEdit);
    m_searchTextEdit->setPlainText(QString::fromLatin1(check.cleaned));
    m_searchTextEdit->moveCursor(QTextCursor::End);
  }
  if (check.runSearch) OnSearch();
}

void CMainFrame::OnEditCopy() {
  if (CShabdaView* entry = m_app.EntryView()) entry->CopySelection();
}

void CMainFrame::OnHelp() {
  QFileInfo program(QCoreApplication::applicationFilePath());
  QString name = program.completeBaseName() + QStringLiteral(".html");
  QString help = program.dir().filePath(name);
  // An installed program keeps its help page with its other shared files.
  QString installed = QDir::cleanPath(program.dir().filePath(
      QStringLiteral("%1/%2").arg(QString::fromLatin1(kInstalledDataFromExecutable), name)));
  if (!QFileInfo::exists(help) && QFileInfo::exists(installed)) help = installed;
  if (QFileInfo::exists(help) && QDesktopServices::openUrl(QUrl::fromLocalFile(help))) return;
  ShowMessageBox(this, QStringLiteral("Could not open the help file <%1>.").arg(help),
                 QStringLiteral("Help"), MessageIcon::kExclamation);
}

void CMainFrame::OnFileSave() { m_app.OnFileSave(); }

void CMainFrame::OnNextPane(bool forward) {
  QList<QWidget*> panes = m_app.Panes();
  if (panes.isEmpty()) return;
  int current = -1;
  for (int i = 0; i < panes.size(); ++i) {
    if (panes[i]->isAncestorOf(QApplication::focusWidget()) ||
        panes[i] == QApplication::focusWidget()) {
      current = i;
    }
  }
  int count = static_cast<int>(panes.size());
  int next = current < 0 ? 0 : (current + (forward ? 1 : count - 1)) % count;
  panes[next]->setFocus(Qt::OtherFocusReason);
}

}  // namespace kv
