#include "dictionary/find_query.h"

#include <utf8proc.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "dictionary/decoders.h"
#include "dictionary/find_text.h"
#include "dictionary/found_rows.h"
#include "dictionary/list_strings.h"
#include "dictionary/script_input.h"

namespace kv {

namespace find {

const CByteTable& Bytes() {
  static const CByteTable table = [] {
    CByteTable t;
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      const char32_t codePoint = Windows1252CodePoint(byte);
      const auto category = utf8proc_category(static_cast<utf8proc_int32_t>(codePoint));
      t.m_word[byte] = (category >= UTF8PROC_CATEGORY_LU && category <= UTF8PROC_CATEGORY_LO) ||
                       category == UTF8PROC_CATEGORY_ND;
      const int lower =
          Windows1252Byte(static_cast<char32_t>(utf8proc_tolower(static_cast<int>(codePoint))));
      t.m_fold[byte] = lower >= 0 ? static_cast<unsigned char>(lower) : byte;
    }
    t.m_fold[0x91] = t.m_fold[0x92] = '\'';
    t.m_fold[0x96] = t.m_fold[0x97] = '-';
    return t;
  }();
  return table;
}

bool EnglishMatchesAt(std::string_view text, std::size_t at, std::string_view english) {
  if (at + english.size() > text.size()) return false;
  const CByteTable& bytes = Bytes();
  for (std::size_t i = 0; i < english.size(); ++i) {
    if (bytes.m_fold[static_cast<unsigned char>(text[at + i])] !=
        static_cast<unsigned char>(english[i])) {
      return false;
    }
  }
  const std::size_t after = at + english.size();
  return !(at > 0 && bytes.m_word[static_cast<unsigned char>(text[at - 1])]) &&
         !(after < text.size() && bytes.m_word[static_cast<unsigned char>(text[after])]);
}

}  // namespace find

namespace {

using find::Bytes;
using find::EnglishMatchesAt;
using find::IsKeyLetter;
using find::IsKeyMarker;

unsigned char Byte(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]);
}

// ---------------------------------------------------------------------------------------------
// Sanskrit words of an entry.

// Reports the Sanskrit words of `query` whose keys match the word [start, end) of `line`, as
// ranges: first each member that matches, in order, then the whole word when it has more than
// one member. The keys are compared letter by letter as the word is read, so nothing is copied.
template <typename OnMatch>
void MatchSanskritWord(const CFindQuery& query, std::string_view line, std::size_t start,
                       std::size_t end, OnMatch&& onMatch) {
  const auto& words = query.Words();
  constexpr int kFailed = -1;
  // Letters of each query word's key matched so far by the whole word and by the member.
  int whole[kMaxFindWords];
  int member[kMaxFindWords];
  for (std::size_t w = 0; w < words.size(); ++w) {
    whole[w] = member[w] = words[w].m_sanskrit.empty() ? kFailed : 0;
  }
  auto step = [](int& matched, const std::string& key, char letter) {
    if (matched == kFailed) return;
    const auto at = static_cast<std::size_t>(matched);
    matched = at < key.size() && key[at] == letter ? matched + 1 : kFailed;
  };
  auto complete = [](int matched, const std::string& key) {
    return matched != kFailed && static_cast<std::size_t>(matched) == key.size();
  };
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t wholeBegin = kNone;
  std::size_t memberBegin = kNone;
  std::size_t lastLetter = 0;
  int members = 0;
  auto closeMember = [&] {
    for (std::size_t w = 0; w < words.size(); ++w) {
      if (complete(member[w], words[w].m_sanskrit)) {
        onMatch(CMatchRange{static_cast<int>(memberBegin), static_cast<int>(lastLetter + 1),
                            static_cast<int>(w)});
      }
      member[w] = words[w].m_sanskrit.empty() ? kFailed : 0;
    }
    ++members;
    memberBegin = kNone;
  };
  for (std::size_t at = start; at < end; ++at) {
    const auto c = Byte(line, at);
    if (IsKeyLetter(c)) {
      if (wholeBegin == kNone) wholeBegin = at;
      if (memberBegin == kNone) memberBegin = at;
      lastLetter = at;
      for (std::size_t w = 0; w < words.size(); ++w) {
        step(whole[w], words[w].m_sanskrit, line[at]);
        step(member[w], words[w].m_sanskrit, line[at]);
      }
    } else if (!IsKeyMarker(c) && memberBegin != kNone) {
      closeMember();
    }
  }
  if (memberBegin != kNone) closeMember();
  if (members < 2) return;
  for (std::size_t w = 0; w < words.size(); ++w) {
    if (complete(whole[w], words[w].m_sanskrit)) {
      onMatch(CMatchRange{static_cast<int>(wholeBegin), static_cast<int>(lastLetter + 1),
                          static_cast<int>(w)});
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Reading the query.

bool IsSeparator(char32_t codePoint) {
  return codePoint == '\t' || codePoint == '\r' || codePoint == '\n' ||
         utf8proc_category(static_cast<utf8proc_int32_t>(codePoint)) == UTF8PROC_CATEGORY_ZS;
}

bool IsPunctuationOrSymbol(char32_t codePoint) {
  const auto category = utf8proc_category(static_cast<utf8proc_int32_t>(codePoint));
  return (category >= UTF8PROC_CATEGORY_PC && category <= UTF8PROC_CATEGORY_PO) ||
         (category >= UTF8PROC_CATEGORY_SM && category <= UTF8PROC_CATEGORY_SO);
}

// `word` without the punctuation and symbols at either end.
std::string_view Trim(std::string_view word) {
  std::size_t begin = 0;
  std::size_t end = word.size();
  while (begin < end) {
    std::size_t next = begin;
    if (!IsPunctuationOrSymbol(ReadUtf8(word, next))) break;
    begin = next;
  }
  while (end > begin) {
    std::size_t last = end - 1;
    while (last > begin && (Byte(word, last) & 0xC0) == 0x80) --last;
    std::size_t at = last;
    if (!IsPunctuationOrSymbol(ReadUtf8(word, at))) break;
    end = last;
  }
  return word.substr(begin, end - begin);
}

// The folded Windows-1252 spelling of `word`, or "" when it has none or no letter or digit.
std::string EnglishForm(std::string_view word) {
  utf8proc_uint8_t* composed = nullptr;
  const auto length =
      utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(word.data()),
                   static_cast<utf8proc_ssize_t>(word.size()), &composed,
                   static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
  if (length < 0) return {};
  const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(composed, &std::free);
  const std::string_view text(reinterpret_cast<const char*>(composed),
                              static_cast<std::size_t>(length));
  std::string english;
  bool hasWordByte = false;
  for (std::size_t at = 0; at < text.size();) {
    const int byte = Windows1252Byte(ReadUtf8(text, at));
    if (byte < 0) return {};
    const auto raw = static_cast<unsigned char>(byte);
    hasWordByte = hasWordByte || Bytes().m_word[raw];
    english.push_back(static_cast<char>(Bytes().m_fold[raw]));
  }
  return hasWordByte ? english : std::string();
}

}  // namespace

CFindQuery CFindQuery::Parse(std::string_view text, bool itrans) {
  CFindQuery query;
  if (text.size() > kMaxFindQueryBytes) {
    query.m_problem = FindProblem::kTooLong;
    return query;
  }
  std::vector<std::string_view> words;
  std::size_t wordStart = 0;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t start = at;
    const char32_t codePoint = at < text.size() ? ReadUtf8(text, at) : U' ';
    if (codePoint == kNoCodePoint) {
      query.m_problem = FindProblem::kInvalidUtf8;
      query.m_at = start;
      return query;
    }
    if (start == text.size() || IsSeparator(codePoint)) {
      const std::string_view word = Trim(text.substr(wordStart, start - wordStart));
      if (!word.empty()) words.push_back(word);
      wordStart = at = start == text.size() ? start + 1 : at;
    } else if (utf8proc_category(static_cast<utf8proc_int32_t>(codePoint)) ==
               UTF8PROC_CATEGORY_CC) {
      query.m_problem = FindProblem::kControlCharacter;
      query.m_at = start;
      return query;
    }
  }
  if (words.empty()) return query;  // kNoWords
  if (words.size() > static_cast<std::size_t>(kMaxFindWords)) {
    query.m_problem = FindProblem::kTooManyWords;
    return query;
  }
  for (std::string_view word : words) {
    CFindWord found{std::string(word), EnglishForm(word), {}};
    const CSearchKey key = MakeSearchKey(word, itrans);
    if (key.Ok() && !key.Empty()) found.m_sanskrit = key.m_key;
    if (found.m_english.empty() && found.m_sanskrit.empty()) {
      query.m_problem = FindProblem::kUnusableWord;
      query.m_faultyWord = found.m_text;
      query.m_words.clear();
      return query;
    }
    query.m_words.push_back(std::move(found));
  }
  query.m_problem = FindProblem::kNone;
  return query;
}

std::string CFindQuery::Message() const {
  switch (m_problem) {
    case FindProblem::kNone:
      return {};
    case FindProblem::kNoWords:
      return "Enter a word to find";
    case FindProblem::kTooLong:
      return "The text is too long: at most " + std::to_string(kMaxFindQueryBytes) + " bytes";
    case FindProblem::kTooManyWords:
      return "Too many words: at most " + std::to_string(kMaxFindWords) + " at once";
    case FindProblem::kInvalidUtf8:
      return "The text is not UTF-8 (byte " + std::to_string(m_at + 1) + ")";
    case FindProblem::kControlCharacter:
      return "The text holds a control character (byte " + std::to_string(m_at + 1) + ")";
    case FindProblem::kUnusableWord:
      return "\"" + m_faultyWord + "\" is neither English nor Sanskrit";
  }
  return {};
}

std::vector<CMatchRange> FindMatches(const CFindQuery& query, std::string_view entry) {
  std::vector<CMatchRange> ranges;
  const std::string_view line = entry.substr(0, static_cast<std::size_t>(kLineLimit - 1));
  const auto& words = query.Words();
  for (std::size_t start = 0; start < line.size();) {
    std::size_t end = line.find(' ', start);
    if (end == std::string_view::npos) end = line.size();
    if (IsSanskritWord(line.substr(start, end - start))) {
      MatchSanskritWord(query, line, start, end,
                        [&](const CMatchRange& range) { ranges.push_back(range); });
    } else {
      for (std::size_t at = start; at < end; ++at) {
        for (std::size_t w = 0; w < words.size(); ++w) {
          const std::string& english = words[w].m_english;
          if (!english.empty() && EnglishMatchesAt(line, at, english)) {
            ranges.push_back(
                {static_cast<int>(at), static_cast<int>(at + english.size()), static_cast<int>(w)});
          }
        }
      }
    }
    start = end + 1;
  }
  std::stable_sort(ranges.begin(), ranges.end(), [](const CMatchRange& a, const CMatchRange& b) {
    return a.m_begin != b.m_begin ? a.m_begin < b.m_begin : a.m_word < b.m_word;
  });
  return ranges;
}

}  // namespace kv
