#include "display/found_list_box.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>
#include <cmath>
#include <string>

#include "dictionary/dictionary.h"
#include "dictionary/transliteration.h"

namespace kv {

namespace {

constexpr char kDevanagariFace[] = "xdvng";
constexpr char kTranslitFace[] = "IITS";
// At the nominal dpi the Devanagari of size 15 is made a little larger.
constexpr int kSize15 = 15;
constexpr int kSize15DevanagariTenths = 158;
// The translit font is this many points smaller than the list size.
constexpr int kTranslitPointsLess = 2;
const QColor kSelectedFill(180, 200, 200);

const FoundListMetrics* FindSize(int size) {
  for (const FoundListMetrics& row : kFoundListSizes) {
    if (row.fontSize == size) return &row;
  }
  return nullptr;
}

constexpr char16_t kNoBreakSpace = 0x00A0;

QString RowText(const char (&row)[kRowBytes], CodePage page) {
  return DecodeForCodePage(BoundedString(row, kRowBytes), page);
}

// The Devanagari that a row's letters spell, with the no-break space that closes a list string.
QString SpelledDevanagari(const char (&letters)[kRowBytes]) {
  std::string devanagari;
  AppendDevanagari(BoundedString(letters, kRowBytes), MarkerBytes::kJoin, devanagari);
  return QString::fromUtf8(devanagari.data(), static_cast<qsizetype>(devanagari.size())) +
         QChar(kNoBreakSpace);
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

CFoundListModel::CFoundListModel(QObject* parent)
    : QAbstractListModel(parent),
      m_entryText(std::make_unique_for_overwrite<char[]>(kEntryTextBytes)) {
  m_entryText[0] = '\0';
}

CFoundListModel::~CFoundListModel() = default;

int CFoundListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_itemCount;
}

QVariant CFoundListModel::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  if (!index.isValid() || row < 0 || row >= m_itemCount) return {};
  switch (role) {
    case Qt::DisplayRole:
    case kTranslitRole:
      return RowText(m_translitRows[row], CodePage::kIits);
    case kDevanagariRole:
      return SpelledDevanagari(m_letterRows[row]);
    case kEntryOffsetRole:
      return m_entryOffsets[row];
    default:
      return {};
  }
}

int CFoundListModel::AddRow() {
  if (m_itemCount >= kMaxRows) return -1;
  beginInsertRows(QModelIndex(), m_itemCount, m_itemCount);
  ++m_itemCount;
  endInsertRows();
  return m_itemCount - 1;
}

void CFoundListModel::DeleteAllRows() {
  beginResetModel();
  m_itemCount = 0;
  endResetModel();
  if (m_findQuery) {
    m_findQuery.reset();
    emit EntryMarked({});
  }
}

void CFoundListModel::RemakeFonts() {
  const ListFontTenths tenths = ListFontTenthsFor(m_fontSize, QueryScreenDpi());
  m_listDevanagariFont.CreatePointFont(tenths.devanagari, kDevanagariFace);
  m_listTranslitFont.CreatePointFont(tenths.translit, kTranslitFace);
}

void CFoundListModel::RemeasureRows() {
  // A reset makes every view ask each row's height afresh; the tables and offsets stay.
  beginResetModel();
  endResetModel();
}

void CFoundListModel::SetFontSize(int size) {
  if (const FoundListMetrics* row = FindSize(size)) {
    m_fontSize = row->fontSize;
    m_itemHeight = row->itemHeight;
    m_textOffsetX = row->textOffsetX;
    m_textOffsetY = row->textOffsetY;
  }
  RemakeFonts();
  RemeasureRows();
}

void CFoundListModel::SetDisplayStyle(int style) {
  m_displayStyle = style;
  RemakeFonts();
  RemeasureRows();
}

SearchOutcome CFoundListModel::Search(const SearchInput& input, CDictionary& dictionary) {
  const SearchOutcome outcome = RunHeadwordSearch(
      input, dictionary.ListReader(), dictionary.IndexReader(), *this, *this, m_entryText.get());
  if (outcome == SearchOutcome::kNoMatch || outcome == SearchOutcome::kMissingFile) {
    m_entryIsMessage = true;
    emit EntryTextChanged(m_entryText.get());
  } else if (outcome == SearchOutcome::kFound) {
    ClearEntryMessage();
  }
  return outcome;
}

void CFoundListModel::ClearEntryMessage() {
  if (!m_entryIsMessage) return;
  m_entryIsMessage = false;
  m_entryText[0] = '\0';
  emit EntryTextChanged(m_entryText.get());
}

CFindResult CFoundListModel::Find(const CFindQuery& query, CEntryFinder& finder,
                                  CDictionary& dictionary) {
  if (!query.Ok()) return CFindResult{};
  CFindResult result = finder.Find(query, dictionary, *this, *this);
  if (result.m_outcome == FindOutcome::kFound) {
    m_findQuery = query;
    ClearEntryMessage();
  }
  return result;
}

void CFoundListModel::ShowFoundRows(const CFoundRows& rows, int count, const CFindQuery& query) {
  DeleteAllRows();
  beginResetModel();
  static_cast<CFoundRows&>(*this) = rows;
  m_itemCount = std::min(count, kMaxRows);
  m_findQuery = query;
  endResetModel();
  ClearEntryMessage();
}

bool CFoundListModel::RetrieveRowEntry(int row, CDictionary& dictionary) {
  if (row < 0 || row >= m_itemCount) return false;
  RetrieveEntryAt(m_entryOffsets[row], dictionary);
  return true;
}

void CFoundListModel::RetrieveEntryAt(int offset, CDictionary& dictionary) {
  // Without the entries file the text says which file is missing.
  m_entryIsMessage = !RetrieveEntry(offset, dictionary.TextReader(), m_entryText.get());
  emit EntryRetrieved(m_entryText.get());
  if (m_findQuery) {
    emit EntryMarked(m_entryIsMessage ? std::vector<CMatchRange>()
                                      : FindMatches(*m_findQuery, m_entryText.get()));
  }
}

CFoundItemDelegate::CFoundItemDelegate(const CFoundListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model) {}

FoundItemPaint CFoundItemDelegate::ItemOf(const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
  FoundItemPaint item;
  item.rect = option.rect;
  item.selected = (option.state & QStyle::State_Selected) != 0;
  item.hasFocus = (option.state & QStyle::State_HasFocus) != 0;
  item.windowColour = option.palette.color(QPalette::Base);
  item.devanagari = index.data(CFoundListModel::kDevanagariRole).toString();
  item.translit = index.data(CFoundListModel::kTranslitRole).toString();
  return item;
}

void CFoundItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  painter->save();
  DrawItem(*painter, ItemOf(option, index));
  painter->restore();
}

QSize CFoundItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {option.rect.width(), MeasureItem()};
}

bool CFoundItemDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event->type() != QEvent::ToolTip || view == nullptr || !index.isValid()) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  const QString text = CutOffText(ItemOf(option, index), view->viewport(), view->font());
  if (text.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
  }
  return true;
}

CFoundItemDelegate::CTextSpan CFoundItemDelegate::Span(const FoundItemPaint& item,
                                                       const QPaintDevice* device,
                                                       const QFont& fallback) const {
  const auto advance = [device, &fallback](const CFont& font, const QString& text) {
    const QFont& used = font.HoldsFont() ? font.Font() : fallback;
    return QFontMetrics(used, device).horizontalAdvance(text);
  };
  const int left = item.rect.left() + m_model.TextOffsetX();
  CTextSpan span;
  if (m_model.DisplayStyle() == kStyleTranslit) {
    span.devanagariRight = left;
    span.textRight = left + advance(m_model.TranslitFont(), item.translit.trimmed());
    return span;
  }
  span.devanagariRight = left + advance(m_model.DevanagariFont(), item.devanagari);
  span.textRight =
      m_model.DisplayStyle() == kStyleBoth
          ? span.devanagariRight + advance(m_model.TranslitFont(), item.translit.trimmed())
          : left + advance(m_model.DevanagariFont(), item.devanagari.trimmed());
  return span;
}

QString CFoundItemDelegate::CutOffText(const FoundItemPaint& item, const QPaintDevice* device,
                                       const QFont& fallback) const {
  if (Span(item, device, fallback).textRight <= item.rect.left() + item.rect.width()) return {};
  switch (m_model.DisplayStyle()) {
    case kStyleTranslit:
      return item.translit.trimmed();
    case kStyleBoth:
      return item.devanagari.trimmed() + QLatin1Char(' ') + item.translit.trimmed();
    default:
      return item.devanagari.trimmed();
  }
}

void CFoundItemDelegate::DrawItem(QPainter& painter, const FoundItemPaint& item) const {
  const QRect& box = item.rect;
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

  const CFont& devanagariFont = m_model.DevanagariFont();
  const CFont& translitFont = m_model.TranslitFont();
  const int left = box.left() + m_model.TextOffsetX();
  const int top = itemTop + m_model.TextOffsetY();
  if (m_model.DisplayStyle() == kStyleTranslit) {
    // The transliteration alone is centred on the whole row.
    if (translitFont.HoldsFont()) painter.setFont(translitFont.Font());
    painter.drawText(ToQRect(left, itemTop, itemRight, itemBottom), kTextFlags, item.translit);
    return;
  }
  const QFont fallback = painter.font();
  if (devanagariFont.HoldsFont()) painter.setFont(devanagariFont.Font());
  // The Devanagari is centred below the top inset, its baseline on a whole pixel; with both
  // scripts the transliteration follows where the Devanagari's advance ends, on that baseline.
  const QFontMetricsF metrics(painter.font(), painter.device());
  const qreal baseline =
      std::round(top + (itemBottom - top - metrics.height()) / 2 + metrics.ascent());
  painter.drawText(QPointF(left, baseline), item.devanagari);
  if (m_model.DisplayStyle() != kStyleBoth) return;
  const int devanagariRight = Span(item, painter.device(), fallback).devanagariRight;
  if (translitFont.HoldsFont()) painter.setFont(translitFont.Font());
  painter.drawText(QPointF(devanagariRight, baseline), item.translit);
}

}  // namespace kv
