#pragma once

#include <QColor>
#include <QRect>

#include "dictionary/found_rows.h"
#include "platform/font.h"
#include "platform/screen_dpi.h"

class QListView;
class QPainter;

namespace kv {

class CLineReader;
class CFoundListModel;

// The entry offset of a row that no search filled (a row appended by hand after a search):
// selecting it shows an empty entry instead of reading the entries file at a stale place.
inline constexpr int kNoEntryOffset = -1;

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

// One row as the list view asks for it to be drawn.
struct FoundItemPaint {
  int index = -1;
  QRect rect;  // the row's rectangle in the view
  bool selected = false;
  bool hasFocus = false;  // the row is the current one of a focused list
  QColor windowColour = Qt::white;
};

// The found list: the row tables that the search fills, the entry text buffer, the display
// style and row metrics, and the list widget once a CFoundView has made it. Items carry no
// data: item i draws row i of the tables. Without a widget the list holds no items.
class CFoundListBox : public CFoundRows, public IFoundList {
 public:
  CFoundListBox();
  ~CFoundListBox() override;
  CFoundListBox(const CFoundListBox&) = delete;
  CFoundListBox& operator=(const CFoundListBox&) = delete;

  // The entry pane's text: kEntryTextBytes bytes owned by the CFoundView that made the
  // widget, null while there is none.
  char* m_entryText = nullptr;
  int m_displayStyle = kStyleBoth;
  int m_fontSize = 0;
  int m_itemHeight = 0;
  int m_textOffsetX = 0;
  int m_textOffsetY = 0;

  // Makes the list widget, without items, as a child of `parent`; every row's entry offset
  // becomes kNoEntryOffset. False if there is a widget already.
  bool Create(QWidget* parent);
  // Destroys the widget and with it all items; the tables stay.
  void DestroyWidget();
  QListView* Widget() const { return m_pWidget; }

  // Takes the row metrics of `size` (points) from the size table, leaving them as they are
  // for a size not in it, remakes both fonts for the current size and re-measures the rows.
  // The rows keep their contents; the selection is dropped.
  void SetFontSize(int size);
  // Sets the display style, remakes the fonts by the same rule as SetFontSize (so that the
  // text keeps its size) and re-measures the rows, dropping the selection.
  void SetDisplayStyle(int style);

  // Appends an item for the next row and returns its index; -1 without a widget or when
  // all kMaxRows rows are in use.
  int AddRow() override;
  // Removes every item and marks every row's entry offset as kNoEntryOffset: a row that
  // is later appended without an offset of its own then shows an empty entry.
  void DeleteAllRows() override;
  int ItemCount() const override;
  // The selected row, or -1.
  int GetCurSel() const;

  // The height of every row in pixels.
  int MeasureItem() const { return m_itemHeight; }
  // Draws one row; an index outside the rows draws nothing.
  void DrawItem(QPainter& painter, const FoundItemPaint& item) const;

  // Reads the entry of `row` into m_entryText: the entry line at the row's offset, or an
  // empty text for a row without offset. False when there is no entry text buffer or no
  // such row, leaving the text as it was.
  bool RetrieveRowEntry(int row, CLineReader& textReader);

 private:
  void RemakeFonts();
  void RemeasureRows();

  QListView* m_pWidget = nullptr;
  CFoundListModel* m_pModel = nullptr;
};

// The one found list and its two fonts.
extern CFoundListBox g_foundList;
extern CFont g_listDevanagariFont;
extern CFont g_listTranslitFont;

}  // namespace kv
