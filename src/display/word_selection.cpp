#include "display/word_selection.h"

#include <algorithm>
#include <string_view>

#include "dictionary/decoders.h"
#include "dictionary/list_strings.h"
#include "dictionary/transliteration.h"

namespace kv {

namespace {

bool InWord(const CEntryTables& t, int k, int x, int y) {
  return t.m_wordTop[k] < y && y < t.m_wordBottom[k] && t.m_wordLeft[k] < x && x < t.m_wordRight[k];
}

bool InMargin(const CEntryTables& t, int p, int x, int y) {
  return t.m_paragraphTop[p] < y && y < t.m_paragraphBottom[p] && 0 < x && x < kMarginStripRight;
}

}  // namespace

EntryCursor HoverCursor(const CEntryTables& tables, int x, int y) {
  EntryCursor cursor = EntryCursor::kArrow;
  for (int k = 0; k < tables.m_wordCount; ++k) {
    if (InWord(tables, k, x, y)) {
      cursor = EntryCursor::kWord;
      break;
    }
  }
  for (int p = 0; p < tables.m_paragraphCount; ++p) {
    if (InMargin(tables, p, x, y)) {
      cursor = EntryCursor::kParagraph;
    }
  }
  return cursor;
}

CToggleResult ToggleAt(CEntryTables& tables, int x, int y) {
  CToggleResult result;
  for (int k = 0; k < tables.m_wordCount; ++k) {
    if (InWord(tables, k, x, y)) {
      tables.m_wordSelected[k] = 1 - tables.m_wordSelected[k];
      ++result.wordsToggled;
    }
  }
  for (int p = 0; p < tables.m_paragraphCount; ++p) {
    if (InMargin(tables, p, x, y)) {
      const int end = std::min(tables.m_paragraphEndWord[p], kMaxWords);
      for (int j = std::max(tables.m_paragraphFirstWord[p], 0); j < end; ++j) {
        tables.m_wordSelected[j] = 1 - tables.m_wordSelected[j];
      }
      ++result.paragraphsToggled;
    }
  }
  return result;
}

int WheelTarget(int position, int delta, int maximum) {
  if (delta > 0) {
    return std::max(position - kWheelStep, 0);
  }
  return std::min(position + kWheelStep, std::max(maximum, 0));
}

std::string BuildCopyText(const char* text, const CEntryTables& tables, SanskritScript script) {
  // The tables may describe an older, longer text; never read past this one's end.
  const std::string_view whole(text);
  const int textLength = static_cast<int>(whole.size());
  const bool utf8 = IsUtf8EntryText(text);
  std::string copied;
  for (int k = 0; k < tables.m_wordCount; ++k) {
    if (tables.m_wordSelected[k] == 0) {
      continue;
    }
    const int start = std::clamp(tables.m_wordStart[k], 0, textLength);
    const int end = std::clamp(tables.m_wordEnd[k], start, textLength);
    const std::string_view word =
        whole.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    if (utf8) {
      copied += word;
    } else if (!IsSanskritWord(word)) {
      AppendWindows1252(word, copied);
    } else if (script == SanskritScript::kIast) {
      AppendIast(word, copied);
    } else {
      AppendDevanagari(word, MarkerBytes::kShow, copied);
    }
  }
  return copied;
}

}  // namespace kv
