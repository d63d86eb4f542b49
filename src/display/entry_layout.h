#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/find_query.h"
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
// Behind the words that a find in the entries matched; the text keeps its own colour, so a
// marked word still shows whether it is selected.
inline constexpr Colour kMarkFillColour = Rgb(255, 228, 120);

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

// The script the Sanskrit words of an entry are shown in: IAST in the transliteration font, or
// Unicode Devanagari spelled from their letters.
enum class SanskritScript : unsigned char { kIast, kDevanagari };

// The no-match message is the one entry text in UTF-8 (it quotes the search text as typed);
// every other text is Windows-1252.
bool IsUtf8EntryText(const char* text);

// A Sanskrit word of the entry text (as stored: its separating space, marker bytes and
// punctuation included) as the pane shows it: IITS codes in EntryFont::kTranslit, or UTF-8
// Devanagari in EntryFont::kDevanagari. `converted` (kWordBytes bytes) and `devanagari` hold
// the text the view points into; both keep their memory from one word to the next.
struct CShownWord {
  std::string_view text;
  EntryFont font;
};
CShownWord ShowSanskritWord(std::string_view word, SanskritScript script, char* converted,
                            std::string& devanagari);

// How one piece of the picture is coloured.
enum class PieceKind : unsigned char { kMarker, kPlain, kSanskrit, kFinal };

// One drawn piece: a paragraph marker or a word. Words past the table capacity are still
// pieces (drawn, never selectable), with `word` = -1.
struct CPiece {
  CRect rect;
  int lineTop = 0;  // top of the piece's line; never decreases from piece to piece
  int start = 0;    // first byte in the entry text
  int length = 0;   // bytes of the entry text drawn (before any transliteration)
  int word = -1;    // index into the word tables
  PieceKind kind = PieceKind::kMarker;
  EntryFont font = EntryFont::kText;  // the font it is measured and drawn in
  bool marked = false;                // a word that meets one of the layout's marks
  int markLeft = 0;  // where a mark's fill starts: the word's text, after its separating space
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

  // Marks the words (pieces with text, not paragraph markers) whose bytes meet one of `ranges`
  // (byte ranges of the text laid out, in order of m_begin, as FindMatches gives them). The
  // marks stay over later layouts of the same text (a resize, another script) until set again;
  // an empty list clears them. Drawing fills a marked word's rectangle with kMarkFillColour.
  void SetMarks(const std::vector<CMatchRange>& ranges);

  // The script of the Sanskrit words; a new script takes effect with the next layout.
  void SetSanskritScript(SanskritScript script) { m_script = script; }
  SanskritScript Script() const { return m_script; }

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
  void AddPiece(const CRect& rect, PieceKind kind, EntryFont font, int start, int length, int word,
                int markLeft);
  void DrawPiece(const char* text, const CPiece& piece, ITextDevice& device) const;
  // Sets each piece's `marked` flag from m_marks.
  void MarkPieces();
  // The font of a word that is not Sanskrit.
  EntryFont PlainFont(std::string_view word) const;

  std::unique_ptr<CPiece[]> m_pieces;
  // The byte ranges marked, overlapping ones joined: disjoint and in text order.
  struct CMarkSpan {
    int begin = 0;
    int end = 0;
  };
  std::vector<CMarkSpan> m_marks;
  SanskritScript m_script = SanskritScript::kIast;
  bool m_utf8Text = false;  // the text laid out is the no-match message
  // The Devanagari of the word being measured or drawn, its memory kept between words.
  mutable std::string m_devanagari;
  int m_pieceCount = 0;
  int m_tallestLine = 0;
  int m_height = 0;
  int m_width = 0;
};

}  // namespace kv
