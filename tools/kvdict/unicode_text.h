#pragma once

#include <string>

namespace kvdict {

// A transliteration list string as a terminal shows it: decoded to UTF-8, without the
// closing 0xA0.
std::string UnicodeTranslit(const char* codes);

// An entry line made readable: one paragraph per line, Sanskrit words in IAST.
std::string ReadableEntry(const char* entry);

}  // namespace kvdict
