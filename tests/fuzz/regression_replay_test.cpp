// Replays every seed and every kept crashing input through the fuzz targets' entry points.
// An input that breaks an invariant aborts the test; under the sanitizer build an overrun
// does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int FuzzLineReader(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzConversions(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzDecoders(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzHeadwordSearch(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzEntryLayout(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzScripts(const std::uint8_t* data, std::size_t size);

namespace {

using FuzzEntry = int (*)(const std::uint8_t*, std::size_t);
namespace fs = std::filesystem;

// Feeds every file of corpus/<target>/ and regressions/<target>/; returns how many.
int Replay(const std::string& target, FuzzEntry entry) {
  int count = 0;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(KV_FUZZ_DIR) / kind / target;
    if (!fs::is_directory(dir)) continue;
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(dir)) {
      if (item.is_regular_file()) files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      SCOPED_TRACE(file.string());
      std::ifstream in(file, std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_EQ(0, entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
      ++count;
    }
  }
  return count;
}

TEST(FuzzRegressionTest, LineReaderInputs) { EXPECT_GT(Replay("line_reader", FuzzLineReader), 0); }

TEST(FuzzRegressionTest, ConversionInputs) { EXPECT_GT(Replay("conversions", FuzzConversions), 0); }

TEST(FuzzRegressionTest, DecoderInputs) { EXPECT_GT(Replay("decoders", FuzzDecoders), 0); }

TEST(FuzzRegressionTest, HeadwordSearchInputs) {
  EXPECT_GT(Replay("headword_search", FuzzHeadwordSearch), 0);
}

TEST(FuzzRegressionTest, EntryLayoutInputs) {
  EXPECT_GT(Replay("entry_layout", FuzzEntryLayout), 0);
}

TEST(FuzzRegressionTest, ScriptInputs) { EXPECT_GT(Replay("scripts", FuzzScripts), 0); }

}  // namespace
