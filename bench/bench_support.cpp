#include "bench_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "dictionary/dictionary.h"

extern char** environ;

namespace kv::bench {
namespace {

namespace fs = std::filesystem;

// The argument and environment vectors of a program to start: `extraEnvironment` first, then
// this process's own environment.
struct CCommandLine {
  CCommandLine(const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnvironment)
      : m_args(args), m_environment(extraEnvironment) {
    for (char** e = environ; *e; ++e) m_environment.emplace_back(*e);
    for (auto& arg : m_args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (auto& item : m_environment) envp.push_back(item.data());
    envp.push_back(nullptr);
  }
  std::vector<char*> argv;
  std::vector<char*> envp;

 private:
  std::vector<std::string> m_args;
  std::vector<std::string> m_environment;
};

}  // namespace

CProcessRun RunProcess(const std::vector<std::string>& args, const std::string& dir,
                       const std::vector<std::string>& extraEnvironment) {
  CProcessRun run;
  CCommandLine command(args, extraEnvironment);

  static const std::string sink = (fs::temp_directory_path() / "kv-bench-stdout.txt").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, sink.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  if (!dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  const auto begin = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, command.argv[0], &actions, nullptr, command.argv.data(),
                                   command.envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  if (waitpid(pid, &status, 0) < 0) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  run.started = true;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

namespace {

long ReadPeakKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// The peak resident memory of one run of a program, in KB. The rusage of a spawned child
// cannot give it: a child's maximum starts from the memory of the process that forked it
// (here the benchmark itself). So the child is traced and its own high-water mark read from
// /proc as it exits. -1 when that is not possible.
long MeasurePeakKilobytes(const std::vector<std::string>& args, const std::string& dir,
                          const std::vector<std::string>& extraEnvironment) {
  CCommandLine command(args, extraEnvironment);
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    const int sink = open("/dev/null", O_WRONLY);
    dup2(sink, STDOUT_FILENO);
    dup2(sink, STDERR_FILENO);
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(127);
    execvpe(command.argv[0], command.argv.data(), command.envp.data());
    _exit(127);
  }
  int status = 0;
  long peak = -1;
  if (waitpid(pid, &status, 0) < 0 || !WIFSTOPPED(status)) return -1;  // stopped at exec
  ptrace(PTRACE_SETOPTIONS, pid, nullptr, reinterpret_cast<void*>(PTRACE_O_TRACEEXIT));
  ptrace(PTRACE_CONT, pid, nullptr, nullptr);
  while (waitpid(pid, &status, 0) >= 0 && WIFSTOPPED(status)) {
    long signal = WSTOPSIG(status);
    if ((status >> 8) == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
      peak = ReadPeakKilobytes(pid);
      signal = 0;
    } else if (signal == SIGTRAP) {
      signal = 0;
    }
    ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(signal));
  }
  return peak;
}

// Times a whole process per iteration; reports its peak resident memory.
}  // namespace

void BenchProcess(benchmark::State& state, const std::vector<std::string>& args,
                  const std::string& dir, const std::vector<std::string>& environment) {
  for (auto _ : state) {
    CProcessRun run = RunProcess(args, dir, environment);
    if (!run.started || run.status != 0) {
      state.SkipWithError(("could not run " + args[0]).c_str());
      break;
    }
    state.SetIterationTime(run.seconds);
  }
  state.counters["peak_rss_kb"] = static_cast<double>(MeasurePeakKilobytes(args, dir, environment));
}

void CMedianCollector::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    const std::string name = run.run_name.function_name;
    if (run.error_occurred) m_medians[name].skipped = true;
    if (run.aggregate_name != "median") continue;
    CMedian& median = m_medians[name];
    median.realTime = run.GetAdjustedRealTime();
    median.cpuTime = run.GetAdjustedCPUTime();
    median.unit = run.time_unit;
    for (const auto& [counter, value] : run.counters) median.counters[counter] = value;
  }
  ConsoleReporter::ReportRuns(runs);
}

const CMedian* CMedianCollector::Find(const std::string& name) const {
  const auto it = m_medians.find(name);
  return it == m_medians.end() || it->second.skipped ? nullptr : &it->second;
}

double Milliseconds(const CMedian& median, bool cpu) {
  const double time = cpu ? median.cpuTime : median.realTime;
  switch (median.unit) {
    case benchmark::kNanosecond:
      return time / 1e6;
    case benchmark::kMicrosecond:
      return time / 1e3;
    case benchmark::kMillisecond:
      return time;
    default:
      return time * 1e3;
  }
}

std::string CpuModel() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown CPU";
}

bool TakeOption(std::string_view arg, std::string_view name, std::string& value) {
  if (arg.rfind(name, 0) != 0 || arg.size() <= name.size() || arg[name.size()] != '=') return false;
  value = std::string(arg.substr(name.size() + 1));
  return true;
}

CSyntheticDictionary::CSyntheticDictionary()
    : data(KV_BENCH_DATA_DIR), kvdict(KV_KVDICT_PATH), generator(KV_GENERATOR_PATH) {}

bool CSyntheticDictionary::TakeOption(std::string_view arg) {
  return bench::TakeOption(arg, "--data", data) ||
         bench::TakeOption(arg, "--headwords", headwords) ||
         bench::TakeOption(arg, "--kvdict", kvdict);
}

bool CSyntheticDictionary::Ensure(const char* program) const {
  if (fs::exists(data + "/" + kListFileName)) return true;
  std::fprintf(stderr, "generating %s headwords into %s\n", headwords.c_str(), data.c_str());
  const CProcessRun run =
      RunProcess({generator, "--out", data, "--kvdict", kvdict, "--headwords", headwords}, "", {});
  if (run.started && run.status == 0) return true;
  std::fprintf(stderr, "%s: no dictionary in %s\n", program, data.c_str());
  return false;
}

std::string GenerationFacts(const std::string& data) {
  std::ifstream in(data + "/generation.txt");
  std::map<std::string, std::string> facts;
  std::string key;
  std::string value;
  while (in >> key && std::getline(in, value)) facts[key] = value.substr(1);
  char text[400];
  std::snprintf(text, sizeof text,
                "%s headwords in %s buckets (largest: %s), %s bytes of entries; `kvdict build` "
                "took %s s and %s KB at its peak",
                facts["headwords"].c_str(), facts["buckets"].c_str(),
                facts["largest_buckets"].c_str(), facts["kvtot2_bytes"].c_str(),
                facts["build_seconds"].c_str(), facts["build_peak_kb"].c_str());
  return text;
}

int RunBenchmarks(std::vector<char*> args, void (*registerAll)(), CMedianCollector& collector) {
  int repetitions = 9;
  bool repetitionsGiven = false;
  for (char* arg : args) {
    std::string value;
    if (TakeOption(arg, "--benchmark_repetitions", value)) {
      repetitions = std::atoi(value.c_str());
      repetitionsGiven = true;
    }
  }
  static char defaultRepetitions[] = "--benchmark_repetitions=9";
  static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
  if (!repetitionsGiven) {
    args.push_back(defaultRepetitions);
    args.push_back(aggregatesOnly);
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  registerAll();
  benchmark::RunSpecifiedBenchmarks(&collector);
  return repetitions;
}

}  // namespace kv::bench
