// Fuzzes the three code-page decoders: whatever the bytes, the result is well-formed UTF-8
// (the terminal and the toolkit receive it as such).
#include <string>
#include <string_view>

#include "dictionary/decoders.h"
#include "fuzz_support.h"

namespace {

bool IsWellFormedUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      ++pos;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07u;
    } else {
      return false;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3Fu);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    pos += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  KV_FUZZ_CHECK(IsWellFormedUtf8(kv::DecodeXdvng(bytes)));
  KV_FUZZ_CHECK(IsWellFormedUtf8(kv::DecodeIits(bytes)));
  const std::string text = kv::DecodeWindows1252(bytes);
  KV_FUZZ_CHECK(IsWellFormedUtf8(text));
  // Windows-1252 maps each byte to one character, so nothing may be dropped or merged: the
  // ASCII bytes come through in place.
  std::size_t ascii = 0;
  for (char c : bytes) ascii += static_cast<unsigned char>(c) < 0x80 ? 1 : 0;
  std::size_t asciiOut = 0;
  for (char c : text) asciiOut += static_cast<unsigned char>(c) < 0x80 ? 1 : 0;
  KV_FUZZ_CHECK(ascii == asciiOut);
  return 0;
}
