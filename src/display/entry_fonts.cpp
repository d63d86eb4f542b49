#include "display/entry_fonts.h"

#include "platform/screen_dpi.h"

namespace kv {

void CEntryFonts::Create(int textTenths, int translitTenths) {
  const ScreenDpi screen = QueryScreenDpi();
  m_entryFont.CreatePointFont(ScaleForLargeFonts(textTenths, screen), kEntryFace);
  m_entryTranslitFont.CreatePointFont(ScaleForLargeFonts(translitTenths, screen),
                                      kEntryTranslitFace);
  m_entryDevanagariFont.CreatePointFont(ScaleForLargeFonts(translitTenths, screen),
                                        kEntryDevanagariFace);
}

}  // namespace kv
