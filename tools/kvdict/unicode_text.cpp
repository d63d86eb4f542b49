#include "unicode_text.h"

#include <string_view>

#include "dictionary/decoders.h"
#include "dictionary/list_strings.h"

namespace kvdict {
namespace {

constexpr unsigned char kClosingByte = 0xA0;

std::string_view WithoutClosingByte(const char* codes) {
  std::string_view view(codes);
  if (!view.empty() && static_cast<unsigned char>(view.back()) == kClosingByte) {
    view.remove_suffix(1);
  }
  return view;
}

std::string ReadableWord(std::string_view word) {
  if (!kv::IsSanskritWord(word)) return kv::DecodeWindows1252(word);
  char codes[kv::kWordBytes];
  kv::TransliterateWord(word, codes);
  return UnicodeTranslit(codes);
}

}  // namespace

std::string UnicodeTranslit(const char* codes) { return kv::DecodeIits(WithoutClosingByte(codes)); }

std::string ReadableEntry(const char* entry) {
  std::string out;
  std::string_view text(entry);
  bool inParen = false;
  bool lineStarted = false;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && text[end] != ' ') {
      // A ';' outside parentheses closes the paragraph right where it stands.
      if (text[end] == ';' && !inParen) break;
      if (text[end] == '(') inParen = true;
      if (text[end] == ')') inParen = false;
      ++end;
    }
    if (end > i) {
      if (lineStarted) out += ' ';
      out += ReadableWord(text.substr(i, end - i));
      lineStarted = true;
    }
    if (end < text.size() && text[end] == ';') {
      if (lineStarted) out += '\n';
      lineStarted = false;
      ++end;
    }
    i = end;
  }
  if (lineStarted) out += '\n';
  return out;
}

}  // namespace kvdict
