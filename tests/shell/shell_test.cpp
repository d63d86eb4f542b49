#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/hover_button.h"
#include "display/entry_fonts.h"
#include "display/found_list_box.h"
#include "display/shabda_view.h"
#include "platform/message_box.h"
#include "platform/screen_dpi.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "shell/shabda_app.h"
#include "shell/shell_globals.h"
#include "test_files.h"

namespace kv {
namespace {

struct ShownBox {
  std::string text;
  std::string caption;
};

// A small dictionary: 'rA' (two headwords), 'ra' and 'ga' buckets, with entries that carry
// Sanskrit words and paragraphs.
void WriteSmallDictionary(const test::CTempDir& dir) {
  test::WriteDictionary(dir, {{"rAma", "r%Ama m. the hero of the epic; a name of Vishnu"},
                              {"rAmAyaNa", "r%AmAyaNa n. the epic of r%Ama"},
                              {"ravi", "r%avi m. the sun"},
                              {"gaja", "g%aja m. an elephant"}});
}

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previousDir = QDir::currentPath();
    SetMessageBoxHook([this](QWidget*, const QString& text, const QString& caption, MessageIcon) {
      m_boxes.push_back({text.toStdString(), caption.toStdString()});
    });
  }
  void TearDown() override {
    g_app.ExitInstance();
    ResetMessageBoxHook();
    qputenv("XDG_DATA_HOME", KV_BUILD_DIR "/tests/shell");
    QDir::setCurrent(m_previousDir);
  }

  void StartIn(const test::CTempDir& dir) {
    QDir::setCurrent(QString::fromStdString(dir.Path().string()));
    ASSERT_TRUE(g_app.InitInstance());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(g_app.MainFrame()));
    QCoreApplication::processEvents();
  }

  void StartOnSmallDictionary() {
    WriteSmallDictionary(m_dir);
    StartIn(m_dir);
  }

  static void ClickWord(int word) {
    CShabdaView* view = g_app.m_pEntryView;
    const CEntryLayout& layout = view->Layout();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint((layout.m_wordLeft[word] + layout.m_wordRight[word]) / 2,
                             (layout.m_wordTop[word] + layout.m_wordBottom[word]) / 2));
  }

  void TypeAndReturn(const QString& text) {
    g_searchTextEdit->setFocus();
    g_searchTextEdit->clear();
    QTest::keyClicks(g_searchTextEdit, text);
    QTest::keyClick(g_searchTextEdit, Qt::Key_Return);
  }

  static std::string EntryText() { return g_foundList.m_entryText; }
  static QListView* List() { return g_foundList.Widget(); }

  test::CTempDir m_dir;
  QString m_previousDir;
  std::vector<ShownBox> m_boxes;
};

TEST_F(ShellTest, MissingFilesAreReportedInOrderAndTheWindowStillOpens) {
  test::CTempDir empty;
  StartIn(empty);
  ASSERT_EQ(m_boxes.size(), 3u);
  EXPECT_EQ(m_boxes[0].text, "Could not open file <kvlist.txt>\n Did you install the dictionary?");
  EXPECT_EQ(m_boxes[1].text, "Could not open file <kvindx.txt>\n Did you install the dictionary?");
  EXPECT_EQ(m_boxes[2].text, "Could not open file <kvtot2.txt>\n Did you install the dictionary?");
  for (const auto& box : m_boxes) EXPECT_EQ(box.caption, "Error");
  EXPECT_TRUE(g_app.MainFrame()->isVisible());
  EXPECT_EQ(g_foundList.ItemCount(), 0);

  // A search then says which file is missing where the entry would be.
  TypeAndReturn(QStringLiteral("rAm"));
  EXPECT_EQ(EntryText(), "Could not open file <kvlist.txt>\n Did you install the dictionary?");
}

// Started from a directory without a dictionary, as from a desktop menu, the program reads
// the user's and shows its own icon.
TEST_F(ShellTest, UserDictionaryFromAnyDirectoryAndTheProgramIcon) {
  WriteSmallDictionary(m_dir);
  test::CTempDir dataHome;
  test::CTempDir empty;
  std::filesystem::create_directory(dataHome.Path() / "kavivani");
  std::filesystem::create_directory_symlink(m_dir.Path(), dataHome.Path() / "kavivani" / "mine");
  qputenv("XDG_DATA_HOME", dataHome.Path().c_str());
  StartIn(empty);
  EXPECT_TRUE(m_boxes.empty());
  TypeAndReturn(QStringLiteral("ga"));
  EXPECT_EQ(g_foundList.ItemCount(), 1);
  EXPECT_EQ(g_app.MainFrame()->windowIcon().availableSizes().size(), 6);
}

TEST_F(ShellTest, ReturnSearchesAndTheStatusFollowsTheText) {
  StartOnSmallDictionary();
  EXPECT_TRUE(m_boxes.empty());
  EXPECT_EQ(g_statusLine->text(), QStringLiteral("Enter text"));

  TypeAndReturn(QStringLiteral("r"));
  EXPECT_EQ(g_foundList.ItemCount(), 3);
  EXPECT_EQ(g_searchTextEdit->toPlainText(), QStringLiteral("r"));
  EXPECT_EQ(g_statusLine->text(), QStringLiteral("Click Search"));

  // A refused character: Return only takes the line break out.
  TypeAndReturn(QStringLiteral("g1"));
  EXPECT_EQ(g_searchTextEdit->toPlainText(), QStringLiteral("g1"));
  EXPECT_EQ(g_statusLine->text(), QStringLiteral("Error in Text"));
  EXPECT_EQ(g_foundList.ItemCount(), 3);

  // ITRANS is converted before the search.
  g_itransCheck->setChecked(true);
  TypeAndReturn(QStringLiteral("raa"));
  EXPECT_EQ(g_foundList.ItemCount(), 2);
  TypeAndReturn(QStringLiteral("xa"));
  EXPECT_EQ(g_foundList.ItemCount(), 0);
  EXPECT_EQ(EntryText(),
            "No matches found for <xa>, try to search on the first 1/1 letters of the word.");
  g_itransCheck->setChecked(false);

  // Search with an empty edit: a box, and the list stays as it was.
  TypeAndReturn(QStringLiteral("ga"));
  ASSERT_EQ(g_foundList.ItemCount(), 1);
  g_searchTextEdit->clear();
  EXPECT_EQ(g_statusLine->text(), QStringLiteral("Enter Text"));
  QTest::mouseClick(g_searchButton, Qt::LeftButton);
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0].text, "Please enter search text");
  EXPECT_EQ(m_boxes[0].caption, "Cannot do that");
  EXPECT_EQ(g_foundList.ItemCount(), 1);
}

TEST_F(ShellTest, KeyboardSelectionShowsEntriesAndCopyWorksFromTheEdit) {
  StartOnSmallDictionary();
  TypeAndReturn(QStringLiteral("r"));
  ASSERT_EQ(g_foundList.ItemCount(), 3);

  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Down);
  EXPECT_EQ(EntryText(), "r%AmAyaNa n. the epic of r%Ama");
  QTest::keyClick(List(), Qt::Key_Up);
  EXPECT_EQ(EntryText(), "r%Ama m. the hero of the epic; a name of Vishnu");
  QTest::keyClick(List(), Qt::Key_Down);
  ASSERT_EQ(EntryText(), "r%AmAyaNa n. the epic of r%Ama");

  // Click the second word (" n.") and the last (" r%Ama"), then copy from the search edit.
  CShabdaView* view = g_app.m_pEntryView;
  ASSERT_NE(view, nullptr);
  view->repaint();
  const CEntryLayout& layout = view->Layout();
  ASSERT_EQ(layout.m_wordCount, 6);
  for (int word : {1, 5}) ClickWord(word);
  EXPECT_EQ(layout.m_wordSelected[1], 1);
  EXPECT_EQ(layout.m_wordSelected[5], 1);

  QApplication::clipboard()->setText(QStringLiteral("before"));
  g_searchTextEdit->setFocus();
  QTest::keyClick(g_searchTextEdit, Qt::Key_C, Qt::ControlModifier);
  // Words go out as the entry stores them, each with its separating space.
  QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied, QStringLiteral(" n. r%Ama"));

  // Ctrl+Insert and the copy button run the same command.
  QApplication::clipboard()->setText(QStringLiteral("before"));
  QTest::keyClick(g_searchTextEdit, Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), copied);
  QApplication::clipboard()->setText(QStringLiteral("before"));
  QTest::mouseClick(g_copyButton, Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), copied);
}

TEST_F(ShellTest, FontSizeAndDisplayStyleChoices) {
  StartOnSmallDictionary();
  EXPECT_EQ(g_fontSizeBox->currentText(), QStringLiteral("15"));
  EXPECT_EQ(g_displayStyleBox->currentText(), QStringLiteral("Devnag + translit"));
  EXPECT_EQ(g_searchTextFont.FaceName(), "ARIAL");
  EXPECT_EQ(g_searchTextFont.SizeTenths(), 180);

  TypeAndReturn(QStringLiteral("r"));
  List()->setCurrentIndex(List()->model()->index(0, 0));
  std::string entry = EntryText();
  ASSERT_FALSE(entry.empty());

  g_fontSizeBox->setCurrentIndex(6);
  g_app.MainFrame()->OnFontSizeCloseUp();
  EXPECT_EQ(g_entryFont.SizeTenths(), 190);
  EXPECT_EQ(g_entryTranslitFont.SizeTenths(), 210);
  EXPECT_EQ(g_foundList.m_fontSize, 40);
  EXPECT_EQ(g_foundList.m_itemHeight, 75);
  EXPECT_EQ(g_foundList.GetCurSel(), -1);
  EXPECT_EQ(g_foundList.ItemCount(), 3);
  EXPECT_EQ(EntryText(), entry);

  // The style box lists its styles in another order than their values.
  g_displayStyleBox->setCurrentIndex(1);
  g_app.MainFrame()->OnDisplayStyleCloseUp();
  EXPECT_EQ(g_foundList.m_displayStyle, kStyleTranslit);
  g_displayStyleBox->setCurrentIndex(2);
  g_app.MainFrame()->OnDisplayStyleCloseUp();
  EXPECT_EQ(g_foundList.m_displayStyle, kStyleDevanagari);
  EXPECT_EQ(g_listTranslitFont.SizeTenths(), 380);

  // Closing the list after a choice runs the handler with the new choice.
  g_fontSizeBox->showPopup();
  QTest::keyClick(g_fontSizeBox->view(), Qt::Key_Up);
  QTest::keyClick(g_fontSizeBox->view(), Qt::Key_Return);
  QTRY_COMPARE(g_foundList.m_fontSize, 30);
  EXPECT_EQ(g_entryFont.SizeTenths(), 170);
}

// At 120 dpi the bar takes its large-font sizes; the averaged dpi decides the mode.
TEST_F(ShellTest, LargeFontModeSizesTheSearchBar) {
  SetDpiSource([] { return LogicalDpi{96, 120}; });
  StartOnSmallDictionary();
  SetDpiSource(nullptr);
  EXPECT_EQ(g_itransCheck->width(), 106);
  EXPECT_EQ(g_displayStyleBox->width(), 174);
  EXPECT_EQ(g_searchTextEdit->width(), 163);
  // (10 * 180 / 108) * 96 / 10 with truncation at each step.
  EXPECT_EQ(g_searchTextFont.SizeTenths(), 153);

  // Font-size choices scale the entry fonts the same way.
  SetDpiSource([] { return LogicalDpi{120, 120}; });
  g_fontSizeBox->setCurrentIndex(2);
  g_app.MainFrame()->OnFontSizeCloseUp();
  SetDpiSource(nullptr);
  EXPECT_EQ(g_entryFont.SizeTenths(), 96);
  EXPECT_EQ(g_entryTranslitFont.SizeTenths(), 105);
}

TEST_F(ShellTest, DocumentWindowRefusesToCloseAndTheMenusAreThere) {
  StartOnSmallDictionary();
  CChildFrame* child = g_app.ChildFrame();
  ASSERT_NE(child, nullptr);
  QTRY_VERIFY(child->isMaximized());
  EXPECT_EQ(child->Splitter()->sizes().value(0), CChildFrame::kListColumnWidth);
  EXPECT_TRUE(g_app.MainFrame()->windowTitle().startsWith(QStringLiteral("Kavivani V1.4")));

  EXPECT_FALSE(child->close());
  QTest::keyClick(child, Qt::Key_F4, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_TRUE(child->isVisible());
  EXPECT_EQ(g_app.MainFrame()->MdiArea()->subWindowList().size(), 1);

  QStringList menus;
  for (QAction* action : g_app.MainFrame()->menuBar()->actions()) menus << action->text();
  EXPECT_EQ(menus, (QStringList{"&Edit", "&Window", "&Help"}));

  // F6 moves between the two panes.
  List()->setFocus();
  QTest::keyClick(g_app.MainFrame(), Qt::Key_F6);
  EXPECT_TRUE(g_app.m_pEntryView->hasFocus());
  QTest::keyClick(g_app.MainFrame(), Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_TRUE(List()->hasFocus());

  // The main window itself closes.
  EXPECT_TRUE(g_app.MainFrame()->close());
}

TEST_F(ShellTest, CommandsWithoutMenuEntries) {
  StartOnSmallDictionary();
  TypeAndReturn(QStringLiteral("ga"));
  ASSERT_EQ(g_foundList.ItemCount(), 1);
  for (int i = 0; i < 3; ++i) g_app.OnAppendSampleRow();
  ASSERT_EQ(g_foundList.ItemCount(), 4);
  EXPECT_STREQ(g_foundList.m_translitRows[1], g_foundList.m_translitRows[3]);
  EXPECT_STREQ(g_foundList.m_devanagariRows[2], g_foundList.m_devanagariRows[3]);
  // Selecting such a row shows no stale entry.
  List()->setCurrentIndex(List()->model()->index(3, 0));
  EXPECT_EQ(EntryText(), "");

  while (g_foundList.ItemCount() < kMaxRows) g_app.OnAppendSampleRow();
  g_app.OnAppendSampleRow();
  EXPECT_EQ(g_foundList.ItemCount(), kMaxRows);

  g_app.OnResetListLook();
  EXPECT_EQ(g_foundList.m_fontSize, 15);
  EXPECT_EQ(g_foundList.m_displayStyle, kStyleTranslit);
  EXPECT_EQ(g_fontSizeBox->currentText(), QStringLiteral("15"));
  EXPECT_EQ(g_displayStyleBox->currentText(), QStringLiteral("Devnag + translit"));
}

TEST_F(ShellTest, SavingTheEmptyDocumentAndTheSettings) {
  StartOnSmallDictionary();
  std::string saved = (m_dir.Path() / "notes.kv").string();
  g_app.SetSaveFileAsker([&](QWidget*) { return QString::fromStdString(saved); });
  QTest::keyClick(g_app.MainFrame(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(std::filesystem::exists(saved));
  EXPECT_EQ(std::filesystem::file_size(saved), 0u);
  EXPECT_EQ(g_app.RecentFiles().value(0).toStdString(), saved);

  g_app.ExitInstance();
  QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                     QStringLiteral("KVANI"));
  EXPECT_TRUE(
      settings.fileName().contains(QStringLiteral("Local AppWizard-Generated Applications")));
  EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File1")).toString().toStdString(),
            saved);
  EXPECT_TRUE(settings.contains(QStringLiteral("Settings/PreviewPages")));
  settings.clear();
}

// The picture in the README: the sample dictionary, a search done, an entry with a few words
// selected.
TEST_F(ShellTest, ScreenshotOfASearchOnTheSampleDictionary) {
  QDir::setCurrent(QStringLiteral(KV_BUILD_DIR));
  ASSERT_TRUE(QFileInfo::exists(QStringLiteral("kvlist.txt"))) << "the sample is built first";
  ASSERT_TRUE(g_app.InitInstance());
  g_app.MainFrame()->resize(1100, 640);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(g_app.MainFrame()));
  QTRY_VERIFY(g_app.ChildFrame()->isMaximized());
  TypeAndReturn(QStringLiteral("dharma"));
  ASSERT_GT(g_foundList.ItemCount(), 1);
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                    List()->visualRect(List()->model()->index(2, 0)).center());
  ASSERT_TRUE(EntryText().starts_with("m. (from the root"));

  CShabdaView* view = g_app.m_pEntryView;
  view->repaint();
  const CEntryLayout& layout = view->Layout();
  ASSERT_GT(layout.m_wordCount, 12);
  for (int word : {5, 6, 11}) {
    ClickWord(word);
    EXPECT_EQ(layout.m_wordSelected[word], 1);
  }
  QImage shot = g_app.MainFrame()->grab().toImage();
  QDir(QStringLiteral(KV_BUILD_DIR)).mkpath(QStringLiteral("screenshots"));
  EXPECT_TRUE(shot.save(QStringLiteral(KV_BUILD_DIR "/screenshots/kavivani.png")));
}

}  // namespace
}  // namespace kv
