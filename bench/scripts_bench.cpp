// The transliteration module's costs: making a search key from a typed text in each scheme,
// folding the headwords of a lexicon-sized dictionary for loose matching, and spelling a full
// found list in Devanagari.
//   ./build/bench/scripts_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

#include "dictionary/found_rows.h"
#include "dictionary/loose_match.h"
#include "dictionary/script_input.h"
#include "dictionary/transliteration.h"
#include "synthetic_headwords.h"

namespace kv::bench {
namespace {

constexpr std::size_t kHeadwords = 200000;

const std::vector<std::string>& Headwords() {
  static const std::vector<std::string> headwords = MakeSyntheticHeadwords(kHeadwords);
  return headwords;
}

void KeyFrom(benchmark::State& state, const char* text) {
  for (auto _ : state) {
    const CSearchKey key = MakeSearchKey(text, false);
    benchmark::DoNotOptimize(key.m_folded[0]);
  }
}

void BM_KeyFromHk(benchmark::State& state) { KeyFrom(state, "dharma-zAstra"); }
void BM_KeyFromIast(benchmark::State& state) { KeyFrom(state, "dharma-śāstra"); }
void BM_KeyFromIastNfd(benchmark::State& state) { KeyFrom(state, "dharma-s\u0301a\u0304stra"); }
void BM_KeyFromDevanagari(benchmark::State& state) { KeyFrom(state, "धर्मशास्त्र"); }
BENCHMARK(BM_KeyFromHk);
BENCHMARK(BM_KeyFromIast);
BENCHMARK(BM_KeyFromIastNfd);
BENCHMARK(BM_KeyFromDevanagari);

// The whole fold of every headword.
void BM_Fold200000Headwords(benchmark::State& state) {
  const std::vector<std::string>& headwords = Headwords();
  char folded[kKeyBytes];
  for (auto _ : state) {
    std::size_t total = 0;
    for (const std::string& headword : headwords) {
      total += FoldLetters(headword, folded, sizeof folded);
    }
    benchmark::DoNotOptimize(total);
  }
  std::size_t bytes = 0;
  for (const std::string& headword : headwords) bytes += headword.size();
  state.counters["headwords"] = static_cast<double>(headwords.size());
  state.counters["bytes_per_headword"] =
      static_cast<double>(bytes) / static_cast<double>(headwords.size());
}
BENCHMARK(BM_Fold200000Headwords)->Unit(benchmark::kMillisecond);

// What a loose search does with each headword it reads: fold as far as the key needs, compare.
void BM_LooseMatch200000Headwords(benchmark::State& state) {
  const std::vector<std::string>& headwords = Headwords();
  const CSearchKey key = MakeSearchKey("krsna", false);
  for (auto _ : state) {
    int hits = 0;
    for (const std::string& headword : headwords) {
      hits += LooseKeyMatches(headword, key.m_folded) ? 1 : 0;
    }
    benchmark::DoNotOptimize(hits);
  }
}
BENCHMARK(BM_LooseMatch200000Headwords)->Unit(benchmark::kMillisecond);

// A full found list spelled in Devanagari, into strings that keep their memory.
void BM_DevanagariOfAFullList(benchmark::State& state) {
  const std::vector<std::string>& headwords = Headwords();
  std::vector<std::string> rows(kMaxHits);
  for (auto _ : state) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
      rows[r].clear();
      AppendDevanagari(headwords[r], MarkerBytes::kJoin, rows[r]);
    }
    benchmark::DoNotOptimize(rows.back().data());
  }
}
BENCHMARK(BM_DevanagariOfAFullList);

}  // namespace
}  // namespace kv::bench

BENCHMARK_MAIN();
