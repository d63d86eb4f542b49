#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "controls/hover_button.h"
#include "controls/input_box_wnd.h"
#include "display/found_list_box.h"
#include "import/cologne_import.h"
#include "platform/message_box.h"
#include "qt_support.h"
#include "shell/child_frame.h"
#include "shell/dictionary_menu.h"
#include "shell/history_menu.h"
#include "shell/main_frame.h"
#include "shell/shabda_app.h"
#include "test_files.h"

namespace kv {
namespace {

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings().clear();  // each test starts as on a first run
    m_previousDir = QDir::currentPath();
    SetMessageBoxHook([this](QWidget*, const QString& text, const QString& caption, MessageIcon) {
      m_boxes.push_back((caption + ": " + text).toStdString());
    });
  }
  void TearDown() override {
    m_app.ExitInstance();
    ResetMessageBoxHook();
    qputenv("XDG_DATA_HOME", test::kNoDictionaries);
    QDir::setCurrent(m_previousDir);
  }

  void StartIn(const std::filesystem::path& dir) {
    QDir::setCurrent(QString::fromStdString(dir.string()));
    ASSERT_TRUE(m_app.InitInstance());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    QCoreApplication::processEvents();
  }
  // A small dictionary: 'rA' (two headwords), 'ra' and 'ga' buckets, with entries that carry
  // Sanskrit words and paragraphs.
  void WriteSmallDictionary() {
    test::WriteFiles(m_dir,
                     test::LayOut({{"rAma", "r%Ama m. the hero of the epic; a name of Vishnu"},
                                   {"rAmAyaNa", "r%AmAyaNa n. the epic of r%Ama"},
                                   {"ravi", "r%avi m. the sun"},
                                   {"gaja", "g%aja m. an elephant"}}));
  }
  void StartOnSmallDictionary() {
    WriteSmallDictionary();
    StartIn(m_dir.Path());
  }

  static QSettings Settings() {
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"),
                     QStringLiteral("KVANI"));
  }
  CMainFrame* Frame() const { return m_app.MainFrame(); }
  CFoundListModel& List() const { return m_app.FoundView()->Model(); }
  QListView* ListView() const { return m_app.FoundView()->List(); }
  CShabdaView* EntryView() const { return m_app.EntryView(); }
  std::string EntryText() const { return EntryView()->Text(); }

  // Types `text` (pastes it, when the test keyboard has no keys for it) and presses Return.
  // Ctrl+F, then `words` typed into the box it opens and Return.
  void FindThroughTheBox(const QString& words) {
    QTimer::singleShot(0, [words] {
      auto* box = qobject_cast<CInputBoxWnd*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      QTest::keyClicks(box->Edit(), words);
      QTest::keyClick(box->Edit(), Qt::Key_Return);
    });
    QTest::keyClick(Frame()->SearchTextEdit(), Qt::Key_F, Qt::ControlModifier);
  }

  void TypeAndReturn(const QString& text) {
    QPlainTextEdit* edit = Frame()->SearchTextEdit();
    edit->setFocus();
    edit->clear();
    if (text.toLatin1() == text.toUtf8()) {
      QTest::keyClicks(edit, text);
    } else {
      edit->insertPlainText(text);
    }
    QTest::keyClick(edit, Qt::Key_Return);
  }
  QPoint WordCentre(int word) const {
    const CEntryLayout& layout = EntryView()->Layout();
    return QPoint((layout.m_wordLeft[word] + layout.m_wordRight[word]) / 2,
                  (layout.m_wordTop[word] + layout.m_wordBottom[word]) / 2);
  }
  void ClickWord(int word) {
    QTest::mouseClick(EntryView()->viewport(), Qt::LeftButton, {}, WordCentre(word));
  }
  void ClickRow(int row) {
    QTest::mouseClick(ListView()->viewport(), Qt::LeftButton, {},
                      ListView()->visualRect(List().index(row)).center());
  }
  static void Wheel(QWidget* over, int angle, Qt::KeyboardModifiers modifiers = {}) {
    QWheelEvent turn(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, angle), Qt::NoButton,
                     modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &turn);
  }

  test::CTempDir m_dir;
  QString m_previousDir;
  std::vector<std::string> m_boxes;
  CShabdaApp m_app;
};

TEST_F(ShellTest, MissingFilesAreReportedInOrderAndTheWindowStillOpens) {
  test::CTempDir empty;
  StartIn(empty.Path());
  EXPECT_EQ(m_boxes,
            (std::vector<std::string>{
                "Error: Could not open file <kvlist.txt>\n Did you install the dictionary?",
                "Error: Could not open file <kvindx.txt>\n Did you install the dictionary?",
                "Error: Could not open file <kvtot2.txt>\n Did you install the dictionary?"}));
  EXPECT_TRUE(Frame()->isVisible());
  // A search then says which file is missing where the entry would be.
  TypeAndReturn(QStringLiteral("rAm"));
  EXPECT_EQ(EntryText(), "Could not open file <kvlist.txt>\n Did you install the dictionary?");
}

// Started from a directory without a dictionary, as from a desktop menu, the program reads
// the user's and shows its own icon.
TEST_F(ShellTest, UserDictionaryFromAnyDirectoryAndTheProgramIcon) {
  WriteSmallDictionary();
  test::CTempDir dataHome;
  test::CTempDir empty;
  std::filesystem::create_directory(dataHome.Path() / "kavivani");
  std::filesystem::create_directory_symlink(m_dir.Path(), dataHome.Path() / "kavivani" / "mine");
  qputenv("XDG_DATA_HOME", dataHome.Path().c_str());
  StartIn(empty.Path());
  EXPECT_TRUE(m_boxes.empty());
  TypeAndReturn(QStringLiteral("ga"));
  EXPECT_EQ(List().ItemCount(), 1);
  EXPECT_EQ(Frame()->windowIcon().availableSizes().size(), 6);
}

TEST_F(ShellTest, ReturnSearchesAndTheStatusFollowsTheText) {
  StartOnSmallDictionary();
  EXPECT_EQ(Frame()->StatusLine()->text(), QStringLiteral("Enter text"));
  TypeAndReturn(QStringLiteral("r"));
  EXPECT_EQ(List().ItemCount(), 3);
  EXPECT_EQ(Frame()->SearchTextEdit()->toPlainText(), QStringLiteral("r"));
  EXPECT_EQ(Frame()->StatusLine()->text(), QStringLiteral("Click Search"));
  // A refused character: Return only takes the line break out.
  TypeAndReturn(QStringLiteral("g1"));
  EXPECT_EQ(Frame()->SearchTextEdit()->toPlainText(), QStringLiteral("g1"));
  EXPECT_EQ(Frame()->StatusLine()->text(), QStringLiteral("Error in Text"));
  EXPECT_EQ(List().ItemCount(), 3);
  // So is a text too long for a key, which stays in the edit whole, on one line.
  const QString tooLong(kKeyBytes, QLatin1Char('a'));
  TypeAndReturn(tooLong);
  EXPECT_EQ(Frame()->SearchTextEdit()->toPlainText(), tooLong);
  // ITRANS is converted before the search; a miss shows its message in the entry pane.
  Frame()->ItransCheck()->setChecked(true);
  TypeAndReturn(QStringLiteral("raa"));
  EXPECT_EQ(List().ItemCount(), 2);
  TypeAndReturn(QStringLiteral("xa"));
  EXPECT_EQ(EntryText(),
            "No matches found for <xa>, try to search on the first 1/1 letters of the word.");
  // Search with an empty edit: a box, and the list stays as it was.
  Frame()->SearchTextEdit()->clear();
  QTest::mouseClick(Frame()->SearchButton(), Qt::LeftButton);
  EXPECT_EQ(m_boxes, std::vector<std::string>{"Cannot do that: Please enter search text"});
  EXPECT_EQ(List().ItemCount(), 0);
}

// The list's selection reaches the entry pane; the copy command reaches it from the edit.
TEST_F(ShellTest, SelectionShowsTheEntryAndCopyWorksFromTheEdit) {
  StartOnSmallDictionary();
  TypeAndReturn(QStringLiteral("r"));
  // F6 from the search edit into the list: the first Down selects the first row.
  QTest::keyClick(Frame()->SearchTextEdit(), Qt::Key_F6);
  QTest::keyClick(ListView(), Qt::Key_Down);
  EXPECT_EQ(EntryText(), "r%Ama m. the hero of the epic; a name of Vishnu");
  QTest::keyClick(ListView(), Qt::Key_Down);
  EXPECT_EQ(EntryText(), "r%AmAyaNa n. the epic of r%Ama");
  // Words go out as the pane shows them, each with its separating space, by Ctrl+C,
  // Ctrl+Insert and the copy button alike: Sanskrit in IAST, or in Devanagari when the View
  // menu shows it so.
  EntryView()->repaint();
  for (int word : {1, 5}) ClickWord(word);
  Frame()->SearchTextEdit()->setFocus();
  const std::function<void()> copies[] = {
      [&] { QTest::keyClick(Frame()->SearchTextEdit(), Qt::Key_C, Qt::ControlModifier); },
      [&] { QTest::keyClick(Frame()->SearchTextEdit(), Qt::Key_Insert, Qt::ControlModifier); },
      [&] { QTest::mouseClick(Frame()->CopyButton(), Qt::LeftButton); }};
  for (const auto& copy : copies) {
    QApplication::clipboard()->setText(QStringLiteral("before"));
    copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(" n. rāma"));
  }
  Frame()->DevanagariEntriesAction()->trigger();
  EXPECT_EQ(EntryView()->Layout().m_wordSelected[5], 1);
  QTest::mouseClick(Frame()->CopyButton(), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(" n. राम"));
  // A click on the selected row shows its entry afresh: nothing selected.
  ClickRow(1);
  EXPECT_EQ(EntryView()->Layout().m_wordSelected[1], 0);
}

// Any script searches; the status line says whether the text reads, its tooltip how; a text
// that reads as no word is never searched for; a miss is quoted as typed.
TEST_F(ShellTest, TextInAnyScriptAndHowItWasRead) {
  StartOnSmallDictionary();
  QLabel* status = Frame()->StatusLine();
  for (const char* text : {"rAma", "rāma", "राम", "RĀMA", "rA-ma"}) {
    TypeAndReturn(QString::fromUtf8(text));
    EXPECT_EQ(List().ItemCount(), 1) << text;
    EXPECT_EQ(status->text(), QStringLiteral("Click Search"));
  }
  EXPECT_EQ(status->toolTip(), QString::fromUtf8("Read as Harvard-Kyoto: rāma राम\n"
                                                 "Key: rAma; loose key: rama"));
  TypeAndReturn(QString::fromUtf8("राम१"));
  EXPECT_EQ(status->text(), QStringLiteral("Error in Text"));
  EXPECT_EQ(
      status->toolTip(),
      QString::fromUtf8("Cannot read the text: digits are not letters: \"१\" at character 4"));
  QTest::mouseClick(Frame()->SearchButton(), Qt::LeftButton);
  EXPECT_EQ(List().ItemCount(), 1);
  EXPECT_TRUE(m_boxes.empty());
  TypeAndReturn(QStringLiteral("rama"));
  EXPECT_EQ(List().ItemCount(), 2);
  EXPECT_TRUE(status->toolTip().endsWith(QStringLiteral("begin with it loosely.")));
  Frame()->resize(900, 400);
  TypeAndReturn(QString::fromUtf8("गज्ञ"));
  EXPECT_EQ(EntryText(),
            "No matches found for <गज्ञ>, try to search on the first 2/3 letters of "
            "the word.");
  EntryView()->repaint();
  EXPECT_TRUE(test::SaveScreenshot(Frame()->grab().toImage(), "no_match_devanagari"));
}

// The two menu choices take effect at once and are there again at the next start.
TEST_F(ShellTest, LooseMatchingAndDevanagariEntriesAreRemembered) {
  Settings().setValue(QStringLiteral("Settings/SanskritInDevanagari"), true);
  StartOnSmallDictionary();
  EXPECT_TRUE(Frame()->DevanagariEntriesAction()->isChecked());
  EXPECT_EQ(EntryView()->Layout().Script(), SanskritScript::kDevanagari);
  EXPECT_FALSE(Frame()->LooseMatchingAction()->isChecked());
  TypeAndReturn(QStringLiteral("ra"));
  EXPECT_EQ(List().ItemCount(), 1);
  Frame()->LooseMatchingAction()->trigger();
  TypeAndReturn(QStringLiteral("ra"));
  EXPECT_EQ(List().ItemCount(), 3);  // ravi, then rAma and rAmAyaNa
  Frame()->DevanagariEntriesAction()->trigger();
  m_app.ExitInstance();
  EXPECT_TRUE(Settings().value(QStringLiteral("Settings/LooseMatching")).toBool());
  EXPECT_FALSE(Settings().value(QStringLiteral("Settings/SanskritInDevanagari")).toBool());
}

TEST_F(ShellTest, FontSizeAndDisplayStyleChoices) {
  test::CFixedDpi dpi(96, 96);
  StartOnSmallDictionary();
  EXPECT_EQ(Frame()->FontSizeBox()->currentText(), QStringLiteral("15"));
  EXPECT_EQ(Frame()->DisplayStyleBox()->currentText(), QStringLiteral("Devnag + translit"));
  EXPECT_EQ(Frame()->SearchTextFont().FaceName(), "ARIAL");
  EXPECT_EQ(Frame()->SearchTextFont().SizeTenths(), 180);

  // Every change of a box applies once, however made: the arrow keys or the wheel on the
  // closed box, a choice in its list (even an unchanged one), and for the size the zoom keys
  // and Ctrl+wheel anywhere in the window, which step it within its list.
  QSignalSpy applied(&List(), &QAbstractItemModel::modelReset);
  const auto zoom = [this](Qt::Key key) { QTest::keyClick(Frame(), key, Qt::ControlModifier); };
  const std::tuple<std::function<void()>, int, int> sizes[] = {
      {[&] { QTest::keyClick(Frame()->FontSizeBox(), Qt::Key_End); }, 40, 190},
      {[&] { zoom(Qt::Key_Plus); }, 40, 190},
      {[&] { zoom(Qt::Key_Minus); }, 30, 170},
      {[&] { zoom(Qt::Key_0); }, 15, 120},
      {[&] { Wheel(Frame()->FontSizeBox(), -120); }, 18, 140},
      {[&] { Wheel(EntryView()->viewport(), 240, Qt::ControlModifier); }, 30, 170},
      {[&] { Wheel(ListView()->viewport(), -60, Qt::ControlModifier); }, 30, 170},
      {[&] { Wheel(Frame()->SearchTextEdit()->viewport(), -60, Qt::ControlModifier); }, 20, 160}};
  for (const auto& [change, listSize, entryTenths] : sizes) {
    change();
    EXPECT_EQ(Frame()->FontSizeBox()->currentText().toInt(), listSize);
    EXPECT_EQ(List().FontSize(), listSize);
    EXPECT_EQ(EntryView()->Fonts().m_entryTranslitFont.SizeTenths(), entryTenths + 20);
  }
  // The style box lists its styles in another order than their values.
  Wheel(Frame()->DisplayStyleBox(), -120);
  EXPECT_EQ(List().DisplayStyle(), kStyleTranslit);
  QTest::keyClick(Frame()->DisplayStyleBox(), Qt::Key_Down);
  EXPECT_EQ(List().DisplayStyle(), kStyleDevanagari);
  Frame()->DisplayStyleBox()->showPopup();
  QTest::keyClick(Frame()->DisplayStyleBox()->view(), Qt::Key_Return);
  QTRY_COMPARE(applied.count(), 9);
}

// At 96 x 120 dpi (108 on average) the bar takes its large-font sizes.
TEST_F(ShellTest, LargeFontModeSizesTheSearchBar) {
  {
    test::CFixedDpi dpi(96, 120);
    StartOnSmallDictionary();
  }
  EXPECT_EQ(Frame()->ItransCheck()->width(), 106);
  EXPECT_EQ(Frame()->DisplayStyleBox()->width(), 174);
  EXPECT_EQ(Frame()->SearchTextEdit()->width(), 163);
  EXPECT_EQ(Frame()->SearchTextFont().SizeTenths(), 153);  // (10 * 180 / 108) * 96 / 10
}

TEST_F(ShellTest, DocumentWindowRefusesToCloseAndTheMenusAreThere) {
  StartOnSmallDictionary();
  CChildFrame* child = m_app.ChildFrame();
  QTRY_VERIFY(child->isMaximized());
  EXPECT_EQ(child->Splitter()->sizes().value(0), CChildFrame::kListColumnWidth);
  // The caption keeps the document's title, whatever the window menu does.
  for (QAction* arrange : Frame()->menuBar()->actions()[5]->menu()->actions()) {
    arrange->trigger();
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Kavivani V1.4 - [Untitled]"));
  }
  child->showMaximized();
  EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Kavivani V1.4 - [Untitled]"));
  EXPECT_FALSE(child->close());
  QTest::keyClick(child, Qt::Key_F4, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_TRUE(child->isVisible());
  EXPECT_EQ(Frame()->MdiArea()->subWindowList().size(), 1);
  QStringList menus;
  for (QAction* action : Frame()->menuBar()->actions()) menus << action->text();
  EXPECT_EQ(menus, (QStringList{"&Edit", "&View", "Hi&story", "F&avourites", "&Dictionary",
                                "&Window", "&Help"}));

  // F6 moves between the two panes.
  ListView()->setFocus();
  QTest::keyClick(Frame(), Qt::Key_F6);
  EXPECT_TRUE(EntryView()->hasFocus());
  QTest::keyClick(Frame(), Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_TRUE(ListView()->hasFocus());
  EXPECT_TRUE(Frame()->close());
}

TEST_F(ShellTest, CommandsWithoutMenuEntriesAndTheSettingsWrittenAtExit) {
  StartOnSmallDictionary();
  TypeAndReturn(QStringLiteral("ga"));
  for (int i = 0; i < 3; ++i) m_app.OnAppendSampleRow();
  ASSERT_EQ(List().ItemCount(), 4);
  EXPECT_STREQ(List().m_devanagariRows[1], List().m_devanagariRows[3]);
  while (List().ItemCount() < kMaxRows) m_app.OnAppendSampleRow();
  m_app.OnAppendSampleRow();
  EXPECT_EQ(List().ItemCount(), kMaxRows);
  m_app.OnResetListLook();
  EXPECT_EQ(List().FontSize(), 15);
  EXPECT_EQ(List().DisplayStyle(), kStyleTranslit);
  // Ctrl+S saves the empty document where the user says, never over a file of the dictionary
  // by any name nor over one of another dictionary; the name saved to heads the recent files.
  std::filesystem::create_symlink(m_dir.Path() / "kvtot2.txt", m_dir.Path() / "link.txt");
  const std::filesystem::path other = m_dir.Path() / "other";
  std::filesystem::create_directory(other);
  for (const char* name : kDictionaryFileNames) std::ofstream(other / name) << "kept\n";
  const auto entries = std::filesystem::file_size(m_dir.Path() / "kvtot2.txt");
  std::string saved;
  m_app.SetSaveFileAsker([&](QWidget*) { return QString::fromStdString(saved); });
  for (const char* name : {"kvtot2.txt", "link.txt", "other/kvindx.txt", "notes.kv"}) {
    saved = (m_dir.Path() / name).string();
    QTest::keyClick(Frame(), Qt::Key_S, Qt::ControlModifier);
  }
  EXPECT_EQ(m_boxes.size(), 3u);
  EXPECT_EQ(std::filesystem::file_size(m_dir.Path() / "kvtot2.txt"), entries);
  EXPECT_EQ(std::filesystem::file_size(other / "kvindx.txt"), 5u);
  ASSERT_TRUE(std::filesystem::exists(saved));
  EXPECT_EQ(std::filesystem::file_size(saved), 0u);
  m_app.ExitInstance();
  EXPECT_EQ(Settings().value(QStringLiteral("Recent File List/File1")).toString().toStdString(),
            saved);
  EXPECT_TRUE(Settings().contains(QStringLiteral("Settings/PreviewPages")));
}

// Searching while typing, when chosen: each accepted change searches, nothing else does.
TEST_F(ShellTest, SearchAsYouType) {
  StartOnSmallDictionary();
  Frame()->SearchAsYouTypeAction()->trigger();
  QTest::keyClicks(Frame()->SearchTextEdit(), QStringLiteral("rA"));
  QTRY_COMPARE(List().ItemCount(), 2);
  QTest::keyClicks(Frame()->SearchTextEdit(), QStringLiteral("1"));
  QCoreApplication::processEvents();
  EXPECT_EQ(List().ItemCount(), 2);
  QTest::keyClicks(Frame()->SearchTextEdit(), QStringLiteral("\b\b"));
  QTRY_COMPARE(List().ItemCount(), 3);
}

// Help shows the page beside the program in the program's own viewer, titled by the page,
// its links moving within it, Escape closing it; a message names the file only when there is
// none.
TEST_F(ShellTest, HelpShowsThePageInItsOwnViewer) {
  StartOnSmallDictionary();
  const QString page = QCoreApplication::applicationFilePath() + QStringLiteral(".html");
  QFile::remove(page);
  Frame()->OnHelp();
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_NE(m_boxes[0].find(page.toStdString()), std::string::npos);
  ASSERT_TRUE(QFile::copy(QStringLiteral(KV_TEST_DATA_DIR "/../../src/shell/kavivani.html"), page));
  Frame()->OnHelp();
  QFile::remove(page);
  QTextBrowser* browser = Frame()->HelpViewer()->Browser();
  EXPECT_TRUE(Frame()->HelpViewer()->isVisible());
  EXPECT_EQ(Frame()->HelpViewer()->windowTitle(), QStringLiteral("Kavivani help"));
  const QTextCursor link =
      browser->document()->find(QStringLiteral("Keys"), 0, QTextDocument::FindCaseSensitively);
  QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                    browser->cursorRect(link).center() + QPoint(0, 1));
  EXPECT_GT(browser->verticalScrollBar()->value(), 0);
  QTest::keyClick(browser, Qt::Key_Escape);
  EXPECT_FALSE(Frame()->HelpViewer()->isVisible());
}

// The first window is wide enough for the whole search bar; narrowed as far as it goes, no
// control leaves the bar; its size and place, and searching as you type, are kept for the
// next run.
TEST_F(ShellTest, WindowFitsTheSearchBarAndIsPlacedAsLastTime) {
  StartOnSmallDictionary();
  EXPECT_GE(Frame()->width(), Frame()->SearchBarMinimumWidth() + 160);
  Frame()->resize(200, 400);
  QTRY_COMPARE(Frame()->width(), Frame()->SearchBarMinimumWidth());
  QCoreApplication::processEvents();
  EXPECT_TRUE(Frame()->DisplayStyleBox()->isVisible() && Frame()->StatusLine()->isVisible() &&
              Frame()->CopyButton()->isVisible());
  Frame()->setGeometry(40, 50, 700, 420);
  Frame()->SearchAsYouTypeAction()->trigger();
  m_app.ExitInstance();
  CShabdaApp again;
  ASSERT_TRUE(again.InitInstance());
  EXPECT_EQ(again.MainFrame()->geometry(), QRect(40, 50, 700, 420));
  EXPECT_TRUE(again.MainFrame()->SearchAsYouTypeAction()->isChecked());
  again.ExitInstance();
}

// The Dictionary menu as a user works it: opened, an item clicked.
QStringList OpenMenuAndClick(QMenu* menu, const QString& item) {
  menu->popup(QPoint(0, 0));
  EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
  QStringList items;
  for (QAction* action : menu->actions()) {
    items << action->text() + (action->isChecked() ? " *" : "");
    if (action->text() == item) {
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }
  }
  menu->hide();
  return items;
}

// Two dictionaries in the user's folder, one imported from our own records: the menu lists
// both and switches between them without a restart; the choice is opened at the next start,
// and once it has gone the first found is opened without a word.
TEST_F(ShellTest, DictionaryMenuSwitchesAndTheNextStartOpensTheChoice) {
  test::CTempDir dataHome;
  test::CTempDir empty;
  const std::filesystem::path collection = dataHome.Path() / "kavivani";
  ASSERT_TRUE(ImportCologneFile(KV_TEST_DATA_DIR "/import/angle_tags.txt",
                                (collection / "lexicon").string(), false)
                  .m_wroteFiles);
  WriteSmallDictionary();
  std::filesystem::create_directory_symlink(m_dir.Path(), collection / "small");
  qputenv("XDG_DATA_HOME", dataHome.Path().c_str());
  StartIn(empty.Path());
  EXPECT_TRUE(m_boxes.empty());

  TypeAndReturn(QStringLiteral("ag"));
  ASSERT_EQ(List().ItemCount(), 2);
  QTest::mouseClick(ListView()->viewport(), Qt::LeftButton, {},
                    ListView()->visualRect(List().index(0)).center());
  EXPECT_TRUE(EntryText().starts_with("%agni ; m. fire"));
  auto* menu = Frame()->findChild<CDictionaryMenu*>();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(OpenMenuAndClick(menu, QStringLiteral("small")), (QStringList{"lexicon *", "small"}));
  EXPECT_EQ(List().ItemCount(), 0);
  EXPECT_EQ(EntryText(), "");
  TypeAndReturn(QStringLiteral("ga"));
  EXPECT_EQ(List().ItemCount(), 1);
  m_app.FindInEntries(QStringLiteral("epic"));  // in the dictionary now open
  EXPECT_EQ(Frame()->StatusLine()->text(), QStringLiteral("2 entries matched"));
  EXPECT_EQ(OpenMenuAndClick(menu, QString()), (QStringList{"lexicon", "small *"}));
  m_app.ExitInstance();

  auto folderAtStart = [&] {
    CShabdaApp app;
    EXPECT_TRUE(app.InitInstance());
    const std::string folder = std::filesystem::path(app.Dictionary().Folder()).filename();
    app.ExitInstance();
    return folder;
  };
  EXPECT_EQ(folderAtStart(), "small");
  std::filesystem::remove(collection / "small");
  EXPECT_EQ(folderAtStart(), "lexicon");
  EXPECT_TRUE(m_boxes.empty());
  QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("KVANI"))
      .clear();
}

// Ctrl+F on the sample: the box asks for the words, the entry chosen shows them marked (copy
// still takes the selection) until a headword search replaces the list; a refused query says why.
TEST_F(ShellTest, FindInEntriesListsMarksAndRefusesBadQueries) {
  StartIn(KV_BUILD_DIR);
  Frame()->resize(1100, 640);
  FindThroughTheBox(QStringLiteral("fire"));
  EXPECT_EQ(List().index(0).data().toString(), QString::fromUtf8("agni\u00A0"));
  EXPECT_EQ(Frame()->StatusLine()->text(), QStringLiteral("5 entries matched"));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  ClickRow(0);
  EntryView()->repaint();
  const auto marked = [this] {
    std::string words;
    const CEntryLayout& l = EntryView()->Layout();
    for (int i = 0; i < l.PieceCount(); ++i)
      if (l.Piece(i).marked)
        words += EntryText().substr(static_cast<std::size_t>(l.Piece(i).start), 5) + "|";
    return words;
  };
  EXPECT_EQ(marked(), " fire| fire| fire|");
  ClickWord(1);
  QTest::mouseClick(Frame()->CopyButton(), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral(" fire"));
  EXPECT_TRUE(test::SaveScreenshot(Frame()->grab().toImage(), "find_in_entries"));
  for (const QString& text : {QString(), QStringLiteral(" ... !? "), QString(10000, 'a')}) {
    m_app.FindInEntries(text);
    EXPECT_TRUE(
        Frame()->StatusLine()->toolTip().endsWith(QStringLiteral("\nNothing was searched for.")));
    EXPECT_EQ(List().ItemCount(), 5);
    EXPECT_EQ(marked(), " fire| fire| fire|");
  }
  TypeAndReturn(QStringLiteral("agni"));
  EXPECT_EQ(marked(), "");
  m_app.FindInEntries(QStringLiteral("quixotic"));
  EXPECT_EQ(Frame()->StatusLine()->text(), QStringLiteral("No entries found for <quixotic>."));
}

// On the sample: a search, an entry, Ctrl+F "fire", agni chosen; Alt+Left returns to the list
// of the find and then to the search's, each with its selection and entry, as far as the first
// step; Alt+Right and the mouse's buttons go forward again, the find's marks with its entry.
TEST_F(ShellTest, BackAndForwardThroughSearchesFindsAndEntries) {
  StartIn(KV_BUILD_DIR);
  TypeAndReturn(QStringLiteral("dharma"));
  ClickRow(2);
  const std::string dharma = EntryText();
  const QString dharmaList = List().index(0).data().toString();
  FindThroughTheBox(QStringLiteral("fire"));
  Frame()->activateWindow();  // as the window manager does when the box closes
  ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
  ClickRow(0);
  const std::string agni = EntryText();
  ASSERT_TRUE(agni.find("fire") != std::string::npos);
  const auto shows = [&](const char* list, int selected, const std::string& entry) {
    EXPECT_EQ(List().index(0).data().toString(),
              list == std::string("agni") ? QStringLiteral("agni\u00A0") : dharmaList);
    EXPECT_EQ(m_app.FoundView()->GetCurSel(), selected);
    EXPECT_EQ(EntryText(), entry);
  };
  const auto key = [this](Qt::Key arrow) {
    QTest::keyClick(ListView(), arrow, Qt::AltModifier);
  };
  QAction* back = Frame()->HistoryMenu()->BackAction();
  QAction* forward = Frame()->HistoryMenu()->ForwardAction();
  EXPECT_FALSE(forward->isEnabled());
  key(Qt::Key_Left);
  shows("agni", -1, dharma);
  EXPECT_EQ(Frame()->StatusLine()->text(), QStringLiteral("5 entries matched"));
  key(Qt::Key_Left);
  shows("dharma", 2, dharma);
  EXPECT_EQ(Frame()->SearchTextEdit()->toPlainText(), QStringLiteral("dharma"));
  key(Qt::Key_Left);
  shows("dharma", -1, "");
  EXPECT_FALSE(back->isEnabled());
  key(Qt::Key_Left);  // at the first step: nothing
  shows("dharma", -1, "");
  key(Qt::Key_Right);
  QTest::mouseClick(ListView()->viewport(), Qt::ForwardButton);
  shows("agni", -1, dharma);
  key(Qt::Key_Right);
  shows("agni", 0, agni);
  EntryView()->repaint();
  int marks = 0;
  for (int i = 0; i < EntryView()->Layout().PieceCount(); ++i) {
    marks += EntryView()->Layout().Piece(i).marked ? 1 : 0;
  }
  EXPECT_EQ(marks, 3);  // the three words "fire", marked again
  EXPECT_FALSE(forward->isEnabled());
  key(Qt::Key_Right);  // at the last step: nothing
  shows("agni", 0, agni);
  QTest::mouseClick(EntryView()->viewport(), Qt::BackButton);
  shows("agni", -1, dharma);
  // A new search there drops the steps ahead.
  TypeAndReturn(QStringLiteral("agni"));
  EXPECT_FALSE(forward->isEnabled());
}

// The History menu lists the headwords viewed, the Favourites menu those added; both are kept
// for the dictionary across a restart, without the steps; a headword the dictionary no longer
// holds is left out, and a damaged value is read as far as it can be.
TEST_F(ShellTest, HistoryMenuAndFavouritesAcrossARestart) {
  StartOnSmallDictionary();
  TypeAndReturn(QStringLiteral("r"));
  ClickRow(0);
  ClickRow(2);
  CFavouritesMenu* favourites = Frame()->FavouritesMenu();
  EXPECT_FALSE(favourites->RemoveAction()->isEnabled());
  QTest::keyClick(ListView(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_FALSE(favourites->AddAction()->isEnabled());
  EXPECT_TRUE(favourites->RemoveAction()->isEnabled());
  ClickRow(1);
  QTest::keyClick(ListView(), Qt::Key_D, Qt::ControlModifier);
  QTest::keyClick(ListView(), Qt::Key_D, Qt::ControlModifier);  // there already: nothing
  EXPECT_EQ(OpenMenuAndClick(Frame()->HistoryMenu(), QString()),
            (QStringList{"&Back", "&Forward", "", "rāmāyaṇa  रामायण", "ravi  रवि",
                         "rāma  राम"}));
  m_app.ExitInstance();

  // The next run: the lists, and no step to go back to.
  CShabdaApp again;
  ASSERT_TRUE(again.InitInstance());
  EXPECT_FALSE(again.MainFrame()->HistoryMenu()->BackAction()->isEnabled());
  CFavouritesMenu* kept = again.MainFrame()->FavouritesMenu();
  EXPECT_EQ(OpenMenuAndClick(kept, QStringLiteral("ravi  रवि")),
            (QStringList{"&Add to Favourites", "&Remove from Favourites", "",
                         "ravi  रवि", "rāmāyaṇa  रामायण"}));
  EXPECT_EQ(std::string(again.EntryView()->Text()), "r%avi m. the sun");
  EXPECT_EQ(again.MainFrame()->SearchTextEdit()->toPlainText(), QStringLiteral("ravi"));
  kept->RemoveAction()->trigger();
  EXPECT_TRUE(kept->AddAction()->isEnabled());
  again.ExitInstance();

  // rAmAyaNa gone from the dictionary, and the values damaged around what can still be read.
  test::WriteFiles(m_dir, test::LayOut({{"rAma", "r%Ama m."}, {"ravi", "r%avi m. the sun"}}));
  QSettings settings = Settings();
  settings.beginGroup(QStringLiteral("Viewed"));
  ASSERT_EQ(settings.childKeys().size(), 1);
  settings.setValue(settings.childKeys()[0], QString::fromUtf8("\x01\n9 rA\u00E9ma\nxx\n0 rAma\n"));
  settings.endGroup();
  settings.sync();
  CShabdaApp third;
  ASSERT_TRUE(third.InitInstance());
  EXPECT_EQ(OpenMenuAndClick(third.MainFrame()->FavouritesMenu(), QString()).mid(3),
            QStringList{"No favourites"});
  EXPECT_EQ(OpenMenuAndClick(third.MainFrame()->HistoryMenu(), QStringLiteral("rāma  राम")).mid(3),
            QStringList{"rāma  राम"});
  EXPECT_EQ(std::string(third.EntryView()->Text()), "r%Ama m.");
  third.ExitInstance();
}

// The picture in the README: the sample dictionary, a search done, an entry with a few words
// selected.
TEST_F(ShellTest, ScreenshotOfASearchOnTheSampleDictionary) {
  ASSERT_TRUE(QFileInfo::exists(QStringLiteral(KV_BUILD_DIR "/kvlist.txt")))
      << "the sample is built first";
  StartIn(KV_BUILD_DIR);
  Frame()->resize(1100, 640);
  QTRY_VERIFY(m_app.ChildFrame()->isMaximized());
  TypeAndReturn(QStringLiteral("dharma"));
  ClickRow(2);
  ASSERT_TRUE(EntryText().starts_with("m. (from the root"));
  EntryView()->repaint();
  for (int word : {5, 6, 11}) {
    ClickWord(word);
    EXPECT_EQ(EntryView()->Layout().m_wordSelected[word], 1);
  }
  EXPECT_TRUE(test::SaveScreenshot(Frame()->grab().toImage(), "kavivani"));
  Frame()->DevanagariEntriesAction()->trigger();
  EntryView()->repaint();
  EXPECT_TRUE(test::SaveScreenshot(Frame()->grab().toImage(), "kavivani_devanagari"));
  Frame()->DevanagariEntriesAction()->trigger();
}

// At twice the pixel density (shell_tests_x2) the window fits its bar on the screen, and text,
// button faces, icons and cursors are drawn in the screen's own pixels, not scaled up.
TEST_F(ShellTest, OnAScaledScreenEverythingFitsAndIsDrawnSharp) {
  StartOnSmallDictionary();
  ASSERT_EQ(Frame()->devicePixelRatio(), 2);
  EXPECT_LE(Frame()->width(), Frame()->screen()->availableGeometry().width());
  EXPECT_TRUE(Frame()->StatusLine()->isVisible() && Frame()->CopyButton()->isVisible());
  TypeAndReturn(QStringLiteral("gaja"));
  ClickRow(0);
  EntryView()->repaint();
  QTest::mouseMove(EntryView()->viewport(), WordCentre(0));
  const QCursor hand = EntryView()->viewport()->cursor();
  EXPECT_EQ(hand.pixmap().size(), QSize(64, 64));
  EXPECT_EQ(hand.hotSpot(), QPoint(6, 0));
  // A picture scaled up from half the pixels comes back the same from half the pixels.
  const auto drawnSharp = [](const QImage& image, const QRect& area) {
    QImage part = image.copy(area).convertToFormat(QImage::Format_RGB32);
    part.setDevicePixelRatio(1);
    return part != part.scaled(part.size() / 2).scaled(part.size());
  };
  EXPECT_TRUE(drawnSharp(Frame()->SearchButton()->grab().toImage(), QRect(8, 8, 24, 44)));  // face
  EXPECT_TRUE(drawnSharp(Frame()->CopyButton()->grab().toImage(), QRect(0, 0, 68, 60)));
  EXPECT_TRUE(drawnSharp(hand.pixmap().toImage(), QRect(0, 0, 64, 64)));
}

}  // namespace
}  // namespace kv
