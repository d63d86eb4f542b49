#pragma once

#include <QMdiSubWindow>

class QSplitter;

namespace kv {

// The one document window: a splitter with the found list at the left (300 pixels to start
// with) and the entry pane taking the rest. It cannot be closed on its own; it goes when
// the main window closes.
class CChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  static constexpr int kListColumnWidth = 300;

  // Takes ownership of both panes.
  CChildFrame(QWidget* foundPane, QWidget* entryPane, const QString& title);

  QSplitter* Splitter() const { return m_wndSplitter; }
  // Maximises the window once the event loop runs, after its creation has finished.
  void PostMaximize();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QSplitter* m_wndSplitter;
};

}  // namespace kv
