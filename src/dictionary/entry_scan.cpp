#include "dictionary/entry_scan.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "dictionary/byte_blocks.h"
#include "dictionary/find_text.h"

namespace kv {
namespace {

using find::EndsWord;
using find::IsKeyLetter;
using find::IsKeyMarker;

constexpr std::size_t kNone = std::string_view::npos;

using blocks::AnySet;
using blocks::Bits;
using blocks::CBlock;
using blocks::CMask;
using blocks::kLanes;
using blocks::Load;
using blocks::Splat;

CMask EndsWord(CBlock bytes) { return (bytes == Splat(' ')) | blocks::IsLineEnd(bytes); }

CMask IsLetter(CBlock bytes) {
  const CBlock lower = bytes | Splat(0x20);
  return (lower - Splat('a') < Splat(26)) | (bytes == Splat('\''));
}

// Where the word and the line around a place begin, for places met in increasing order: each
// byte of the block is looked at once however many places are asked about.
class CPlaces {
 public:
  explicit CPlaces(std::string_view block) : m_block(block) {}

  std::size_t WordStart(std::size_t at) {
    if (at > m_wordChecked) {
      for (std::size_t p = at; p > m_wordChecked; --p) {
        if (EndsWord(m_block[p - 1])) {
          m_wordStart = p;
          break;
        }
      }
      m_wordChecked = at;
    }
    return m_wordStart;
  }

  std::size_t LineStart(std::size_t at) {
    if (at > m_lineChecked) {
      const char* from = m_block.data() + m_lineChecked;
      const std::size_t span = at - m_lineChecked;
      std::size_t afterLast = 0;  // one past the last line-end byte found, 0 for none
      for (const char end : {'\n', '\r'}) {
        if (const void* found = memrchr(from, end, span)) {
          const auto index =
              static_cast<std::size_t>(static_cast<const char*>(found) - m_block.data());
          afterLast = std::max(afterLast, index + 1);
        }
      }
      if (afterLast != 0) m_lineStart = afterLast;
      m_lineChecked = at;
    }
    return m_lineStart;
  }

  // Known without looking: a new line, and a new word, begin after the line end at `end`.
  void NewLineAfter(std::size_t end) {
    std::size_t start = end;
    while (start < m_block.size() && find::IsLineEnd(m_block[start])) ++start;
    m_lineStart = m_lineChecked = m_wordStart = m_wordChecked = start;
  }

 private:
  std::string_view m_block;
  std::size_t m_wordStart = 0;
  std::size_t m_wordChecked = 0;
  std::size_t m_lineStart = 0;
  std::size_t m_lineChecked = 0;
};

// Where a Sanskrit key matches a member of a compound whose last letter is at `last`: the
// member's first letter, or kNone. Only markers may stand between the key's letters, and no
// letter of the member before or after them.
std::size_t MemberMatch(std::string_view block, std::size_t last, std::string_view key) {
  std::size_t at = last;
  for (std::size_t i = key.size() - 1; i-- > 0;) {
    do {
      if (at == 0) return kNone;
      --at;
    } while (IsKeyMarker(static_cast<unsigned char>(block[at])));
    if (block[at] != key[i]) return kNone;
  }
  std::size_t before = at;
  while (before > 0 && IsKeyMarker(static_cast<unsigned char>(block[before - 1]))) --before;
  if (before > 0 && IsKeyLetter(static_cast<unsigned char>(block[before - 1]))) return kNone;
  std::size_t after = last + 1;
  while (after < block.size() && IsKeyMarker(static_cast<unsigned char>(block[after]))) ++after;
  if (after < block.size() && IsKeyLetter(static_cast<unsigned char>(block[after]))) return kNone;
  return at;
}

// Where a Sanskrit key matches a whole word of more than one member whose last letter is at
// `last`: the word's first letter, or kNone. The key's letters are all the word's letters.
std::size_t WholeWordMatch(std::string_view block, std::size_t last, std::string_view key) {
  std::size_t at = last;
  bool split = false;  // the letters lie in more than one member
  for (std::size_t i = key.size() - 1; i-- > 0;) {
    do {
      if (at == 0 || EndsWord(block[at - 1])) return kNone;
      --at;
      const auto c = static_cast<unsigned char>(block[at]);
      if (!IsKeyLetter(c) && !IsKeyMarker(c)) split = true;
    } while (!IsKeyLetter(static_cast<unsigned char>(block[at])));
    if (block[at] != key[i]) return kNone;
  }
  if (!split) return kNone;
  for (std::size_t p = at; p > 0 && !EndsWord(block[p - 1]); --p) {
    if (IsKeyLetter(static_cast<unsigned char>(block[p - 1]))) return kNone;
  }
  for (std::size_t p = last + 1; p < block.size() && !EndsWord(block[p]); ++p) {
    if (IsKeyLetter(static_cast<unsigned char>(block[p]))) return kNone;
  }
  return at;
}

// The test for the raw bytes that fold to one folded byte. Mostly that is a letter in its two
// cases, which differ in bit 0x20 alone, so that one OR and one compare find both (and perhaps a
// byte more, which the close reading turns down); the rest (š œ ž ÿ, whose capitals lie
// elsewhere, the apostrophes and the dashes) are compared one by one.
struct CFoldedByte {
  bool m_simple = true;
  CBlock m_or;
  CBlock m_value;
  CBlock m_raw[3];  // the raw bytes, the first repeated to fill

  explicit CFoldedByte(unsigned char folded) {
    unsigned char raw[3] = {folded, folded, folded};
    int count = 0;
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      if (find::Bytes().m_fold[byte] != folded) continue;
      if (count < 3) raw[count] = byte;
      ++count;
      const bool otherCase = (folded & 0x20) != 0 && byte == (folded & ~0x20);
      if (byte != folded && !otherCase) m_simple = false;
    }
    m_or = Splat((folded & 0x20) != 0 ? 0x20 : 0);
    m_value = Splat(folded);
    for (int i = 0; i < 3; ++i) m_raw[i] = Splat(raw[i < count ? i : 0]);
  }

  template <bool kSimple>
  CMask Matches(CBlock bytes) const {
    if constexpr (kSimple) {
      return (bytes | m_or) == m_value;
    } else {
      return (bytes == m_raw[0]) | (bytes == m_raw[1]) | (bytes == m_raw[2]);
    }
  }
};

}  // namespace

// One reading of one query word, run over a whole block: the bytes its matches must have, for
// the sixteen-at-a-time test, and the close reading of the places that pass it.
struct CEntryScanner::CPass {
  int m_word = 0;
  bool m_sanskrit = false;
  std::string m_text;  // the English form or the Sanskrit key
  // English: the tests for the word's first, second and last byte (the second is the first again
  // in a word of one byte, and the last in one of two).
  CFoldedByte m_first;
  CFoldedByte m_second;
  CFoldedByte m_last;
  // Sanskrit: the key's last letter and the one before it.
  CBlock m_lastLetter;
  CBlock m_letterBefore;
  std::vector<CLineHit> m_hits;

  CPass(int word, bool sanskrit, const std::string& text)
      : m_word(word),
        m_sanskrit(sanskrit),
        m_text(text),
        m_first(static_cast<unsigned char>(text.front())),
        m_second(static_cast<unsigned char>(text[text.size() > 1 ? 1 : 0])),
        m_last(static_cast<unsigned char>(text.back())),
        m_lastLetter(Splat(static_cast<unsigned char>(text.back()))),
        m_letterBefore(
            Splat(static_cast<unsigned char>(text[text.size() > 1 ? text.size() - 2 : 0]))) {}

  // Per byte of the sixteen places from `at`: -1 when a match may begin (English) or end
  // (Sanskrit) there.
  template <bool kSanskrit, bool kSimple>
  CMask Candidates(const char* at) const {
    if constexpr (!kSanskrit) {
      return m_first.Matches<kSimple>(Load(at)) &
             m_second.Matches<kSimple>(Load(at + (m_text.size() > 1 ? 1 : 0))) &
             m_last.Matches<kSimple>(Load(at + m_text.size() - 1));
    } else {
      const std::size_t length = m_text.size();
      const CBlock before = Load(at - 1);
      CMask mask = (Load(at) == m_lastLetter) & ~IsLetter(Load(at + 1));
      mask &= length == 1 ? ~IsLetter(before) : (before == m_letterBefore) | ~IsLetter(before);
      // A match that would begin right where its word begins has its letters in the word's
      // first bytes, where a Sanskrit word has its "%": only a "%" after a key of one or two
      // letters leaves it Sanskrit.
      CMask wordStartsThere = EndsWord(Load(at - length));
      if (length <= 2) wordStartsThere &= Load(at + 1) != Splat('%');
      if (length == 1) wordStartsThere &= Load(at + 2) != Splat('%');
      return mask & ~wordStartsThere;
    }
  }

  // Where a match begins when one is at place `at`, or kNone.
  template <bool kSanskrit>
  std::size_t MatchAt(std::string_view block, std::size_t at, CPlaces& places) const {
    if constexpr (!kSanskrit) {
      if (!find::EnglishMatchesAt(block, at, m_text)) return kNone;
      return find::IsSanskritWordAt(block, places.WordStart(at)) ? kNone : at;
    } else {
      // Most places that pass the test are in English words: they go first.
      if (block[at] != m_text.back() || !find::IsSanskritWordAt(block, places.WordStart(at))) {
        return kNone;
      }
      const std::size_t begin = MemberMatch(block, at, m_text);
      return begin != kNone ? begin : WholeWordMatch(block, at, m_text);
    }
  }

  template <bool kSanskrit, bool kSimple>
  void Run(std::string_view block) {
    m_hits.clear();
    CPlaces places(block);
    // Places are tested a group at a time, and the test of place p reads up to p + `reach`
    // (and p - 1 for Sanskrit).
    constexpr std::size_t kGroups = 4;
    constexpr std::size_t kGroupPlaces = kGroups * kLanes;
    const std::size_t reach = kSanskrit ? kGroupPlaces + 2 : kGroupPlaces + m_text.size() - 1;
    const std::size_t firstTested = kSanskrit ? m_text.size() : 0;
    // Records a match at `place` and returns where to go on (the end of its line), or kNone.
    auto tryPlace = [&](std::size_t place) {
      const std::size_t begin = MatchAt<kSanskrit>(block, place, places);
      if (begin == kNone) return kNone;
      const std::size_t lineStart = places.LineStart(place);
      m_hits.push_back({lineStart, 1u << m_word, static_cast<int>(begin - lineStart)});
      const std::size_t lineEnd = find::NextLineEnd(block, place);
      places.NewLineAfter(lineEnd);
      return lineEnd;
    };
    for (std::size_t at = 0; at < block.size();) {
      if (at < firstTested || at + reach > block.size()) {
        const std::size_t next = tryPlace(at);
        at = next == kNone ? at + 1 : next;
        continue;
      }
      CMask masks[kGroups];
      CMask any = {};
      for (std::size_t g = 0; g < kGroups; ++g) {
        masks[g] = Candidates<kSanskrit, kSimple>(block.data() + at + g * kLanes);
        any |= masks[g];
      }
      std::size_t next = kNone;
      if (AnySet(any)) {
        for (std::size_t g = 0; g < kGroups && next == kNone; ++g) {
          for (std::uint32_t bits = Bits(masks[g]); bits != 0 && next == kNone; bits &= bits - 1) {
            next = tryPlace(at + g * kLanes + static_cast<std::size_t>(std::countr_zero(bits)));
          }
        }
      }
      at = next == kNone ? at + kGroupPlaces : next;
    }
  }

  void Run(std::string_view block) {
    if (m_sanskrit) {
      Run<true, true>(block);
    } else if (m_first.m_simple && m_second.m_simple && m_last.m_simple) {
      Run<false, true>(block);
    } else {
      Run<false, false>(block);
    }
  }
};

CEntryScanner::CEntryScanner(const CFindQuery& query) {
  const auto& words = query.Words();
  for (std::size_t w = 0; w < words.size(); ++w) {
    for (const bool sanskrit : {false, true}) {
      const std::string& text = sanskrit ? words[w].m_sanskrit : words[w].m_english;
      if (text.empty()) continue;
      m_passes.emplace_back(static_cast<int>(w), sanskrit, text);
    }
  }
}

CEntryScanner::~CEntryScanner() = default;

void CEntryScanner::Scan(std::string_view block, std::vector<CLineHit>& hits) {
  for (CPass& pass : m_passes) pass.Run(block);
  // Each pass lists its lines in order; merged, a line matched by several passes is one hit.
  std::vector<std::size_t> next(m_passes.size(), 0);
  for (;;) {
    const CLineHit* earliest = nullptr;
    for (std::size_t p = 0; p < m_passes.size(); ++p) {
      if (next[p] < m_passes[p].m_hits.size()) {
        const CLineHit& hit = m_passes[p].m_hits[next[p]];
        if (earliest == nullptr || hit.m_start < earliest->m_start) earliest = &hit;
      }
    }
    if (earliest == nullptr) return;
    CLineHit merged{earliest->m_start, 0, earliest->m_first};
    for (std::size_t p = 0; p < m_passes.size(); ++p) {
      if (next[p] < m_passes[p].m_hits.size() &&
          m_passes[p].m_hits[next[p]].m_start == merged.m_start) {
        const CLineHit& hit = m_passes[p].m_hits[next[p]++];
        merged.m_words |= hit.m_words;
        merged.m_first = std::min(merged.m_first, hit.m_first);
      }
    }
    hits.push_back(merged);
  }
}

}  // namespace kv
