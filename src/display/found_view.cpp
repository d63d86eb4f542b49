#include "display/found_view.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QMouseEvent>
#include <QResizeEvent>

#include "dictionary/found_rows.h"
#include "display/found_list_box.h"

namespace kv {
namespace {
constexpr int kStartFontSize = 15;
}  // namespace

CFoundView::CFoundView(CLineReader& textReader, QWidget* parent)
    : QWidget(parent), m_textReader(textReader) {
  g_foundList.m_entryText = nullptr;
  g_foundList.Create(this);
  g_foundList.SetFontSize(kStartFontSize);
  g_foundList.m_displayStyle = kStyleBoth;
  g_foundList.m_entryText = new char[kEntryTextBytes];
  g_foundList.m_entryText[0] = '\0';
  g_foundList.m_entryText[1] = '\0';

  if (QListView* list = g_foundList.Widget()) {
    setFocusProxy(list);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CFoundView::OnSelectionChanged);
  }
}

CFoundView::~CFoundView() {
  g_foundList.DestroyWidget();
  delete[] g_foundList.m_entryText;
  g_foundList.m_entryText = nullptr;
}

void CFoundView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (QListView* list = g_foundList.Widget()) {
    list->setGeometry(0, 0, event->size().width(), event->size().height());
    list->update();
  }
}

// The list covers the whole pane; a click that reaches the pane itself does nothing.
void CFoundView::mousePressEvent(QMouseEvent* event) { event->accept(); }

void CFoundView::OnSelectionChanged() {
  const int row = g_foundList.GetCurSel();
  if (row < 0) return;
  if (g_foundList.RetrieveRowEntry(row, m_textReader)) emit EntryRetrieved();
}

}  // namespace kv
