#include "display/found_view.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QMouseEvent>
#include <QResizeEvent>

#include "display/found_list_box.h"

namespace kv {
namespace {
constexpr int kStartFontSize = 15;
}  // namespace

CFoundView::CFoundView(CDictionary& dictionary, QWidget* parent)
    : QWidget(parent), m_dictionary(dictionary), m_list(new QListView(this)) {
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
