#include "controls/input_box_wnd.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

namespace {
constexpr int kEditLines = 1;
constexpr int kEditMinimumWidth = 240;
}  // namespace

CInputBoxWnd::CInputBoxWnd(QWidget* parent) : QDialog(parent) {}

CInputBoxWnd::~CInputBoxWnd() = default;

void CInputBoxWnd::Create(const QString& title, const QString& prompt, const QString& initialText) {
  setWindowTitle(title);
  if (m_edit != nullptr) {
    m_label->setText(prompt);
    m_edit->setPlainText(initialText);
    m_edit->moveCursor(QTextCursor::End);
    return;
  }

  m_editFont = QFont(QStringLiteral("Arial"));
  m_editFont.setPointSizeF(kFontTenths / 10.0);

  m_label = new QLabel(prompt, this);
  m_edit = new QPlainTextEdit(this);
  m_buttonFirst = new QPushButton(tr("Cancel"), this);
  m_buttonAccept = new QPushButton(tr("OK"), this);
  for (QWidget* child :
       {static_cast<QWidget*>(m_label), static_cast<QWidget*>(m_edit),
        static_cast<QWidget*>(m_buttonFirst), static_cast<QWidget*>(m_buttonAccept)}) {
    child->setFont(m_editFont);
  }
  m_edit->setObjectName(QStringLiteral("edit"));
  m_label->setObjectName(QStringLiteral("label"));
  m_buttonFirst->setObjectName(QStringLiteral("cancel"));
  m_buttonAccept->setObjectName(QStringLiteral("ok"));
  m_label->setBuddy(m_edit);

  // A multi-line edit kept to one visible line: Tab leaves it, Return goes to the default
  // button, Escape ends the box (see eventFilter).
  m_edit->setTabChangesFocus(true);
  m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const QFontMetrics metrics(m_editFont);
  const int frame =
      2 * (m_edit->frameWidth() + static_cast<int>(m_edit->document()->documentMargin()));
  m_edit->setFixedHeight(metrics.lineSpacing() * kEditLines + frame);
  m_edit->setMinimumWidth(kEditMinimumWidth);
  m_edit->installEventFilter(this);

  m_buttonAccept->setDefault(true);
  connect(m_buttonFirst, &QPushButton::clicked, this, &CInputBoxWnd::reject);
  connect(m_buttonAccept, &QPushButton::clicked, this, &CInputBoxWnd::accept);
  connect(m_edit, &QPlainTextEdit::textChanged, this, &CInputBoxWnd::OnEditChanged);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_buttonFirst);
  buttons->addWidget(m_buttonAccept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_label);
  layout->addWidget(m_edit);
  layout->addLayout(buttons);

  m_edit->setPlainText(initialText);
  m_edit->moveCursor(QTextCursor::End);
  OnEditChanged();
  m_edit->setFocus();
}

QWidget* CInputBoxWnd::Control(int id) const {
  switch (id) {
    case kEditId:
      return m_edit;
    case kLabelId:
      return m_label;
    case kAcceptId:
      return m_buttonAccept;
    case kFirstId:
      return m_buttonFirst;
    default:
      return nullptr;
  }
}

void CInputBoxWnd::OnEditChanged() {
  if (m_buttonAccept == nullptr) return;
  m_buttonAccept->setEnabled(!m_edit->toPlainText().isEmpty());
}

void CInputBoxWnd::accept() {
  if (m_edit != nullptr) m_text = m_edit->toPlainText();
  QDialog::accept();
}

void CInputBoxWnd::reject() {
  if (m_edit != nullptr) m_text = m_edit->toPlainText();
  QDialog::reject();
}

bool CInputBoxWnd::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_edit && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // The edit would swallow these keys; Escape (or Cancel) typed into it ends the box
    // without taking its text, Return presses the default button.
    if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Cancel) {
      QDialog::done(QDialog::Rejected);
      return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      if (m_buttonAccept->isEnabled()) m_buttonAccept->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CInputBoxWnd::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Active, QPalette::Button));
}

void CInputBoxWnd::closeEvent(QCloseEvent* event) {
  // Closing the window is neither button: the box ends rejected, the text stays as it was.
  if (isVisible()) QDialog::done(QDialog::Rejected);
  event->accept();
}

}  // namespace kv
