// Find in entries at lexicon scale, on the synthetic dictionary of kv_make_dictionary (the one
// dictionary_bench uses, 200,000 headwords and 67 MB of entries by default). For each query (a
// common English word, the commonest one, a rare one, a Sanskrit word in Devanagari, an ASCII
// word read both as English and as Sanskrit, and three words):
//  - the find in the program, from a finder that has read nothing yet, as the first find after
//    start-up does (cold: kvindx.txt's records are read too), and from one that has found
//    before (warm);
//  - `kvdict find` as a whole process;
//  - `grep -c -w` of the same words over kvtot2.txt, in the same run;
//  - with --fts5, the index a full-text engine would keep instead: an SQLite FTS5 table of the
//    entries built once with the sqlite3 program (its build time and size reported), and
//    `sqlite3` counting the matching entries as a whole process.
//
//   find_bench [--data=DIR] [--headwords=N] [--results=FILE] [--fts5] [benchmark options]
//
// --results writes the table of medians as Markdown, with the machine's load average.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "dictionary/dictionary.h"
#include "dictionary/entry_find.h"
#include "dictionary/found_rows.h"

namespace kv::bench {
namespace {

namespace fs = std::filesystem;

struct COptions {
  CSyntheticDictionary dictionary;
  std::string results;
  bool fts5 = false;
};

COptions g_options;

struct CQuery {
  const char* name;
  const char* text;
  const char* what;
  double targetMs;
  std::vector<std::string> grepWords;
  const char* fts5Match;  // nullptr: the index cannot answer it (Sanskrit keys)
};

const std::vector<CQuery>& Queries() {
  static const std::vector<CQuery> queries = {
      {"common", "fire", "`fire` (common English)", 50, {"fire"}, "fire"},
      {"commonest", "the", "`the` (the commonest word; also read as Sanskrit)", 50, {"the"}, "the"},
      {"rare",
       "turmeric",
       "`turmeric` (rare; also read as Sanskrit)",
       50,
       {"turmeric"},
       "turmeric"},
      {"sanskrit", "अग्नि", "`अग्नि` (Sanskrit in Devanagari)", 50, {"agni"}, nullptr},
      {"ascii", "agni", "`agni` (Sanskrit in HK, also read as English)", 50, {"agni"}, nullptr},
      {"three_words",
       "sacrifice fire agni",
       "`sacrifice fire agni` (three words)",
       80,
       {"sacrifice", "fire", "agni"},
       "sacrifice OR fire OR agni"},
  };
  return queries;
}

CDictionary& Dictionary() {
  static CDictionary dictionary;
  return dictionary;
}

struct CFound {
  std::unique_ptr<CFoundRows> rows = std::make_unique<CFoundRows>();
  CPlainFoundList list;
};

void Report(benchmark::State& state, const CFindResult& result) {
  state.counters["entries"] = result.m_entryCount;
  state.counters["rows"] = result.m_rowCount;
  if (result.m_outcome != FindOutcome::kFound) state.SkipWithError("the find listed nothing");
}

// The query read and found by a finder that has read nothing yet, every time.
void BM_FindCold(benchmark::State& state, const CQuery& query) {
  CFound found;
  CFindResult result;
  for (auto _ : state) {
    CEntryFinder finder;
    result =
        finder.Find(CFindQuery::Parse(query.text, false), Dictionary(), *found.rows, found.list);
  }
  Report(state, result);
}

void BM_FindWarm(benchmark::State& state, const CQuery& query) {
  CFound found;
  CEntryFinder finder;
  const CFindQuery parsed = CFindQuery::Parse(query.text, false);
  CFindResult result = finder.Find(parsed, Dictionary(), *found.rows, found.list);
  for (auto _ : state) result = finder.Find(parsed, Dictionary(), *found.rows, found.list);
  Report(state, result);
}

void BM_KvdictFind(benchmark::State& state, const CQuery& query) {
  BenchProcess(state, {g_options.dictionary.kvdict, "find", "--data", g_options.dictionary.data, query.text});
}

void BM_Grep(benchmark::State& state, const CQuery& query) {
  std::vector<std::string> args = {"grep", "-c", "-w"};
  for (const std::string& word : query.grepWords) {
    args.push_back("-e");
    args.push_back(word);
  }
  args.push_back(g_options.dictionary.data + "/" + kTextFileName);
  BenchProcess(state, args, "", {"LC_ALL=C"});
}

std::string Fts5Path() { return g_options.dictionary.data + "/find.fts5"; }

struct CFts5Build {
  double seconds = 0;
  double megabytes = 0;
  bool ok = false;
};

// The FTS5 table of the entries, one row a line, built once by the sqlite3 program.
const CFts5Build& Fts5Index() {
  static const CFts5Build build = [] {
    CFts5Build made;
    fs::remove(Fts5Path());
    const std::string script = g_options.dictionary.data + "/find.fts5.sql";
    std::ofstream(script) << "CREATE VIRTUAL TABLE entries USING fts5(text);\n"
                          << ".mode ascii\n.separator \"\\037\" \"\\n\"\n"
                          << ".import " << g_options.dictionary.data << "/" << kTextFileName << " entries\n";
    const CProcessRun run =
        RunProcess({"sh", "-c", "sqlite3 " + Fts5Path() + " < " + script}, "", {});
    made.ok = run.started && run.status == 0 && fs::exists(Fts5Path());
    made.seconds = run.seconds;
    if (made.ok) made.megabytes = static_cast<double>(fs::file_size(Fts5Path())) / 1e6;
    return made;
  }();
  return build;
}

void BM_Fts5(benchmark::State& state, const CQuery& query) {
  const CFts5Build& build = Fts5Index();
  if (!build.ok) {
    state.SkipWithError("sqlite3 could not build the FTS5 index");
    for (auto _ : state) {
    }
    return;
  }
  BenchProcess(state, {"sqlite3", Fts5Path(),
                       std::string("SELECT count(*) FROM entries WHERE entries MATCH '") +
                           query.fts5Match + "'"});
  state.counters["build_s"] = build.seconds;
  state.counters["index_mb"] = build.megabytes;
}

void RegisterAll() {
  constexpr int kProcessRuns = 20;
  for (const CQuery& query : Queries()) {
    const std::string name = query.name;
    benchmark::RegisterBenchmark(("find_cold_" + name).c_str(), BM_FindCold, query)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("find_warm_" + name).c_str(), BM_FindWarm, query)
        ->Unit(benchmark::kMillisecond);
    using CProcessBench = void (*)(benchmark::State&, const CQuery&);
    const std::pair<const char*, CProcessBench> processes[] = {{"kvdict_find_", BM_KvdictFind},
                                                               {"grep_", BM_Grep}};
    for (const auto& [prefix, function] : processes) {
      benchmark::RegisterBenchmark((prefix + name).c_str(), function, query)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond)
          ->Iterations(kProcessRuns);
    }
    if (g_options.fts5 && query.fts5Match != nullptr) {
      benchmark::RegisterBenchmark(("fts5_" + name).c_str(), BM_Fts5, query)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond)
          ->Iterations(kProcessRuns);
    }
  }
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one;
  in >> one;
  return one;
}

std::string Cell(const CMedianCollector& collector, const std::string& name, bool cpu = false) {
  const CMedian* median = collector.Find(name);
  if (median == nullptr) return "";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ms", Milliseconds(*median, cpu));
  return text;
}

void WriteResults(const CMedianCollector& collector, int repetitions,
                  const std::string& loadBefore) {
  std::ofstream out(g_options.results, std::ios::trunc);
  out << "### Find in entries (`bench/find_bench`)\n\n";
  out << "Machine: " << CpuModel() << ", " << std::thread::hardware_concurrency()
      << " cores, shared: load average " << loadBefore << " before the run and " << LoadAverage()
      << " after it. Release build, medians of " << repetitions << " repetitions.\n";
  out << "Data: synthetic dictionary from `kv_make_dictionary`: " << GenerationFacts(g_options.dictionary.data)
      << ".\n\n";
  out << "| query | entries | find, cold start (CPU) | target | warm | `kvdict find` | "
         "`grep -c -w` |"
      << (g_options.fts5 ? " FTS5 index, `sqlite3` count |" : "") << "\n";
  out << "|---|---:|---:|---:|---:|---:|---:|" << (g_options.fts5 ? "---:|" : "") << "\n";
  for (const CQuery& query : Queries()) {
    const std::string name = query.name;
    const CMedian* cold = collector.Find("find_cold_" + name);
    if (cold == nullptr) continue;
    const double ms = Milliseconds(*cold);
    char target[48];
    std::snprintf(target, sizeof target, "≤ %.0f ms %s", query.targetMs,
                  ms <= query.targetMs ? "(met)" : "(**missed**)");
    out << "| " << query.what << " | " << static_cast<long long>(cold->counters.at("entries"))
        << " | " << Cell(collector, "find_cold_" + name) << " ("
        << Cell(collector, "find_cold_" + name, true) << ") | " << target << " | "
        << Cell(collector, "find_warm_" + name) << " | " << Cell(collector, "kvdict_find_" + name)
        << " | " << Cell(collector, "grep_" + name) << " |";
    if (g_options.fts5) out << " " << Cell(collector, "fts5_" + name) << " |";
    out << "\n";
  }
  if (g_options.fts5 && Fts5Index().ok) {
    char index[160];
    std::snprintf(index, sizeof index,
                  "\nThe FTS5 index took %.1f s to build and %.0f MB beside the entries.\n",
                  Fts5Index().seconds, Fts5Index().megabytes);
    out << index;
  }
}

}  // namespace
}  // namespace kv::bench

int main(int argc, char** argv) {
  using namespace kv::bench;
  std::vector<char*> rest = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--fts5") {
      g_options.fts5 = true;
      continue;
    }
    if (g_options.dictionary.TakeOption(arg) ||
        TakeOption(arg, "--results", g_options.results)) {
      continue;
    }
    rest.push_back(argv[i]);
  }
  if (!g_options.dictionary.Ensure("find_bench")) return 1;
  if (!Dictionary().Open(g_options.dictionary.data)) {
    std::fprintf(stderr, "find_bench: cannot open the files in %s\n",
                 g_options.dictionary.data.c_str());
    return 1;
  }
  const std::string loadBefore = LoadAverage();
  CMedianCollector collector;
  const int repetitions = RunBenchmarks(rest, RegisterAll, collector);
  if (!g_options.results.empty()) WriteResults(collector, repetitions, loadBefore);
  benchmark::Shutdown();
  return 0;
}
