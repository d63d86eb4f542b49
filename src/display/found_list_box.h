#pragma once

#include <QAbstractListModel>
#include <QColor>
#include <QRect>
#include <QString>
#include <QStyledItemDelegate>
#include <memory>
#include <optional>
#include <vector>

#include "dictionary/entry_find.h"
#include "dictionary/find_query.h"
#include "dictionary/found_rows.h"
#include "dictionary/headword_search.h"
#include "platform/font.h"
#include "platform/screen_dpi.h"

class QPainter;

namespace kv {

class CDictionary;

// Display styles of the rows.
inline constexpr int kStyleBoth = 0;
inline constexpr int kStyleDevanagari = 1;
inline constexpr int kStyleTranslit = 2;

// The list font sizes in points, with the row metrics that go with each.
struct FoundListMetrics {
  int fontSize;
  int itemHeight;
  int textOffsetX;
  int textOffsetY;
};
inline constexpr FoundListMetrics kFoundListSizes[] = {
    {10, 19, 4, 8},  {13, 24, 5, 9},   {15, 29, 6, 10},  {18, 35, 7, 11},
    {20, 38, 8, 13}, {30, 60, 12, 22}, {40, 75, 15, 25},
};

// Sizes in tenths of a point of the two list fonts for a list font size in points.
struct ListFontTenths {
  int devanagari;
  int translit;
};
// Large-font screens scale both; otherwise the Devanagari of size 15 is made at 15.8 points,
// where its glyphs match the transliteration best.
ListFontTenths ListFontTenthsFor(int fontSize, const ScreenDpi& screen);

// The found list's items and all they are drawn from: the row tables that the search fills
// (row r is item r), the entry text that the search and the selected row write, the display
// style, the font size with its row metrics, and the two list fonts. A view reads each row
// through data(): kDevanagariRole gives the Unicode Devanagari that the row's letters spell
// (for the font to shape; the glyph codes cannot spell every cluster), kTranslitRole (and
// Qt::DisplayRole) its transliteration string decoded, kEntryOffsetRole its entry offset. Both
// texts end in a no-break space, as the list strings end in 0xA0.
class CFoundListModel : public QAbstractListModel, public CFoundRows, public IFoundList {
  Q_OBJECT

 public:
  enum Role { kDevanagariRole = Qt::UserRole + 1, kTranslitRole, kEntryOffsetRole };

  explicit CFoundListModel(QObject* parent = nullptr);
  ~CFoundListModel() override;
  CFoundListModel(const CFoundListModel&) = delete;
  CFoundListModel& operator=(const CFoundListModel&) = delete;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Appends an item for the next row and returns its index; -1 when all kMaxRows rows are in
  // use.
  int AddRow() override;
  // Removes every item. The rows keep their contents and entry offsets (0 until a search
  // fills them), so a row appended later without an offset of its own shows the entry at the
  // offset its row last held. The find that made the list goes with it: its marks are cleared
  // (EntryMarked with none).
  void DeleteAllRows() override;
  int ItemCount() const override { return m_itemCount; }

  // Takes the row metrics of `size` (points) from the size table, leaving them as they are
  // for a size not in it, remakes both fonts for the current size and has the views measure
  // the rows again. The rows keep their contents; the views drop their selection.
  void SetFontSize(int size);
  // Sets the display style and remakes the fonts by the same rule as SetFontSize (so that the
  // text keeps its size); the rows are measured again as there.
  void SetDisplayStyle(int style);

  int DisplayStyle() const { return m_displayStyle; }
  int FontSize() const { return m_fontSize; }
  int ItemHeight() const { return m_itemHeight; }
  int TextOffsetX() const { return m_textOffsetX; }
  int TextOffsetY() const { return m_textOffsetY; }
  const CFont& DevanagariFont() const { return m_listDevanagariFont; }
  const CFont& TranslitFont() const { return m_listTranslitFont; }

  // The entry text (kEntryTextBytes bytes): a search's message or the selected row's entry.
  const char* EntryText() const { return m_entryText.get(); }

  // Runs the headword search on `dictionary` into the rows. A message it writes into the
  // entry text (no match, a missing file) is announced by EntryTextChanged; a search with
  // hits clears such a message (announced the same way), so it never stands beside rows it
  // does not describe. An entry being read stays.
  SearchOutcome Search(const SearchInput& input, CDictionary& dictionary);
  // Finds `query` in the entries of `dictionary` with `finder` (entry_find.h) and lists the
  // headwords found; a refused query changes nothing. An entry being read stays, as after a
  // headword search, and so does the message of one, unless the find lists rows. The query is
  // kept with the list it made: each entry then retrieved from a row is announced with its
  // matches (EntryMarked after EntryRetrieved), until the list is emptied.
  CFindResult Find(const CFindQuery& query, CEntryFinder& finder, CDictionary& dictionary);
  // Lists again what a find listed: the first `count` rows of `rows`, made by `query`, which
  // then marks each entry retrieved from them as Find does.
  void ShowFoundRows(const CFoundRows& rows, int count, const CFindQuery& query);
  // Reads the entry of `row` into the entry text: the entry line at the row's offset,
  // announced by EntryRetrieved (and, in a list a find made, its matches by EntryMarked).
  // False for no such row, leaving the text as it was.
  bool RetrieveRowEntry(int row, CDictionary& dictionary);
  // Reads the entry at `offset` as RetrieveRowEntry reads a row's, with the same signals: an
  // entry shown again without its row being chosen.
  void RetrieveEntryAt(int offset, CDictionary& dictionary);

 signals:
  // A row's entry was read into the entry text.
  void EntryRetrieved(const char* text);
  // The search wrote a message into the entry text.
  void EntryTextChanged(const char* text);
  // The byte ranges of the entry text to mark (FindMatches), or none.
  void EntryMarked(const std::vector<CMatchRange>& matches);

 private:
  void RemakeFonts();
  void RemeasureRows();
  // Writes no message over the entry text any more: clears one that stands there.
  void ClearEntryMessage();

  std::unique_ptr<char[]> m_entryText;
  // The query of the find that made the list, while its rows are listed.
  std::optional<CFindQuery> m_findQuery;
  // The entry text holds a message of the search or the retrieval, not an entry.
  bool m_entryIsMessage = false;
  int m_itemCount = 0;
  int m_displayStyle = kStyleBoth;
  int m_fontSize = 0;
  int m_itemHeight = 0;
  int m_textOffsetX = 0;
  int m_textOffsetY = 0;
  CFont m_listDevanagariFont;
  CFont m_listTranslitFont;
};

// One row as the list view asks for it to be drawn, with its two list strings.
struct FoundItemPaint {
  QRect rect;  // the row's rectangle in the view
  bool selected = false;
  bool hasFocus = false;  // the row is the current one of a focused list
  QColor windowColour = Qt::white;
  QString devanagari;
  QString translit;
};

// Draws the rows of a found list in its model's style, metrics and fonts: paint() runs
// DrawItem on the strings that the model's data() gives for the row, sizeHint() answers
// MeasureItem, and a row whose text runs past the pane's edge shows its whole text as its
// tooltip.
class CFoundItemDelegate : public QStyledItemDelegate {
 public:
  explicit CFoundItemDelegate(const CFoundListModel& model, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

  // The height of every row in pixels.
  int MeasureItem() const { return m_model.ItemHeight(); }
  // Draws a row. With both scripts the transliteration follows the Devanagari on its baseline.
  void DrawItem(QPainter& painter, const FoundItemPaint& item) const;
  // The row's whole text when DrawItem would draw it past the row's right edge (measured on
  // `device` with `fallback` standing in for a list font that holds none); otherwise empty.
  QString CutOffText(const FoundItemPaint& item, const QPaintDevice* device,
                     const QFont& fallback) const;

 private:
  // Where the Devanagari ends and where the whole text ends, in DrawItem's coordinates.
  struct CTextSpan {
    int devanagariRight = 0;
    int textRight = 0;
  };
  CTextSpan Span(const FoundItemPaint& item, const QPaintDevice* device,
                 const QFont& fallback) const;
  FoundItemPaint ItemOf(const QStyleOptionViewItem& option, const QModelIndex& index) const;

  const CFoundListModel& m_model;
};

}  // namespace kv
