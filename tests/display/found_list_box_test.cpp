#include "display/found_list_box.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "dictionary/list_strings.h"
#include "qt_support.h"

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
    // A size outside the table keeps the metrics but still remakes the fonts; so does a style.
    const int height = list.ItemHeight();
    list.SetFontSize(12);
    EXPECT_EQ(list.FontSize(), 20);
    EXPECT_EQ(list.ItemHeight(), height);
    list.SetDisplayStyle(kStyleTranslit);
    EXPECT_EQ(list.DisplayStyle(), kStyleTranslit);
    ExpectFonts(list, 200, 180);
  }
  // Large-font screens scale both, without the exception of size 15.
  CFixedDpi fixed(120, 120);
  list.SetFontSize(15);
  ExpectFonts(list, 115, 96);
  list.SetFontSize(40);
  ExpectFonts(list, 316, 297);  // 4000 / 120 = 33, 3800 / 120 = 31
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
  // Emptying the list for a new search forgets every offset, so a row appended later
  // without one reads as having none.
  list.DeleteAllRows();
  EXPECT_EQ(list.rowCount(), 0);
  EXPECT_FALSE(row.isValid() && row.data(CFoundListModel::kEntryOffsetRole).isValid());
  EXPECT_EQ(list.AddRow(), 0);
  EXPECT_EQ(list.index(0).data(CFoundListModel::kEntryOffsetRole).toInt(), kNoEntryOffset);
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
  EXPECT_EQ(m_delegate.MeasureItem(), m_list.ItemHeight());
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

}  // namespace
}  // namespace kv
