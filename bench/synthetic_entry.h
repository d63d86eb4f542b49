#pragma once

#include <string>

namespace kv::bench {

// A dictionary entry line of exactly `bytes` bytes: English words in Windows-1252, words
// marked as Sanskrit with '%', parenthesised remarks and paragraphs ended by ';', in the
// proportions of a long real entry. The same seed always gives the same text.
std::string MakeSyntheticEntry(int bytes, unsigned seed = 1);

}  // namespace kv::bench
