#include "controls/input_box_wnd.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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

TEST_F(InputBoxTest, ChildrenAndIds) {
  EXPECT_EQ(m_box.Control(CInputBoxWnd::kEditId), nullptr);  // nothing before Create
  Open();
  EXPECT_EQ(m_box.Control(11), m_box.Edit());
  EXPECT_EQ(m_box.Control(CInputBoxWnd::kLabelId), m_box.Label());
  EXPECT_EQ(m_box.Control(CInputBoxWnd::kAcceptId), m_box.ButtonAccept());
  EXPECT_EQ(m_box.Control(CInputBoxWnd::kFirstId), m_box.ButtonFirst());
  EXPECT_EQ(m_box.Label()->text(), QStringLiteral("Enter a word:"));
  EXPECT_TRUE(m_box.ButtonAccept()->isDefault());
  EXPECT_EQ(m_box.Edit()->font().family(), QStringLiteral("Arial"));
  // The background is the button face.
  const QImage image = m_box.grab().toImage();
  EXPECT_EQ(image.pixel(1, 1) | 0xFF000000u, m_box.palette().color(QPalette::Button).rgb());
}

TEST_F(InputBoxTest, AcceptButtonIsEnabledExactlyWhileTheEditHoldsText) {
  Open();
  EXPECT_FALSE(m_box.ButtonAccept()->isEnabled());
  QTest::keyClicks(m_box.Edit(), QStringLiteral("a"));
  EXPECT_TRUE(m_box.ButtonAccept()->isEnabled());
  QTest::keyClick(m_box.Edit(), Qt::Key_Backspace);
  EXPECT_FALSE(m_box.ButtonAccept()->isEnabled());
  m_box.Edit()->setPlainText(QStringLiteral("rama"));
  EXPECT_TRUE(m_box.ButtonAccept()->isEnabled());
  // Return with no text does nothing.
  m_box.Edit()->clear();
  QTest::keyClick(m_box.Edit(), Qt::Key_Return);
  EXPECT_TRUE(m_box.isVisible());
  EXPECT_TRUE(m_box.Edit()->toPlainText().isEmpty());
}

TEST_F(InputBoxTest, OkTakesTheText) {
  Open(QStringLiteral("de"));
  EXPECT_TRUE(m_box.ButtonAccept()->isEnabled());
  QTest::keyClicks(m_box.Edit(), QStringLiteral("va"));
  QSignalSpy finished(&m_box, &QDialog::finished);
  QTest::mouseClick(m_box.ButtonAccept(), Qt::LeftButton);
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
  EXPECT_EQ(m_box.Text(), QStringLiteral("deva"));
  EXPECT_FALSE(m_box.isVisible());
}

TEST_F(InputBoxTest, CancelTakesTheTextToo) {
  Open(QStringLiteral("old"));
  m_box.Edit()->setPlainText(QStringLiteral("typed"));
  QSignalSpy finished(&m_box, &QDialog::finished);
  QTest::mouseClick(m_box.ButtonFirst(), Qt::LeftButton);
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
  EXPECT_EQ(m_box.Text(), QStringLiteral("typed"));
}

TEST_F(InputBoxTest, ClosingTheWindowKeepsThePreviousText) {
  Open(QStringLiteral("first"));
  QTest::mouseClick(m_box.ButtonAccept(), Qt::LeftButton);
  ASSERT_EQ(m_box.Text(), QStringLiteral("first"));

  Open(QStringLiteral("second"));
  QSignalSpy finished(&m_box, &QDialog::finished);
  EXPECT_TRUE(m_box.close());
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
  EXPECT_EQ(m_box.Text(), QStringLiteral("first"));
  EXPECT_FALSE(m_box.isVisible());
}

TEST_F(InputBoxTest, EscapeInTheEditCancelsWithoutTakingTheText) {
  Open(QStringLiteral("kept"));
  QTest::mouseClick(m_box.ButtonAccept(), Qt::LeftButton);
  Open(QStringLiteral("discarded"));
  QSignalSpy finished(&m_box, &QDialog::finished);
  m_box.Edit()->setFocus();
  QTest::keyClick(m_box.Edit(), Qt::Key_Escape);
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
  EXPECT_EQ(m_box.Text(), QStringLiteral("kept"));
}

TEST_F(InputBoxTest, DialogKeysActOnTheChildren) {
  Open(QStringLiteral("word"));
  m_box.Edit()->setFocus();
  ASSERT_TRUE(m_box.Edit()->hasFocus());
  // Tab leaves the edit instead of typing a tab.
  QTest::keyClick(m_box.Edit(), Qt::Key_Tab);
  EXPECT_FALSE(m_box.Edit()->hasFocus());
  EXPECT_EQ(m_box.Edit()->toPlainText(), QStringLiteral("word"));

  // Escape on a button is the cancel command: rejected, text taken.
  m_box.ButtonFirst()->setFocus();
  m_box.Edit()->setPlainText(QStringLiteral("word2"));
  QSignalSpy finished(&m_box, &QDialog::finished);
  QTest::keyClick(m_box.ButtonFirst(), Qt::Key_Escape);
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
  EXPECT_EQ(m_box.Text(), QStringLiteral("word2"));

  // Return in the edit presses the default button.
  Open(QStringLiteral("sita"));
  m_box.Edit()->setFocus();
  QTest::keyClick(m_box.Edit(), Qt::Key_Return);
  ASSERT_EQ(finished.count(), 2);
  EXPECT_EQ(finished.at(1).at(0).toInt(), QDialog::Accepted);
  EXPECT_EQ(m_box.Text(), QStringLiteral("sita"));
  EXPECT_EQ(m_box.Edit()->toPlainText(), QStringLiteral("sita"));
}

TEST_F(InputBoxTest, ModalLoopReturnsTheResult) {
  m_box.Create(QStringLiteral("Word"), QStringLiteral("Enter a word:"), QStringLiteral("guru"));
  // The hook presses OK once the loop runs, so the test never waits on the user.
  QTimer::singleShot(0, &m_box, [this] { m_box.ButtonAccept()->click(); });
  EXPECT_EQ(m_box.exec(), QDialog::Accepted);
  EXPECT_EQ(m_box.Text(), QStringLiteral("guru"));
  QTimer::singleShot(0, &m_box, [this] { m_box.close(); });
  EXPECT_EQ(m_box.exec(), QDialog::Rejected);
  EXPECT_EQ(m_box.Text(), QStringLiteral("guru"));
}

}  // namespace
}  // namespace kv
