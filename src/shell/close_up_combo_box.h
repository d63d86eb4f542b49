#pragma once

#include <QComboBox>

namespace kv {

// A drop-down list that reports, once each, the choices it takes: when its list closes,
// however it closes (a choice, Escape, a click elsewhere) and whether or not the choice
// changed, and when the choice changes while the list is closed (the arrow keys or the wheel
// on the box, or the program). So the box never shows a choice that is not in force.
class CCloseUpComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit CCloseUpComboBox(QWidget* parent = nullptr);
  void showPopup() override;

 signals:
  void committed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CloseUp();

  // From the list's showing until its close-up has been reported: a choice made in the list
  // is reported by the close-up alone.
  bool m_popupOpen = false;
};

}  // namespace kv
