#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kv {

// A small window that asks for one line of text. It owns a multi-line edit (control id 11),
// a label, two push buttons and a font, paints its background in the button-face colour
// and handles the dialog keys. It ends with QDialog::Accepted through the accepting button
// (or Return) and QDialog::Rejected through the other button or Escape; both of these take
// the edit's text into Text(). Escape typed into the edit, and closing the window, end it
// rejected and leave Text() as it was.
class CInputBoxWnd : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kEditId = 11;
  static constexpr int kLabelId = 12;
  static constexpr int kAcceptId = 1;  // ends the box accepted
  static constexpr int kFirstId = 2;   // ends the box rejected
  static constexpr int kFontTenths = 100;

  explicit CInputBoxWnd(QWidget* parent = nullptr);
  ~CInputBoxWnd() override;

  // Creates the children: the prompt, the edit holding initialText, "Cancel" and "OK".
  // The accepting button is the default button and is enabled exactly while the edit
  // holds text.
  void Create(const QString& title, const QString& prompt, const QString& initialText = {});

  const QString& Text() const { return m_text; }
  QPlainTextEdit* Edit() const { return m_edit; }
  QLabel* Label() const { return m_label; }
  QPushButton* ButtonFirst() const { return m_buttonFirst; }
  QPushButton* ButtonAccept() const { return m_buttonAccept; }
  // The child with the given control id, or null.
  QWidget* Control(int id) const;

 public slots:
  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnEditChanged();

  QString m_text;
  QPlainTextEdit* m_edit = nullptr;
  QFont m_editFont;
  QLabel* m_label = nullptr;
  QPushButton* m_buttonFirst = nullptr;
  QPushButton* m_buttonAccept = nullptr;
};

}  // namespace kv
