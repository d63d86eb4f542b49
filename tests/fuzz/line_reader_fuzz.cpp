// Fuzzes the line reader over arbitrary file contents, buffer capacities and line limits,
// against a model of what it must hand out: the runs of bytes between line ends, each cut
// into pieces that fit the destination.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/line_reader.h"
#include "fuzz_support.h"

namespace {

using kv::fuzz::CInputCursor;

// Reads every line from the reader's place and compares it with the model of `content`. The
// reader's position never passes `lastPlace`: the end of the file, or a place the reader was
// sent to beyond it.
void ReadAndCompare(kv::CLineReader& reader, std::string_view content, int destSize,
                    long long lastPlace) {
  // A destination with room for the terminator alone never receives a byte.
  const std::vector<std::string> expected =
      destSize < 2 ? std::vector<std::string>{}
                   : kv::fuzz::LinePieces(content, static_cast<std::size_t>(destSize - 1));
  // Filled with a non-zero byte so that a missing terminator shows; after each call only the
  // bytes the reader wrote are filled again.
  std::vector<char> dest(static_cast<std::size_t>(destSize), 0x55);
  std::size_t got = 0;
  // One call more than the model has lines must report the end; a reader that keeps
  // returning lines would otherwise hang the caller.
  for (std::size_t call = 0; call <= expected.size(); ++call) {
    int result = reader.ReadLine(dest.data(), destSize);
    std::size_t length = ::strnlen(dest.data(), dest.size());
    KV_FUZZ_CHECK(length < dest.size());
    const std::string line(dest.data(), length);
    std::memset(dest.data(), 0x55, length + 1);
    long long position = reader.GetPosition();
    KV_FUZZ_CHECK(position >= 0 && position <= lastPlace);
    if (result == 0 && length == 0) break;
    KV_FUZZ_CHECK(got < expected.size());
    KV_FUZZ_CHECK(line == expected[got]);
    ++got;
  }
  // A last line without a line end that begins with a zero byte reads as an empty string
  // with the result 0, which a caller cannot tell from the end of the file.
  if (destSize >= 2) {
    KV_FUZZ_CHECK(got == expected.size() ||
                  (got + 1 == expected.size() && expected.back().empty()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CInputCursor input(data, size);
  // Capacities from 1 byte (every line spans refills) to 4096; destinations from 1 byte to
  // the 127000 bytes that the search and the entry retrieval use.
  const int capacity = 1 + static_cast<int>(input.TakeUint16() % 4096);
  const std::uint8_t limitChoice = input.TakeByte();
  const int destSize = limitChoice == 0xFF ? 127000 : 1 + limitChoice;
  const unsigned seekChoice = input.TakeUint16();
  std::string_view content = input.TakeRest();

  const std::string path = kv::fuzz::WriteScratchFile("lines.txt", content);
  const auto fileSize = static_cast<long long>(content.size());

  kv::CLineReader reader(capacity);
  reader.SetWarningHandler([](const char*) {});
  KV_FUZZ_CHECK(reader.Open(path.c_str()));
  ReadAndCompare(reader, content, destSize, fileSize);

  // A seek anywhere, the end and beyond included, reads on from that byte.
  const long long offset = static_cast<long long>(seekChoice) % (fileSize + 2);
  reader.Seek(offset);
  std::string_view tail =
      offset < fileSize ? content.substr(static_cast<std::size_t>(offset)) : std::string_view();
  ReadAndCompare(reader, tail, destSize, std::max(fileSize, offset));

  // A place before the start of the file has nothing to read.
  reader.Seek(-1 - static_cast<long long>(seekChoice));
  char small[8];
  KV_FUZZ_CHECK(reader.ReadLine(small, sizeof small) == 0 && small[0] == 0);
  return 0;
}
