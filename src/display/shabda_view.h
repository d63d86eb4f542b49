#pragma once

#include <QAbstractScrollArea>
#include <QCursor>
#include <memory>
#include <vector>

#include "display/entry_fonts.h"
#include "display/entry_layout.h"
#include "display/entry_text_device.h"
#include "display/word_selection.h"

namespace kv {

// Registers the entry pane's cursor pictures (":/cursors/132.png", ":/cursors/133.png").
// kv_display is a static library, so nothing else keeps the compiled resource; the pane calls it
// itself, and calling it again does nothing.
void InitEntryViewResources();

// The entry pane: shows the entry text as word-wrapped paragraphs with the Sanskrit words
// transliterated, lets the mouse select words and paragraphs, and copies the selection. It
// keeps its own copy of the text it is given and owns its fonts. The layout is redone only
// when the text, the pane's width or the fonts change; a repaint draws the stored pieces that
// meet the exposed area.
class CShabdaView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Scroll sizes in logical pixels: the content reaches kScrollMargin below the lowest line.
  static constexpr int kScrollMargin = 10;
  static constexpr int kPageStepX = 100;
  static constexpr int kPageStepY = 510;
  static constexpr int kLineStep = 20;

  // Creates the entry fonts at their start sizes; the pane shows an empty text.
  explicit CShabdaView(QWidget* parent = nullptr);
  ~CShabdaView() override;
  CShabdaView(const CShabdaView&) = delete;
  CShabdaView& operator=(const CShabdaView&) = delete;

  // The copy command: the selected words, in text order, onto the clipboard as plain text, as
  // the pane shows them (BuildCopyText). With nothing selected the clipboard keeps what it held.
  void CopySelection();
  // Shows the Sanskrit words in IAST or in Devanagari: laid out again, the selection kept.
  void SetSanskritScript(SanskritScript script);

  // The text shown, as the pane was last given it.
  const char* Text() const { return m_text.get(); }
  // The word and paragraph tables of the last layout, and the selection flags.
  const CEntryLayout& Layout() const { return *m_layout; }
  const CEntryFonts& Fonts() const { return m_fonts; }
  // The logical position (layout coordinates) of the viewport's top-left corner.
  QPoint ScrollOffset() const;

 public slots:
  // A new entry (up to kEntryTextBytes bytes): shown from the top, nothing selected or marked.
  void ShowNewEntry(const char* text);
  // Another text in place of the entry (a search message): shown with the selection kept,
  // nothing marked.
  void ShowText(const char* text);
  // Marks the words of the text shown that meet `matches` (CEntryLayout::SetMarks); none
  // clears the marks.
  void MarkMatches(const std::vector<CMatchRange>& matches);
  // Makes the entry fonts again at these sizes (tenths of a point, before large-font scaling).
  void SetFontSizes(int textTenths, int translitTenths);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void TakeText(const char* text);
  void LayoutNow();
  void UpdateScrollBars();
  QPoint LogicalPoint(const QPointF& viewportPoint) const;
  void ShowCursor(EntryCursor cursor);
  // Draws the hand cursors for the pane's screen, unless they are drawn for it already.
  void MakeCursors();

  CEntryFonts m_fonts;
  std::unique_ptr<char[]> m_text;
  std::unique_ptr<CEntryLayout> m_layout;
  CEntryFontMetrics m_fontMetrics;
  // The width the current layout was made for; -1 before the first.
  int m_laidOutWidth = -1;
  bool m_layoutValid = false;

  bool m_painting = false;
  bool m_shown = false;
  QCursor m_arrowCursor;
  QCursor m_wordCursor;
  QCursor m_paragraphCursor;
  qreal m_cursorRatio = 0;  // the pixel density the hand cursors are drawn for
};

}  // namespace kv
