// The found list: its model and item delegate (found_list_box), and the pane that shows it
// (found_view).
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "dictionary/dictionary.h"
#include "dictionary/list_strings.h"
#include "display/found_list_box.h"
#include "display/found_view.h"
#include "qt_support.h"
#include "test_files.h"

namespace kv {
namespace {

using test::CFixedDpi;
using test::InkBounds;

void ExpectFonts(const CFoundListModel& list, int devanagariTenths, int translitTenths) {
  EXPECT_EQ(list.DevanagariFont().FaceName(), "xdvng");
  EXPECT_EQ(list.DevanagariFont().SizeTenths(), devanagariTenths);
  EXPECT_EQ(list.TranslitFont().FaceName(), "IITS");
  EXPECT_EQ(list.TranslitFont().SizeTenths(), translitTenths);
}

TEST(FoundListModel, FontsFollowTheSizeTheStyleAndTheScreen) {
  CFoundListModel list;
  {
    CFixedDpi fixed(96, 96);
    list.SetFontSize(15);  // its Devanagari is made a little larger
    ExpectFonts(list, 158, 130);
    list.SetFontSize(20);
    ExpectFonts(list, 200, 180);
    // A size outside the table keeps the metrics and the fonts' sizes; so does a style.
    const int height = list.ItemHeight();
    list.SetFontSize(12);
    list.SetDisplayStyle(kStyleTranslit);
    EXPECT_EQ(list.ItemHeight(), height);
    ExpectFonts(list, 200, 180);
  }
  // Large-font screens scale both, without the exception of size 15.
  CFixedDpi fixed(120, 120);
  list.SetFontSize(15);
  ExpectFonts(list, 115, 96);
}

TEST(FoundListModel, RowsReachTheViewThroughDataRoles) {
  CFoundListModel list;
  for (int i = 0; i < kMaxRows; ++i) {
    MakeListStrings(i == 1 ? "kavi" : "ka", list.m_translitRows[i], list.m_devanagariRows[i],
                    kRowBytes);
    list.m_entryOffsets[i] = 100 * i;
    ASSERT_EQ(list.AddRow(), i);
  }
  EXPECT_EQ(list.AddRow(), -1);
  EXPECT_EQ(list.rowCount(), kMaxRows);
  const QModelIndex row = list.index(1);
  EXPECT_EQ(row.data(CFoundListModel::kTranslitRole).toString(), QString::fromUtf8("kavi\u00A0"));
  EXPECT_EQ(row.data(Qt::DisplayRole), row.data(CFoundListModel::kTranslitRole));
  EXPECT_EQ(row.data(CFoundListModel::kDevanagariRole).toString(), QString::fromUtf8("कवि\u00A0"));
  EXPECT_EQ(row.data(CFoundListModel::kEntryOffsetRole).toInt(), 100);
  EXPECT_FALSE(list.index(kMaxRows).data().isValid());
}

class FoundItemDrawTest : public testing::Test {
 protected:
  static constexpr int kWidth = 360;

  void SetUp() override {
    m_list.SetFontSize(15);
    MakeListStrings("kRSNa", m_list.m_translitRows[0], m_list.m_devanagariRows[0], kRowBytes);
    m_list.AddRow();
  }

  QImage Draw(int style, bool selected = false) {
    m_list.SetDisplayStyle(style);
    QImage image(kWidth, m_list.ItemHeight(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    FoundItemPaint item;
    item.rect = QRect(0, 0, kWidth, m_list.ItemHeight());
    item.selected = selected;
    item.devanagari = m_list.index(0).data(CFoundListModel::kDevanagariRole).toString();
    item.translit = m_list.index(0).data(CFoundListModel::kTranslitRole).toString();
    m_delegate.DrawItem(painter, item);
    return image;
  }

  CFixedDpi m_dpi{96, 96};
  CFoundListModel m_list;
  CFoundItemDelegate m_delegate{m_list};
};

TEST_F(FoundItemDrawTest, StylesPlaceTheTwoTexts) {
  EXPECT_EQ(Draw(kStyleBoth, true).pixelColor(kWidth - 1, 0), QColor(180, 200, 200));
  // Any style other than both and transliteration draws the Devanagari alone, centred below
  // the top inset: half the inset lower than centred on the whole row.
  const QImage devanagari = Draw(kStyleDevanagari);
  EXPECT_EQ(Draw(7), devanagari);
  const QRect ink = InkBounds(devanagari, Qt::white);
  QImage centred(kWidth, m_list.ItemHeight(), QImage::Format_RGB32);
  centred.fill(Qt::white);
  {
    QPainter painter(&centred);
    painter.setFont(m_list.DevanagariFont().Font());
    painter.drawText(centred.rect(), Qt::AlignVCenter,
                     m_list.index(0).data(CFoundListModel::kDevanagariRole).toString());
  }
  EXPECT_EQ(ink.top() - InkBounds(centred, Qt::white).top(), m_list.TextOffsetY() / 2);
  // The transliteration alone is centred on the whole row.
  const QImage translit = Draw(kStyleTranslit);
  const QRect translitInk = InkBounds(translit, Qt::white);
  EXPECT_GE(translitInk.left(), m_list.TextOffsetX());

  // Both: the Devanagari as alone, then the transliteration moved right to where the
  // Devanagari's advance ends (the row's closing no-break space included).
  const QImage both = Draw(kStyleBoth);
  const int advance =
      QFontMetrics(m_list.DevanagariFont().Font(), &both)
          .horizontalAdvance(m_list.index(0).data(CFoundListModel::kDevanagariRole).toString());
  ASSERT_GT(advance, 0);
  for (int y = 0; y < both.height(); ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const QRgb expected = x < translitInk.left() + advance ? devanagari.pixel(x, y)
                                                             : translit.pixel(x - advance, y);
      ASSERT_EQ(both.pixel(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_GT(translitInk.left() + advance, ink.right());
}

// Four buckets (kR, ka, kI, kS) in the order that the one-letter key "k" lists them. They
// carry conjuncts, reph, the i-sign before a cluster and long vowels.
const test::SHeadword kHeadwords[] = {
    {"kRSNa", "%kRSNa black, dark; name of a hero"},
    {"karma", "%karma act, action, work; fate"},
    {"kanyA", "%kanyA girl, daughter"},
    {"kavi", "%kavi wise; poet"},
    {"kIrti", "%kIrti fame, renown"},
    {"kSatriya", "%kSatriya ruling; a man of the warrior order"},
};
constexpr int kHeadwordCount = 6;

class FoundViewTest : public testing::Test {
 protected:
  void SetUp() override {
    test::WriteFiles(m_dir, test::LayOut({std::begin(kHeadwords), std::end(kHeadwords)}));
    ASSERT_TRUE(m_dictionary.Open(m_dir.Path().string()));
    m_view.resize(300, 240);
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
  }

  SearchOutcome Search(const char* text) { return List().Search({text, false}, m_dictionary); }
  CFoundListModel& List() { return m_view.Model(); }
  QRect RowRect(int row) const {
    return m_view.List()->visualRect(m_view.List()->model()->index(row, 0));
  }
  void ClickRow(int row) {
    QTest::mouseClick(m_view.List()->viewport(), Qt::LeftButton, {}, RowRect(row).center());
  }
  QImage Grab() { return m_view.grab().toImage(); }
  std::string Entry() { return List().EntryText(); }

  CFixedDpi m_dpi{96, 96};
  test::CTempDir m_dir;
  CDictionary m_dictionary;
  CFoundView m_view{m_dictionary};
};

TEST_F(FoundViewTest, MouseAndArrowKeysRetrieveTheEntryOfTheSelectedRow) {
  // The list covers the pane and starts at size 15 with both scripts.
  EXPECT_EQ(m_view.List()->geometry(), m_view.rect());
  m_view.resize(200, 120);
  EXPECT_EQ(m_view.List()->geometry(), QRect(0, 0, 200, 120));
  EXPECT_EQ(List().FontSize(), 15);
  EXPECT_EQ(List().DisplayStyle(), kStyleBoth);
  m_view.resize(300, 240);
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  QSignalSpy retrieved(&List(), &CFoundListModel::EntryRetrieved);
  ClickRow(1);
  EXPECT_EQ(m_view.GetCurSel(), 1);
  EXPECT_EQ(Entry(), kHeadwords[1].entry);
  ASSERT_EQ(retrieved.count(), 1);
  EXPECT_EQ(retrieved[0][0].value<const char*>(), kHeadwords[1].entry);
  const QImage shown = Grab();
  EXPECT_TRUE(test::SaveScreenshot(shown, "found_list_selected"));
  EXPECT_EQ(shown.pixelColor(RowRect(1).bottomRight() - QPoint(1, 1)), QColor(180, 200, 200));
  EXPECT_NE(shown.pixelColor(RowRect(2).bottomRight() - QPoint(1, 1)), QColor(180, 200, 200));

  for (const auto& [key, row] : std::vector<std::pair<Qt::Key, int>>{
           {Qt::Key_Down, 2}, {Qt::Key_Down, 3}, {Qt::Key_Up, 2}, {Qt::Key_Home, 0}}) {
    QTest::keyClick(m_view.List(), key);
    EXPECT_EQ(Entry(), kHeadwords[row].entry);
  }
  ClickRow(5);
  EXPECT_EQ(Entry(), kHeadwords[5].entry);
  EXPECT_EQ(retrieved.count(), 6);
  // A click on the selected row reads its entry again, as every click does.
  ClickRow(5);
  EXPECT_EQ(retrieved.count(), 7);
}

TEST_F(FoundViewTest, SizeChangeRemeasuresTheRowsDropsTheSelectionAndKeepsTheEntry) {
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  ClickRow(3);
  ASSERT_EQ(Entry(), kHeadwords[3].entry);
  QSignalSpy retrieved(&List(), &CFoundListModel::EntryRetrieved);
  List().SetFontSize(40);
  EXPECT_EQ(m_view.GetCurSel(), -1);
  EXPECT_EQ(List().ItemCount(), kHeadwordCount);
  EXPECT_EQ(RowRect(0).height(), List().ItemHeight());
  EXPECT_EQ(Entry(), kHeadwords[3].entry);
  List().SetDisplayStyle(kStyleTranslit);
  EXPECT_EQ(RowRect(5).height(), List().ItemHeight());
  EXPECT_EQ(retrieved.count(), 0);
  ClickRow(0);
  EXPECT_EQ(Entry(), kHeadwords[0].entry);
}

TEST_F(FoundViewTest, AppendedRowKeepsTheOffsetItsRowHeld) {
  const auto appendAndShow = [this] {
    const int n = List().ItemCount();
    MakeListStrings("dradhratrathravrabrabhracrachra", List().m_translitRows[n],
                    List().m_devanagariRows[n], kRowBytes);
    ClickRow(List().AddRow());
    return Entry();
  };
  // Before any search every offset is 0, the first entry's.
  EXPECT_EQ(appendAndShow(), kHeadwords[0].entry);
  // After a search of six rows and one of three, row 3 holds the fourth row's offset still.
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  ASSERT_EQ(Search("ka"), SearchOutcome::kFound);
  EXPECT_EQ(appendAndShow(), kHeadwords[3].entry);
}

TEST_F(FoundViewTest, SearchWithoutHitEmptiesTheListAndAnnouncesItsMessage) {
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  ClickRow(0);
  QSignalSpy retrieved(&List(), &CFoundListModel::EntryRetrieved);
  QSignalSpy changed(&List(), &CFoundListModel::EntryTextChanged);
  EXPECT_EQ(Search("xy"), SearchOutcome::kNoMatch);
  EXPECT_EQ(List().ItemCount(), 0);
  EXPECT_EQ(m_view.GetCurSel(), -1);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(std::string(changed[0][0].value<const char*>()).substr(0, 24),
            "No matches found for <xy");
  // An empty list takes arrow keys without retrieving anything; hits clear the message, and
  // leave an entry being read as it is.
  m_view.List()->setFocus();
  QTest::keyClick(m_view.List(), Qt::Key_Down);
  EXPECT_EQ(Search("ka"), SearchOutcome::kFound);
  EXPECT_EQ(retrieved.count(), 0);
  ASSERT_EQ(changed.count(), 2);
  EXPECT_STREQ(changed[1][0].value<const char*>(), "");
  ClickRow(1);
  EXPECT_EQ(Search("k"), SearchOutcome::kFound);
  EXPECT_EQ(changed.count(), 2);
}

}  // namespace
}  // namespace kv
