#pragma once

#include <QWidget>

class QTextBrowser;

namespace kv {

// The program's own viewer of its help page: a read-only rich-text window. Links within the
// page move to their place in it; links to anywhere else open in the desktop's browser. Escape
// closes it.
class CHelpViewer : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, closed with `owner`.
  explicit CHelpViewer(QWidget* owner);

  // Shows the page at `path`, titled by the page's own title; false (showing nothing new)
  // when the file cannot be read, with the reason in `error`.
  bool Open(const QString& path, QString* error);
  QTextBrowser* Browser() const { return m_browser; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTextBrowser* m_browser;
};

}  // namespace kv
