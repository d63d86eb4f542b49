#include "display/found_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/headword_search.h"
#include "dictionary/line_reader.h"
#include "dictionary/list_strings.h"
#include "display/found_list_box.h"
#include "found_list_test_support.h"
#include "test_files.h"

namespace kv {
namespace {

using test::CFixedDpi;
using test::CTempDir;

struct Headword {
  const char* indexLine;
  const char* iast;  // the transliteration the row must show
  const char* entry;
};

// Four buckets (kR, ka, kI, kS) in the order that the one-letter key "k" lists them. They
// carry conjuncts, reph, the i-sign before a cluster and long vowels.
const Headword kHeadwords[] = {
    {"kRSNa", "kṛṣṇa", "%kRSNa black, dark; name of a hero"},
    {"karma", "karma", "%karma act, action, work; fate"},
    {"kanyA", "kanyā", "%kanyA girl, daughter"},
    {"kavi", "kavi", "%kavi wise; poet"},
    {"kIrti", "kīrti", "%kIrti fame, renown"},
    {"kSatriya", "kṣatriya", "%kSatriya ruling; a man of the warrior order"},
};
constexpr int kHeadwordCount = 6;

class FoundViewTest : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<test::SHeadword> words;
    for (const Headword& word : kHeadwords) words.push_back({word.indexLine, word.entry});
    test::WriteDictionary(m_dir, words);
    ASSERT_TRUE(m_listReader.Open((m_dir.Path() / "kvlist.txt").c_str()));
    ASSERT_TRUE(m_indexReader.Open((m_dir.Path() / "kvindx.txt").c_str()));
    ASSERT_TRUE(m_textReader.Open((m_dir.Path() / "kvtot2.txt").c_str()));

    m_view = std::make_unique<CFoundView>(m_textReader);
    m_view->resize(300, 240);
    m_view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
  }

  SearchOutcome Search(const char* text) {
    return RunHeadwordSearch(SearchInput{text, false}, m_listReader, m_indexReader, g_foundList,
                             g_foundList, g_foundList.m_entryText);
  }

  QListView* List() const { return g_foundList.Widget(); }
  QPoint RowCentre(int row) const {
    return List()->visualRect(List()->model()->index(row, 0)).center();
  }
  void ClickRow(int row) {
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, RowCentre(row));
  }
  QImage Grab() const { return m_view->grab().toImage(); }

  CFixedDpi m_dpi{96, 96};
  CTempDir m_dir;
  CLineReader m_listReader{2048};
  CLineReader m_indexReader{2048};
  CLineReader m_textReader{2048};
  std::unique_ptr<CFoundView> m_view;
};

TEST_F(FoundViewTest, PaneMakesTheListItsFontsAndTheEntryBuffer) {
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(List()->parentWidget(), m_view.get());
  EXPECT_EQ(List()->geometry(), m_view->rect());
  m_view->resize(200, 120);
  EXPECT_EQ(List()->geometry(), QRect(0, 0, 200, 120));

  EXPECT_EQ(g_foundList.m_fontSize, 15);
  EXPECT_EQ(g_foundList.m_itemHeight, 29);
  EXPECT_EQ(g_foundList.m_displayStyle, 0);
  EXPECT_EQ(g_listDevanagariFont.SizeTenths(), 158);
  EXPECT_EQ(g_listTranslitFont.SizeTenths(), 130);
  ASSERT_NE(g_foundList.m_entryText, nullptr);
  EXPECT_STREQ(g_foundList.m_entryText, "");
  EXPECT_EQ(g_foundList.ItemCount(), 0);

  m_view.reset();
  EXPECT_EQ(g_foundList.Widget(), nullptr);
  EXPECT_EQ(g_foundList.m_entryText, nullptr);
  EXPECT_EQ(g_foundList.ItemCount(), 0);
}

TEST_F(FoundViewTest, SearchRowsAreDrawnInEveryStyle) {
  const QImage blank = Grab();
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  ASSERT_EQ(g_foundList.ItemCount(), kHeadwordCount);
  for (int r = 0; r < kHeadwordCount; ++r) {
    EXPECT_EQ(
        DecodeForCodePage(BoundedString(g_foundList.m_translitRows[r], kRowBytes), CodePage::kIits),
        QString::fromUtf8(kHeadwords[r].iast) + QChar(0xA0));
  }

  const auto shots = std::filesystem::path(KV_BUILD_DIR) / "screenshots";
  std::filesystem::create_directories(shots);
  QImage styles[3];
  for (int style : {0, 1, 2}) {
    g_foundList.SetDisplayStyle(style);
    QApplication::processEvents();
    styles[style] = Grab();
    EXPECT_TRUE(styles[style].save(QString::fromStdString(
        (shots / ("found_list_style" + std::to_string(style) + ".png")).string())));
    // Every row carries ink of its own in its band.
    for (int r = 0; r < kHeadwordCount; ++r) {
      const QRect band = List()->visualRect(List()->model()->index(r, 0));
      EXPECT_EQ(band.height(), 29);
      EXPECT_NE(styles[style].copy(band), blank.copy(band)) << "style " << style << " row " << r;
    }
  }
  EXPECT_NE(styles[0], styles[1]);
  EXPECT_NE(styles[1], styles[2]);
  EXPECT_NE(styles[0], styles[2]);
}

TEST_F(FoundViewTest, MouseAndArrowKeysRetrieveTheEntryOfTheSelectedRow) {
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  QSignalSpy retrieved(m_view.get(), &CFoundView::EntryRetrieved);

  ClickRow(1);
  EXPECT_EQ(g_foundList.GetCurSel(), 1);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[1].entry);
  EXPECT_EQ(retrieved.count(), 1);
  const QImage shown = Grab();
  const auto shots = std::filesystem::path(KV_BUILD_DIR) / "screenshots";
  std::filesystem::create_directories(shots);
  shown.save(QString::fromStdString((shots / "found_list_selected.png").string()));
  const QRect band = List()->visualRect(List()->model()->index(1, 0));
  EXPECT_EQ(shown.pixelColor(band.right() - 1, band.bottom() - 1), QColor(180, 200, 200));
  EXPECT_NE(shown.pixelColor(band.right() - 1, band.bottom() + 2), QColor(180, 200, 200));

  QTest::keyClick(List(), Qt::Key_Down);
  EXPECT_EQ(g_foundList.GetCurSel(), 2);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[2].entry);
  EXPECT_EQ(retrieved.count(), 2);

  QTest::keyClick(List(), Qt::Key_Down);
  QTest::keyClick(List(), Qt::Key_Down);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[4].entry);
  EXPECT_EQ(retrieved.count(), 4);

  QTest::keyClick(List(), Qt::Key_Up);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[3].entry);
  QTest::keyClick(List(), Qt::Key_Home);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[0].entry);
  EXPECT_EQ(retrieved.count(), 6);

  ClickRow(5);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[5].entry);
  EXPECT_EQ(retrieved.count(), 7);
}

TEST_F(FoundViewTest, SizeChangeDropsTheSelectionAndKeepsTheEntry) {
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  QSignalSpy retrieved(m_view.get(), &CFoundView::EntryRetrieved);
  ClickRow(3);
  ASSERT_STREQ(g_foundList.m_entryText, kHeadwords[3].entry);

  g_foundList.SetFontSize(20);
  EXPECT_EQ(g_foundList.GetCurSel(), -1);
  EXPECT_EQ(g_foundList.ItemCount(), kHeadwordCount);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[3].entry);
  EXPECT_EQ(List()->visualRect(List()->model()->index(0, 0)).height(), 38);
  EXPECT_EQ(retrieved.count(), 1);

  ClickRow(0);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[0].entry);
  EXPECT_EQ(retrieved.count(), 2);
}

TEST_F(FoundViewTest, AppendedRowWithoutOffsetShowsAnEmptyEntry) {
  QSignalSpy retrieved(m_view.get(), &CFoundView::EntryRetrieved);
  // Before any search, and after one: the appended row has no entry of its own.
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    if (pass == 1) {
      ASSERT_EQ(Search("k"), SearchOutcome::kFound);
    }
    ClickRow(0);
    const int n = g_foundList.ItemCount();
    MakeListStrings("dradhratrathravrabrabhracrachra", g_foundList.m_translitRows[n],
                    g_foundList.m_devanagariRows[n], kRowBytes);
    ASSERT_EQ(g_foundList.AddRow(), n);
    ClickRow(n);
    EXPECT_EQ(g_foundList.GetCurSel(), n);
    EXPECT_STREQ(g_foundList.m_entryText, "");
  }
  EXPECT_GE(retrieved.count(), 3);
  ClickRow(2);
  EXPECT_STREQ(g_foundList.m_entryText, kHeadwords[2].entry);
}

TEST_F(FoundViewTest, SearchWithoutHitEmptiesTheList) {
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  ClickRow(0);
  QSignalSpy retrieved(m_view.get(), &CFoundView::EntryRetrieved);
  EXPECT_EQ(Search("xy"), SearchOutcome::kNoMatch);
  EXPECT_EQ(g_foundList.ItemCount(), 0);
  EXPECT_EQ(g_foundList.GetCurSel(), -1);
  EXPECT_EQ(retrieved.count(), 0);
  // An empty list takes arrow keys without retrieving anything.
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Down);
  EXPECT_EQ(retrieved.count(), 0);
  EXPECT_EQ(QString::fromLatin1(g_foundList.m_entryText).left(24), "No matches found for <xy");
}

}  // namespace
}  // namespace kv
