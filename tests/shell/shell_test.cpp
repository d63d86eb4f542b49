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
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "controls/hover_button.h"
#include "display/found_list_box.h"
#include "import/cologne_import.h"
#include "platform/message_box.h"
#include "qt_support.h"
#include "shell/child_frame.h"
#include "shell/dictionary_menu.h"
#include "shell/main_frame.h"
#include "shell/shabda_app.h"
#include "test_files.h"

namespace kv {
namespace {

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
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

  CMainFrame* Frame() const { return m_app.MainFrame(); }
  CFoundListModel& List() const { return m_app.FoundView()->Model(); }
  QListView* ListView() const { return m_app.FoundView()->List(); }
  CShabdaView* EntryView() const { return m_app.EntryView(); }
  std::string EntryText() const { return EntryView()->Text(); }

  void TypeAndReturn(const QString& text) {
    QPlainTextEdit* edit = Frame()->SearchTextEdit();
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void ClickWord(int word) {
    const CEntryLayout& layout = EntryView()->Layout();
    QTest::mouseClick(EntryView()->viewport(), Qt::LeftButton, {},
                      QPoint((layout.m_wordLeft[word] + layout.m_wordRight[word]) / 2,
                             (layout.m_wordTop[word] + layout.m_wordBottom[word]) / 2));
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
  ListView()->setFocus();
  QTest::keyClick(ListView(), Qt::Key_Down);
  EXPECT_EQ(EntryText(), "r%AmAyaNa n. the epic of r%Ama");
  // Words go out as the entry stores them, each with its separating space, by Ctrl+C,
  // Ctrl+Insert and the copy button alike.
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
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral(" n. r%Ama"));
  }
}

TEST_F(ShellTest, FontSizeAndDisplayStyleChoices) {
  test::CFixedDpi dpi(96, 96);
  StartOnSmallDictionary();
  EXPECT_EQ(Frame()->FontSizeBox()->currentText(), QStringLiteral("15"));
  EXPECT_EQ(Frame()->DisplayStyleBox()->currentText(), QStringLiteral("Devnag + translit"));
  EXPECT_EQ(Frame()->SearchTextFont().FaceName(), "ARIAL");
  EXPECT_EQ(Frame()->SearchTextFont().SizeTenths(), 180);

  // A size choice sets the list and the entry pane; the style box lists its styles in
  // another order than their values. Both take effect when the list closes.
  Frame()->FontSizeBox()->setCurrentIndex(6);
  Frame()->OnFontSizeCloseUp();
  EXPECT_EQ(List().FontSize(), 40);
  EXPECT_EQ(EntryView()->Fonts().m_entryFont.SizeTenths(), 190);
  EXPECT_EQ(EntryView()->Fonts().m_entryTranslitFont.SizeTenths(), 210);
  Frame()->DisplayStyleBox()->setCurrentIndex(1);
  Frame()->OnDisplayStyleCloseUp();
  EXPECT_EQ(List().DisplayStyle(), kStyleTranslit);
  Frame()->DisplayStyleBox()->setCurrentIndex(2);
  Frame()->OnDisplayStyleCloseUp();
  EXPECT_EQ(List().DisplayStyle(), kStyleDevanagari);
  Frame()->FontSizeBox()->showPopup();
  QTest::keyClick(Frame()->FontSizeBox()->view(), Qt::Key_Up);
  QTest::keyClick(Frame()->FontSizeBox()->view(), Qt::Key_Return);
  QTRY_COMPARE(List().FontSize(), 30);
  EXPECT_EQ(EntryView()->Fonts().m_entryFont.SizeTenths(), 170);
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
  EXPECT_TRUE(Frame()->windowTitle().startsWith(QStringLiteral("Kavivani V1.4")));
  EXPECT_FALSE(child->close());
  QTest::keyClick(child, Qt::Key_F4, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_TRUE(child->isVisible());
  EXPECT_EQ(Frame()->MdiArea()->subWindowList().size(), 1);
  QStringList menus;
  for (QAction* action : Frame()->menuBar()->actions()) menus << action->text();
  EXPECT_EQ(menus, (QStringList{"&Edit", "&Dictionary", "&Window", "&Help"}));

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
  // Ctrl+S saves the empty document where the user says; the name heads the recent files.
  const std::string saved = (m_dir.Path() / "notes.kv").string();
  m_app.SetSaveFileAsker([&](QWidget*) { return QString::fromStdString(saved); });
  QTest::keyClick(Frame(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(std::filesystem::exists(saved));
  EXPECT_EQ(std::filesystem::file_size(saved), 0u);
  m_app.ExitInstance();
  QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                     QStringLiteral("KVANI"));
  EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File1")).toString().toStdString(),
            saved);
  EXPECT_TRUE(settings.contains(QStringLiteral("Settings/PreviewPages")));
  settings.clear();
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

// The picture in the README: the sample dictionary, a search done, an entry with a few words
// selected.
TEST_F(ShellTest, ScreenshotOfASearchOnTheSampleDictionary) {
  ASSERT_TRUE(QFileInfo::exists(QStringLiteral(KV_BUILD_DIR "/kvlist.txt")))
      << "the sample is built first";
  StartIn(KV_BUILD_DIR);
  Frame()->resize(1100, 640);
  QTRY_VERIFY(m_app.ChildFrame()->isMaximized());
  TypeAndReturn(QStringLiteral("dharma"));
  QTest::mouseClick(ListView()->viewport(), Qt::LeftButton, {},
                    ListView()->visualRect(List().index(2)).center());
  ASSERT_TRUE(EntryText().starts_with("m. (from the root"));
  EntryView()->repaint();
  for (int word : {5, 6, 11}) {
    ClickWord(word);
    EXPECT_EQ(EntryView()->Layout().m_wordSelected[word], 1);
  }
  EXPECT_TRUE(test::SaveScreenshot(Frame()->grab().toImage(), "kavivani"));
}

}  // namespace
}  // namespace kv
