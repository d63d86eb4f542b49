#include "display/found_list_box.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QItemSelectionModel>
#include <QListView>
#include <QPainter>
#include <cstring>

#include "dictionary/line_reader.h"
#include "dictionary/list_strings.h"
#include "found_list_test_support.h"

namespace kv {
namespace {

using test::CFixedDpi;
using test::InkBounds;

constexpr int kSizes[] = {10, 13, 15, 18, 20, 30, 40};

void ExpectFonts(int devanagariTenths, int translitTenths) {
  EXPECT_TRUE(g_listDevanagariFont.HoldsFont());
  EXPECT_EQ(g_listDevanagariFont.FaceName(), "xdvng");
  EXPECT_EQ(g_listDevanagariFont.SizeTenths(), devanagariTenths);
  EXPECT_TRUE(g_listTranslitFont.HoldsFont());
  EXPECT_EQ(g_listTranslitFont.FaceName(), "IITS");
  EXPECT_EQ(g_listTranslitFont.SizeTenths(), translitTenths);
}

TEST(FoundListBoxTest, FontSizeTakesItsTableRowAndMakesBothFonts) {
  CFixedDpi fixed(96, 96);
  CFoundListBox list;
  EXPECT_EQ(list.m_fontSize, 0);
  EXPECT_EQ(list.m_displayStyle, 0);

  const int heights[] = {19, 24, 29, 35, 38, 60, 75};
  const int offsetsX[] = {4, 5, 6, 7, 8, 12, 15};
  const int offsetsY[] = {8, 9, 10, 11, 13, 22, 25};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(kSizes[i]);
    list.SetFontSize(kSizes[i]);
    EXPECT_EQ(list.m_fontSize, kSizes[i]);
    EXPECT_EQ(list.m_itemHeight, heights[i]);
    EXPECT_EQ(list.MeasureItem(), heights[i]);
    EXPECT_EQ(list.m_textOffsetX, offsetsX[i]);
    EXPECT_EQ(list.m_textOffsetY, offsetsY[i]);
    ExpectFonts(kSizes[i] == 15 ? 158 : 10 * kSizes[i], 10 * (kSizes[i] - 2));
  }

  // A size outside the table keeps the metrics but still remakes the fonts.
  list.SetFontSize(20);
  g_listDevanagariFont.DeleteObject();
  g_listTranslitFont.DeleteObject();
  list.SetFontSize(12);
  EXPECT_EQ(list.m_fontSize, 20);
  EXPECT_EQ(list.m_itemHeight, 38);
  EXPECT_EQ(list.m_textOffsetX, 8);
  EXPECT_EQ(list.m_textOffsetY, 13);
  ExpectFonts(200, 180);
}

TEST(FoundListBoxTest, LargeFontScreensScaleBothFontsWithoutThe158Exception) {
  CFoundListBox list;
  {
    CFixedDpi fixed(120, 120);
    list.SetFontSize(15);
    ExpectFonts(115, 96);
    list.SetFontSize(40);
    ExpectFonts(316, 297);  // 4000 / 120 = 33, 3800 / 120 = 31
  }
  {
    CFixedDpi fixed(96, 96);
    list.SetFontSize(15);
    ExpectFonts(158, 130);
  }
}

TEST(FoundListBoxTest, DisplayStyleKeepsTheFontSizesOfTheCurrentSize) {
  CFoundListBox list;
  {
    CFixedDpi fixed(96, 96);
    list.SetFontSize(15);
    for (int style : {1, 2, 0, 7}) {
      SCOPED_TRACE(style);
      list.SetDisplayStyle(style);
      EXPECT_EQ(list.m_displayStyle, style);
      ExpectFonts(158, 130);
      EXPECT_EQ(list.m_itemHeight, 29);
    }
  }
  {
    CFixedDpi fixed(120, 120);
    list.SetFontSize(15);
    list.SetDisplayStyle(2);
    ExpectFonts(115, 96);
  }
}

TEST(FoundListBoxTest, WithoutWidgetThereAreNoItems) {
  CFoundListBox list;
  EXPECT_EQ(list.Widget(), nullptr);
  EXPECT_EQ(list.AddRow(), -1);
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.GetCurSel(), -1);
  list.DeleteAllRows();
  char text[16] = "old";
  list.m_entryText = text;
  CLineReader reader(16);
  EXPECT_FALSE(list.RetrieveRowEntry(0, reader));
  EXPECT_STREQ(text, "old");
  list.m_entryText = nullptr;
}

TEST(FoundListBoxTest, ItemsStopAtTheRowCapacity) {
  CFoundListBox list;
  ASSERT_TRUE(list.Create(nullptr));
  EXPECT_FALSE(list.Create(nullptr));
  for (int i = 0; i < kMaxRows; ++i) ASSERT_EQ(list.AddRow(), i);
  EXPECT_EQ(list.AddRow(), -1);
  EXPECT_EQ(list.ItemCount(), kMaxRows);
  EXPECT_EQ(list.Widget()->model()->rowCount(), kMaxRows);
  list.DeleteAllRows();
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.AddRow(), 0);
  list.DestroyWidget();
  EXPECT_EQ(list.Widget(), nullptr);
  EXPECT_EQ(list.ItemCount(), 0);
}

TEST(FoundListBoxTest, RemeasuringKeepsRowsAndOffsetsAndDropsTheSelection) {
  CFixedDpi fixed(96, 96);
  CFoundListBox list;
  ASSERT_TRUE(list.Create(nullptr));
  list.SetFontSize(15);
  list.DeleteAllRows();
  for (int i = 0; i < 3; ++i) {
    MakeListStrings(i == 1 ? "karma" : "kavi", list.m_translitRows[i], list.m_devanagariRows[i],
                    kRowBytes);
    list.m_entryOffsets[i] = 100 * i;
    list.AddRow();
  }
  char translit1[kRowBytes];
  std::memcpy(translit1, list.m_translitRows[1], kRowBytes);
  QListView* view = list.Widget();
  EXPECT_EQ(view->sizeHintForRow(0), 29);

  view->selectionModel()->select(view->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
  EXPECT_EQ(list.GetCurSel(), 1);
  list.SetFontSize(20);
  EXPECT_EQ(list.ItemCount(), 3);
  EXPECT_EQ(list.GetCurSel(), -1);
  EXPECT_EQ(view->sizeHintForRow(2), 38);

  view->selectionModel()->select(view->model()->index(2, 0), QItemSelectionModel::ClearAndSelect);
  EXPECT_EQ(list.GetCurSel(), 2);
  list.SetDisplayStyle(2);
  EXPECT_EQ(list.ItemCount(), 3);
  EXPECT_EQ(list.GetCurSel(), -1);
  EXPECT_EQ(view->sizeHintForRow(1), 38);

  EXPECT_EQ(std::memcmp(translit1, list.m_translitRows[1], kRowBytes), 0);
  EXPECT_EQ(list.m_entryOffsets[0], 0);
  EXPECT_EQ(list.m_entryOffsets[1], 100);
  EXPECT_EQ(list.m_entryOffsets[2], 200);

  // Emptying the list for a new search forgets every offset, so a row appended later
  // without one reads as having none.
  list.DeleteAllRows();
  for (int offset : list.m_entryOffsets) ASSERT_EQ(offset, kNoEntryOffset);
  list.DestroyWidget();
}

class FoundListDrawTest : public testing::Test {
 protected:
  static constexpr int kWidth = 360;

  void SetUp() override {
    m_list.SetFontSize(15);
    MakeListStrings("kRSNa", m_list.m_translitRows[0], m_list.m_devanagariRows[0], kRowBytes);
  }

  QImage Draw(int style, int index = 0, bool selected = false) {
    m_list.m_displayStyle = style;
    QImage image(kWidth, m_list.m_itemHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    FoundItemPaint item;
    item.index = index;
    item.rect = QRect(0, 0, kWidth, m_list.m_itemHeight);
    item.selected = selected;
    m_list.DrawItem(painter, item);
    return image;
  }

  CFixedDpi m_dpi{96, 96};
  CFoundListBox m_list;
};

TEST_F(FoundListDrawTest, IndexOutsideTheRowsDrawsNothing) {
  QImage blank(kWidth, m_list.m_itemHeight, QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(Draw(0, -1, true), blank);
  EXPECT_EQ(Draw(0, kMaxRows, true), blank);
  EXPECT_NE(Draw(0, 0), blank);
}

TEST_F(FoundListDrawTest, SelectedRowIsFilledWithTheSelectionColour) {
  const QImage selected = Draw(0, 0, true);
  EXPECT_EQ(selected.pixelColor(kWidth - 1, 0), QColor(180, 200, 200));
  EXPECT_EQ(selected.pixelColor(0, m_list.m_itemHeight - 1), QColor(180, 200, 200));
  const QImage plain = Draw(0, 0, false);
  EXPECT_EQ(plain.pixelColor(kWidth - 1, 0), QColor(Qt::white));
}

TEST_F(FoundListDrawTest, StylesPlaceTheTwoTexts) {
  // Any style other than 0 and 2 draws the Devanagari alone.
  const QImage devanagari = Draw(1);
  EXPECT_EQ(Draw(7), devanagari);
  EXPECT_EQ(Draw(-1), devanagari);

  // The Devanagari is centred below the top inset: removing the inset lifts it by half.
  const QRect inset = InkBounds(devanagari, Qt::white);
  m_list.m_textOffsetY = 0;
  const QRect noInset = InkBounds(Draw(1), Qt::white);
  EXPECT_EQ(inset.top() - noInset.top(), 5);
  EXPECT_EQ(inset.left(), noInset.left());

  // The transliteration alone ignores the top inset.
  const QImage translitNoInset = Draw(2);
  m_list.m_textOffsetY = 10;
  const QImage translit = Draw(2);
  EXPECT_EQ(translit, translitNoInset);
  EXPECT_GE(InkBounds(translit, Qt::white).left(), m_list.m_textOffsetX);

  // Both: the Devanagari as alone, then the transliteration of style 2 moved right to
  // where the Devanagari's advance ends (the row's closing no-break space included).
  const QImage both = Draw(0);
  const QString devanagariText =
      DecodeForCodePage(BoundedString(m_list.m_devanagariRows[0], kRowBytes), CodePage::kXdvng);
  const int advance =
      QFontMetrics(g_listDevanagariFont.Font(), &both).horizontalAdvance(devanagariText);
  ASSERT_GT(advance, 0);
  const QRect translitInk = InkBounds(translit, Qt::white);
  for (int y = 0; y < both.height(); ++y) {
    for (int x = 0; x < inset.right() + 1; ++x) {
      if (x < translitInk.left() + advance) {
        ASSERT_EQ(both.pixel(x, y), devanagari.pixel(x, y)) << x << "," << y;
      }
    }
    for (int x = translitInk.left(); x + advance < kWidth; ++x) {
      ASSERT_EQ(both.pixel(x + advance, y), translit.pixel(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(translitInk.left() + advance, inset.right());
}

}  // namespace
}  // namespace kv
