#pragma once

// Words and glosses for the synthetic lexicons of the benchmarks (kv_make_dictionary,
// kv_make_cologne): Harvard-Kyoto words with the letters and first syllables in the
// proportions of a real Sanskrit lexicon, English words, grammar labels and sources.
#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace kv::bench {

using CRandom = std::mt19937_64;

struct CWeighted {
  std::string_view text;
  int weight;
};

// Letters in collation order: the vowels, then anusvara and visarga, then the consonants.
inline constexpr std::array<std::string_view, 49> kCollation = {
    "a",  "A",  "i", "I",  "u",  "U", "R",  "RR", "lR", "lRR", "e", "ai", "o",
    "au", "M",  "H", "k",  "kh", "g", "gh", "G",  "c",  "ch",  "j", "jh", "J",
    "T",  "Th", "D", "Dh", "N",  "t", "th", "d",  "dh", "n",   "p", "ph", "b",
    "bh", "m",  "y", "r",  "l",  "v", "z",  "S",  "s",  "h"};

inline constexpr CWeighted kVowels[] = {{"a", 340}, {"A", 150}, {"i", 120}, {"I", 40}, {"u", 100},
                                        {"U", 30},  {"R", 30},  {"RR", 3},  {"lR", 2}, {"lRR", 1},
                                        {"e", 60},  {"ai", 20}, {"o", 50},  {"au", 20}};

inline constexpr CWeighted kOnsets[] = {
    {"k", 60}, {"kh", 8},  {"g", 30},  {"gh", 6}, {"G", 1},   {"c", 30},  {"ch", 8},  {"j", 30},
    {"jh", 2}, {"J", 2},   {"T", 6},   {"Th", 3}, {"D", 6},   {"Dh", 2},  {"N", 10},  {"t", 70},
    {"th", 6}, {"d", 50},  {"dh", 30}, {"n", 60}, {"p", 50},  {"ph", 4},  {"b", 20},  {"bh", 30},
    {"m", 60}, {"y", 40},  {"r", 60},  {"l", 30}, {"v", 60},  {"z", 30},  {"S", 15},  {"s", 50},
    {"h", 30}, {"kS", 10}, {"tr", 12}, {"kr", 8}, {"pr", 20}, {"jJ", 4},  {"st", 8},  {"sth", 4},
    {"sn", 3}, {"sm", 4},  {"sv", 8},  {"zr", 4}, {"zv", 4},  {"dr", 6},  {"dv", 6},  {"dhy", 3},
    {"ny", 4}, {"tm", 3},  {"tv", 5},  {"ST", 4}, {"STh", 2}, {"Sp", 2},  {"str", 2}, {"nt", 8},
    {"nd", 6}, {"mb", 3},  {"ry", 3},  {"rm", 3}, {"rv", 3},  {"rth", 3}, {"gn", 2},  {"hm", 1},
    {"hv", 1}, {"dbh", 1}, {"tt", 5},  {"dd", 2}, {"Gk", 2},  {"Gg", 2},  {"cch", 2}, {"jjh", 1},
    {"TT", 1}, {"DD", 1},  {"ddh", 2}, {"nn", 2}, {"zc", 1},  {"chy", 1}, {"hy", 1},  {"hn", 1},
    {"hr", 1}, {"hl", 1},  {"phr", 1}, {"tth", 1}};

// First syllables of real lexicons' crowded buckets: "sa" alone holds about one headword in
// seven, "pa" and "vi" one in ten and one in twelve.
inline constexpr CWeighted kCrowdedStarts[] = {{"sa", 150}, {"pa", 100}, {"vi", 80}, {"pra", 50},
                                               {"a", 45},   {"ka", 30},  {"ma", 25}, {"ni", 20}};
inline constexpr int kCrowdedShare = 50;  // percent of headwords that begin with one of them

inline constexpr std::string_view kCodas[] = {"",  "",  "",  "",  "H", "M",
                                              "t", "n", "s", "m", "k", "r"};

inline constexpr std::string_view kEnglish[] = {
    "the",       "of",         "a",         "to",      "and",     "in",        "name",
    "son",       "father",     "mother",    "king",    "god",     "goddess",   "river",
    "mountain",  "epithet",    "said",      "also",    "form",    "being",     "having",
    "made",      "world",      "sacrifice", "priest",  "hymn",    "verse",     "water",
    "fire",      "wind",       "earth",     "sky",     "great",   "small",     "good",
    "bad",       "white",      "black",     "red",     "golden",  "going",     "moving",
    "shining",   "seeing",     "speaking",  "giving",  "holding", "bearing",   "relating",
    "belonging", "consisting", "connected", "with",    "by",      "from",      "for",
    "as",        "or",         "not",       "any",     "every",   "all",       "one",
    "who",       "which",      "that",      "is",      "was",     "be",        "lord",
    "master",    "friend",     "enemy",     "horse",   "cow",     "elephant",  "tree",
    "flower",    "fruit",      "seed",      "house",   "village", "city",      "path",
    "way",       "time",       "day",       "night",   "month",   "year",      "age",
    "life",      "death",      "mind",      "heart",   "body",    "hand",      "foot",
    "eye",       "ear",        "mouth",     "word",    "speech",  "knowledge", "teacher",
    "pupil",     "poet",       "sage",      "ascetic", "warrior", "merchant",  "servant"};

inline constexpr std::string_view kGrammar[] = {"(m.)",   "(f.)",    "(n.)", "(mfn.)", "(ind.)",
                                                "(cl.1)", "(cl.10)", "(P.)", "(A.)",   "(pl.)"};
inline constexpr std::string_view kSources[] = {"RV.",  "AV.", "MBh.", "R.",
                                                "Pan.", "Mn.", "Kav.", "L."};

inline std::string_view Pick(CRandom& random, const auto& table) {
  int total = 0;
  for (const auto& item : table) total += item.weight;
  int draw = static_cast<int>(random() % static_cast<unsigned>(total));
  for (const auto& item : table) {
    if (draw < item.weight) return item.text;
    draw -= item.weight;
  }
  return table[0].text;
}

template <typename T, std::size_t N>
const T& PickUniform(CRandom& random, const T (&table)[N]) {
  return table[random() % N];
}

inline int Uniform(CRandom& random, int low, int high) {
  return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
}

// A word of one to five syllables, in internal letters.
inline std::string MakeWord(CRandom& random, bool crowdedStart) {
  std::string word;
  // A crowded start alone would make thousands of identical headwords ("sa", "pa").
  int syllables = Uniform(random, crowdedStart ? 2 : 1, 4);
  if (crowdedStart) {
    word = Pick(random, kCrowdedStarts);
  } else if (random() % 8 == 0) {
    word = Pick(random, kVowels);  // a word that begins with a vowel
  } else {
    word = std::string(Pick(random, kOnsets)) + std::string(Pick(random, kVowels));
  }
  for (int s = 1; s < syllables; ++s) {
    if (random() % 12 == 0) word += "M";  // anusvara before the next consonant
    word += Pick(random, kOnsets);
    word += Pick(random, kVowels);
  }
  word += PickUniform(random, kCodas);
  return word;
}

// Rank of the letter at `text`, longest match first; -1 for a byte of no letter.
inline int LetterRank(std::string_view text, std::size_t& length) {
  int best = -1;
  length = 1;
  for (std::size_t i = 0; i < kCollation.size(); ++i) {
    std::string_view letter = kCollation[i];
    if (letter.size() >= length && text.substr(0, letter.size()) == letter &&
        !(letter == "l" && text.size() > 1 && text[1] == 'R')) {
      if (best < 0 || letter.size() > length) {
        best = static_cast<int>(i);
        length = letter.size();
      }
    }
  }
  return best;
}

// The letters' ranks as bytes, so that comparing keys compares the words letter by letter.
inline std::string CollationKey(std::string_view plain) {
  std::string key;
  while (!plain.empty()) {
    std::size_t length = 1;
    int rank = LetterRank(plain, length);
    key.push_back(static_cast<char>(rank + 1));
    plain.remove_prefix(length);
  }
  return key;
}

}  // namespace kv::bench
