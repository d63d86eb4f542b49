// Fuzzes the entry layout, drawing, word selection and copy over arbitrary entry text and
// column widths, on a device whose glyph sizes the input chooses.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

#include "dictionary/found_rows.h"
#include "display/entry_layout.h"
#include "display/word_selection.h"
#include "fake_text_device.h"
#include "fuzz_support.h"

namespace {

using kv::fuzz::CInputCursor;

kv::CEntryLayout& Layout() {
  static auto* layout = new kv::CEntryLayout();
  return *layout;
}

void CheckTables(const kv::CEntryLayout& layout, int textLength) {
  KV_FUZZ_CHECK(layout.m_wordCount >= 0 && layout.m_wordCount <= kv::kMaxWords);
  KV_FUZZ_CHECK(layout.m_paragraphCount >= 0 && layout.m_paragraphCount <= kv::kMaxParagraphs);
  for (int k = 0; k < layout.m_wordCount; ++k) {
    KV_FUZZ_CHECK(layout.m_wordStart[k] >= 0 && layout.m_wordStart[k] < textLength);
    KV_FUZZ_CHECK(layout.m_wordEnd[k] > layout.m_wordStart[k]);
    KV_FUZZ_CHECK(layout.m_wordEnd[k] <= textLength);
    KV_FUZZ_CHECK(layout.m_wordLeft[k] <= layout.m_wordRight[k]);
  }
  for (int p = 0; p < layout.m_paragraphCount; ++p) {
    KV_FUZZ_CHECK(layout.m_paragraphFirstWord[p] <= layout.m_paragraphEndWord[p]);
    KV_FUZZ_CHECK(layout.m_paragraphEndWord[p] <= layout.m_wordCount);
  }
  KV_FUZZ_CHECK(layout.PieceCount() >= 0 && layout.PieceCount() <= kv::kMaxPieces);
  for (int i = 0; i < layout.PieceCount(); ++i) {
    const kv::CPiece& piece = layout.Piece(i);
    KV_FUZZ_CHECK(piece.start >= 0 && piece.length >= 0);
    KV_FUZZ_CHECK(piece.start + piece.length <= textLength);
    KV_FUZZ_CHECK(piece.word >= -1 && piece.word < layout.m_wordCount);
  }
  // Lines follow each other: no piece reaches down into a later line.
  for (int i = 1, bottom = -1, previousBottom = -1; i < layout.PieceCount(); ++i) {
    const kv::CPiece& before = layout.Piece(i - 1);
    const kv::CPiece& piece = layout.Piece(i);
    bottom = std::max(bottom, before.rect.bottom);
    if (piece.lineTop != before.lineTop) previousBottom = bottom;
    KV_FUZZ_CHECK(piece.lineTop >= before.lineTop && piece.rect.top > previousBottom);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CInputCursor input(data, size);
  const int columnWidth = static_cast<int>(input.TakeUint16() % 20000);
  const std::uint8_t glyphs = input.TakeByte();
  const std::uint8_t heights = input.TakeByte();
  const unsigned clickX = input.TakeUint16();
  const unsigned clickY = input.TakeUint16();
  std::string_view rest = input.TakeRest();
  // The entry text buffer: one line of at most 126999 bytes, zero-terminated.
  auto text = std::make_unique<char[]>(kv::kEntryTextBytes);
  const std::size_t length = std::min(
      rest.find('\0'), std::min(rest.size(), static_cast<std::size_t>(kv::kLineLimit - 1)));
  std::memcpy(text.get(), rest.data(), length);
  text[length] = '\0';

  // Fixed-size glyphs per font, as a screen font roughly has them (at most 64 pixels).
  kv::test::CFakeTextDevice device({glyphs & 0x0F, 1 + (heights & 0x3F)},
                                   {glyphs >> 4, 1 + (heights >> 2)});
  kv::CEntryLayout& layout = Layout();
  layout.Paint(text.get(), columnWidth, device);
  CheckTables(layout, static_cast<int>(length));

  // A click somewhere, then the copy of what it selected.
  kv::ToggleAt(layout, static_cast<int>(clickX), static_cast<int>(clickY));
  kv::ToggleAt(layout, kv::kMarkerX + 1, static_cast<int>(clickY));
  layout.Draw(text.get(), device,
              kv::CRect{0, static_cast<int>(clickY), 20000, static_cast<int>(clickY) + 600});
  for (const auto& draw : device.m_draws) {
    KV_FUZZ_CHECK(draw.text.size() < static_cast<std::size_t>(kv::kWordBytes));
    KV_FUZZ_CHECK(draw.rect.left <= draw.rect.right && draw.rect.top <= draw.rect.bottom);
  }
  auto copy = std::make_unique<char[]>(kv::kEntryTextBytes);
  const int copied = kv::BuildCopyText(text.get(), layout, copy.get(), kv::kEntryTextBytes);
  KV_FUZZ_CHECK(copied >= 0 && copied < kv::kEntryTextBytes);
  KV_FUZZ_CHECK(::strnlen(copy.get(), kv::kEntryTextBytes) == static_cast<std::size_t>(copied));
  layout.ClearSelection();
  return 0;
}
