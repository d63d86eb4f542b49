#pragma once

#include <memory>
#include <string_view>

#include "dictionary/found_rows.h"
#include "display/text_device.h"

namespace kv {

// Capacities of the word and paragraph tables of one layout.
inline constexpr int kMaxWords = 5000;
inline constexpr int kMaxParagraphs = 1000;
// Every word and every paragraph marker takes at least one byte of the entry text, so the
// pieces of one layout never exceed the text buffer plus the first marker.
inline constexpr int kMaxPieces = kEntryTextBytes + 1;

// Geometry of the entry pane, in logical pixels.
inline constexpr int kMarkerX = 3;
inline constexpr int kFirstLineTop = 10;
inline constexpr int kFirstWordX = 15;
inline constexpr int kContinuationX = 20;
inline constexpr int kWordGap = 4;
inline constexpr int kParagraphGap = 5;
inline constexpr int kRightMargin = 12;
inline constexpr int kMinWrapLimit = 250;
// The margin strip left of the words where a click acts on a whole paragraph.
inline constexpr int kMarginStripRight = kFirstWordX;

// The paragraph marker, the currency sign of Windows-1252, drawn in the text font.
inline constexpr std::string_view kParagraphMarker = "\xA4";

inline constexpr Colour kMarkerColour = Rgb(30, 40, 170);
inline constexpr Colour kPlainColour = Rgb(0, 0, 0);
inline constexpr Colour kPlainSelectedColour = Rgb(150, 20, 60);
inline constexpr Colour kSanskritColour = Rgb(50, 140, 60);
inline constexpr Colour kSanskritSelectedColour = Rgb(150, 140, 60);
inline constexpr Colour kFinalColour = Rgb(0, 0, 0);
inline constexpr Colour kFinalSelectedColour = Rgb(150, 20, 40);

// The wrap limit for a column of `columnWidth` pixels: a narrow column still wraps at
// kMinWrapLimit.
int WrapLimit(int columnWidth);

// What the mouse handling and the copy command read: the rectangle of every recorded word,
// the band of every paragraph, and the selection flags. The flags are indexed by word number
// and outlive a layout, so a selection survives scrolling, resizing and re-wrapping.
struct CEntryTables {
  int m_paragraphFirstWord[kMaxParagraphs] = {};
  int m_paragraphEndWord[kMaxParagraphs] = {};
  int m_paragraphTop[kMaxParagraphs] = {};
  int m_paragraphBottom[kMaxParagraphs] = {};
  int m_wordLeft[kMaxWords] = {};
  int m_wordRight[kMaxWords] = {};
  int m_wordTop[kMaxWords] = {};
  int m_wordBottom[kMaxWords] = {};
  int m_wordStart[kMaxWords] = {};
  // One past the last byte of word k in the text; a word never includes a `;` that closes
  // its paragraph.
  int m_wordEnd[kMaxWords] = {};
  int m_wordCount = 0;
  int m_paragraphCount = 0;
  int m_wordSelected[kMaxWords] = {};

  void ClearSelection();
};

// How one piece of the picture is coloured.
enum class PieceKind : unsigned char { kMarker, kPlain, kSanskrit, kFinal };

// The font a piece is drawn in.
EntryFont FontOf(PieceKind kind);

// One drawn piece: a paragraph marker or a word. Words past the table capacity are still
// pieces (drawn, never selectable), with `word` = -1.
struct CPiece {
  CRect rect;
  int lineTop = 0;  // top of the piece's line; never decreases from piece to piece
  int start = 0;    // first byte in the entry text
  int length = 0;   // bytes of the entry text drawn (before any transliteration)
  int word = -1;    // index into the word tables
  PieceKind kind = PieceKind::kMarker;
};

// Lays out an entry text as flowing, word-wrapped paragraphs and draws it. The pieces of a
// line (its words, and the marker on a paragraph's first line) share one baseline, placed so
// that the line is as tall as its tallest piece; the next line starts one pixel below. Layout
// and drawing are separate so that a repaint after scrolling or a selection change draws the
// stored pieces that meet the exposed area without measuring anything again.
class CEntryLayout : public CEntryTables {
 public:
  CEntryLayout();

  // Rebuilds the word and paragraph tables and the piece list for `text` wrapped to a column
  // `columnWidth` pixels wide. The no-match message clears every selection flag.
  void Layout(const char* text, int columnWidth, ITextDevice& device);

  // Draws the pieces that meet `exposed`, coloured by the current selection flags. `text`
  // must be the text of the last layout.
  void Draw(const char* text, ITextDevice& device, const CRect& exposed) const;

  // A full paint: layout, then every piece drawn.
  void Paint(const char* text, int columnWidth, ITextDevice& device);

  // Clears every selection flag when `text` is the no-match message; a click on that message
  // must not leave a word selected.
  void ClearSelectionIfNoMatch(const char* text);

  // The bottom of the lowest piece: the height the scroll range must cover.
  int Height() const { return m_height; }
  // The right edge of the rightmost piece.
  int Width() const { return m_width; }
  int PieceCount() const { return m_pieceCount; }
  const CPiece& Piece(int index) const { return m_pieces[static_cast<std::size_t>(index)]; }

 private:
  struct CState;

  void PlaceWord(const char* text, int start, int end, bool isFinal, CState& state,
                 ITextDevice& device);
  void AddMarker(int start, CState& state);
  // Puts the pieces of the line being built on their common baseline and sets the line's
  // height.
  void EndLine(CState& state);
  void CloseParagraph(CState& state);
  void AddPiece(const CRect& rect, PieceKind kind, int start, int length, int word);
  void DrawPiece(const char* text, const CPiece& piece, ITextDevice& device) const;

  std::unique_ptr<CPiece[]> m_pieces;
  int m_pieceCount = 0;
  int m_tallestLine = 0;
  int m_height = 0;
  int m_width = 0;
};

}  // namespace kv
