#pragma once

// What the benchmarks over the synthetic dictionary share: whole programs timed as processes,
// the medians of repeated runs, and the dictionary generated on first use.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kv::bench {

struct CProcessRun {
  bool started = false;
  int status = -1;
  double seconds = 0;
};

// Runs a program to its end with stdout into a file (a real sink: some tools stop early when
// they see /dev/null) and stderr discarded; in `dir` unless it is empty, with
// `extraEnvironment` before this process's own environment.
CProcessRun RunProcess(const std::vector<std::string>& args, const std::string& dir,
                       const std::vector<std::string>& extraEnvironment);

// Times a whole process per iteration (manual time); reports its peak resident memory as the
// counter peak_rss_kb. A process that fails skips the benchmark with an error.
void BenchProcess(benchmark::State& state, const std::vector<std::string>& args,
                  const std::string& dir = "", const std::vector<std::string>& environment = {});

// Medians gathered from the repetitions, by benchmark name.
struct CMedian {
  double realTime = 0;  // in the run's time unit
  double cpuTime = 0;
  benchmark::TimeUnit unit = benchmark::kMicrosecond;
  std::map<std::string, double> counters;
  bool skipped = false;
};

class CMedianCollector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  const std::map<std::string, CMedian>& Medians() const { return m_medians; }
  // The median of `name`, or null when it did not run or was skipped.
  const CMedian* Find(const std::string& name) const;

 private:
  std::map<std::string, CMedian> m_medians;
};

// The median's real (or CPU) time in milliseconds.
double Milliseconds(const CMedian& median, bool cpu = false);
std::string CpuModel();

// Takes "--name=value" into `value`; false for any other argument.
bool TakeOption(std::string_view arg, std::string_view name, std::string& value);

// The synthetic dictionary the benchmarks search: its folder (build*/bench/synthetic unless
// --data= says otherwise) and how it is made when the folder holds none (kv_make_dictionary
// with --headwords=, then the kvdict of --kvdict=).
struct CSyntheticDictionary {
  CSyntheticDictionary();
  // Takes --data=, --headwords= and --kvdict=; false for any other argument.
  bool TakeOption(std::string_view arg);
  // Makes the dictionary unless `data` holds one; when that fails, says so as `program` and
  // gives false.
  bool Ensure(const char* program) const;

  std::string data;
  std::string kvdict;
  std::string generator;
  std::string headwords = "200000";
};

// "N headwords in B buckets (largest: ...), S bytes of entries; `kvdict build` took ..." from
// the generator's notes in `data`.
std::string GenerationFacts(const std::string& data);

// Runs the registered benchmarks with `args` (argv[0] and the benchmark library's own flags),
// nine repetitions reporting only their aggregates unless the flags say otherwise; `registerAll`
// registers them once the library has read its flags. Returns the number of repetitions.
int RunBenchmarks(std::vector<char*> args, void (*registerAll)(), CMedianCollector& collector);

}  // namespace kv::bench
