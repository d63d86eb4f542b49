#include "shell/close_up_combo_box.h"

#include <QAbstractItemView>
#include <QEvent>

namespace kv {

CCloseUpComboBox::CCloseUpComboBox(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (!m_popupOpen) emit committed();
  });
}

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
    // The list hides before a clicked choice becomes current: report once that has happened.
    QMetaObject::invokeMethod(this, &CCloseUpComboBox::CloseUp, Qt::QueuedConnection);
  }
  return QComboBox::eventFilter(watched, event);
}

void CCloseUpComboBox::CloseUp() {
  if (!m_popupOpen) return;  // reported already
  m_popupOpen = false;
  emit committed();
}

}  // namespace kv
