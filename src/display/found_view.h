#pragma once

#include <QWidget>

class QListView;

namespace kv {

class CDictionary;
class CFoundListModel;

// The left pane: covered by the found list, a list view over the found list's model that the
// pane makes with it, and turns a newly selected row into the retrieval of its entry.
class CFoundView : public QWidget {
  Q_OBJECT

 public:
  // Entries are read from `dictionary`, which must outlive the pane. The list starts at size
  // 15 with both scripts.
  explicit CFoundView(CDictionary& dictionary, QWidget* parent = nullptr);
  ~CFoundView() override;
  CFoundView(const CFoundView&) = delete;
  CFoundView& operator=(const CFoundView&) = delete;

  CFoundListModel& Model() const { return *m_model; }
  QListView* List() const { return m_list; }
  // The selected row, or -1.
  int GetCurSel() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void OnSelectionChanged();

  CDictionary& m_dictionary;
  QListView* m_list;
  CFoundListModel* m_model;
};

}  // namespace kv
