#pragma once

#include "platform/font.h"

namespace kv {

// The entry pane's fonts: English text in "Arial", transliterated Sanskrit in "IITS". The
// pane creates them; the font-size choice of the search bar recreates them.
extern CFont g_entryFont;
extern CFont g_entryTranslitFont;

inline constexpr char kEntryFace[] = "Arial";
inline constexpr char kEntryTranslitFace[] = "IITS";
inline constexpr int kEntryFontTenths = 120;
inline constexpr int kEntryTranslitFontTenths = 140;

// Creates both entry fonts at their start sizes, scaled down on a large-font screen.
void CreateEntryFonts();

}  // namespace kv
