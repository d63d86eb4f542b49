// Fuzzes the three code-page decoders: whatever the bytes, the result is well-formed UTF-8
// (the terminal and the toolkit receive it as such).
#include <string>
#include <string_view>

#include "dictionary/decoders.h"
#include "fuzz_support.h"

using kv::fuzz::IsWellFormedUtf8;

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
