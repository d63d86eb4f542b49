#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace kv::fuzz {

// An invariant of the code under test. A broken one aborts, so the fuzzer records the input
// and the regression replay fails.
#define KV_FUZZ_CHECK(condition)                                                         \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

// A directory private to this process, removed at exit. The targets that exercise file
// reading write their inputs here.
const std::string& ScratchDir();

// Replaces ScratchDir()/name with exactly `bytes`; returns the file's path.
std::string WriteScratchFile(const char* name, std::string_view bytes);

// Removes ScratchDir()/name if it exists.
void RemoveScratchFile(const char* name);

// What a line reader hands out for `content`: the runs of bytes between line ends, each cut
// into pieces of at most `piece` bytes, each piece read as a C string (up to a zero byte).
std::vector<std::string> LinePieces(std::string_view content, std::size_t piece);

// True when `text` is UTF-8 without overlong forms, surrogates or code points past U+10FFFF.
bool IsWellFormedUtf8(std::string_view text);

// Reads a fuzzer input front to back. Past the end every read gives zero or an empty piece,
// so a target never needs to check the input's length itself.
class CInputCursor {
 public:
  CInputCursor(const std::uint8_t* data, std::size_t size)
      : m_rest(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t TakeByte();
  // Two bytes, little-endian.
  unsigned TakeUint16();
  // The bytes up to the next `separator` (which is dropped), or all that is left.
  std::string_view TakeUntil(std::string_view separator);
  std::string_view TakeRest();
  bool Empty() const { return m_rest.empty(); }

 private:
  std::string_view m_rest;
};

}  // namespace kv::fuzz
