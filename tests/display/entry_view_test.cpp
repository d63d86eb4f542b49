#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cstring>
#include <memory>
#include <string>

#include "dictionary/found_rows.h"
#include "display/entry_fonts.h"
#include "display/entry_text_device.h"
#include "display/shabda_view.h"
#include "platform/screen_dpi.h"

namespace kv {
namespace {

class EntryViewTest : public testing::Test {
 protected:
  void SetUp() override {
    SetDpiSource([] { return LogicalDpi{96, 96}; });
    m_buffer = std::make_unique<char[]>(kEntryTextBytes);
    m_text = m_buffer.get();
    m_view = std::make_unique<CShabdaView>(&m_registry, &m_text);
    m_view->resize(600, 400);
  }
  void TearDown() override {
    m_view.reset();
    SetDpiSource({});
  }

  void ShowView() {
    m_view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
  }

  void SetText(const std::string& text) {
    ASSERT_LT(text.size(), static_cast<std::size_t>(kEntryTextBytes));
    std::memcpy(m_text, text.c_str(), text.size() + 1);
    m_view->Refresh();
  }

  const CEntryLayout& Tables() const { return m_view->Layout(); }

  // The viewport point at the middle of word k as the view now scrolls.
  QPoint WordPoint(int k) const {
    const CEntryLayout& l = Tables();
    const QPoint logical((l.m_wordLeft[k] + l.m_wordRight[k]) / 2,
                         (l.m_wordTop[k] + l.m_wordBottom[k]) / 2);
    return logical - m_view->ScrollOffset();
  }

  void Click(const QPoint& point) {
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
  }

  void Wheel(int delta) {
    QWheelEvent event(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view->viewport(), &event);
  }

  std::unique_ptr<char[]> m_buffer;
  char* m_text = nullptr;
  CShabdaView* m_registry = nullptr;
  std::unique_ptr<CShabdaView> m_view;
};

TEST_F(EntryViewTest, RegistersItselfAndCreatesTheEntryFonts) {
  EXPECT_EQ(m_registry, m_view.get());
  EXPECT_TRUE(g_entryFont.HoldsFont());
  EXPECT_EQ(g_entryFont.FaceName(), "Arial");
  EXPECT_EQ(g_entryFont.SizeTenths(), 120);
  EXPECT_EQ(g_entryTranslitFont.FaceName(), "IITS");
  EXPECT_EQ(g_entryTranslitFont.SizeTenths(), 140);

  SetDpiSource([] { return LogicalDpi{120, 120}; });
  CShabdaView* second = nullptr;
  {
    CShabdaView large(&second, &m_text);
    EXPECT_EQ(second, &large);
    EXPECT_EQ(g_entryFont.SizeTenths(), 96);
    EXPECT_EQ(g_entryTranslitFont.SizeTenths(), 105);
  }
  EXPECT_EQ(second, nullptr);  // a destroyed pane leaves no dangling registration

  // Without an entry buffer yet the pane shows nothing and does not fail.
  char* noBuffer = nullptr;
  CShabdaView empty(nullptr, &noBuffer);
  empty.Refresh();
  EXPECT_EQ(empty.Layout().m_wordCount, 0);
}

TEST_F(EntryViewTest, ClicksSelectWordsAndParagraphsAndCopyReadsThem) {
  ShowView();
  SetText("%agni m. r\xE9sum\xE9; %kRSNa n. black & white");
  const CEntryLayout& l = Tables();
  ASSERT_EQ(l.m_wordCount, 8);
  ASSERT_EQ(l.m_paragraphCount, 2);

  Click(WordPoint(2));
  EXPECT_EQ(l.m_wordSelected[2], 1);
  Click(WordPoint(1));
  Click(WordPoint(1));
  EXPECT_EQ(l.m_wordSelected[1], 0);
  // The margin beside paragraph 1 selects all its words.
  Click(QPoint(7, (l.m_paragraphTop[1] + l.m_paragraphBottom[1]) / 2) - m_view->ScrollOffset());
  for (int k = 3; k < 8; ++k) EXPECT_EQ(l.m_wordSelected[k], 1) << k;
  EXPECT_EQ(l.m_wordSelected[0], 0);

  m_view->CopySelection();
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QString::fromUtf8(" résumé %kRSNa n. black & white"));

  // Nothing selected: the clipboard keeps its text.
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  m_view->ShowNewEntry();
  for (int k = 0; k < 8; ++k) EXPECT_EQ(l.m_wordSelected[k], 0) << k;
  m_view->CopySelection();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));

  Click(WordPoint(0));
  m_view->CopySelection();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("%agni"));
}

TEST_F(EntryViewTest, CursorFollowsWordsAndMargins) {
  ShowView();
  SetText("aa bb ; cc dd");
  const CEntryLayout& l = Tables();
  QTest::mouseMove(m_view->viewport(), WordPoint(1));
  EXPECT_EQ(m_view->viewport()->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(m_view->viewport()->cursor().hotSpot(), QPoint(6, 0));
  QTest::mouseMove(m_view->viewport(), QPoint(5, l.m_paragraphBottom[0] + 2));
  EXPECT_EQ(m_view->viewport()->cursor().hotSpot(), QPoint(12, 1));
  QTest::mouseMove(m_view->viewport(), QPoint(300, 300));
  EXPECT_EQ(m_view->viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(EntryViewTest, ScrollRangeFollowsTheLaidOutHeight) {
  ShowView();
  std::string text = "start";
  for (int k = 0; k < 2500; ++k) text += k % 40 == 39 ? " para;" : " word";
  text += " last";
  SetText(text);
  const CEntryLayout& l = Tables();
  ASSERT_GT(l.Height(), 3000);
  QScrollBar* bar = m_view->verticalScrollBar();
  EXPECT_EQ(bar->maximum(), l.Height() + CShabdaView::kScrollMargin - m_view->viewport()->height());
  EXPECT_EQ(bar->pageStep(), 510);
  EXPECT_EQ(m_view->horizontalScrollBar()->maximum(), 1000 - m_view->viewport()->width());

  bar->setValue(50);
  Wheel(120);
  EXPECT_EQ(bar->value(), 0);
  Wheel(-120);
  Wheel(-1);
  EXPECT_EQ(bar->value(), 200);
  bar->setValue(bar->maximum() - 50);
  Wheel(-120);
  EXPECT_EQ(bar->value(), bar->maximum());

  // The last word, far below 3000, can be reached and selected.
  const int last = l.m_wordCount - 1;
  ASSERT_GT(l.m_wordTop[last], 3000);
  Click(WordPoint(last));
  EXPECT_EQ(l.m_wordSelected[last], 1);

  // A new entry starts at the top with nothing selected.
  m_view->ShowNewEntry();
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(l.m_wordSelected[last], 0);

  // A short text needs no scrolling.
  SetText("aa bb");
  EXPECT_EQ(bar->maximum(), 0);
}

TEST_F(EntryViewTest, SelectionClearedOnFirstShowAndByTheNoMatchText) {
  SetText("aa bb cc dd");
  const CEntryLayout& l = Tables();
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(WordPoint(1)), QPointF(WordPoint(1)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(m_view->viewport(), &release);
  ASSERT_EQ(l.m_wordSelected[1], 1);
  ShowView();
  EXPECT_EQ(l.m_wordSelected[1], 0);

  Click(WordPoint(2));
  ASSERT_EQ(l.m_wordSelected[2], 1);
  m_view->resize(300, 400);  // a re-wrap keeps the selection
  EXPECT_EQ(l.m_wordSelected[2], 1);
  SetText("No matches found for <xyz>, try to search on the first 2/3 letters of the word.");
  EXPECT_EQ(l.m_wordSelected[2], 0);

  // A click on the message cannot leave a word selected once painted.
  Click(WordPoint(1));
  m_view->viewport()->repaint();
  EXPECT_EQ(l.m_wordSelected[1], 0);
}

TEST_F(EntryViewTest, LaysOutAgainWhenTextWidthOrFontsChange) {
  ShowView();
  SetText("aa bb cc");
  const CEntryLayout& l = Tables();
  const int narrowRight = l.m_wordRight[1];

  // Fonts recreated by the size choice, announced or not, take effect at the next paint.
  g_entryFont.CreatePointFont(190, kEntryFace);
  m_view->viewport()->repaint();
  EXPECT_GT(l.m_wordRight[1], narrowRight);
  CreateEntryFonts();
  m_view->FontsChanged();
  EXPECT_EQ(l.m_wordRight[1], narrowRight);

  // A text written into the buffer is shown at the next paint even without Refresh.
  std::strcpy(m_text, "one two three four");
  m_view->viewport()->repaint();
  EXPECT_EQ(l.m_wordCount, 4);

  // Narrowing the pane re-wraps it.
  std::string many = "w";
  for (int k = 0; k < 80; ++k) many += " word";
  SetText(many);
  const int wideHeight = l.Height();
  m_view->resize(300, 400);
  EXPECT_GT(l.Height(), wideHeight);
}

TEST(EntryTextDevice, MeasuresAsTheUnshapedFontDoes) {
  CFont text;
  text.CreatePointFont(120, "Arial");
  CFont translit;
  translit.CreatePointFont(140, "IITS");
  CEntryFontMetrics metrics;
  metrics.Reset(text, translit, QFont());
  CEntryTextDevice device(nullptr, metrics);

  const QFontMetrics plain(metrics.Font(EntryFont::kText));
  for (const char* word :
       {"aa", " celebrated", " R\xE9sum\xE9", " AVATAR,", " (see", " \x80\x93x"}) {
    const CExtent extent = device.Measure(word, EntryFont::kText);
    EXPECT_EQ(extent.width,
              plain.horizontalAdvance(CEntryTextDevice::Decode(word, EntryFont::kText)))
        << word;
    EXPECT_EQ(extent.height, plain.height());
    // Asked again, from the cached advances.
    EXPECT_EQ(device.Measure(word, EntryFont::kText).width, extent.width) << word;
  }
  const QFontMetrics iits(metrics.Font(EntryFont::kTranslit));
  const std::string krsna = " \x6B\xC1\xBF\xBA\x61\xA0";
  EXPECT_EQ(CEntryTextDevice::Decode(krsna, EntryFont::kTranslit),
            QString::fromUtf8(" k\u1E5B\u1E63\u1E47a\u00A0"));
  EXPECT_EQ(device.Measure(krsna, EntryFont::kTranslit).width,
            iits.horizontalAdvance(CEntryTextDevice::Decode(krsna, EntryFont::kTranslit)));
  EXPECT_GT(device.Measure(krsna, EntryFont::kTranslit).height, plain.height());
  EXPECT_EQ(CEntryTextDevice::Decode("\xA4", EntryFont::kText), QString::fromUtf8("\u00A4"));

  // A font object holding nothing gives way to the fallback.
  CEntryFontMetrics fallback;
  QFont base(QStringLiteral("Liberation Sans"));
  base.setPixelSize(31);
  fallback.Reset(CFont(), CFont(), base);
  EXPECT_EQ(fallback.Font(EntryFont::kText).pixelSize(), 31);
  EXPECT_FALSE(fallback.Font(EntryFont::kTranslit).kerning());
}

TEST_F(EntryViewTest, ScreenshotShowsTransliterationAndSelection) {
  ShowView();
  SetText(
      "%kRSNa mfn. black, dark; m. N. of a celebrated avatar of %viSNu (see %kRSNAvatAra); "
      "%zrI f. light, lustre, beauty; %saMskRta mfn. put together, perfected; %jJAna n. "
      "knowing, knowledge; %RSi m. a singer of sacred hymns");
  const CEntryLayout& l = Tables();
  Click(WordPoint(1));
  Click(WordPoint(2));
  Click(QPoint(7, (l.m_paragraphTop[2] + l.m_paragraphBottom[2]) / 2));
  const QImage shot = m_view->grab().toImage();
  const QString dir = QStringLiteral(KV_BUILD_DIR "/screenshots");
  QDir().mkpath(dir);
  EXPECT_TRUE(shot.save(dir + QStringLiteral("/entry_view.png")));

  // Each colour of the picture appears: marker, Sanskrit, selected plain, selected Sanskrit.
  auto contains = [&shot](int r, int g, int b) {
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (std::abs(c.red() - r) < 8 && std::abs(c.green() - g) < 8 &&
            std::abs(c.blue() - b) < 8) {
          return true;
        }
      }
    }
    return false;
  };
  EXPECT_TRUE(contains(30, 40, 170));
  EXPECT_TRUE(contains(50, 140, 60));
  EXPECT_TRUE(contains(150, 20, 60));
  EXPECT_TRUE(contains(150, 140, 60));
}

}  // namespace
}  // namespace kv
