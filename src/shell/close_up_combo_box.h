#pragma once

#include <QComboBox>

namespace kv {

// A drop-down list that reports when its list closes, however it closes (a choice, Escape,
// a click elsewhere) and whether or not the choice changed: the font-size and display-style
// choices take effect then, and only then.
class CCloseUpComboBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;
  void showPopup() override;

 signals:
  void closedUp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool m_popupOpen = false;
};

}  // namespace kv
