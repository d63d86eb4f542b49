#include "shell/close_up_combo_box.h"

#include <QAbstractItemView>
#include <QEvent>

namespace kv {

void CCloseUpComboBox::showPopup() {
  // The list lives in a popup window of its own; its hiding is the close-up.
  QWidget* popup = view()->window();
  popup->removeEventFilter(this);
  popup->installEventFilter(this);
  m_popupOpen = true;
  QComboBox::showPopup();
}

bool CCloseUpComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && m_popupOpen && watched == view()->window()) {
    m_popupOpen = false;
    // The list hides before a clicked choice becomes current: report once that has happened.
    QMetaObject::invokeMethod(this, &CCloseUpComboBox::closedUp, Qt::QueuedConnection);
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace kv
