#pragma once

#include "platform/font.h"

namespace kv {

inline constexpr char kEntryFace[] = "Arial";
inline constexpr char kEntryTranslitFace[] = "IITS";
inline constexpr int kEntryFontTenths = 120;
inline constexpr int kEntryTranslitFontTenths = 140;

// The entry pane's fonts: English text in "Arial", transliterated Sanskrit in "IITS". The pane
// owns them; the font-size choice of the search bar has them made again at other sizes.
struct CEntryFonts {
  CFont m_entryFont;
  CFont m_entryTranslitFont;

  // Makes both fonts at these sizes in tenths of a point, scaled down on a large-font screen.
  void Create(int textTenths = kEntryFontTenths, int translitTenths = kEntryTranslitFontTenths);
};

}  // namespace kv
