#include "controls/input_box_wnd.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

namespace kv {
namespace {

class InputBoxTest : public ::testing::Test {
 protected:
  void Open(const QString& initial = {}) {
    m_box.Create(QStringLiteral("Word"), QStringLiteral("Enter a word:"), initial);
    m_box.show();
    m_box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_box));
  }

  CInputBoxWnd m_box;
};

TEST_F(InputBoxTest, ChildrenAndTheAcceptButtonWhileTheEditHoldsText) {
  EXPECT_EQ(m_box.Control(CInputBoxWnd::kEditId), nullptr);  // nothing before Create
  Open();
  EXPECT_EQ(m_box.Control(11), m_box.Edit());
  EXPECT_EQ(m_box.Control(CInputBoxWnd::kFirstId), m_box.ButtonFirst());
  EXPECT_EQ(m_box.Label()->text(), QStringLiteral("Enter a word:"));
  EXPECT_TRUE(m_box.ButtonAccept()->isDefault());
  EXPECT_EQ(m_box.Edit()->font().family(), QStringLiteral("Arial"));
  // The background is the button face.
  EXPECT_EQ(m_box.grab().toImage().pixel(1, 1) | 0xFF000000u,
            m_box.palette().color(QPalette::Button).rgb());

  EXPECT_FALSE(m_box.ButtonAccept()->isEnabled());
  QTest::keyClicks(m_box.Edit(), QStringLiteral("a"));
  EXPECT_TRUE(m_box.ButtonAccept()->isEnabled());
  QTest::keyClick(m_box.Edit(), Qt::Key_Backspace);
  EXPECT_FALSE(m_box.ButtonAccept()->isEnabled());
  // Return with no text does nothing; Tab leaves the edit instead of typing a tab.
  QTest::keyClick(m_box.Edit(), Qt::Key_Return);
  EXPECT_TRUE(m_box.isVisible());
  m_box.Edit()->setPlainText(QStringLiteral("word"));
  QTest::keyClick(m_box.Edit(), Qt::Key_Tab);
  EXPECT_FALSE(m_box.Edit()->hasFocus());
  EXPECT_EQ(m_box.Edit()->toPlainText(), QStringLiteral("word"));
}

TEST_F(InputBoxTest, EachWayOutGivesItsResultAndTakesTheTextOrNot) {
  struct Case {
    const char* name;
    std::function<void(CInputBoxWnd&)> leave;
    int result;
    bool takesText;
  };
  const Case cases[] = {
      {"OK", [](CInputBoxWnd& box) { QTest::mouseClick(box.ButtonAccept(), Qt::LeftButton); },
       QDialog::Accepted, true},
      {"Return in the edit presses the default button",
       [](CInputBoxWnd& box) { QTest::keyClick(box.Edit(), Qt::Key_Return); }, QDialog::Accepted,
       true},
      {"cancel button",
       [](CInputBoxWnd& box) { QTest::mouseClick(box.ButtonFirst(), Qt::LeftButton); },
       QDialog::Rejected, true},
      {"Escape on a button is the cancel command",
       [](CInputBoxWnd& box) {
         box.ButtonFirst()->setFocus();
         QTest::keyClick(box.ButtonFirst(), Qt::Key_Escape);
       },
       QDialog::Rejected, true},
      {"Escape in the edit", [](CInputBoxWnd& box) { QTest::keyClick(box.Edit(), Qt::Key_Escape); },
       QDialog::Rejected, false},
      {"closing the window", [](CInputBoxWnd& box) { EXPECT_TRUE(box.close()); }, QDialog::Rejected,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(QStringLiteral("kept"));
    QTest::mouseClick(m_box.ButtonAccept(), Qt::LeftButton);
    ASSERT_EQ(m_box.Text(), QStringLiteral("kept"));
    Open(QStringLiteral("old"));
    m_box.Edit()->setPlainText(QStringLiteral("typed"));
    m_box.Edit()->setFocus();
    QSignalSpy finished(&m_box, &QDialog::finished);
    c.leave(m_box);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), c.result);
    EXPECT_EQ(m_box.Text(), c.takesText ? QStringLiteral("typed") : QStringLiteral("kept"));
    EXPECT_FALSE(m_box.isVisible());
  }
  // The modal loop returns the result too; a timer ends it so the test never waits.
  QTimer::singleShot(0, &m_box, [this] { m_box.ButtonAccept()->click(); });
  EXPECT_EQ(m_box.exec(), QDialog::Accepted);
  QTimer::singleShot(0, &m_box, [this] { m_box.close(); });
  EXPECT_EQ(m_box.exec(), QDialog::Rejected);
  EXPECT_EQ(m_box.Text(), QStringLiteral("typed"));
}

}  // namespace
}  // namespace kv
