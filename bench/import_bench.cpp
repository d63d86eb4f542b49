// `kvdict import` of a lexicon the size of Monier-Williams: the synthetic Cologne-format file
// of kv_make_cologne (300,000 records), imported as a whole process, with its peak memory.
// The dictionary it writes is then searched by dictionary_bench:
//
//   import_bench [--data=DIR] [--records=N] [benchmark options]
//   dictionary_bench --data=DIR/dictionary --benchmark_filter='search|retrieve|kvdict'
//
// The file is generated into DIR (default build*/bench/cologne) when DIR holds none.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench_support.h"

namespace kv::bench {
namespace {

namespace fs = std::filesystem;

struct COptions {
  std::string data = KV_BENCH_COLOGNE_DIR;
  std::string records = "300000";
};

COptions g_options;

std::string LexiconPath() { return g_options.data + "/lexicon.txt"; }
std::string DictionaryPath() { return g_options.data + "/dictionary"; }

void BM_KvdictImport(benchmark::State& state) {
  BenchProcess(state, {KV_KVDICT_PATH, "import", LexiconPath(), "--out", DictionaryPath()});
  std::error_code error;
  state.counters["file_mb"] =
      static_cast<double>(fs::file_size(LexiconPath(), error)) / (1024.0 * 1024.0);
  state.counters["records"] = std::stod(g_options.records);
}

}  // namespace
}  // namespace kv::bench

int main(int argc, char** argv) {
  using namespace kv::bench;
  std::vector<char*> rest = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (TakeOption(arg, "--data", g_options.data) ||
        TakeOption(arg, "--records", g_options.records)) {
      continue;
    }
    rest.push_back(argv[i]);
  }
  std::error_code error;
  fs::create_directories(g_options.data, error);
  if (!fs::exists(LexiconPath())) {
    std::fprintf(stderr, "import_bench: generating %s records into %s\n", g_options.records.c_str(),
                 LexiconPath().c_str());
    const CProcessRun run = RunProcess(
        {KV_GENERATOR_PATH, "--out", LexiconPath(), "--records", g_options.records}, "", {});
    if (!run.started || run.status != 0) {
      std::fprintf(stderr, "import_bench: the lexicon could not be generated\n");
      return 1;
    }
  }
  int count = static_cast<int>(rest.size());
  benchmark::Initialize(&count, rest.data());
  benchmark::RegisterBenchmark("kvdict_import_process", BM_KvdictImport)
      ->UseManualTime()
      ->Unit(benchmark::kSecond)
      ->Iterations(3);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("the dictionary is in %s; search it with dictionary_bench --data=%s\n",
              DictionaryPath().c_str(), DictionaryPath().c_str());
  return 0;
}
