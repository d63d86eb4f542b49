#include "display/entry_layout.h"

#include <algorithm>
#include <array>
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
  int lineStart = 0;  // the first piece of the line being built
  int prevBottom = kFirstLineTop;
  std::array<int, kEntryFontCount> ascents{};  // of each font, by EntryFont
  std::array<int, kEntryFontCount> spaces{};   // the width of a space in each font
  CExtent marker;
  bool inParen = false;
  bool pending = false;

  int Ascent(EntryFont font) const { return ascents[static_cast<std::size_t>(font)]; }
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
  m_utf8Text = IsUtf8EntryText(text);
  ClearSelectionIfNoMatch(text);
  if (text[0] == '\0' || text[1] == '\0') {
    return;
  }

  CState state;
  state.limit = WrapLimit(columnWidth);
  for (std::size_t font = 0; font < state.ascents.size(); ++font) {
    state.ascents[font] = device.Ascent(static_cast<EntryFont>(font));
    state.spaces[font] = device.Measure(" ", static_cast<EntryFont>(font)).width;
  }
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
  MarkPieces();
}

void CEntryLayout::SetMarks(const std::vector<CMatchRange>& ranges) {
  m_marks.clear();
  for (const CMatchRange& range : ranges) {
    if (range.m_end <= range.m_begin) continue;
    // Ranges come in order of their start, so one that starts within the last span joins it.
    if (!m_marks.empty() && range.m_begin <= m_marks.back().end) {
      m_marks.back().end = std::max(m_marks.back().end, range.m_end);
    } else {
      m_marks.push_back(CMarkSpan{range.m_begin, range.m_end});
    }
  }
  MarkPieces();
}

void CEntryLayout::MarkPieces() {
  // Pieces start in text order and the spans are disjoint, so one pass over both finds, for
  // each piece, the first span that does not end before it.
  std::size_t span = 0;
  for (int i = 0; i < m_pieceCount; ++i) {
    CPiece& piece = m_pieces[static_cast<std::size_t>(i)];
    const int end = piece.start + piece.length;
    while (span < m_marks.size() && m_marks[span].end <= piece.start) ++span;
    piece.marked = piece.length > 0 && span < m_marks.size() && m_marks[span].begin < end;
  }
}

void CEntryLayout::AddMarker(int start, CState& state) {
  AddPiece(CRect{kMarkerX, state.lineTop, kMarkerX + state.marker.width,
                 state.lineTop + state.marker.height},
           PieceKind::kMarker, EntryFont::kText, start, 0, -1, kMarkerX);
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
  const std::size_t spaces = std::min(shown.text.find_first_not_of(' '), shown.text.size());
  const int markLeft =
      std::min(rect.right, rect.left + static_cast<int>(spaces) *
                                           state.spaces[static_cast<std::size_t>(shown.font)]);
  AddPiece(rect, kind, shown.font, start, length, word, markLeft);
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

void CEntryLayout::EndLine(CState& state) {
  CPiece* const first = m_pieces.get() + state.lineStart;
  CPiece* const last = m_pieces.get() + m_pieceCount;
  if (first == last) {
    return;
  }
  int ascent = 0;
  int descent = 0;
  for (const CPiece* piece = first; piece != last; ++piece) {
    const int pieceAscent = state.Ascent(piece->font);
    ascent = std::max(ascent, pieceAscent);
    descent = std::max(descent, piece->rect.bottom - piece->rect.top - pieceAscent);
  }
  for (CPiece* piece = first; piece != last; ++piece) {
    CRect& r = piece->rect;
    const int height = r.bottom - r.top;
    r.top = state.lineTop + ascent - state.Ascent(piece->font);
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

void CEntryLayout::AddPiece(const CRect& rect, PieceKind kind, EntryFont font, int start,
                            int length, int word, int markLeft) {
  if (m_pieceCount >= kMaxPieces) {
    return;
  }
  m_pieces[static_cast<std::size_t>(m_pieceCount++)] =
      CPiece{rect, rect.top, start, length, word, kind, font, false, markLeft};
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
  const CPiece* first = std::partition_point(
      begin, end, [firstTop](const CPiece& p) { return p.lineTop <= firstTop; });
  const CPiece* last = std::partition_point(
      first, end, [&exposed](const CPiece& p) { return p.lineTop < exposed.bottom; });
  const auto meets = [&exposed](const CRect& r) {
    return r.bottom > exposed.top && r.right > exposed.left && r.left < exposed.right;
  };
  // Every mark is filled before any text is drawn: a fill must never cover the marks below
  // the letters of the line above.
  for (const CPiece* piece = first; piece != last; ++piece) {
    if (piece->marked && meets(piece->rect)) {
      device.Fill(CRect{piece->markLeft, piece->rect.top, piece->rect.right, piece->rect.bottom},
                  kMarkFillColour);
    }
  }
  for (const CPiece* piece = first; piece != last; ++piece) {
    if (meets(piece->rect)) DrawPiece(text, *piece, device);
  }
}

void CEntryLayout::DrawPiece(const char* text, const CPiece& piece, ITextDevice& device) const {
  const bool selected = piece.word >= 0 && m_wordSelected[piece.word] != 0;
  const std::string_view raw(text + piece.start, static_cast<std::size_t>(piece.length));
  switch (piece.kind) {
    case PieceKind::kMarker:
      device.Draw(kParagraphMarker, piece.rect, kMarkerColour, piece.font);
      break;
    case PieceKind::kPlain:
      device.Draw(raw, piece.rect, selected ? kPlainSelectedColour : kPlainColour, piece.font);
      break;
    case PieceKind::kFinal:
      device.Draw(raw, piece.rect, selected ? kFinalSelectedColour : kFinalColour, piece.font);
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
