#pragma once

#include <QWidget>

namespace kv {

class CLineReader;

// The left pane: covered by the found list (g_foundList's widget), which it creates with
// the list's fonts and the entry text buffer, and whose selection it turns into entry
// retrievals. One pane exists at a time; it owns the entry text buffer.
class CFoundView : public QWidget {
  Q_OBJECT

 public:
  // `textReader` reads the entries file for every retrieval.
  explicit CFoundView(CLineReader& textReader, QWidget* parent = nullptr);
  ~CFoundView() override;
  CFoundView(const CFoundView&) = delete;
  CFoundView& operator=(const CFoundView&) = delete;

 signals:
  // The entry of the newly selected row is in g_foundList.m_entryText.
  void EntryRetrieved();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void OnSelectionChanged();

  CLineReader& m_textReader;
};

}  // namespace kv
