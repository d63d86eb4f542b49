// Fuzzes the ITRANS conversion, the transliteration, the segmentation and the Devanagari
// composition over arbitrary bytes and destination sizes. Every destination is a heap block
// of exactly its size, so a write past it is caught.
#include <cstring>
#include <memory>
#include <string>

#include "dictionary/itrans.h"
#include "dictionary/list_strings.h"
#include "fuzz_support.h"

namespace {

using kv::fuzz::CInputCursor;

constexpr unsigned char kClosing = 0xA0;

std::unique_ptr<char[]> Block(int size) {
  auto block = std::make_unique<char[]>(static_cast<std::size_t>(size));
  std::memset(block.get(), 0x55, static_cast<std::size_t>(size));
  return block;
}

// A list string fits its buffer and, when the buffer has room for more than the terminator,
// ends with the closing 0xA0.
void CheckListString(const char* dest, int destSize) {
  std::size_t length = ::strnlen(dest, static_cast<std::size_t>(destSize));
  KV_FUZZ_CHECK(length < static_cast<std::size_t>(destSize));
  if (destSize >= 2) {
    KV_FUZZ_CHECK(length >= 1);
    KV_FUZZ_CHECK(static_cast<unsigned char>(dest[length - 1]) == kClosing);
  }
}

void CheckSegments(const unsigned char* types, const unsigned char* numbers) {
  int count = 0;
  while (count < kv::kSegmentBytes && types[count] != kv::kEndMarker) {
    const unsigned char number = numbers[count];
    const bool vowel = (types[count] & kv::kTypeVowel) != 0;
    KV_FUZZ_CHECK(vowel ? (number >= 100 && number <= 114) : number <= 83);
    ++count;
  }
  KV_FUZZ_CHECK(count <= kv::kMaxSegments);
  KV_FUZZ_CHECK(numbers[count] == kv::kEndMarker);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CInputCursor input(data, size);
  // From 1 byte (the terminator alone) to well past a list row.
  const int destSize = 1 + input.TakeByte() % 160;
  std::string_view rest = input.TakeRest();
  // The functions read zero-terminated text: an embedded zero ends it.
  const std::string text(rest.substr(0, rest.find('\0')));

  auto key = Block(kv::kKeyBytes);
  std::memset(key.get(), 0, static_cast<std::size_t>(kv::kKeyBytes));
  kv::ConvertItrans(text.c_str(), key.get());
  KV_FUZZ_CHECK(::strnlen(key.get(), kv::kKeyBytes) < static_cast<std::size_t>(kv::kKeyBytes));

  auto translit = Block(destSize);
  kv::Transliterate(text.c_str(), translit.get(), destSize);
  CheckListString(translit.get(), destSize);

  auto types = std::make_unique<unsigned char[]>(kv::kSegmentBytes);
  auto numbers = std::make_unique<unsigned char[]>(kv::kSegmentBytes);
  kv::SegmentLine(text.c_str(), types.get(), numbers.get());
  CheckSegments(types.get(), numbers.get());

  auto devanagari = Block(destSize);
  kv::ComposeDevanagari(types.get(), numbers.get(), devanagari.get(), destSize);
  CheckListString(devanagari.get(), destSize);

  // The search's own call, into rows of 100 bytes.
  auto translitRow = Block(kv::kRowBytes);
  auto devanagariRow = Block(kv::kRowBytes);
  kv::MakeListStrings(text.c_str(), translitRow.get(), devanagariRow.get(), kv::kRowBytes);
  CheckListString(translitRow.get(), kv::kRowBytes);
  CheckListString(devanagariRow.get(), kv::kRowBytes);

  return 0;
}
