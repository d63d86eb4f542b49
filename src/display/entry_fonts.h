#pragma once

#include "platform/font.h"

namespace kv {

inline constexpr char kEntryFace[] = "Arial";
inline constexpr char kEntryTranslitFace[] = "IITS";
// Sanskrit words shown in Devanagari: the found list's Devanagari face, at the size of the
// transliteration.
inline constexpr char kEntryDevanagariFace[] = "xdvng";
inline constexpr int kEntryFontTenths = 120;
inline constexpr int kEntryTranslitFontTenths = 140;

// The entry pane's fonts: English text in "Arial", transliterated Sanskrit in "IITS", Sanskrit
// in Devanagari in "xdvng". The pane owns them; the font-size choice of the search bar has them
// made again at other sizes.
struct CEntryFonts {
  CFont m_entryFont;
  CFont m_entryTranslitFont;
  CFont m_entryDevanagariFont;

  // Makes the fonts at these sizes in tenths of a point (the Devanagari at the
  // transliteration's), scaled down on a large-font screen.
  void Create(int textTenths = kEntryFontTenths, int translitTenths = kEntryTranslitFontTenths);
};

}  // namespace kv
