#pragma once

namespace kv {

// Size of the search-key buffer: a key holds at most kKeyBytes - 1 bytes and its terminator.
inline constexpr int kKeyBytes = 200;

// Rewrites ITRANS spellings in `text` (zero-terminated) into the internal Harvard-Kyoto letters.
// `key` is a buffer of kKeyBytes bytes; the result is always zero-terminated. A result that
// would be longer than kKeyBytes - 1 bytes is cut after the last whole letter that fits.
void ConvertItrans(const char* text, char* key);

}  // namespace kv
