#include "display/found_view.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QResizeEvent>
#include <functional>
#include <utility>

#include "display/found_list_box.h"

namespace kv {
namespace {

constexpr int kStartFontSize = 15;

// The list as a list box behaves: every click on a row reports it, also a click on the row
// already selected (its entry is read again), and with nothing selected the first Down
// selects the first row.
class CFoundListView : public QListView {
 public:
  using RowHandler = std::function<void(int row)>;

  CFoundListView(QWidget* parent, RowHandler clickedAgain)
      : QListView(parent), m_clickedAgain(std::move(clickedAgain)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    const QModelIndex row = indexAt(event->position().toPoint());
    const bool selected = row.isValid() && selectionModel()->isSelected(row);
    QListView::mousePressEvent(event);
    // A press on the selected row changes no selection, so nothing else reports it.
    if (selected && event->button() == Qt::LeftButton && selectionModel()->isSelected(row)) {
      m_clickedAgain(row.row());
    }
  }

  void keyPressEvent(QKeyEvent* event) override {
    // Keyboard focus marks the first row current without selecting it; Down from there must
    // select that row, not pass over it.
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier &&
        !selectionModel()->hasSelection() && model()->rowCount() > 0) {
      setCurrentIndex(model()->index(0, 0));
      event->accept();
      return;
    }
    QListView::keyPressEvent(event);
  }

 private:
  RowHandler m_clickedAgain;
};

}  // namespace

CFoundView::CFoundView(CDictionary& dictionary, QWidget* parent)
    : QWidget(parent), m_dictionary(dictionary), m_list(new CFoundListView(this, [this](int row) {
        m_model->RetrieveRowEntry(row, m_dictionary);
      })) {
  // Made after the list view, the model is destroyed after it.
  m_model = new CFoundListModel(this);
  m_model->SetFontSize(kStartFontSize);
  m_list->setObjectName(QStringLiteral("foundList"));
  m_list->setFrameShape(QFrame::NoFrame);
  m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->setFocusPolicy(Qt::StrongFocus);
  m_list->setModel(m_model);
  m_list->setItemDelegate(new CFoundItemDelegate(*m_model, m_list));
  setFocusProxy(m_list);
  connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &CFoundView::OnSelectionChanged);
}

CFoundView::~CFoundView() = default;

int CFoundView::GetCurSel() const {
  const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void CFoundView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_list->setGeometry(0, 0, event->size().width(), event->size().height());
}

// The list covers the whole pane; a click that reaches the pane itself does nothing.
void CFoundView::mousePressEvent(QMouseEvent* event) { event->accept(); }

void CFoundView::OnSelectionChanged() {
  const int row = GetCurSel();
  if (row >= 0) m_model->RetrieveRowEntry(row, m_dictionary);
}

}  // namespace kv
