#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <string>
#include <tuple>
#include <vector>

#include "dictionary/line_reader.h"
#include "dictionary/list_strings.h"
#include "found_list_test_support.h"
#include "platform/clipboard.h"
#include "platform/font.h"
#include "platform/message_box.h"
#include "platform/screen_dpi.h"
#include "test_files.h"

namespace kv {
namespace {

using test::CFixedDpi;

TEST(ScreenDpiTest, MeanOfBothAxesTruncatedAndLargeOnlyAbove96) {
  // 97 and 96 make 193 / 2, truncated to 96: not large.
  for (const auto& [x, y, dpi, large] : {std::tuple{96, 96, 96, false},
                                         {97, 96, 96, false},
                                         {97, 98, 97, true},
                                         {144, 96, 120, true}}) {
    SCOPED_TRACE(testing::Message() << x << " x " << y);
    CFixedDpi fixed(x, y);
    EXPECT_EQ(QueryScreenDpi().dpi, dpi);
    EXPECT_EQ(QueryScreenDpi().largeFonts, large);
  }
  // Asked afresh each time: a changed source shows at the next call.
  int x = 96;
  SetDpiSource([&x] { return LogicalDpi{x, x}; });
  EXPECT_FALSE(QueryScreenDpi().largeFonts);
  x = 120;
  EXPECT_EQ(QueryScreenDpi().dpi, 120);
  EXPECT_TRUE(QueryScreenDpi().largeFonts);
  SetDpiSource(nullptr);

  // Without a source the primary screen answers.
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(QueryLogicalDpi().x, static_cast<int>(screen->logicalDotsPerInchX()));
  EXPECT_EQ(QueryLogicalDpi().y, static_cast<int>(screen->logicalDotsPerInchY()));
}

TEST(ScreenDpiTest, ScaleForLargeFontsTruncatesEachDivision) {
  // At 120: 1400 / 120 = 11, 1056 / 10 = 105; 1500 / 120 = 12, 1152 / 10 = 115; at 97,
  // 1500 / 97 = 15. Outside large-font mode sizes pass unchanged.
  for (const auto& [tenths, dpi, scaled] : {std::tuple{120, 120, 96},
                                            {140, 120, 105},
                                            {150, 120, 115},
                                            {130, 120, 96},
                                            {158, 120, 124},
                                            {150, 144, 96},
                                            {150, 97, 144},
                                            {158, 96, 158},
                                            {158, 72, 158}}) {
    EXPECT_EQ(ScaleForLargeFonts(tenths, ScreenDpiOf({dpi, dpi})), scaled) << tenths << " " << dpi;
  }
  CFixedDpi fixed(120, 120);
  EXPECT_EQ(ScaleForLargeFonts(140), 105);
}

TEST(FontTest, FacesMapToFamiliesAndCodePages) {
  for (const auto& [face, codePage, family] :
       {std::tuple{"xdvng", CodePage::kXdvng, "Noto Sans Devanagari"},
        {"XDVNG", CodePage::kXdvng, "Noto Sans Devanagari"},
        {"IITS", CodePage::kIits, "Liberation Sans"},
        {"iits", CodePage::kIits, "Liberation Sans"},
        {"Arial", CodePage::kWindows1252, "Liberation Sans"},
        {"ARIAL", CodePage::kWindows1252, "Liberation Sans"}}) {
    EXPECT_EQ(CodePageOfFace(face), codePage) << face;
    EXPECT_EQ(FamilyOfFace(face), family) << face;
  }
  EXPECT_EQ(CodePageOfFace("xdvn"), CodePage::kWindows1252);

  // The stand-in families are really installed: Qt resolves them without substitution.
  CFixedDpi fixed(96, 96);
  CFont devanagari;
  ASSERT_TRUE(devanagari.CreatePointFont(158, "xdvng"));
  EXPECT_EQ(QFontInfo(devanagari.Font()).family(), "Noto Sans Devanagari");
  CFont arial;
  ASSERT_TRUE(arial.CreatePointFont(180, "ARIAL"));
  EXPECT_EQ(QFontInfo(arial.Font()).family(), "Liberation Sans");
}

TEST(FontTest, PointSizeBecomesPixelsAtTheScreenDpi) {
  CFont font;
  EXPECT_FALSE(font.HoldsFont());
  {
    CFixedDpi fixed(96, 96);
    ASSERT_TRUE(font.CreatePointFont(158, "xdvng"));
    EXPECT_TRUE(font.HoldsFont());
    EXPECT_EQ(font.FaceName(), "xdvng");
    EXPECT_EQ(font.SizeTenths(), 158);
    EXPECT_EQ(font.Font().pixelSize(), 21);  // 21.07
    EXPECT_EQ(font.GetCodePage(), CodePage::kXdvng);

    ASSERT_TRUE(font.CreatePointFont(79, "IITS"));  // 10.53 rounds up
    EXPECT_EQ(font.Font().pixelSize(), 11);
    EXPECT_EQ(font.FaceName(), "IITS");
    ASSERT_TRUE(font.CreatePointFont(76, "IITS"));  // 10.13 rounds down
    EXPECT_EQ(font.Font().pixelSize(), 10);
  }
  {
    // The vertical dpi decides, as it does for a device's point conversion.
    CFixedDpi fixed(96, 120);
    ASSERT_TRUE(font.CreatePointFont(158, "xdvng"));
    EXPECT_EQ(font.Font().pixelSize(), 26);  // 26.33
  }
  font.DeleteObject();
  EXPECT_FALSE(font.HoldsFont());
  EXPECT_EQ(font.SizeTenths(), 0);

  EXPECT_FALSE(font.CreatePointFont(0, "Arial"));
  EXPECT_FALSE(font.HoldsFont());
  EXPECT_FALSE(font.CreatePointFont(-10, "Arial"));
  EXPECT_FALSE(font.HoldsFont());
}

TEST(FontTest, DecodesByTheCodePageOfTheFace) {
  EXPECT_EQ(DecodeForCodePage("a\xA4 b\x80", CodePage::kWindows1252), QString::fromUtf8("a¤ b€"));
  EXPECT_EQ(DecodeForCodePage("r\xA4ma\xA0", CodePage::kIits), QString::fromUtf8("rāma\u00A0"));
  EXPECT_EQ(DecodeForCodePage("k\xC1\xBF\xBA"
                              "a",
                              CodePage::kIits),
            QString::fromUtf8("kṛṣṇa"));

  // A list string's closing code draws as a no-break space in both list fonts.
  char translit[kRowBytes];
  char devanagari[kRowBytes];
  MakeListStrings("kavi", translit, devanagari, kRowBytes);
  EXPECT_EQ(DecodeForCodePage(BoundedString(devanagari, kRowBytes), CodePage::kXdvng),
            QString::fromUtf8("कवि\u00A0"));
  EXPECT_EQ(DecodeForCodePage(BoundedString(translit, kRowBytes), CodePage::kIits),
            QString::fromUtf8("kavi\u00A0"));

  CFixedDpi fixed(96, 96);
  CFont iits;
  ASSERT_TRUE(iits.CreatePointFont(130, "IITS"));
  EXPECT_EQ(iits.Decode("r\xA4ma"), QString::fromUtf8("rāma"));
  CFont arial;
  ASSERT_TRUE(arial.CreatePointFont(120, "Arial"));
  EXPECT_EQ(arial.Decode("r\xA4ma"), QString::fromUtf8("r¤ma"));

  // Strings in fixed rows end at their terminator, or at the row's end without one.
  const char row[4] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(BoundedString(row, 4), "ab");
  const char full[3] = {'x', 'y', 'z'};
  EXPECT_EQ(BoundedString(full, 3), "xyz");
  EXPECT_EQ(BoundedString(nullptr, 3), "");
}

struct RecordedBox {
  QWidget* parent;
  QString text;
  QString caption;
  MessageIcon icon;
};

TEST(MessageBoxTest, HookTakesTheBoxAndReaderWarningsGoThere) {
  std::vector<RecordedBox> boxes;
  SetMessageBoxHook(
      [&boxes](QWidget* parent, const QString& text, const QString& caption, MessageIcon icon) {
        boxes.push_back({parent, text, caption, icon});
      });
  QWidget owner;
  ShowMessageBox(&owner, "Please enter search text", "Cannot do that", MessageIcon::kExclamation);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].parent, &owner);
  EXPECT_EQ(boxes[0].text, "Please enter search text");
  EXPECT_EQ(boxes[0].caption, "Cannot do that");
  EXPECT_EQ(boxes[0].icon, MessageIcon::kExclamation);

  InstallReaderWarningBox();
  test::CTempDir dir;
  const std::string path = dir.Write("long.txt", std::string(250, 'a') + "\r\n");
  CLineReader reader(2048);
  ASSERT_TRUE(reader.Open(path.c_str()));
  char line[200];
  EXPECT_EQ(reader.ReadLine(line, 200), 1);
  SetReaderWarningHandler(nullptr);
  ResetMessageBoxHook();

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].parent, nullptr);
  EXPECT_EQ(boxes[1].text, "m_pBuffer overflow in line 1 (line length over 200 chars)");
  EXPECT_EQ(boxes[1].caption, "Warning !");
  EXPECT_EQ(boxes[1].icon, MessageIcon::kExclamation);
}

TEST(MessageBoxTest, WithoutHookShowsAModalBoxWithOk) {
  QString seenTitle;
  QString seenText;
  QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons seenButtons;
  // Closes the box as soon as it is up.
  QTimer closer;
  closer.setInterval(10);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seenTitle = box->windowTitle();
    seenText = box->text();
    seenIcon = box->icon();
    seenButtons = box->standardButtons();
    box->accept();
  });
  closer.start();
  ShowMessageBox(nullptr, "Could not open file <kvlist.txt>\n Did you install the dictionary?",
                 "Error", MessageIcon::kStop);
  closer.stop();
  EXPECT_EQ(seenTitle, "Error");
  EXPECT_EQ(seenText, "Could not open file <kvlist.txt>\n Did you install the dictionary?");
  EXPECT_EQ(seenIcon, QMessageBox::Critical);
  EXPECT_EQ(seenButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(ClipboardTest, PutsPlainTextDecodedFromWindows1252) {
  CopyBytesToClipboard(" bb \x93quoted\x94 \xA4");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(" bb “quoted” ¤"));
  CopyTextToClipboard(QStringLiteral("second"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "second");
}

}  // namespace
}  // namespace kv
