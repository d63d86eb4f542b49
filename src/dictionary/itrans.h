#pragma once

#include <cstddef>
#include <string_view>

namespace kv {

// Size of the search-key buffer: a key holds at most kKeyBytes - 1 bytes and its terminator.
inline constexpr int kKeyBytes = 200;

// One step of reading ITRANS at the start of `text`: the longest ITRANS form there (the
// earliest of equally long ones) and its internal letters; a byte that begins no form, or the
// part of a form that matched only in part, stands for itself.
struct CItransStep {
  std::size_t m_read = 0;       // bytes of the text read; 0 only for an empty text
  std::string_view m_internal;  // what they become (a view into the text when copied)
};
CItransStep ItransStep(std::string_view text);

// Rewrites ITRANS spellings in `text` (zero-terminated) into the internal Harvard-Kyoto letters.
// `key` is a buffer of kKeyBytes bytes; the result is always zero-terminated. A result that
// would be longer than kKeyBytes - 1 bytes is cut after the last whole letter that fits.
void ConvertItrans(const char* text, char* key);

}  // namespace kv
