#include "shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
#include <QWheelEvent>
#include <algorithm>
#include <iterator>
#include <string_view>

#include "controls/hover_button.h"
#include "controls/input_box_wnd.h"
#include "dictionary/browse_history.h"
#include "dictionary/dictionary.h"
#include "dictionary/dictionary_locations.h"
#include "dictionary/headword_search.h"
#include "dictionary/script_input.h"
#include "display/found_list_box.h"
#include "display/found_view.h"
#include "display/shabda_view.h"
#include "platform/message_box.h"
#include "platform/screen_dpi.h"
#include "shell/close_up_combo_box.h"
#include "shell/dictionary_menu.h"
#include "shell/history_menu.h"
#include "shell/shabda_app.h"

namespace kv {
namespace {

constexpr char kTitle[] = "Kavivani V1.4";

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
// The Search button's face: a diagonal gradient tinted toward green.
constexpr int kSearchFaceStyle = 1;
constexpr int kSearchFaceNoise = 0;
constexpr int kSearchHoverPercent = 10;
constexpr int kSearchTintPercent = 10;
constexpr Colour kSearchTint = Rgb(22, 233, 130);
constexpr unsigned kSearchIcon = 136;
constexpr unsigned kCopyIcon = 137;
// The padding at the ends of the two rows, as wide as designed while there is room; it gives
// way first when the window narrows, so that no control goes behind the rows' overflow menu.
constexpr int kSpacer1Width = 160;
constexpr int kSpacer2Width = 230;
constexpr int kBandHeight = 20;
// The status line is this wide for the search's short words; a find's count or message widens
// it, as far as the second row's padding allows on a first window.
constexpr int kStatusLineWidth = 100;
constexpr int kStatusLineMaxWidth = kStatusLineWidth + kSpacer2Width;
// A first window takes this part of the screen, unless the search bar needs more.
constexpr int kFirstWindowThirds = 2;
// The angle of one notch of a common mouse wheel: one zoom step.
constexpr int kWheelNotch = 120;

QLabel* BandLabel(const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setContentsMargins(6, 0, 4, 0);
  return label;
}

QLabel* Spacer(QWidget* parent) {
  auto* spacer = new QLabel(QString(), parent);
  spacer->setFixedHeight(kBandHeight);
  spacer->setMinimumWidth(0);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return spacer;
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
  setWindowTitle(QString::fromLatin1(kTitle));
  setCentralWidget(m_mdiArea);
  m_typedSearch.setSingleShot(true);
  m_typedSearch.setInterval(0);
  connect(&m_typedSearch, &QTimer::timeout, this, &CMainFrame::OnTypedSearch);
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
  // Ctrl+wheel zooms wherever it turns in this window.
  QCoreApplication::instance()->installEventFilter(this);
  return true;
}

void CMainFrame::ShowDocumentTitle(const QString& title) {
  // In the form a maximised document window gives the caption, so that maximising, cascading
  // and tiling all leave it as it is.
  setWindowTitle(QStringLiteral("%1 - [%2]").arg(QString::fromLatin1(kTitle), title));
}

int CMainFrame::SearchBarMinimumWidth() const {
  // The padding wants no width of its own, so each row's wish is its controls'.
  return std::max(m_searchBar.m_firstRow->sizeHint().width(),
                  m_searchBar.m_secondRow->sizeHint().width());
}

void CMainFrame::PlaceFirstWindow(const QByteArray& savedGeometry) {
  const QRect screenArea = screen()->availableGeometry();
  setMinimumWidth(std::min(SearchBarMinimumWidth(), screenArea.width()));
  if (!savedGeometry.isEmpty() && restoreGeometry(savedGeometry)) return;
  const int barWidth = std::max(m_searchBar.m_firstRow->sizeHint().width() + kSpacer1Width,
                                m_searchBar.m_secondRow->sizeHint().width() + kSpacer2Width);
  const int width =
      std::min(screenArea.width(), std::max(barWidth, screenArea.width() * kFirstWindowThirds / 3));
  const int height =
      std::min(screenArea.height(),
               std::max(minimumSizeHint().height(), screenArea.height() * kFirstWindowThirds / 3));
  resize(width, height);
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
  connect(fontSizeBox, &CCloseUpComboBox::committed, this, &CMainFrame::OnFontSizeCloseUp);

  auto* styleBox = new CCloseUpComboBox(first);
  m_displayStyleBox = styleBox;
  m_displayStyleBox->setFixedWidth(largeFonts ? 174 : 150);
  for (const auto& choice : kDisplayStyleChoices) m_displayStyleBox->addItem(choice.text);
  m_displayStyleBox->setCurrentIndex(0);
  connect(styleBox, &CCloseUpComboBox::committed, this, &CMainFrame::OnDisplayStyleCloseUp);

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
  // The box decides how plain ASCII reads, so the status follows it.
  connect(m_itransCheck, &QCheckBox::toggled, this,
          [this] { ShowTextCheck(CheckSearchText(SearchText(), m_itransCheck->isChecked())); });

  m_searchButton = new CHoverButton(second);
  m_searchButton->setText(QStringLiteral("Search"));
  m_searchButton->setFixedSize(130, 30);
  connect(m_searchButton, &CHoverButton::clicked, this, &CMainFrame::OnSearch);

  m_spacer1 = Spacer(first);
  m_spacer2 = Spacer(second);
  m_statusLine = new QLabel(QStringLiteral("Enter text"), second);
  m_statusLine->setObjectName(QStringLiteral("statusLine"));
  m_statusLine->setFixedHeight(kBandHeight);
  m_statusLine->setMinimumWidth(kStatusLineWidth);
  m_statusLine->setMaximumWidth(kStatusLineMaxWidth);
  m_statusLine->setToolTip(QString::fromStdString(DescribeReading({}, MakeSearchKey({}, false))));

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
  QAction* find = edit->addAction(QStringLiteral("Find in &Entries\u2026"));
  find->setObjectName(QStringLiteral("findInEntries"));
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  find->setShortcutContext(Qt::WindowShortcut);
  connect(find, &QAction::triggered, this, &CMainFrame::OnFindInEntries);

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  view->setToolTipsVisible(true);
  QAction* zoomIn = view->addAction(QStringLiteral("Zoom &In"));
  zoomIn->setShortcuts(
      {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(zoomIn, &QAction::triggered, this, [this] { StepFontSize(1); });
  QAction* zoomOut = view->addAction(QStringLiteral("Zoom &Out"));
  zoomOut->setShortcut(QKeySequence::ZoomOut);
  connect(zoomOut, &QAction::triggered, this, [this] { StepFontSize(-1); });
  QAction* normalSize = view->addAction(QStringLiteral("&Normal Size"));
  normalSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  connect(normalSize, &QAction::triggered, this, &CMainFrame::ResetFontSize);
  view->addSeparator();
  m_searchAsYouType = view->addAction(QStringLiteral("&Search as You Type"));
  m_searchAsYouType->setObjectName(QStringLiteral("searchAsYouType"));
  m_searchAsYouType->setCheckable(true);
  m_looseMatchingAction = view->addAction(QStringLiteral("&Loose Matching"));
  m_looseMatchingAction->setObjectName(QStringLiteral("looseMatching"));
  m_looseMatchingAction->setCheckable(true);
  m_looseMatchingAction->setToolTip(
      QStringLiteral("Every search also lists the headwords that match loosely: long and short "
                     "vowels alike, no diacritics, sh for \u015B and \u1E63, ri for \u1E5B"));
  view->addSeparator();
  m_devanagariEntriesAction = view->addAction(QStringLiteral("Sanskrit in &Devanagari"));
  m_devanagariEntriesAction->setObjectName(QStringLiteral("devanagariEntries"));
  m_devanagariEntriesAction->setCheckable(true);
  connect(m_devanagariEntriesAction, &QAction::toggled, this, &CMainFrame::OnDevanagariEntries);

  m_historyMenu = new CHistoryMenu(m_app, this);
  menuBar()->addMenu(m_historyMenu);
  m_favouritesMenu = new CFavouritesMenu(m_app, this);
  menuBar()->addMenu(m_favouritesMenu);
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

std::string CMainFrame::SearchText() const { return m_searchTextEdit->toPlainText().toStdString(); }

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // The copy keys belong to the program's copy command even while the search edit has the
  // focus: the edit must not take them as its own shortcut.
  if (watched == m_searchTextEdit && event->type() == QEvent::ShortcutOverride &&
      IsCopyKey(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  if (HandleZoomWheel(watched, event) || HandleHistoryButtons(watched, event)) return true;
  return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::HandleZoomWheel(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel || !watched->isWidgetType() ||
      static_cast<QWidget*>(watched)->window() != this) {
    return false;
  }
  auto* wheel = static_cast<QWheelEvent*>(event);
  if (!wheel->modifiers().testFlag(Qt::ControlModifier)) return false;
  // A fine-grained wheel or touchpad sends parts of a notch: they add up to steps.
  m_zoomWheel += wheel->angleDelta().y();
  const int steps = m_zoomWheel / kWheelNotch;
  m_zoomWheel -= steps * kWheelNotch;
  if (steps != 0) StepFontSize(steps);
  wheel->accept();
  return true;
}

bool CMainFrame::HandleHistoryButtons(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress || !watched->isWidgetType() ||
      static_cast<QWidget*>(watched)->window() != this) {
    return false;
  }
  const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
  if (button == Qt::BackButton) {
    m_app.GoBack();
  } else if (button == Qt::ForwardButton) {
    m_app.GoForward();
  } else {
    return false;
  }
  event->accept();
  return true;
}

void CMainFrame::StepFontSize(int steps) {
  const int last = m_fontSizeBox->count() - 1;
  m_fontSizeBox->setCurrentIndex(std::clamp(m_fontSizeBox->currentIndex() + steps, 0, last));
}

void CMainFrame::ResetFontSize() { m_fontSizeBox->setCurrentIndex(kInitialFontSizeChoice); }

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
  m_typedSearch.stop();
  RunSearch(true);
}

void CMainFrame::OnTypedSearch() { RunSearch(false); }

void CMainFrame::RunSearch(bool askForText) {
  const std::string text = SearchText();
  CFoundView* found = m_app.FoundView();
  if (found == nullptr) return;  // no document window, nowhere to show anything
  // A message written into the entry text reaches the entry pane from the list itself.
  SearchInput input{text.c_str(), m_itransCheck->isChecked(), m_looseMatchingAction->isChecked()};
  const SearchOutcome outcome = found->Model().Search(input, m_app.Dictionary());
  if (outcome != SearchOutcome::kRefused && outcome != SearchOutcome::kEmptyKey) {
    m_app.RecordList({ListKind::kSearch, text, input.itrans}, !askForText);
  }
  if (outcome == SearchOutcome::kEmptyKey && askForText) {
    ShowMessageBox(this, QStringLiteral("Please enter search text"),
                   QStringLiteral("Cannot do that"), MessageIcon::kNone);
  } else if (outcome == SearchOutcome::kRefused || outcome == SearchOutcome::kFoundLoose) {
    // The status line says why nothing was searched for, or that the hits are loose ones.
    ShowTextCheck(CheckSearchText(text, input.itrans));
    if (outcome == SearchOutcome::kFoundLoose) {
      m_statusLine->setToolTip(m_statusLine->toolTip() +
                               QStringLiteral("\nNo headword begins with it: the list shows the "
                                              "headwords that begin with it loosely."));
    }
  }
}

void CMainFrame::ShowSearchText(const QString& text, bool itrans) {
  m_typedSearch.stop();
  m_itransCheck->setChecked(itrans);
  {
    QSignalBlocker blocker(m_searchTextEdit);
    m_searchTextEdit->setPlainText(text);
    m_searchTextEdit->moveCursor(QTextCursor::End);
  }
  ShowTextCheck(CheckSearchText(SearchText(), itrans));
}

void CMainFrame::ShowStatus(const QString& text, const QString& detail) {
  const int room = kStatusLineMaxWidth - m_statusLine->contentsMargins().left() -
                   m_statusLine->contentsMargins().right();
  m_statusLine->setText(m_statusLine->fontMetrics().elidedText(text, Qt::ElideRight, room));
  m_statusLine->setToolTip(detail.isEmpty() ? text : text + QLatin1Char('\n') + detail);
}

void CMainFrame::OnFindInEntries() {
  CInputBoxWnd box(this);
  box.Create(QStringLiteral("Find in Entries"),
             QStringLiteral("English or Sanskrit words to find in the entries:"), m_app.FindText());
  if (box.exec() != QDialog::Accepted) return;
  m_app.FindInEntries(box.Text());
}

void CMainFrame::ShowTextCheck(const SearchTextCheck& check) {
  m_statusLine->setText(QString::fromLatin1(check.status));
  m_statusLine->setToolTip(QString::fromStdString(DescribeReading(check.cleaned, check.key)));
}

void CMainFrame::OnSearchTextChange() {
  // The whole text is checked, however long: a line break is cut all the same, so the edit
  // never keeps a second line and always shows its text.
  const SearchTextCheck check = CheckSearchText(SearchText(), m_itransCheck->isChecked());
  ShowTextCheck(check);
  if (check.lineBreakCut) {
    // The shortened text needs no second check: it was checked with the line break.
    QSignalBlocker blocker(m_searchTextEdit);
    m_searchTextEdit->setPlainText(
        QString::fromUtf8(check.cleaned.data(), static_cast<qsizetype>(check.cleaned.size())));
    m_searchTextEdit->moveCursor(QTextCursor::End);
  }
  if (check.runSearch) {
    OnSearch();
  } else if (m_searchAsYouType->isChecked() && !check.refused && !check.cleaned.empty()) {
    // Once the keys already typed have been taken: a burst of typing searches once.
    m_typedSearch.start();
  } else {
    m_typedSearch.stop();  // the text as it now stands is not one to search
  }
}

void CMainFrame::OnDevanagariEntries(bool devanagari) {
  if (CShabdaView* entry = m_app.EntryView()) {
    entry->SetSanskritScript(devanagari ? SanskritScript::kDevanagari : SanskritScript::kIast);
  }
}

void CMainFrame::OnEditCopy() {
  if (CShabdaView* entry = m_app.EntryView()) entry->CopySelection();
}

void CMainFrame::OnHelp() {
  const QFileInfo program(QCoreApplication::applicationFilePath());
  const QString name = program.completeBaseName() + QStringLiteral(".html");
  const QString beside = program.dir().filePath(name);
  // An installed program keeps its help page with its other shared files.
  const QString installed = QDir::cleanPath(program.dir().filePath(
      QStringLiteral("%1/%2").arg(QString::fromLatin1(kInstalledDataFromExecutable), name)));
  const QString help = QFileInfo::exists(beside) ? beside : installed;
  if (!QFileInfo::exists(help)) {
    ShowMessageBox(
        this, QStringLiteral("Could not find the help file <%1> or <%2>.").arg(beside, installed),
        QStringLiteral("Help"), MessageIcon::kExclamation);
    return;
  }
  if (!m_helpViewer) m_helpViewer = new CHelpViewer(this);
  QString error;
  if (!m_helpViewer->Open(help, &error)) {
    ShowMessageBox(this, QStringLiteral("Could not open the help file <%1>: %2.").arg(help, error),
                   QStringLiteral("Help"), MessageIcon::kExclamation);
    return;
  }
  m_helpViewer->show();
  m_helpViewer->raise();
  m_helpViewer->activateWindow();
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
