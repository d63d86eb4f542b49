#include "controls/hover_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "qt_support.h"

namespace kv {
namespace {

// Counts the double clicks that reach the window itself.
class CDoubleClickCounter : public QObject {
 public:
  int m_count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) ++m_count;
    return false;
  }
};

class HoverButtonTest : public ::testing::Test {
 protected:
  void SetUp() override { m_window.resize(320, 120); }

  CHoverButton* AddButton(unsigned style, const QRect& geometry, const QString& caption = {}) {
    auto* button = new CHoverButton(&m_window, style);
    button->setGeometry(geometry);
    button->setText(caption);
    return button;
  }
  CHoverButton* AddSearchButton() {
    return AddButton(0, QRect(10, 10, 130, 30), QStringLiteral("Search"));
  }

  // Shows the window, active, with the mouse away from it and no button focused.
  void Show() {
    QCursor::setPos(QPoint(-1000, -1000));
    m_window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    if (QWidget* focused = m_window.focusWidget()) focused->clearFocus();
  }

  static QRgb Entry(const CPaletteBitmap& bitmap, int index) {
    const Colour c = bitmap.PaletteEntry(index);
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
  }
  static QRgb FacePixel(const CPaletteBitmap& bitmap, int x, int y) {
    return Entry(bitmap, bitmap.PixelAt(x, y));
  }
  static QRgb Grab(QWidget* widget, int x, int y) {
    return widget->grab().toImage().pixel(x, y) | 0xFF000000u;
  }

  QWidget m_window;
};

// The search bar's two buttons as the shell dresses them, saved to the build tree
// (screenshots/buttons.png) for a person to look at; the icons must show where placed.
TEST_F(HoverButtonTest, StyleAndFaceIconsAsTheSearchBarShowsThem) {
  // The style bits are read once, as the layout rules read them; no icon or face yet.
  CHoverButton* search = AddSearchButton();
  EXPECT_EQ(search->TextFormat(), InterpretButtonStyle(0).m_textFormat);
  EXPECT_FALSE(search->HasIcon());
  EXPECT_FALSE(search->Faces().m_faceNormal.IsValid());
  EXPECT_FALSE(search->isCheckable());  // the check state is the button's own
  CHoverButton* radio = AddButton(kButtonStyleAutoRadio | kButtonStyleFlat, QRect(0, 60, 40, 20));
  EXPECT_EQ(radio->Kind(), kButtonKindRadio);
  EXPECT_TRUE(radio->Flat());
  CHoverButton* copy = AddButton(0, QRect(160, 10, 34, 30));
  CHoverButton* plain = AddButton(0, QRect(160, 60, 34, 30));
  Show();
  search->BuildFaceTextures(kFaceDiagonal, 0, 10, 10, Rgb(22, 233, 130));
  search->SetFaceIcon(136, kIconRight);
  copy->SetFaceIcon(137 | 0x10000, kIconLeft);  // only the low 16 bits name the icon
  EXPECT_EQ(copy->IconRect(), (CRect{4, 1, 32, 29}));
  // A missing icon changes nothing, not even the alignment.
  copy->SetFaceIcon(999, kIconRight);
  EXPECT_EQ(copy->IconRect(), (CRect{4, 1, 32, 29}));
  EXPECT_EQ(copy->IconAlign(), kIconLeft);
  radio->SetFaceIcon(999, kIconLeft);
  EXPECT_FALSE(radio->HasIcon());
  const QImage shot = m_window.grab(QRect(0, 0, 210, 50)).toImage();
  EXPECT_TRUE(test::SaveScreenshot(shot.scaled(shot.size() * 3), "buttons"));
  // The magnifier sits at the right, in (110, 7) - (126, 23), and not at the left; the pages
  // cover most of the copy button's icon rectangle and nothing outside it.
  const QImage searchImage = search->grab().toImage();
  const QImage copyImage = copy->grab().toImage();
  const QImage blank = plain->grab().toImage();
  auto count = [](const QRect& area, auto test) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) n += test(x, y) ? 1 : 0;
    }
    return n;
  };
  auto dark = [&](int x, int y) { return qGray(searchImage.pixel(x, y)) < 90; };
  EXPECT_GT(count(QRect(110, 7, 16, 16), dark), 20);
  EXPECT_EQ(count(QRect(4, 7, 16, 16), dark), 0);
  auto drawn = [&](int x, int y) { return copyImage.pixel(x, y) != blank.pixel(x, y); };
  EXPECT_GT(count(QRect(4, 1, 28, 28), drawn), 300);
  EXPECT_EQ(count(QRect(0, 0, 4, 30), drawn), 0);
}

TEST_F(HoverButtonTest, TheMouseTracksPressAndHover) {
  CHoverButton* button = AddSearchButton();
  Show();
  QSignalSpy clicked(button, &QAbstractButton::clicked);
  QTest::mouseMove(button, QPoint(20, 15));
  EXPECT_TRUE(button->IsHovering());
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 15));
  EXPECT_FALSE(button->IsHovering());  // a press ends the hover
  EXPECT_TRUE(button->IsTracking());
  // Dragged off, back and off again, then released outside: no click.
  for (const auto& [point, down] :
       {std::pair{QPoint(200, 15), false}, {QPoint(30, 20), true}, {QPoint(30, 60), false}}) {
    QTest::mouseMove(button, point);
    EXPECT_EQ(button->isDown(), down) << point.x() << "," << point.y();
  }
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(30, 60));
  EXPECT_FALSE(button->IsTracking());
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_FALSE(button->IsHovering());
  // Dragging back before the release gives the click, and the hover comes back.
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 15));
  QTest::mouseMove(button, QPoint(-5, 15));
  QTest::mouseMove(button, QPoint(60, 15));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 15));
  EXPECT_EQ(clicked.count(), 1);
  QTest::mouseMove(button, QPoint(61, 16));
  EXPECT_TRUE(button->IsHovering());
  QTest::mouseMove(&m_window, QPoint(250, 100));
  EXPECT_FALSE(button->IsHovering());

  // A double click is a second press, through the window system (press, release, press and
  // double click, release) and when its event arrives on its own; the window never sees it.
  CDoubleClickCounter counter;
  m_window.installEventFilter(&counter);
  QSignalSpy pressed(button, &QAbstractButton::pressed);
  const QPoint at = button->mapTo(&m_window, QPoint(40, 15));
  QTest::mouseDClick(m_window.windowHandle(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(m_window.windowHandle(), Qt::LeftButton, {}, at);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 15));
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(40, 15));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 15));
  EXPECT_EQ(pressed.count(), 4);
  EXPECT_EQ(clicked.count(), 5);
  EXPECT_EQ(counter.m_count, 0);
}

TEST_F(HoverButtonTest, CheckStatesChangeByClickAndSpaceOnly) {
  CHoverButton* check = AddButton(kButtonStyleAutoCheckBox, QRect(10, 10, 80, 24));
  CHoverButton* radio = AddButton(kButtonStyleAutoRadio, QRect(10, 50, 80, 24));
  Show();
  // A release outside leaves the check state alone.
  for (CHoverButton* button : {check, radio}) {
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(button, QPoint(200, 5));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 5));
    EXPECT_EQ(button->GetCheck(), 0);
  }
  // A click inside toggles the check box before the click is reported.
  int stateAtClick = -1;
  QObject::connect(check, &QAbstractButton::clicked, [&] { stateAtClick = check->GetCheck(); });
  for (const int state : {1, 0}) {
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(check->GetCheck(), state);
    EXPECT_EQ(stateAtClick, state);
  }
  // A push button has no check state; a radio button only ever checks itself on a click.
  CHoverButton* push = AddButton(0, QRect(100, 10, 50, 20));
  push->SetCheck(true);
  EXPECT_EQ(push->GetCheck(), 0);
  QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(radio->GetCheck(), 1);
  // The space bar toggles on its first down stroke only.
  QTest::keyPress(check, Qt::Key_Space);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
  QApplication::sendEvent(check, &repeat);
  EXPECT_EQ(check->GetCheck(), 1);
  QTest::keyRelease(check, Qt::Key_Space);
}

TEST_F(HoverButtonTest, CheckingARadioUnchecksItsSiblingsOnceTheEventLoopRuns) {
  CHoverButton* first = AddButton(kButtonStyleAutoRadio, QRect(0, 0, 50, 20));
  auto* edit = new QLineEdit(QStringLiteral("untouched"), &m_window);
  CHoverButton* second =
      AddButton(kButtonStyleAutoRadio | kButtonStylePushLike, QRect(0, 30, 50, 20));
  CHoverButton* check = AddButton(kButtonStyleAutoCheckBox, QRect(60, 0, 50, 20));
  QWidget otherGroup(&m_window);
  auto* elsewhere = new CHoverButton(&otherGroup, kButtonStyleAutoRadio);
  first->SetTipTexts(QStringLiteral("Plain"), QStringLiteral("Chosen"));
  first->SetCheck(true);
  QCoreApplication::processEvents();
  check->SetCheck(true);
  elsewhere->SetCheck(true);
  EXPECT_EQ(first->toolTip(), QStringLiteral("Chosen"));  // the tooltip follows the check state
  second->SetCheck(true);
  EXPECT_EQ(first->GetCheck(), 1);  // posted, not yet handled
  QCoreApplication::processEvents();
  EXPECT_EQ(first->GetCheck(), 0);
  EXPECT_EQ(first->toolTip(), QStringLiteral("Plain"));
  EXPECT_EQ(check->GetCheck(), 0);  // the uncheck goes to every sibling
  EXPECT_EQ(second->GetCheck(), 1);
  EXPECT_EQ(elsewhere->GetCheck(), 1);
  EXPECT_EQ(edit->text(), QStringLiteral("untouched"));
  // Unchecking a radio posts nothing.
  first->SetCheck(false);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(second->GetCheck(), 1);
  // Until an owner gives tip texts a button has no tooltip; with no checked text the plain
  // one stays.
  EXPECT_TRUE(check->toolTip().isEmpty());
  check->SetTipTexts(QStringLiteral("Show"));
  check->SetCheck(true);
  EXPECT_EQ(check->toolTip(), QStringLiteral("Show"));
}

// Painting: the face records drive the pixels of each look.
TEST_F(HoverButtonTest, EachLookDrawsItsFace) {
  CHoverButton* button = AddSearchButton();
  Show();
  const QRgb plain = button->palette().color(QPalette::Button).rgb();
  EXPECT_EQ(Grab(button, 20, 8), plain);  // without textures the plain button colour
  button->BuildFaceTextures(kFaceVertical, 0, 40, 10, Rgb(22, 233, 130));
  const CFaceSet& faces = button->Faces();
  ASSERT_NE(FacePixel(faces.m_faceNormal, 20, 8), FacePixel(faces.m_faceHover, 20, 8));
  EXPECT_EQ(Grab(button, 20, 8), FacePixel(faces.m_faceNormal, 20, 8));
  QTest::mouseMove(button, QPoint(60, 15));
  EXPECT_EQ(Grab(button, 20, 8), FacePixel(faces.m_faceHover, 20, 8));
  // Pressed: the pressed face one pixel down and right.
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(60, 15));
  EXPECT_EQ(Grab(button, 20, 8), FacePixel(faces.m_facePressed, 19, 7));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 15));
  // Disabled: the disabled face, never the hover face, and no focus frame.
  QTest::mouseMove(button, QPoint(60, 15));
  button->setEnabled(false);
  EXPECT_EQ(Grab(button, 20, 8), FacePixel(faces.m_faceDisabled, 20, 8));
  EXPECT_EQ(Grab(button, 5, 4), FacePixel(faces.m_faceDisabled, 5, 4));
}

TEST_F(HoverButtonTest, FocusFrameIsDottedInsideTheBorder) {
  CHoverButton* button = AddSearchButton();
  Show();
  button->BuildFaceTextures(kFaceDiagonal, 0, 10, 10, Rgb(22, 233, 130));
  const CFaceSet& faces = button->Faces();
  const QRgb dark = Entry(faces.m_focusLineH, 0);
  const QRgb light = Entry(faces.m_focusLineH, 255);
  EXPECT_EQ(Grab(button, 5, 4), FacePixel(faces.m_faceNormal, 5, 4));
  button->setFocus();
  const QImage image = button->grab().toImage();
  auto at = [&](int x, int y) { return image.pixel(x, y) | 0xFF000000u; };
  EXPECT_EQ(at(5, 4), dark);  // top line from x = 5
  EXPECT_EQ(at(6, 4), light);
  EXPECT_EQ(at(125, 4), dark);   // 121 dots: 5 .. 125
  EXPECT_EQ(at(6, 26), light);   // bottom line at y = 30 - 4
  EXPECT_EQ(at(4, 5), light);    // left line from y = 5, its top dot a stored odd row
  EXPECT_EQ(at(126, 26), dark);  // right line at x = 130 - 4, its bottom dot stored row 0
  EXPECT_EQ(at(4, 4), FacePixel(faces.m_faceNormal, 4, 4));
  // Without a border there is no frame.
  button->SetBorder(0);
  EXPECT_EQ(Grab(button, 6, 26), FacePixel(faces.m_faceNormal, 6, 26));
}

}  // namespace
}  // namespace kv
