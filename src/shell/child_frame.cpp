#include "shell/child_frame.h"

#include <QCloseEvent>
#include <QSplitter>
#include <QTimer>

#include "shell/shell_icons.h"

namespace kv {

CChildFrame::CChildFrame(QWidget* foundPane, QWidget* entryPane, const QString& title)
    : m_wndSplitter(new QSplitter(Qt::Horizontal)) {
  setWindowTitle(title);
  setWindowIcon(DocumentIcon());
  m_wndSplitter->addWidget(foundPane);
  m_wndSplitter->addWidget(entryPane);
  m_wndSplitter->setChildrenCollapsible(false);
  m_wndSplitter->setStretchFactor(0, 0);
  m_wndSplitter->setStretchFactor(1, 1);
  m_wndSplitter->setSizes({kListColumnWidth, 150});
  setWidget(m_wndSplitter);
}

void CChildFrame::PostMaximize() {
  QTimer::singleShot(0, this, [this] {
    showMaximized();
    m_wndSplitter->setSizes({kListColumnWidth, m_wndSplitter->width() - kListColumnWidth});
  });
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  // The close box, the system menu's Close and Ctrl+F4 all end here: the window stays.
  event->ignore();
}

}  // namespace kv
