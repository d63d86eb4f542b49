#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <tuple>
#include <vector>

#include "platform/font.h"
#include "platform/message_box.h"
#include "platform/screen_dpi.h"
#include "qt_support.h"

namespace kv {
namespace {

using test::CFixedDpi;

TEST(ScreenDpi, MeanOfBothAxesTruncatedAndLargeOnlyAbove96) {
  {
    CFixedDpi fixed(97, 96);  // 193 / 2, truncated to 96: not large
    EXPECT_EQ(QueryScreenDpi().dpi, 96);
    EXPECT_FALSE(QueryScreenDpi().largeFonts);
  }
  // Without a source the primary screen answers.
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(QueryLogicalDpi().y, static_cast<int>(screen->logicalDotsPerInchY()));
  CFixedDpi large(120, 120);
  // In large-font mode a size is scaled with each division truncating (1400 / 120 = 11,
  // 1056 / 10 = 105); otherwise it passes unchanged.
  EXPECT_EQ(ScaleForLargeFonts(140), 105);
  EXPECT_EQ(ScaleForLargeFonts(158, ScreenDpiOf({72, 72})), 158);
}

TEST(Font, FacesMapToInstalledFamiliesAndCodePages) {
  for (const auto& [face, codePage, family] :
       {std::tuple{"xdvng", CodePage::kXdvng, "Noto Sans Devanagari"},
        {"XDVNG", CodePage::kXdvng, "Noto Sans Devanagari"},
        {"iits", CodePage::kIits, "Liberation Sans"},
        {"ARIAL", CodePage::kWindows1252, "Liberation Sans"}}) {
    EXPECT_EQ(CodePageOfFace(face), codePage) << face;
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(158, face));
    // Qt resolves the stand-in without substitution: it is really installed.
    EXPECT_EQ(QFontInfo(font.Font()).family(), family) << face;
  }
  EXPECT_EQ(CodePageOfFace("xdvn"), CodePage::kWindows1252);
}

TEST(Font, PointSizeBecomesPixelsAtTheVerticalDpi) {
  CFont font;
  EXPECT_FALSE(font.HoldsFont());
  {
    CFixedDpi fixed(96, 96);
    ASSERT_TRUE(font.CreatePointFont(79, "IITS"));
    EXPECT_EQ(font.Font().pixelSize(), 11);  // 10.53 rounds up
    EXPECT_EQ(font.SizeTenths(), 79);
  }
  CFixedDpi fixed(96, 120);
  ASSERT_TRUE(font.CreatePointFont(158, "xdvng"));
  EXPECT_EQ(font.Font().pixelSize(), 26);  // 26.33
  EXPECT_FALSE(font.CreatePointFont(0, "Arial"));
  EXPECT_FALSE(font.HoldsFont());
  EXPECT_EQ(font.SizeTenths(), 0);
}

// Each code page's decoding is shown where its strings are drawn: the found list's rows, the
// entry pane's words, the clipboard's text.
TEST(Font, DecodesByTheCodePageOfTheFace) {
  CFont arial;
  ASSERT_TRUE(arial.CreatePointFont(120, "Arial"));
  EXPECT_EQ(arial.Decode("r\xA4ma"), QString::fromUtf8("r¤ma"));
  ASSERT_TRUE(arial.CreatePointFont(120, "iits"));
  EXPECT_EQ(arial.Decode("r\xA4ma"), QString::fromUtf8("rāma"));
  // Strings in fixed rows end at their terminator, or at the row's end without one.
  const char row[4] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(BoundedString(row, 4), "ab");
  const char full[3] = {'x', 'y', 'z'};
  EXPECT_EQ(BoundedString(full, 3), "xyz");
  EXPECT_EQ(BoundedString(nullptr, 3), "");
}

// The shell's tests take every box through the hook; here a reader's warning, decoded from
// Windows-1252, in an ownerless "Warning !" box.
TEST(MessageBox, ReaderWarningsGoToAnOwnerlessBox) {
  std::vector<std::tuple<QWidget*, QString, QString, MessageIcon>> boxes;
  SetMessageBoxHook(
      [&boxes](QWidget* parent, const QString& text, const QString& caption, MessageIcon icon) {
        boxes.emplace_back(parent, text, caption, icon);
      });
  ShowReaderWarning("m_pBuffer overflow in line 1 (line length over 200 chars) \x93");
  ResetMessageBoxHook();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], std::make_tuple(nullptr,
                                      QString::fromUtf8("m_pBuffer overflow in line 1 (line "
                                                        "length over 200 chars) “"),
                                      QStringLiteral("Warning !"), MessageIcon::kExclamation));
}

TEST(MessageBox, WithoutHookShowsAModalBoxWithOk) {
  QString seen;
  QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons seenButtons;
  // Closes the box as soon as it is up.
  QTimer closer;
  closer.setInterval(10);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = box->windowTitle() + "|" + box->text();
    seenIcon = box->icon();
    seenButtons = box->standardButtons();
    box->accept();
  });
  closer.start();
  ShowMessageBox(nullptr, "Could not open file <kvlist.txt>", "Error", MessageIcon::kStop);
  EXPECT_EQ(seen, "Error|Could not open file <kvlist.txt>");
  EXPECT_EQ(seenIcon, QMessageBox::Critical);
  EXPECT_EQ(seenButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

}  // namespace
}  // namespace kv
