#pragma once

#include <string>

#include "display/entry_layout.h"

namespace kv {

// The cursor the entry pane shows over a point.
enum class EntryCursor { kArrow, kWord, kParagraph };

// All hit tests are strict: a point on a rectangle's edge is outside it. Coordinates are the
// logical ones of the layout (scroll offset already added).

// The cursor for a point: the pointing hand over a word, the hand with cuff over a
// paragraph's margin strip, the arrow elsewhere.
EntryCursor HoverCursor(const CEntryTables& tables, int x, int y);

struct CToggleResult {
  int wordsToggled = 0;       // words whose rectangle held the point
  int paragraphsToggled = 0;  // paragraphs whose margin strip held the point
  bool Changed() const { return wordsToggled > 0 || paragraphsToggled > 0; }
  // The cursor to show after the click; only meaningful when something changed.
  EntryCursor Cursor() const {
    return paragraphsToggled > 0 ? EntryCursor::kParagraph : EntryCursor::kWord;
  }
};

// A click released at (x, y): flips the selection of every word that holds the point, and of
// every word of each paragraph whose margin strip holds it (each word on its own, so a
// partly selected paragraph is inverted).
CToggleResult ToggleAt(CEntryTables& tables, int x, int y);

// One wheel step moves this far, whatever the size of the delta.
inline constexpr int kWheelStep = 100;

// The scroll position after a wheel message with `delta` at `position`, kept within
// 0..`maximum`.
int WheelTarget(int position, int delta, int maximum);

// The selected words of `text` in text order, as the pane shows them, in UTF-8: each word with
// its leading space; a Sanskrit word in IAST or Devanagari (`script`) without its marker bytes
// and internal letters, every letter its own (the transliteration font has one code for ṅ
// and ñ); any other word read from Windows-1252, or from UTF-8 in the no-match message.
std::string BuildCopyText(const char* text, const CEntryTables& tables, SanskritScript script);

}  // namespace kv
