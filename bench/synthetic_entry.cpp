#include "synthetic_entry.h"

#include <array>
#include <random>
#include <string_view>

namespace kv::bench {

namespace {

constexpr std::array<std::string_view, 16> kEnglish = {
    "mfn.",       "black,",      "dark-blue",     "the",         "celebrated",  "incarnation",
    "(cf.",       "lustre)",     "accomplished,", "knowledge",   "sacrificial", "R\xE9sum\xE9",
    "grammarian", "Mahabharata", "understanding", "illumination"};
constexpr std::array<std::string_view, 10> kSanskrit = {
    "%kRSNa", "%viSNu",    "%saMskRta",     "%jJAna",     "%zrI",
    "%RSi",   "%brahmaNa", "%vedAntasUtra", "%AtmajJAna", "%kRSNAvatAra"};

}  // namespace

std::string MakeSyntheticEntry(int bytes, unsigned seed) {
  std::mt19937 random(seed);
  std::string text = "%kRSNa";
  const auto size = static_cast<std::size_t>(bytes);
  while (text.size() < size) {
    // A word is one to five stems joined like a compound, a quarter of them Sanskrit.
    const bool sanskrit = random() % 4 == 0;
    unsigned parts = 1 + random() % 4;
    if (random() % 3 == 0) {
      ++parts;
    }
    text += ' ';
    if (sanskrit) {
      text += '%';
    }
    for (unsigned p = 0; p < parts; ++p) {
      if (p > 0 && !sanskrit) {
        text += '-';
      }
      const std::string_view stem = sanskrit ? kSanskrit[random() % kSanskrit.size()].substr(1)
                                             : kEnglish[random() % kEnglish.size()];
      text += stem;
    }
    if (random() % 30 == 0) {
      text += " ;";
    }
  }
  text.resize(size);
  return text;
}

}  // namespace kv::bench
