#include "display/entry_layout.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "dictionary/headword_search.h"
#include "dictionary/list_strings.h"
#include "dictionary/transliteration.h"

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

bool IsUtf8EntryText(const char* text) { return IsNoMatchText(text); }

CShownWord ShowSanskritWord(std::string_view word, SanskritScript script, char* converted,
                            std::string& devanagari) {
  if (script == SanskritScript::kIast) {
    return {TransliterateWord(word, converted), EntryFont::kTranslit};
  }
  devanagari.clear();
  AppendDevanagari(word, MarkerBytes::kShow, devanagari);
  return {devanagari, EntryFont::kDevanagari};
}

void CEntryTables::ClearSelection() {
  std::fill(std::begin(m_wordSelected), std::end(m_wordSelected), 0);
}

struct CEntryLayout::CState {
  int limit = kMinWrapLimit;
  int x = kFirstWordX;
  int lineTop = kFirstLineTop;
  int lineHeight = 0;
  int prevBottom = kFirstLineTop;
  CExtent marker;
  bool inParen = false;
  bool pending = false;
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
  m_tallestPiece = 0;
  m_height = 0;
  m_width = 0;
  m_utf8Text = IsUtf8EntryText(text);
  ClearSelectionIfNoMatch(text);
  if (text[0] == '\0' || text[1] == '\0') {
    return;
  }

  CState state;
  state.limit = WrapLimit(columnWidth);
  state.marker = device.Measure(kParagraphMarker, EntryFont::kText);
  // Until a word is placed the line height is that of the marker just measured.
  state.lineHeight = state.marker.height + 1;
  AddPiece(CRect{kMarkerX, state.lineTop, kMarkerX + state.marker.width,
                 state.lineTop + state.marker.height},
           PieceKind::kMarker, 0, 0, -1);

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
      if (text[i + 1] == '\0') {
        // Nothing follows: no marker for a paragraph that would stay empty.
        break;
      }
      AddPiece(CRect{kMarkerX, state.lineTop, kMarkerX + state.marker.width,
                     state.lineTop + state.marker.height},
               PieceKind::kMarker, i, 0, -1);
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
  const bool sanskrit = !m_utf8Text && IsSanskritWord(raw);
  char converted[kWordBytes];
  const CShownWord shown = sanskrit ? ShowSanskritWord(raw, m_script, converted, m_devanagari)
                                    : CShownWord{raw, PlainFont(raw)};
  const CExtent extent = device.Measure(shown.text, shown.font);

  // The final word needs no gap after it, so it may reach the limit exactly.
  const int allowance = isFinal ? 0 : kWordGap;
  int left = state.x;
  if (state.x + extent.width + allowance > state.limit) {
    state.lineTop += extent.height + 1;
    left = kContinuationX;
  }
  const CRect rect{left, state.lineTop, left + extent.width, state.lineTop + extent.height};
  state.x = rect.right + kWordGap;
  state.lineHeight = extent.height + 1;
  state.pending = true;

  int word = -1;
  if (m_wordCount < kMaxWords) {
    word = m_wordCount++;
    m_wordLeft[word] = rect.left;
    m_wordTop[word] = rect.top;
    m_wordRight[word] = rect.right;
    m_wordBottom[word] = rect.bottom;
    m_wordStart[word] = start;
    m_wordEnd[word] = end;
  }
  const PieceKind kind =
      sanskrit ? PieceKind::kSanskrit : (isFinal ? PieceKind::kFinal : PieceKind::kPlain);
  AddPiece(rect, kind, start, length, word);
}

EntryFont CEntryLayout::PlainFont(std::string_view word) const {
  // ASCII reads alike in both code pages, so only the message's other words need UTF-8.
  if (m_utf8Text) {
    for (const char c : word) {
      if (static_cast<unsigned char>(c) >= 0x80) return EntryFont::kUnicodeText;
    }
  }
  return EntryFont::kText;
}

void CEntryLayout::CloseParagraph(CState& state) {
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
  m_pieces[static_cast<std::size_t>(m_pieceCount++)] = CPiece{rect, start, length, word, kind};
  m_tallestPiece = std::max(m_tallestPiece, rect.bottom - rect.top);
  m_height = std::max(m_height, rect.bottom);
  m_width = std::max(m_width, rect.right);
}

void CEntryLayout::Paint(const char* text, int columnWidth, ITextDevice& device) {
  Layout(text, columnWidth, device);
  constexpr int kEverything = std::numeric_limits<int>::max();
  Draw(text, device, CRect{0, 0, kEverything, kEverything});
}

void CEntryLayout::Draw(const char* text, ITextDevice& device, const CRect& exposed) const {
  // Piece tops never decrease, so every piece before the first one whose top lies within the
  // tallest piece's height above the exposed area ends above it.
  const CPiece* begin = m_pieces.get();
  const CPiece* end = begin + m_pieceCount;
  const int firstTop = exposed.top - m_tallestPiece;
  const CPiece* piece = std::partition_point(
      begin, end, [firstTop](const CPiece& p) { return p.rect.top <= firstTop; });
  for (; piece != end && piece->rect.top < exposed.bottom; ++piece) {
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
      device.Draw(kParagraphMarker, piece.rect, kMarkerColour, EntryFont::kText);
      break;
    case PieceKind::kPlain:
      device.Draw(raw, piece.rect, selected ? kPlainSelectedColour : kPlainColour, PlainFont(raw));
      break;
    case PieceKind::kFinal:
      device.Draw(raw, piece.rect, selected ? kFinalSelectedColour : kFinalColour, PlainFont(raw));
      break;
    case PieceKind::kSanskrit: {
      char converted[kWordBytes];
      const CShownWord shown = ShowSanskritWord(raw, m_script, converted, m_devanagari);
      device.Draw(shown.text, piece.rect, selected ? kSanskritSelectedColour : kSanskritColour,
                  shown.font);
      break;
    }
  }
}

}  // namespace kv
