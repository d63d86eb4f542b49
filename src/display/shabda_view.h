#pragma once

#include <QAbstractScrollArea>
#include <QCursor>
#include <QFont>
#include <memory>

#include "display/entry_layout.h"
#include "display/entry_text_device.h"
#include "display/word_selection.h"

namespace kv {

// Registers the entry pane's cursor pictures (":/cursors/132.png", ":/cursors/133.png").
// kv_ui is a static library, so nothing else keeps the compiled resource; the pane calls it
// itself, and calling it again does nothing.
void InitEntryViewResources();

// The entry pane: shows the entry text as word-wrapped paragraphs with the Sanskrit words
// transliterated, lets the mouse select words and paragraphs, and copies the selection.
// The layout is redone only when the text, the pane's width or the entry fonts change; a
// repaint draws the stored pieces that meet the exposed area.
class CShabdaView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Scroll sizes in logical pixels: the content is at least kMinScrollWidth wide and
  // reaches kScrollMargin below the lowest line.
  static constexpr int kMinScrollWidth = 1000;
  static constexpr int kScrollMargin = 10;
  static constexpr int kPageStepX = 100;
  static constexpr int kPageStepY = 510;
  static constexpr int kLineStep = 20;

  // Stores `this` in *registry (the application's m_pEntryView) and creates the entry
  // fonts. `entryText` points at the found list's pointer to the entry text buffer, which
  // may still be null; the pane never writes the text.
  CShabdaView(CShabdaView** registry, char* const* entryText, QWidget* parent = nullptr);
  ~CShabdaView() override;
  CShabdaView(const CShabdaView&) = delete;
  CShabdaView& operator=(const CShabdaView&) = delete;

  // The copy command: the selected words, in text order, onto the clipboard as plain text.
  // With nothing selected the clipboard keeps what it held.
  void CopySelection();

  // The word and paragraph tables of the last layout, and the selection flags.
  const CEntryLayout& Layout() const { return *m_layout; }
  // The logical position (layout coordinates) of the viewport's top-left corner.
  QPoint ScrollOffset() const;

 public slots:
  // A new entry was read into the text: back to the top, nothing selected, drawn anew.
  void ShowNewEntry();
  // The text changed (a search message): laid out and drawn anew, selection kept.
  void Refresh();
  // The entry fonts were recreated.
  void FontsChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  struct CFontKey {
    bool holds = false;
    QFont font;
    bool operator==(const CFontKey& other) const {
      return holds == other.holds && (!holds || font == other.font);
    }
  };

  const char* Text() const;
  bool LayoutIsCurrent(const char* text) const;
  void EnsureLayout();
  void LayoutNow();
  void UpdateScrollBars();
  QPoint LogicalPoint(const QPointF& viewportPoint) const;
  void ShowCursor(EntryCursor cursor);

  char* const* m_entryText;
  CShabdaView** m_registry;
  std::unique_ptr<CEntryLayout> m_layout;
  CEntryFontMetrics m_fontMetrics;
  // What the current layout was made from.
  std::unique_ptr<char[]> m_laidOutText;
  int m_laidOutWidth = -1;
  CFontKey m_laidOutTextFont;
  CFontKey m_laidOutTranslitFont;
  bool m_layoutValid = false;
  bool m_metricsReady = false;

  bool m_painting = false;
  bool m_shown = false;
  QCursor m_arrowCursor;
  QCursor m_wordCursor;
  QCursor m_paragraphCursor;
};

}  // namespace kv
