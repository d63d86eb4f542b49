#include "shell/help_viewer.h"

#include <QFile>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kv {
namespace {
// Room for the page's 46-em column at the usual font size.
constexpr int kViewerWidth = 760;
constexpr int kViewerHeight = 640;
}  // namespace

CHelpViewer::CHelpViewer(QWidget* owner)
    : QWidget(owner, Qt::Window), m_browser(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("helpViewer"));
  m_browser->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_browser);
  resize(kViewerWidth, kViewerHeight);
}

bool CHelpViewer::Open(const QString& path, QString* error) {
  // The browser shows an empty page for a file it cannot read; find that out first.
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file.errorString();
    return false;
  }
  file.close();
  m_browser->setSource(QUrl::fromLocalFile(path));
  setWindowTitle(m_browser->documentTitle());
  return true;
}

void CHelpViewer::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace kv
