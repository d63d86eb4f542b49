#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kv::bench {

// `count` headwords in internal letters: two to six syllables, a consonant or two before each
// vowel, an anusvara or visarga now and then, one in ten a compound with a hyphen; about the
// letters and lengths of a real lexicon's index lines. The same count always gives the same
// words.
std::vector<std::string> MakeSyntheticHeadwords(std::size_t count);

}  // namespace kv::bench
