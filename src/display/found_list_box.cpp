#include "display/found_list_box.h"

#include <QAbstractListModel>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QListView>
#include <QPainter>
#include <QPen>
#include <QStyledItemDelegate>

#include "dictionary/headword_search.h"
#include "dictionary/line_reader.h"

namespace kv {

CFoundListBox g_foundList;
CFont g_listDevanagariFont;
CFont g_listTranslitFont;

// The list's items: only their number. Everything drawn comes from the row tables.
class CFoundListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_count; }
  QVariant data(const QModelIndex&, int) const override { return {}; }

  int Append() {
    beginInsertRows(QModelIndex(), m_count, m_count);
    ++m_count;
    endInsertRows();
    return m_count - 1;
  }
  void Clear() {
    beginResetModel();
    m_count = 0;
    endResetModel();
  }
  int Count() const { return m_count; }

 private:
  int m_count = 0;
};

namespace {

constexpr char kDevanagariFace[] = "xdvng";
constexpr char kTranslitFace[] = "IITS";
// At the nominal dpi the Devanagari of size 15 is made a little larger.
constexpr int kSize15 = 15;
constexpr int kSize15DevanagariTenths = 158;
// The translit font is this many points smaller than the list size.
constexpr int kTranslitPointsLess = 2;
const QColor kSelectedFill(180, 200, 200);

// Runs DrawItem for every row the view paints and answers every row's height.
class CFoundItemDelegate : public QStyledItemDelegate {
 public:
  CFoundItemDelegate(const CFoundListBox& list, QObject* parent)
      : QStyledItemDelegate(parent), m_list(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    FoundItemPaint item;
    item.index = index.isValid() ? index.row() : -1;
    item.rect = option.rect;
    item.selected = (option.state & QStyle::State_Selected) != 0;
    item.hasFocus = (option.state & QStyle::State_HasFocus) != 0;
    item.windowColour = option.palette.color(QPalette::Base);
    painter->save();
    m_list.DrawItem(*painter, item);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), m_list.MeasureItem()};
  }

 private:
  const CFoundListBox& m_list;
};

const FoundListMetrics* FindSize(int size) {
  for (const FoundListMetrics& row : kFoundListSizes) {
    if (row.fontSize == size) return &row;
  }
  return nullptr;
}

QString RowText(const char (&row)[kRowBytes], CodePage page) {
  return DecodeForCodePage(BoundedString(row, kRowBytes), page);
}

// Text placed as a single line, left aligned, centred vertically, free to spill out.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;

QRect ToQRect(int left, int top, int right, int bottom) {
  return {left, top, right - left, bottom - top};
}

}  // namespace

ListFontTenths ListFontTenthsFor(int fontSize, const ScreenDpi& screen) {
  const int translitPoints = fontSize - kTranslitPointsLess;
  if (screen.largeFonts) {
    return {ScaleForLargeFonts(10 * fontSize, screen),
            ScaleForLargeFonts(10 * translitPoints, screen)};
  }
  return {fontSize == kSize15 ? kSize15DevanagariTenths : 10 * fontSize, 10 * translitPoints};
}

CFoundListBox::CFoundListBox() {
  for (int& offset : m_entryOffsets) offset = kNoEntryOffset;
}

CFoundListBox::~CFoundListBox() { DestroyWidget(); }

bool CFoundListBox::Create(QWidget* parent) {
  if (m_pWidget != nullptr) return false;
  auto* view = new QListView(parent);
  view->setObjectName(QStringLiteral("foundList"));
  view->setFrameShape(QFrame::NoFrame);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setFocusPolicy(Qt::StrongFocus);
  auto* model = new CFoundListModel(view);
  view->setModel(model);
  view->setItemDelegate(new CFoundItemDelegate(*this, view));
  view->setGeometry(0, 0, 100, 100);
  m_pWidget = view;
  m_pModel = model;
  // A new list holds no items, so no row has an entry of its own yet.
  for (int& offset : m_entryOffsets) offset = kNoEntryOffset;
  return true;
}

void CFoundListBox::DestroyWidget() {
  QListView* view = m_pWidget;
  m_pWidget = nullptr;
  m_pModel = nullptr;
  delete view;
}

void CFoundListBox::RemakeFonts() {
  const ListFontTenths tenths = ListFontTenthsFor(m_fontSize, QueryScreenDpi());
  g_listDevanagariFont.DeleteObject();
  g_listTranslitFont.DeleteObject();
  g_listDevanagariFont.CreatePointFont(tenths.devanagari, kDevanagariFace);
  g_listTranslitFont.CreatePointFont(tenths.translit, kTranslitFace);
}

void CFoundListBox::RemeasureRows() {
  if (m_pModel == nullptr) return;
  // Taking the items away and adding them again makes the view ask every row's height
  // afresh; the tables and offsets are left alone.
  const int count = m_pModel->Count();
  m_pModel->Clear();
  for (int i = 0; i < count; ++i) m_pModel->Append();
  m_pWidget->viewport()->update();
}

void CFoundListBox::SetFontSize(int size) {
  if (const FoundListMetrics* row = FindSize(size)) {
    m_fontSize = row->fontSize;
    m_itemHeight = row->itemHeight;
    m_textOffsetX = row->textOffsetX;
    m_textOffsetY = row->textOffsetY;
  }
  RemakeFonts();
  RemeasureRows();
}

void CFoundListBox::SetDisplayStyle(int style) {
  m_displayStyle = style;
  RemakeFonts();
  RemeasureRows();
}

int CFoundListBox::AddRow() {
  if (m_pModel == nullptr || m_pModel->Count() >= kMaxRows) return -1;
  return m_pModel->Append();
}

void CFoundListBox::DeleteAllRows() {
  // A search stores the offset of every row it lists; rows that it leaves unfilled must
  // not keep the offsets of an earlier search.
  for (int& offset : m_entryOffsets) offset = kNoEntryOffset;
  if (m_pModel != nullptr) m_pModel->Clear();
}

int CFoundListBox::ItemCount() const { return m_pModel != nullptr ? m_pModel->Count() : 0; }

int CFoundListBox::GetCurSel() const {
  if (m_pWidget == nullptr) return -1;
  const QModelIndexList selected = m_pWidget->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void CFoundListBox::DrawItem(QPainter& painter, const FoundItemPaint& item) const {
  const int i = item.index;
  if (i < 0 || i >= kMaxRows) return;
  const QRect& box = item.rect;
  const int itemLeft = box.left();
  const int itemTop = box.top();
  const int itemRight = box.left() + box.width();
  const int itemBottom = box.top() + box.height();

  painter.fillRect(box, item.selected ? kSelectedFill : item.windowColour);
  if (item.hasFocus) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setPen(Qt::black);

  const int left = itemLeft + m_textOffsetX;
  int top = itemTop + m_textOffsetY;
  if (m_displayStyle == kStyleTranslit) {
    if (g_listTranslitFont.HoldsFont()) painter.setFont(g_listTranslitFont.Font());
    top -= m_textOffsetY;
    painter.drawText(ToQRect(left, top, itemRight, itemBottom), kTextFlags,
                     RowText(m_translitRows[i], CodePage::kIits));
    return;
  }
  if (g_listDevanagariFont.HoldsFont()) painter.setFont(g_listDevanagariFont.Font());
  const QString devanagari = RowText(m_devanagariRows[i], CodePage::kXdvng);
  painter.drawText(ToQRect(left, top, itemRight, itemBottom), kTextFlags, devanagari);
  const int devanagariRight =
      left + QFontMetrics(painter.font(), painter.device()).horizontalAdvance(devanagari);

  if (m_displayStyle != kStyleBoth) return;
  // The transliteration starts where the Devanagari ends, centred on the whole row.
  if (g_listTranslitFont.HoldsFont()) painter.setFont(g_listTranslitFont.Font());
  painter.drawText(ToQRect(devanagariRight, itemTop, itemRight, itemBottom), kTextFlags,
                   RowText(m_translitRows[i], CodePage::kIits));
}

bool CFoundListBox::RetrieveRowEntry(int row, CLineReader& textReader) {
  if (m_entryText == nullptr || row < 0 || row >= ItemCount() || row >= kMaxRows) return false;
  const int offset = m_entryOffsets[row];
  if (offset < 0) {
    m_entryText[0] = '\0';
    return true;
  }
  RetrieveEntry(offset, textReader, m_entryText);
  return true;
}

}  // namespace kv
