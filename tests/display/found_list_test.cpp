// The found list: its model and item delegate (found_list_box), and the pane that shows it
// (found_view).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QListView>
#include <QPaintEngine>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/dictionary.h"
#include "dictionary/dictionary_builder.h"
#include "dictionary/letter_tables.h"
#include "dictionary/script_input.h"
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
    FillRow(list, i, i == 1 ? "kavi" : "ka");
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

// The Unicode Devanagari of the list is spelled from the letters: the clusters that the glyph
// codes draw wrongly come out right, and every headword of the sample reads back as its letters.
TEST(FoundListModel, DevanagariIsSpelledFromTheLetters) {
  CFoundListModel list;
  const auto shown = [&list](const std::string& letters) {
    list.DeleteAllRows();
    FillRow(list, 0, letters.c_str());
    list.AddRow();
    return list.index(0).data(CFoundListModel::kDevanagariRole).toString();
  };
  for (const auto& [letters, devanagari] :
       std::vector<std::pair<std::string, const char*>>{{"AkAGkSin", "आकाङ्क्षिन्"},
                                                        {"paGkti", "पङ्क्ति"},
                                                        {"udghAta", "उद्घात"},
                                                        {"agrya", "अग्र्य"},
                                                        {"dharma-zAstra", "धर्मशास्त्र"}}) {
    EXPECT_EQ(shown(letters), QString::fromUtf8(devanagari) + QChar(0xA0)) << letters;
  }
  // A headword longer than a row keeps the whole letters that fit.
  shown(std::string(97, 'a') + "lRRa");
  EXPECT_EQ(std::string(list.m_letterRows[0]), std::string(97, 'a'));
  std::ifstream source(KV_SOURCE_DIR "/data/sample/sample.txt", std::ios::binary);
  std::vector<DictionaryError> errors;
  const std::string bytes{std::istreambuf_iterator<char>(source), {}};
  const std::vector<SourceEntry> entries = ParseSource(bytes, "sample.txt", errors);
  ASSERT_GT(entries.size(), 400u);
  for (const SourceEntry& entry : entries) {
    std::string letters;
    ASSERT_TRUE(
        ReadText(shown(entry.indexLine).chopped(1).toStdString(), Scheme::kDevanagari, letters)
            .Ok());
    std::string expected = entry.indexLine;
    std::erase_if(expected,
                  [](char c) { return IsMatchIgnoredByte(static_cast<unsigned char>(c)); });
    EXPECT_EQ(letters, expected);
  }
}

// An image that is never drawn on: it records where each run of text goes, its baseline
// origin and its font family.
class CTextRecorder : public QImage {
 public:
  CTextRecorder() : QImage(1000, 100, QImage::Format_RGB32) {}
  QPaintEngine* paintEngine() const override { return &m_engine; }
  // The baseline origins of the texts drawn in `family`.
  std::vector<QPointF> In(const QString& family) const {
    std::vector<QPointF> origins;
    for (const auto& [origin, drawnIn] : m_engine.m_texts) {
      if (drawnIn == family) origins.push_back(origin);
    }
    return origins;
  }

 private:
  struct CEngine : QPaintEngine {
    CEngine() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF& origin, const QTextItem& item) override {
      m_texts.emplace_back(origin, item.font().family());
    }
    Type type() const override { return User; }
    std::vector<std::pair<QPointF, QString>> m_texts;
  };
  mutable CEngine m_engine;
};

class FoundItemDrawTest : public testing::Test {
 protected:
  static constexpr int kWidth = 360;

  void SetUp() override {
    m_list.SetFontSize(15);
    FillRow(m_list, 0, "kRSNa");
    m_list.AddRow();
  }

  FoundItemPaint Item(bool selected = false) const {
    FoundItemPaint item;
    item.rect = QRect(0, 0, kWidth, m_list.ItemHeight());
    item.selected = selected;
    item.devanagari = m_list.index(0).data(CFoundListModel::kDevanagariRole).toString();
    item.translit = m_list.index(0).data(CFoundListModel::kTranslitRole).toString();
    return item;
  }
  QImage Draw(int style, bool selected = false) {
    m_list.SetDisplayStyle(style);
    QImage image(kWidth, m_list.ItemHeight(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    m_delegate.DrawItem(painter, Item(selected));
    return image;
  }
  std::unique_ptr<CTextRecorder> Record(int style) {
    m_list.SetDisplayStyle(style);
    auto recorder = std::make_unique<CTextRecorder>();
    QPainter painter(recorder.get());
    m_delegate.DrawItem(painter, Item());
    return recorder;
  }
  // Where Qt puts `text` centred vertically in `rect` in a list font.
  QPointF Centred(const CFont& font, const QRect& rect, const QString& text) {
    CTextRecorder recorder;
    QPainter painter(&recorder);
    painter.setFont(font.Font());
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, text);
    return recorder.In(font.Font().family()).at(0);
  }

  CFixedDpi m_dpi{96, 96};
  CFoundListModel m_list;
  CFoundItemDelegate m_delegate{m_list};
};

// The rows as designed: the transliteration alone centred on the whole row, the Devanagari
// centred below the top inset (its baseline on the nearest whole pixel); with both, the
// transliteration starts where the Devanagari's advance ends and shares its baseline.
TEST_F(FoundItemDrawTest, StylesPlaceTheTwoTextsOnOneBaseline) {
  EXPECT_EQ(Draw(kStyleBoth, true).pixelColor(kWidth - 1, 0), QColor(180, 200, 200));
  EXPECT_EQ(Draw(7), Draw(kStyleDevanagari));  // any other style: the Devanagari alone
  const QString devanagariFamily = FamilyOfFace("xdvng");
  const QString translitFamily = FamilyOfFace("IITS");
  for (const FoundListMetrics& size : kFoundListSizes) {
    SCOPED_TRACE(size.fontSize);
    m_list.SetFontSize(size.fontSize);
    const FoundItemPaint item = Item();
    const QRect inset(size.textOffsetX, size.textOffsetY, kWidth - size.textOffsetX,
                      size.itemHeight - size.textOffsetY);
    const QRect row(size.textOffsetX, 0, kWidth - size.textOffsetX, size.itemHeight);

    const auto translit = Record(kStyleTranslit)->In(translitFamily);
    ASSERT_EQ(translit.size(), 1u);
    EXPECT_EQ(translit[0], Centred(m_list.TranslitFont(), row, item.translit));

    const QPointF centred = Centred(m_list.DevanagariFont(), inset, item.devanagari);
    const int advance =
        QFontMetrics(m_list.DevanagariFont().Font()).horizontalAdvance(item.devanagari);
    for (const int style : {kStyleDevanagari, kStyleBoth}) {
      const auto drawn = Record(style);
      const auto devanagari = drawn->In(devanagariFamily);
      ASSERT_FALSE(devanagari.empty());
      EXPECT_EQ(devanagari[0], QPointF(centred.x(), std::round(centred.y()))) << style;
      for (const QPointF& origin : devanagari) EXPECT_EQ(origin.y(), devanagari[0].y());
      const auto following = drawn->In(translitFamily);
      ASSERT_EQ(following.size(), style == kStyleBoth ? 1u : 0u);
      if (style == kStyleBoth) {
        EXPECT_EQ(following[0], QPointF(size.textOffsetX + advance, devanagari[0].y()));
      }
    }
  }
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
  EXPECT_TRUE(test::SaveScreenshot(Grab(), "found_list_size_40"));
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
    FillRow(List(), n, "dradhratrathravrabrabhracrachra");
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

// A row cut off at the pane's edge shows its whole text as its tooltip; a row that fits, none.
TEST_F(FoundViewTest, CutOffRowShowsItsWholeTextAsTooltip) {
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  const auto tipOver = [this](int row) {
    const QPoint point = RowRect(row).center();
    QHelpEvent event(QEvent::ToolTip, point, m_view.List()->viewport()->mapToGlobal(point));
    QApplication::sendEvent(m_view.List()->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tipOver(5), QString());
  m_view.resize(100, 240);
  EXPECT_EQ(tipOver(5), QString::fromUtf8("क्षत्रिय kṣatriya"));
}

TEST_F(FoundViewTest, SearchWithoutHitEmptiesTheListAndAnnouncesItsMessage) {
  ASSERT_EQ(Search("k"), SearchOutcome::kFound);
  ClickRow(0);
  QSignalSpy retrieved(&List(), &CFoundListModel::EntryRetrieved);
  QSignalSpy changed(&List(), &CFoundListModel::EntryTextChanged);
  EXPECT_EQ(Search("gu"), SearchOutcome::kNoMatch);
  EXPECT_EQ(List().ItemCount(), 0);
  EXPECT_EQ(m_view.GetCurSel(), -1);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(std::string(changed[0][0].value<const char*>()).substr(0, 24),
            "No matches found for <gu");
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
