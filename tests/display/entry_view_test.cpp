#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <iterator>
#include <string>

#include "display/entry_text_device.h"
#include "display/shabda_view.h"
#include "qt_support.h"

namespace kv {
namespace {

class EntryViewTest : public testing::Test {
 protected:
  void SetUp() override { m_view.resize(600, 400); }

  void ShowView() {
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
  }

  const CEntryLayout& Tables() const { return m_view.Layout(); }

  // The viewport point at the middle of word k as the view now scrolls.
  QPoint WordPoint(int k) const {
    const CEntryLayout& l = Tables();
    const QPoint logical((l.m_wordLeft[k] + l.m_wordRight[k]) / 2,
                         (l.m_wordTop[k] + l.m_wordBottom[k]) / 2);
    return logical - m_view.ScrollOffset();
  }
  // The viewport point in the margin strip beside paragraph p.
  QPoint MarginPoint(int p) const {
    const CEntryLayout& l = Tables();
    return QPoint(7, (l.m_paragraphTop[p] + l.m_paragraphBottom[p]) / 2) - m_view.ScrollOffset();
  }

  void Click(const QPoint& point) {
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, Qt::NoModifier, point);
  }

  void Wheel(int delta) {
    QWheelEvent event(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view.viewport(), &event);
  }

  test::CFixedDpi m_dpi{96, 96};
  CShabdaView m_view;
};

TEST_F(EntryViewTest, OwnsTheEntryFontsAndLaysOutAgainWhenTheyChange) {
  EXPECT_EQ(m_view.Fonts().m_entryFont.FaceName(), "Arial");
  EXPECT_EQ(m_view.Fonts().m_entryTranslitFont.SizeTenths(), 140);
  ShowView();
  m_view.ShowText("aa bb cc");
  const int narrowRight = Tables().m_wordRight[1];
  m_view.SetFontSizes(190, 210);
  EXPECT_GT(Tables().m_wordRight[1], narrowRight);
  {
    // A large-font screen scales the sizes down.
    test::CFixedDpi large(120, 120);
    m_view.SetFontSizes(120, 140);
    EXPECT_EQ(m_view.Fonts().m_entryFont.SizeTenths(), 96);
    EXPECT_EQ(m_view.Fonts().m_entryTranslitFont.SizeTenths(), 105);
  }
  m_view.SetFontSizes(120, 140);
  EXPECT_EQ(Tables().m_wordRight[1], narrowRight);
}

TEST_F(EntryViewTest, ClicksSelectWordsAndParagraphsAndCopyReadsThem) {
  ShowView();
  m_view.ShowNewEntry("%agni m. \x93r\xE9sum\xE9\x94; %kRSNa n. black & white; %zrI f. light");
  const CEntryLayout& l = Tables();
  ASSERT_EQ(l.m_wordCount, 11);
  // The pointing hand over a word, the hand with cuff over a margin, the arrow elsewhere.
  QTest::mouseMove(m_view.viewport(), WordPoint(1));
  EXPECT_EQ(m_view.viewport()->cursor().hotSpot(), QPoint(6, 0));
  QTest::mouseMove(m_view.viewport(), MarginPoint(1));
  EXPECT_EQ(m_view.viewport()->cursor().hotSpot(), QPoint(12, 1));
  QTest::mouseMove(m_view.viewport(), QPoint(500, 300));
  EXPECT_EQ(m_view.viewport()->cursor().shape(), Qt::ArrowCursor);
  Click(WordPoint(2));
  EXPECT_EQ(l.m_wordSelected[2], 1);
  Click(WordPoint(1));
  Click(WordPoint(1));
  EXPECT_EQ(l.m_wordSelected[1], 0);
  Click(MarginPoint(1));
  m_view.CopySelection();
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QString::fromUtf8(" “résumé” kṛṣṇa n. black & white"));
  // The picture, saved for a person to look at, shows each colour: marker, Sanskrit, selected
  // plain, selected Sanskrit.
  const QImage shot = m_view.grab().toImage();
  EXPECT_TRUE(test::SaveScreenshot(shot, "entry_view"));
  for (const QColor wanted :
       {QColor(30, 40, 170), QColor(50, 140, 60), QColor(150, 20, 60), QColor(150, 140, 60)}) {
    bool seen = false;
    for (int y = 0; y < shot.height() && !seen; ++y) {
      for (int x = 0; x < shot.width() && !seen; ++x) seen = shot.pixelColor(x, y) == wanted;
    }
    EXPECT_TRUE(seen) << wanted.name().toStdString();
  }
  // A new entry starts with nothing selected; copying nothing leaves the clipboard alone.
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  m_view.ShowNewEntry(m_view.Text());
  m_view.CopySelection();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

// The words of a line stand on one baseline whatever their font, and the dots and strokes below
// ḍ, ṇ and ṛ are drawn whole, on a screen of one and of two pixels per point. The two pictures
// are saved for a person to look at.
TEST_F(EntryViewTest, OneBaselineAndWholeMarksBelowLettersAtOneAndTwoPixelsPerPoint) {
  ShowView();
  m_view.ShowNewEntry("%na na %Na %Da %Ra %da");
  const CEntryLayout& l = Tables();
  ASSERT_EQ(l.m_wordCount, 6);
  for (const int ratio : {1, 2}) {
    QImage shot(m_view.viewport()->size() * ratio, QImage::Format_RGB32);
    shot.setDevicePixelRatio(ratio);
    m_view.viewport()->render(&shot);
    EXPECT_TRUE(test::SaveScreenshot(shot, ratio == 1 ? "marks_below_1x" : "marks_below_2x"));
    const QColor background = shot.pixelColor(shot.width() - 1, shot.height() - 1);
    const auto inkBottom = [&](int k) {
      const QRect word(QPoint(l.m_wordLeft[k], l.m_wordTop[k]) * ratio,
                       QPoint(l.m_wordRight[k], l.m_wordBottom[k]) * ratio);
      return word.top() + test::InkBounds(shot.copy(word), background).bottom();
    };
    SCOPED_TRACE(ratio);
    EXPECT_NEAR(inkBottom(0), inkBottom(1), ratio);
    for (const int marked : {2, 3, 4}) {
      EXPECT_GT(inkBottom(marked), inkBottom(0) + ratio) << marked;
      EXPECT_LT(inkBottom(marked), l.m_wordBottom[marked] * ratio);
    }
    EXPECT_NEAR(inkBottom(5), inkBottom(0), ratio);
  }
}

TEST_F(EntryViewTest, ScrollRangeFollowsTheLaidOutHeight) {
  ShowView();
  std::string text = "start";
  for (int k = 0; k < 2500; ++k) text += k % 40 == 39 ? " para;" : " word";
  m_view.ShowNewEntry((text + " last").c_str());
  const CEntryLayout& l = Tables();
  ASSERT_GT(l.Height(), 3000);
  QScrollBar* bar = m_view.verticalScrollBar();
  EXPECT_EQ(bar->maximum(), l.Height() + CShabdaView::kScrollMargin - m_view.viewport()->height());
  // Wrapped to the pane, the text needs no sideways scrolling.
  EXPECT_FALSE(m_view.horizontalScrollBar()->isVisible());
  bar->setValue(50);
  Wheel(120);
  EXPECT_EQ(bar->value(), 0);
  Wheel(-120);
  Wheel(-1);
  EXPECT_EQ(bar->value(), 200);  // one step each, whatever the delta
  bar->setValue(bar->maximum() - 50);
  Wheel(-120);
  EXPECT_EQ(bar->value(), bar->maximum());

  // The last word, far below, can be reached and selected; a new entry starts at the top.
  bar->setValue(bar->maximum());
  const int last = l.m_wordCount - 1;
  Click(WordPoint(last));
  EXPECT_EQ(l.m_wordSelected[last], 1);
  m_view.ShowNewEntry("aa bb");
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(bar->maximum(), 0);
  // Only a word wider than the pane brings the horizontal bar, for exactly its overhang.
  m_view.ShowNewEntry(("aa " + std::string(120, 'w')).c_str());
  EXPECT_EQ(m_view.horizontalScrollBar()->maximum(), l.Width() - m_view.viewport()->width());
}

// Qt gives the pane the release of every press it got: only a release inside the pane, on a
// word, toggles that word, not one scrolled out of sight above the pane nor one beside it.
TEST_F(EntryViewTest, OnlyAReleaseInsideThePaneToggles) {
  ShowView();
  std::string text = "aa";
  for (int k = 0; k < 300; ++k) text += " word";
  m_view.ShowNewEntry(text.c_str());
  m_view.verticalScrollBar()->setValue(200);
  const int pressed = Tables().m_wordCount / 4;
  ASSERT_LT(WordPoint(0).y(), 0);
  for (const auto& [release, toggled] : {std::pair{WordPoint(0), -1},
                                         {QPoint(700, WordPoint(pressed).y()), -1},
                                         {WordPoint(pressed + 1), pressed + 1}}) {
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, WordPoint(pressed));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, release);
    EXPECT_EQ(std::count(std::begin(Tables().m_wordSelected), std::end(Tables().m_wordSelected), 1),
              toggled < 0 ? 0 : 1)
        << release.x() << "," << release.y();
  }
  EXPECT_EQ(Tables().m_wordSelected[pressed + 1], 1);
}

TEST_F(EntryViewTest, SelectionClearedOnFirstShowAndOnceTheNoMatchTextIsPainted) {
  m_view.ShowNewEntry("aa bb cc dd");
  const CEntryLayout& l = Tables();
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(WordPoint(1)), QPointF(WordPoint(1)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(m_view.viewport(), &release);
  ASSERT_EQ(l.m_wordSelected[1], 1);
  ShowView();
  EXPECT_EQ(l.m_wordSelected[1], 0);

  // Another text keeps the selection, through a re-wrap on narrowing too; the no-match text
  // does not.
  Click(WordPoint(2));
  std::string many = "aa bb cc";
  for (int k = 0; k < 80; ++k) many += " word";
  m_view.ShowText(many.c_str());
  const int wideHeight = l.Height();
  m_view.resize(300, 400);
  EXPECT_GT(l.Height(), wideHeight);
  EXPECT_EQ(l.m_wordSelected[2], 1);
  m_view.ShowText(
      "No matches found for <xyz>, try to search on the first 2/3 letters of the word.");
  EXPECT_EQ(l.m_wordSelected[2], 0);
  Click(WordPoint(1));
  m_view.viewport()->repaint();
  EXPECT_EQ(l.m_wordSelected[1], 0);
}

TEST(EntryTextDevice, MeasuresAsTheUnshapedFontDoes) {
  CEntryFonts fonts;
  fonts.Create();
  CEntryFontMetrics metrics;
  metrics.Reset(fonts, QFont());
  CEntryTextDevice device(nullptr, metrics);
  const QFontMetrics plain(metrics.Font(EntryFont::kText));
  for (const char* word : {"aa", " R\xE9sum\xE9", " AVATAR,", " (see", " \x80\x93x"}) {
    const CExtent extent = device.Measure(word, EntryFont::kText);
    EXPECT_EQ(extent.width,
              plain.horizontalAdvance(CEntryTextDevice::Decode(word, EntryFont::kText)))
        << word;
    EXPECT_EQ(extent.height, plain.height());
    EXPECT_EQ(device.Measure(word, EntryFont::kText).width, extent.width) << word;  // cached
  }
  const std::string krsna = " \x6B\xC1\xBF\xBA\x61\xA0";
  EXPECT_EQ(CEntryTextDevice::Decode(krsna, EntryFont::kTranslit),
            QString::fromUtf8(" k\u1E5B\u1E63\u1E47a\u00A0"));
  EXPECT_EQ(device.Measure(krsna, EntryFont::kTranslit).width,
            QFontMetrics(metrics.Font(EntryFont::kTranslit))
                .horizontalAdvance(CEntryTextDevice::Decode(krsna, EntryFont::kTranslit)));
}

}  // namespace
}  // namespace kv
