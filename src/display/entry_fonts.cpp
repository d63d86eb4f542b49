#include "display/entry_fonts.h"

#include "platform/screen_dpi.h"

namespace kv {

CFont g_entryFont;
CFont g_entryTranslitFont;

void CreateEntryFonts() {
  const ScreenDpi screen = QueryScreenDpi();
  g_entryFont.CreatePointFont(ScaleForLargeFonts(kEntryFontTenths, screen), kEntryFace);
  g_entryTranslitFont.CreatePointFont(ScaleForLargeFonts(kEntryTranslitFontTenths, screen),
                                      kEntryTranslitFace);
}

}  // namespace kv
