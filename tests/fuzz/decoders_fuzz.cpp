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
  KV_FUZZ_CHECK(IsWellFormedUtf8(kv::DecodeWindows1252(bytes)));
  return 0;
}
