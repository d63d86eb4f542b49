// kv_make_dictionary: writes a synthetic dictionary of lexicon size and builds its three data
// files with `kvdict build`, so that the benchmarks measure the reading code on data shaped
// like a real Sanskrit-English lexicon:
//  - Harvard-Kyoto headwords of every vowel, consonant and common conjunct, with anusvara,
//    visarga, compounds joined by "-" and the marker bytes between letters;
//  - a skewed bucket distribution: "sa", "pa" and "vi" hold tens of thousands of headwords
//    each, as in real lexicons, while most buckets hold a few hundred or fewer;
//  - headwords in Sanskrit alphabetical order (so "sa" lies near the end of kvindx.txt);
//  - entries from a few words to the longest line the program reads without its warning,
//    with `%` Sanskrit words, `;` paragraphs and parentheses.
//
//   kv_make_dictionary --out DIR --kvdict PATH [--headwords N] [--seed S]
//
// Writes DIR/source.txt, DIR/headwords.sorted (the plain headwords, byte-sorted, for `look`),
// DIR/generation.txt (sizes and the build's time and peak memory) and the three data files.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_builder.h"
#include "dictionary/found_rows.h"
#include "synthetic_words.h"

extern char** environ;

namespace kv::bench {
namespace {

constexpr int kDefaultHeadwords = 200000;
// The longest entry the program reads without its over-long-line warning.
constexpr std::size_t kLongestEntry = static_cast<std::size_t>(kLineLimit) - 2;
// Headwords are kept short enough for their list strings to fit a row with room to spare.
constexpr std::size_t kMaxHeadwordBytes = 24;

// Marker bytes that may stand between letters; 0xF3 is written as U+00F3 in the source.
constexpr std::string_view kMarkers[] = {"`", "4", "7", "9", "@", "%", "\xC3\xB3"};

// Words a gloss uses only now and then: each stands in a few dozen entries, like most of a real
// lexicon's vocabulary. A find for one of them has few hits to rank.
constexpr std::string_view kRareEnglish[] = {
    "turmeric",     "peacock",   "sandalwood", "conch",    "cuckoo",      "jasmine",
    "saffron",      "tortoise",  "ointment",   "quiver",   "ploughshare", "eclipse",
    "chariot-pole", "hermitage", "moonlight",  "whirlpool"};
// One English word in this many is a rare one.
constexpr unsigned kRareShare = 20000;

// Sanskrit words that entries cite far more often than the rest, as real lexicons cite
// agni or indra; now and then as the first member of a compound ("agni-hotra").
constexpr std::string_view kFamousSanskrit[] = {"agni",    "indra", "soma", "deva",  "dharma",
                                                "brahman", "viSNu", "ziva", "sUrya", "vAyu"};
// One Sanskrit word in this many is a famous one.
constexpr unsigned kFamousShare = 8;

// An English gloss word: the common ones by Zipf's law (the n-th of the list n times rarer
// than the first, as in running English), now and then a rare one.
std::string_view PickEnglish(CRandom& random) {
  static const std::vector<double> cumulative = [] {
    std::vector<double> sums;
    double sum = 0;
    for (std::size_t rank = 1; rank <= std::size(kEnglish); ++rank) {
      sum += 1.0 / static_cast<double>(rank);
      sums.push_back(sum);
    }
    return sums;
  }();
  if (random() % kRareShare == 0) return kRareEnglish[random() % std::size(kRareEnglish)];
  const double draw = std::uniform_real_distribution<double>(0, cumulative.back())(random);
  const auto rank =
      std::upper_bound(cumulative.begin(), cumulative.end(), draw) - cumulative.begin();
  return kEnglish[std::min(static_cast<std::size_t>(rank), std::size(kEnglish) - 1)];
}

struct CHeadword {
  std::string plain;   // letters only
  std::string source;  // as written in the source file: letters with markers (UTF-8)
  std::string bytes;   // as it stands in kvindx.txt
  std::string key;
};

// Puts a marker byte between two letters of `plain`, and sometimes joins a second word as a
// compound. The first two letters stay free of "%" and "9", which matching does not skip.
CHeadword MakeHeadword(CRandom& random) {
  const bool crowded = static_cast<int>(random() % 100) < kCrowdedShare;
  CHeadword headword;
  std::string plain = MakeWord(random, crowded);
  std::string marked = plain;
  if (random() % 10 == 0 && plain.size() < 12) {
    std::string second = MakeWord(random, false);
    plain += second;
    marked += '-';
    marked += second;
  }
  if (random() % 6 == 0 && marked.size() > 3) {
    std::string_view marker = PickUniform(random, kMarkers);
    std::size_t at =
        static_cast<std::size_t>(Uniform(random, 2, static_cast<int>(marked.size()) - 1));
    marked.insert(at, marker);
  }
  headword.plain = plain;
  headword.source = marked;
  // The source is UTF-8; kvindx.txt holds the single byte 0xF3 for U+00F3.
  for (std::size_t i = 0; i < marked.size(); ++i) {
    if (marked.compare(i, 2, "\xC3\xB3") == 0) {
      headword.bytes.push_back('\xF3');
      ++i;
    } else {
      headword.bytes.push_back(marked[i]);
    }
  }
  headword.key = CollationKey(plain);
  return headword;
}

// A Sanskrit word an entry cites, in plain letters: any headword, or one of the famous words,
// alone or as the first member of a compound.
void AppendCitedWord(CRandom& random, const std::vector<CHeadword>& words, std::string& out) {
  if (random() % kFamousShare != 0) {
    out += words[random() % words.size()].plain;
    return;
  }
  out += kFamousSanskrit[random() % std::size(kFamousSanskrit)];
  if (random() % 4 == 0) {
    out += '-';
    out += words[random() % words.size()].plain;
  }
}

// An entry of about `size` bytes: a grammar note, glosses, `%` Sanskrit words, references,
// parentheses and `;` paragraphs, cut to exactly `size` bytes.
void AppendEntry(CRandom& random, std::size_t size, const std::vector<CHeadword>& words,
                 std::string& out) {
  const std::size_t start = out.size();
  out += PickUniform(random, kGrammar);
  int untilParagraph = Uniform(random, 12, 60);
  bool inParen = false;
  bool capitalise = true;
  while (out.size() - start < size) {
    out += ' ';
    const unsigned draw = static_cast<unsigned>(random() % 100);
    if (draw < 10) {
      out += '%';
      AppendCitedWord(random, words, out);
    } else if (draw < 13 && !inParen) {
      out += "(see %";
      AppendCitedWord(random, words, out);
      inParen = true;
    } else if (draw < 16 && inParen) {
      out += PickUniform(random, kSources);
      out += ')';
      inParen = false;
    } else if (draw < 18) {
      out += PickUniform(random, kSources);
      out += ' ';
      out += std::to_string(Uniform(random, 1, 12)) + "," + std::to_string(Uniform(random, 1, 99));
    } else {
      const std::string_view word = PickEnglish(random);
      // A paragraph's first gloss word is capitalised, as in print.
      out += capitalise ? static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])))
                        : word[0];
      out += word.substr(1);
      if (draw % 9 == 0) out += ',';
      capitalise = false;
    }
    if (--untilParagraph == 0) {
      if (inParen) {
        out += ')';
        inParen = false;
      }
      out += ';';
      untilParagraph = Uniform(random, 12, 60);
      capitalise = true;
    }
  }
  if (inParen) out += ')';
  // Cut to the exact size asked for; the text never ends in a space.
  out.resize(start + size);
  if (out.back() == ' ') out.back() = '.';
}

// Sizes that give a lexicon's shape: most entries a line or two, a long tail of articles, a
// dozen very long ones and one of the longest size the program reads.
std::vector<std::size_t> EntrySizes(CRandom& random, std::size_t count) {
  std::vector<std::size_t> sizes(count);
  for (auto& size : sizes) {
    const unsigned draw = static_cast<unsigned>(random() % 10000);
    if (draw < 7500) {
      size = static_cast<std::size_t>(Uniform(random, 15, 180));
    } else if (draw < 9700) {
      size = static_cast<std::size_t>(Uniform(random, 180, 900));
    } else if (draw < 9981) {
      size = static_cast<std::size_t>(Uniform(random, 900, 6000));
    } else {
      size = static_cast<std::size_t>(Uniform(random, 6000, 40000));
    }
  }
  for (int i = 0; i < 12 && count > 0; ++i) {
    sizes[random() % count] = static_cast<std::size_t>(Uniform(random, 60000, 120000));
  }
  if (count > 0) sizes[random() % count] = kLongestEntry;
  return sizes;
}

struct CBuildRun {
  int status = -1;
  double seconds = 0;
  long peakKilobytes = 0;
};

CBuildRun RunKvdictBuild(const std::string& kvdict, const std::string& source,
                         const std::string& outDir) {
  CBuildRun run;
  std::vector<std::string> args = {kvdict, "build", source, "--out", outDir};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const auto begin = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, kvdict.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return run;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) < 0) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKilobytes = usage.ru_maxrss;
  return run;
}

int Usage() {
  std::fprintf(stderr,
               "usage: kv_make_dictionary --out DIR --kvdict PATH [--headwords N] [--seed S]\n");
  return 2;
}

int Run(int argc, char** argv) {
  std::string outDir;
  std::string kvdict;
  long headwordCount = kDefaultHeadwords;
  unsigned long seed = 20240601;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (i + 1 >= argc) return Usage();
    if (arg == "--out") {
      outDir = argv[++i];
    } else if (arg == "--kvdict") {
      kvdict = argv[++i];
    } else if (arg == "--headwords") {
      headwordCount = std::strtol(argv[++i], nullptr, 10);
    } else if (arg == "--seed") {
      seed = std::strtoul(argv[++i], nullptr, 10);
    } else {
      return Usage();
    }
  }
  if (outDir.empty() || kvdict.empty() || headwordCount < 1) return Usage();
  std::filesystem::create_directories(outDir);

  CRandom random(seed);
  std::vector<CHeadword> headwords;
  headwords.reserve(static_cast<std::size_t>(headwordCount));
  while (headwords.size() < static_cast<std::size_t>(headwordCount)) {
    CHeadword headword = MakeHeadword(random);
    if (headword.bytes.size() > kMaxHeadwordBytes) continue;
    if (!ListStringsProblem(headword.bytes).empty()) continue;
    headwords.push_back(std::move(headword));
  }
  std::stable_sort(headwords.begin(), headwords.end(),
                   [](const CHeadword& a, const CHeadword& b) { return a.key < b.key; });

  const std::string sourcePath = outDir + "/source.txt";
  std::ofstream source(sourcePath, std::ios::binary | std::ios::trunc);
  source << "# Synthetic Sanskrit-English dictionary for the benchmarks: " << headwords.size()
         << " headwords, seed " << seed << ".\n";
  const std::vector<std::size_t> sizes = EntrySizes(random, headwords.size());
  std::string line;
  std::size_t textBytes = 0;
  std::map<std::string, int> buckets;
  for (std::size_t i = 0; i < headwords.size(); ++i) {
    line.clear();
    line += headwords[i].source;
    line += '\t';
    const std::size_t entryStart = line.size();
    AppendEntry(random, sizes[i], headwords, line);
    textBytes += line.size() - entryStart + 2;
    line += '\n';
    source.write(line.data(), static_cast<std::streamsize>(line.size()));
    ++buckets[BucketKeyOf(headwords[i].bytes)];
  }
  source.close();

  std::vector<std::string> plain;
  plain.reserve(headwords.size());
  for (const auto& headword : headwords) plain.push_back(headword.plain);
  std::sort(plain.begin(), plain.end());
  std::ofstream sorted(outDir + "/headwords.sorted", std::ios::binary | std::ios::trunc);
  for (const auto& word : plain) sorted << word << '\n';
  sorted.close();

  const CBuildRun build = RunKvdictBuild(kvdict, sourcePath, outDir);
  if (build.status != 0) {
    std::fprintf(stderr, "kv_make_dictionary: kvdict build failed (status %d)\n", build.status);
    return 1;
  }

  std::vector<std::pair<int, std::string>> bySize;
  for (const auto& [key, count] : buckets) bySize.emplace_back(count, key);
  std::sort(bySize.rbegin(), bySize.rend());
  std::ofstream info(outDir + "/generation.txt", std::ios::trunc);
  info << "headwords " << headwords.size() << "\n";
  info << "buckets " << buckets.size() << "\n";
  info << "largest_buckets";
  for (std::size_t i = 0; i < 5 && i < bySize.size(); ++i) {
    info << " " << bySize[i].second << "=" << bySize[i].first;
  }
  info << "\n";
  info << "kvtot2_bytes " << textBytes << "\n";
  info << "longest_entry_bytes " << kLongestEntry << "\n";
  info << "build_seconds " << build.seconds << "\n";
  info << "build_peak_kb " << build.peakKilobytes << "\n";
  std::printf(
      "kv_make_dictionary: %zu headwords in %zu buckets, %zu bytes of entries; "
      "kvdict build took %.1f s and %ld KB at its peak\n",
      headwords.size(), buckets.size(), textBytes, build.seconds, build.peakKilobytes);
  return 0;
}

}  // namespace
}  // namespace kv::bench

int main(int argc, char** argv) { return kv::bench::Run(argc, argv); }
