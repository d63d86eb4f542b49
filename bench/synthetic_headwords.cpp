#include "synthetic_headwords.h"

#include <random>

#include "dictionary/letter_tables.h"

namespace kv::bench {

std::vector<std::string> MakeSyntheticHeadwords(std::size_t count) {
  std::mt19937 random(20240611);
  const auto pick = [&random](int first, int letters) {
    return kLetters[static_cast<std::size_t>(first) + random() % static_cast<unsigned>(letters)]
        .m_letters;
  };
  std::vector<std::string> words;
  words.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string word;
    const std::size_t syllables = 2 + random() % 5;
    for (std::size_t s = 0; s < syllables; ++s) {
      if (s > 0 && random() % 10 == 0) word += '-';
      const std::size_t consonants = random() % 4 == 0 ? 2 : 1;
      for (std::size_t c = 0; c < consonants; ++c) {
        word += pick(kVowelLetterCount, kLetterAnusvara - kVowelLetterCount);
      }
      word += pick(0, kLetterVisarga);
      if (random() % 8 == 0) word += kLetters[kLetterAnusvara].m_letters;
    }
    if (random() % 6 == 0) word += kLetters[kLetterVisarga].m_letters;
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace kv::bench
