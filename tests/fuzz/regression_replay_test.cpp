// Replays every seed and every kept crashing input through the fuzz targets' entry points.
// An input that breaks an invariant aborts the test; under the sanitizer build an overrun
// does.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

extern "C" int FuzzLineReader(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzConversions(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzDecoders(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzHeadwordSearch(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzEntryLayout(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzScripts(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzCologneImport(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzEntryFind(const std::uint8_t* data, std::size_t size);

namespace {

using FuzzEntry = int (*)(const std::uint8_t*, std::size_t);
namespace fs = std::filesystem;

// Feeds every file of corpus/<target>/ and regressions/<target>/; returns how many.
int Replay(const std::string& target, FuzzEntry entry) {
  int count = 0;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(KV_FUZZ_DIR) / kind / target;
    if (!fs::is_directory(dir)) continue;
    for (const auto& file : fs::directory_iterator(dir)) {
      SCOPED_TRACE(file.path().string());
      std::ifstream in(file.path(), std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_EQ(0, entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
      ++count;
    }
  }
  return count;
}

TEST(FuzzRegressionTest, EveryTargetReplaysItsInputs) {
  const std::pair<const char*, FuzzEntry> targets[] = {
      {"line_reader", FuzzLineReader},      {"conversions", FuzzConversions},
      {"decoders", FuzzDecoders},           {"headword_search", FuzzHeadwordSearch},
      {"entry_layout", FuzzEntryLayout},    {"scripts", FuzzScripts},
      {"cologne_import", FuzzCologneImport}, {"entry_find", FuzzEntryFind}};
  for (const auto& [name, entry] : targets) EXPECT_GT(Replay(name, entry), 0) << name;
}

}  // namespace
