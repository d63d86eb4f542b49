#pragma once

// Running programs from a benchmark: their time as a whole process and their peak memory.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace kv::bench {

struct CProcessRun {
  bool started = false;
  int status = -1;
  double seconds = 0;
};

// Runs a program to its end in `dir` (the current directory when empty) with stdout into a
// file (a real sink: some tools stop early when they see /dev/null) and stderr discarded;
// `extraEnvironment` comes before this process's own environment.
CProcessRun RunProcess(const std::vector<std::string>& args, const std::string& dir,
                       const std::vector<std::string>& extraEnvironment);

// The peak resident memory of one run of a program, in KB; -1 when it cannot be measured.
long MeasurePeakKilobytes(const std::vector<std::string>& args, const std::string& dir,
                          const std::vector<std::string>& extraEnvironment);

// Times a whole process per iteration; reports its peak resident memory as "peak_rss_kb".
void BenchProcess(benchmark::State& state, const std::vector<std::string>& args,
                  const std::string& dir = "", const std::vector<std::string>& environment = {});

}  // namespace kv::bench
