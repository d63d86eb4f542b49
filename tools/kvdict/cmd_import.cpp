// kvdict import: a lexicon in the Cologne digitisation format made into a dictionary.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "commands.h"
#include "dictionary/dictionary_locations.h"
#include "import/cologne_import.h"

namespace kvdict {

namespace {

using Clock = std::chrono::steady_clock;

// The progress bar on a terminal: records read, how much of the file, how fast. Nothing when
// standard error is not a terminal.
class CProgressBar {
 public:
  CProgressBar() : m_shown(isatty(STDERR_FILENO) != 0), m_start(Clock::now()) {}
  ~CProgressBar() {
    if (m_drawn) std::fputs("\r\033[K", stderr);
  }
  CProgressBar(const CProgressBar&) = delete;
  CProgressBar& operator=(const CProgressBar&) = delete;

  void Update(const kv::CImportProgress& progress) {
    const Clock::time_point now = Clock::now();
    if (!m_shown || (m_drawn && now - m_last < kRedrawEvery)) return;
    m_last = now;
    m_drawn = true;
    const int percent =
        progress.m_totalBytes == 0
            ? 0
            : static_cast<int>(100 * std::min(progress.m_bytesRead, progress.m_totalBytes) /
                               progress.m_totalBytes);
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    const double rate = seconds > 0 ? static_cast<double>(progress.m_records) / seconds : 0;
    char bar[kBarWidth + 1];
    const int filled = percent * kBarWidth / 100;
    for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = '\0';
    std::fprintf(stderr, "\r[%s] %3d%%  %lld records  %.0f records/s\033[K", bar, percent,
                 progress.m_records, rate);
    std::fflush(stderr);
  }

 private:
  static constexpr int kBarWidth = 30;
  static constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

  bool m_shown;
  bool m_drawn = false;
  Clock::time_point m_start;
  Clock::time_point m_last;
};

void PrintPlace(const std::string& file, int line, const std::string& text) {
  if (line > 0) {
    std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), line, text.c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), text.c_str());
  }
}

void PrintNotes(const std::string& file, const kv::CImportNotes& notes, const char* more) {
  for (const kv::CImportNote& note : notes.m_first) PrintPlace(file, note.m_line, note.m_text);
  const long long rest = notes.m_count - static_cast<long long>(notes.m_first.size());
  if (rest > 0) std::fprintf(stderr, "kvdict import: %lld more %s not shown\n", rest, more);
}

void PrintSummary(const kv::CImportReport& report) {
  std::printf("records read         %lld\n", report.m_recordsRead);
  std::printf("records merged       %lld\n", report.m_recordsMerged);
  std::printf("records skipped      %lld\n", report.m_skipped.m_count);
  std::printf("headwords shortened  %lld\n", report.m_shortened.m_count);
  std::printf("entries cut          %lld\n", report.m_cut.m_count);
  std::printf("characters replaced  %lld\n", report.m_replaced.Total());
  for (std::size_t i = 0; i < kv::kReplacementKinds; ++i) {
    const long long count = report.m_replaced.m_counts[i];
    if (count == 0) continue;
    const std::string_view name = kv::ReplacementName(static_cast<kv::Replacement>(i));
    std::printf("  %-48.*s %lld\n", static_cast<int>(name.size()), name.data(), count);
  }
}

// A dictionary's name is its folder's name: one path component.
bool IsFolderName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

int RunImport(const CArgs& args) {
  const std::string& file = args.Operands()[0];
  std::string out = args.Value("--out", "");
  if (out.empty()) {
    const std::string name = args.Value("--name", std::filesystem::path(file).stem().string());
    if (!IsFolderName(name)) {
      return UsageError("import", "NAME '" + name + "' cannot be a folder's name (give --name)");
    }
    const std::string user = kv::UserDictionariesFolder(kv::ProcessDictionaryEnvironment(""));
    if (user.empty()) {
      return UsageError("import", "give --out DIR: neither XDG_DATA_HOME nor HOME is set");
    }
    out = user + "/" + name;
  }

  kv::CImportReport report;
  {
    CProgressBar bar;
    report = kv::ImportCologneFile(file, out, args.Has("--strict"),
                                   [&bar](const kv::CImportProgress& p) { bar.Update(p); });
  }
  PrintNotes(file, report.m_skipped, "skipped records");
  PrintNotes(file, report.m_shortened, "shortened headwords");
  PrintNotes(file, report.m_cut, "cut entries");
  if (report.m_recordsRead > 0) PrintSummary(report);
  if (!report.m_fileProblem.empty()) {
    PrintPlace(file, report.m_fileProblemLine, report.m_fileProblem);
    std::fputs("kvdict import: nothing written\n", stderr);
    return kExitUsage;
  }
  if (!report.m_wroteFiles && report.m_written.Ok()) {
    std::fprintf(stderr, "kvdict import: %lld records skipped; with --strict nothing is written\n",
                 report.m_skipped.m_count);
    return kExitUsage;
  }
  for (const kv::DictionaryError& error : report.m_written.errors) {
    PrintPlace(error.file, error.line, error.reason);
  }
  if (!report.m_wroteFiles) {
    std::fputs("kvdict import: nothing written\n", stderr);
    return kExitUsage;
  }
  std::printf("%d headwords in %d buckets written to %s\n", report.m_written.headwordCount,
              report.m_written.bucketCount, out.c_str());
  return kExitOk;
}

}  // namespace

const CCommand kImportCommand = {
    "import",
    "make a dictionary of a lexicon in the Cologne format",
    "usage: kvdict import FILE [--out DIR] [--name NAME] [--strict]\n"
    "\n"
    "Reads FILE, a Sanskrit lexicon in the record format of the Cologne Digital Sanskrit\n"
    "Dictionaries (UTF-8; each record from a line <L>...<k1>...<k2>... to a line <LEND>),\n"
    "and writes it as a dictionary: kvlist.txt, kvindx.txt and kvtot2.txt in DIR.\n"
    "  --out DIR    where to write (default: $XDG_DATA_HOME/kavivani/NAME, default\n"
    "               ~/.local/share/kavivani/NAME, where the program finds it)\n"
    "  --name NAME  the dictionary's folder name there, without --out (default: FILE's\n"
    "               name without its extension)\n"
    "  --strict     write nothing when any record has to be skipped\n"
    "\n"
    "The headwords are <k1> with the compound marks of <k2>; the records of one word that\n"
    "follow each other (one <k1> and <h>) make one entry. The Sanskrit of the entries, in\n"
    "SLP1 (<s>, {#...#}), IAST (<s1>, and words with IAST letters) or Devanagari, is shown\n"
    "in IAST; sense divisions begin paragraphs. A record that cannot be read is skipped and\n"
    "shown as FILE:LINE: REASON (the first ten), then a report of what was done. The files\n"
    "are written under temporary names and renamed only when all three are complete.\n"
    "\n"
    "exit status: 0 written, 2 nothing written (a usage error, a file without usable\n"
    "records, a skipped record with --strict, or the files could not be written)\n",
    {"--strict", "--help", "-h"},
    {"--out", "--name"},
    1,
    "give exactly one FILE",
    RunImport,
};

}  // namespace kvdict
