#include "display/entry_layout.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "dictionary/headword_search.h"
#include "dictionary/list_strings.h"

namespace kv {

namespace {

// True when [start, end) holds more than the space that separates it from the previous word.
bool HasWordText(const char* text, int start, int end) {
  for (int i = start; i < end; ++i) {
    if (text[i] != ' ') {
      return true;
    }
  }
  return false;
}

}  // namespace

int WrapLimit(int columnWidth) { return std::max(columnWidth - kRightMargin, kMinWrapLimit); }

void CEntryTables::ClearSelection() {
  std::fill(std::begin(m_wordSelected), std::end(m_wordSelected), 0);
}

EntryFont FontOf(PieceKind kind) {
  return kind == PieceKind::kSanskrit ? EntryFont::kTranslit : EntryFont::kText;
}

struct CEntryLayout::CState {
  int limit = kMinWrapLimit;
  int x = kFirstWordX;
  int lineTop = kFirstLineTop;
  int lineHeight = 0;
  int lineStart = 0;  // the first piece of the line being built
  int prevBottom = kFirstLineTop;
  int textAscent = 0;
  int translitAscent = 0;
  CExtent marker;
  bool inParen = false;
  bool pending = false;

  int Ascent(PieceKind kind) const {
    return FontOf(kind) == EntryFont::kTranslit ? translitAscent : textAscent;
  }
};

CEntryLayout::CEntryLayout() : m_pieces(std::make_unique<CPiece[]>(kMaxPieces)) {}

void CEntryLayout::ClearSelectionIfNoMatch(const char* text) {
  if (IsNoMatchText(text)) {
    ClearSelection();
  }
}

void CEntryLayout::Layout(const char* text, int columnWidth, ITextDevice& device) {
  m_wordCount = 0;
  m_paragraphCount = 0;
  m_pieceCount = 0;
  m_tallestLine = 0;
  m_height = 0;
  m_width = 0;
  ClearSelectionIfNoMatch(text);
  if (text[0] == '\0' || text[1] == '\0') {
    return;
  }

  CState state;
  state.limit = WrapLimit(columnWidth);
  state.textAscent = device.Ascent(EntryFont::kText);
  state.translitAscent = device.Ascent(EntryFont::kTranslit);
  state.marker = device.Measure(kParagraphMarker, EntryFont::kText);
  AddMarker(0, state);

  // Character 0 never separates: a text cannot begin with an empty word.
  int wordStart = 0;
  int i = 1;
  while (text[i] != '\0') {
    if (i > 2) {
      state.pending = true;
    }
    if (text[i] == ' ') {
      PlaceWord(text, wordStart, i, false, state, device);
      wordStart = i;
    } else if (text[i] == ';' && !state.inParen) {
      if (HasWordText(text, wordStart, i)) {
        PlaceWord(text, wordStart, i, false, state, device);
      }
      CloseParagraph(state);
      wordStart = i + 1;
      state.x = kFirstWordX;
      state.lineTop = state.prevBottom + kParagraphGap;
      // The paragraph the `;` opens shows its marker even when nothing follows.
      AddMarker(i, state);
      if (text[i + 1] == '\0') {
        break;
      }
      // The byte after the `;` always belongs to the next word, even a space.
      i += 2;
      continue;
    }
    ++i;
  }

  if (state.pending && text[wordStart] != '\0') {
    const int end = wordStart + static_cast<int>(std::strlen(text + wordStart));
    PlaceWord(text, wordStart, end, true, state, device);
    CloseParagraph(state);
  }
  // A marker with no word after it stands on a line of its own.
  EndLine(state);
}

void CEntryLayout::AddMarker(int start, CState& state) {
  AddPiece(CRect{kMarkerX, state.lineTop, kMarkerX + state.marker.width,
                 state.lineTop + state.marker.height},
           PieceKind::kMarker, start, 0, -1);
}

void CEntryLayout::PlaceWord(const char* text, int start, int end, bool isFinal, CState& state,
                             ITextDevice& device) {
  // The last parenthesis of the word decides whether a later `;` closes the paragraph.
  for (int j = start; j < end; ++j) {
    if (text[j] == '(') {
      state.inParen = true;
    } else if (text[j] == ')') {
      state.inParen = false;
    }
  }

  const int length = std::min(end - start, kMaxWordLength);
  const std::string_view raw(text + start, static_cast<std::size_t>(length));
  const bool sanskrit = IsSanskritWord(raw);
  char converted[kWordBytes];
  const std::string_view drawn = sanskrit ? TransliterateWord(raw, converted) : raw;
  const CExtent extent = device.Measure(drawn, sanskrit ? EntryFont::kTranslit : EntryFont::kText);

  // The final word needs no gap after it, so it may reach the limit exactly.
  const int allowance = isFinal ? 0 : kWordGap;
  int left = state.x;
  if (state.x + extent.width + allowance > state.limit) {
    EndLine(state);
    state.lineTop += state.lineHeight;
    left = kContinuationX;
  }
  // The top is provisional until the line ends and its baseline is known.
  const CRect rect{left, state.lineTop, left + extent.width, state.lineTop + extent.height};
  state.x = rect.right + kWordGap;
  state.pending = true;

  int word = -1;
  if (m_wordCount < kMaxWords) {
    word = m_wordCount++;
    m_wordLeft[word] = rect.left;
    m_wordRight[word] = rect.right;
    m_wordStart[word] = start;
    m_wordEnd[word] = end;
  }
  const PieceKind kind =
      sanskrit ? PieceKind::kSanskrit : (isFinal ? PieceKind::kFinal : PieceKind::kPlain);
  AddPiece(rect, kind, start, length, word);
}

void CEntryLayout::EndLine(CState& state) {
  CPiece* const first = m_pieces.get() + state.lineStart;
  CPiece* const last = m_pieces.get() + m_pieceCount;
  if (first == last) {
    return;
  }
  int ascent = 0;
  int descent = 0;
  for (const CPiece* piece = first; piece != last; ++piece) {
    const int pieceAscent = state.Ascent(piece->kind);
    ascent = std::max(ascent, pieceAscent);
    descent = std::max(descent, piece->rect.bottom - piece->rect.top - pieceAscent);
  }
  for (CPiece* piece = first; piece != last; ++piece) {
    CRect& r = piece->rect;
    const int height = r.bottom - r.top;
    r.top = state.lineTop + ascent - state.Ascent(piece->kind);
    r.bottom = r.top + height;
    if (piece->word >= 0) {
      m_wordTop[piece->word] = r.top;
      m_wordBottom[piece->word] = r.bottom;
    }
    m_height = std::max(m_height, r.bottom);
  }
  state.lineHeight = ascent + descent + 1;
  m_tallestLine = std::max(m_tallestLine, state.lineHeight);
  state.lineStart = m_pieceCount;
}

void CEntryLayout::CloseParagraph(CState& state) {
  EndLine(state);
  const int bottom = state.lineTop + state.lineHeight;
  if (m_paragraphCount < kMaxParagraphs) {
    const int p = m_paragraphCount++;
    m_paragraphFirstWord[p] = p == 0 ? 0 : m_paragraphEndWord[p - 1];
    m_paragraphEndWord[p] = m_wordCount;
    // The band reaches up to the previous paragraph's bottom, gap included.
    m_paragraphTop[p] = state.prevBottom;
    m_paragraphBottom[p] = bottom;
  }
  state.prevBottom = bottom;
}

void CEntryLayout::AddPiece(const CRect& rect, PieceKind kind, int start, int length, int word) {
  if (m_pieceCount >= kMaxPieces) {
    return;
  }
  m_pieces[static_cast<std::size_t>(m_pieceCount++)] =
      CPiece{rect, rect.top, start, length, word, kind};
  m_width = std::max(m_width, rect.right);
}

void CEntryLayout::Paint(const char* text, int columnWidth, ITextDevice& device) {
  Layout(text, columnWidth, device);
  constexpr int kEverything = std::numeric_limits<int>::max();
  Draw(text, device, CRect{0, 0, kEverything, kEverything});
}

void CEntryLayout::Draw(const char* text, ITextDevice& device, const CRect& exposed) const {
  // Line tops never decrease and a piece lies within its line, so every piece before the
  // first one whose line starts within the tallest line's height above the exposed area ends
  // above it, and every piece from the first line that starts below it lies below it.
  const CPiece* begin = m_pieces.get();
  const CPiece* end = begin + m_pieceCount;
  const int firstTop = exposed.top - m_tallestLine;
  const CPiece* piece = std::partition_point(
      begin, end, [firstTop](const CPiece& p) { return p.lineTop <= firstTop; });
  for (; piece != end && piece->lineTop < exposed.bottom; ++piece) {
    const CRect& r = piece->rect;
    if (r.bottom > exposed.top && r.right > exposed.left && r.left < exposed.right) {
      DrawPiece(text, *piece, device);
    }
  }
}

void CEntryLayout::DrawPiece(const char* text, const CPiece& piece, ITextDevice& device) const {
  const bool selected = piece.word >= 0 && m_wordSelected[piece.word] != 0;
  const std::string_view raw(text + piece.start, static_cast<std::size_t>(piece.length));
  switch (piece.kind) {
    case PieceKind::kMarker:
      device.Draw(kParagraphMarker, piece.rect, kMarkerColour, FontOf(piece.kind));
      break;
    case PieceKind::kPlain:
      device.Draw(raw, piece.rect, selected ? kPlainSelectedColour : kPlainColour,
                  FontOf(piece.kind));
      break;
    case PieceKind::kFinal:
      device.Draw(raw, piece.rect, selected ? kFinalSelectedColour : kFinalColour,
                  FontOf(piece.kind));
      break;
    case PieceKind::kSanskrit: {
      char converted[kWordBytes];
      device.Draw(TransliterateWord(raw, converted), piece.rect,
                  selected ? kSanskritSelectedColour : kSanskritColour, FontOf(piece.kind));
      break;
    }
  }
}

}  // namespace kv
