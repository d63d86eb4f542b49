#include "dictionary/list_strings.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "dictionary/letter_tables.h"

namespace kv {
namespace {

constexpr char kClosingByte = '\xA0';
constexpr std::string_view kISign = "\x65";
constexpr std::string_view kReph = "\xFC";
constexpr std::string_view kVirama = "\xCE";
constexpr std::string_view kRu = "\x2C";
constexpr std::string_view kRuu = "\x2D";
constexpr std::string_view kSubscriptRAfterStem = "\x3A\xD2";
constexpr std::string_view kSubscriptR = "\xD3";
constexpr std::string_view kVisargaSign = "\x48";

// Bytes that every list string reserves for its closing 0xA0 and terminator.
constexpr int kClosingBytes = 2;

constexpr unsigned char kVowelBit = 0x10;
constexpr unsigned char kLastBit = 0x40;

// Writes one list string into a fixed buffer. Each glyph or letter goes in whole or not at
// all, and after the first one that does not fit nothing more is written: a long string is
// cut at a whole glyph and still keeps room for its closing 0xA0 and terminator.
class CStringWriter {
 public:
  CStringWriter(char* dest, int destSize)
      : m_dest(dest), m_destSize(dest == nullptr ? 0 : destSize) {}

  void Put(std::string_view glyph) {
    if (m_cut || glyph.empty()) return;
    if (m_length + static_cast<int>(glyph.size()) > m_destSize - kClosingBytes) {
      m_cut = true;
      // An i-sign stands before the cluster it belongs to; without that cluster it would
      // attach to nothing.
      if (m_endsWithISign) --m_length;
      return;
    }
    std::memcpy(m_dest + m_length, glyph.data(), glyph.size());
    m_length += static_cast<int>(glyph.size());
    m_endsWithISign = false;
  }

  void PutISign() {
    Put(kISign);
    if (!m_cut) m_endsWithISign = true;
  }

  bool IsCut() const { return m_cut; }

  void Finish() {
    if (m_destSize >= kClosingBytes) {
      m_dest[m_length] = kClosingByte;
      m_dest[m_length + 1] = '\0';
    } else if (m_destSize == 1) {
      m_dest[0] = '\0';
    }
  }

 private:
  char* m_dest;
  int m_destSize;
  int m_length = 0;
  bool m_cut = false;
  bool m_endsWithISign = false;
};

const CVowelEntry* VowelOf(unsigned char number) {
  if (number < kFirstVowelNumber || number >= kFirstVowelNumber + kVowelTable.size()) {
    return nullptr;
  }
  return &kVowelTable[number - kFirstVowelNumber];
}

const CConsonantEntry* ConsonantOf(unsigned char number) {
  return number < kConsonantTable.size() ? &kConsonantTable[number] : nullptr;
}

std::string_view IndependentForm(unsigned char number) {
  const CVowelEntry* vowel = VowelOf(number);
  return vowel == nullptr ? std::string_view() : vowel->m_independent;
}

std::string_view VowelSign(unsigned char number) {
  const CVowelEntry* vowel = VowelOf(number);
  return vowel == nullptr ? std::string_view() : vowel->m_sign;
}

std::string_view HalfForm(unsigned char number) {
  const CConsonantEntry* consonant = ConsonantOf(number);
  return consonant == nullptr ? std::string_view() : consonant->m_half;
}

std::string_view FullForm(unsigned char number) {
  const CConsonantEntry* consonant = ConsonantOf(number);
  return consonant == nullptr ? std::string_view() : consonant->m_full;
}

// Read access to a segment list. Positions from the end marker on read as the end marker, so
// a list without one is read as if it ended after kMaxSegments segments.
class CSegments {
 public:
  CSegments(const unsigned char* types, const unsigned char* numbers)
      : m_types(types), m_numbers(numbers) {
    while (m_count < kMaxSegments && m_types[m_count] != kEndMarker) ++m_count;
  }

  int Count() const { return m_count; }
  bool IsVowel(int pos) const { return pos >= m_count || (m_types[pos] & kVowelBit) != 0; }
  bool IsLast(int pos) const { return pos >= m_count || (m_types[pos] & kLastBit) != 0; }
  unsigned char Number(int pos) const { return pos >= m_count ? kEndMarker : m_numbers[pos]; }

  // Whether the i-sign belonging to a later vowel i is written before position `pos`: `pos`
  // opens a cluster (it is the first segment or follows a vowel) and the first vowel after
  // the cluster is an i.
  bool OpensClusterBeforeI(int pos) const {
    if (pos > 0 && !IsVowel(pos - 1)) return false;
    int next = pos;
    while (!IsVowel(next)) ++next;
    return next > pos && next < m_count && m_numbers[next] == kVowelNumberI;
  }

 private:
  const unsigned char* m_types;
  const unsigned char* m_numbers;
  int m_count = 0;
};

// A vowel that does not begin the word: its sign after a consonant; after another vowel, the
// visarga's sign or the vowel's own independent form. The sign of i was written before its
// cluster already.
void WriteVowel(const CSegments& segments, int pos, CStringWriter& out) {
  const unsigned char number = segments.Number(pos);
  if (segments.IsVowel(pos - 1)) {
    out.Put(number == kVowelNumberVisarga ? kVisargaSign : IndependentForm(number));
  } else if (number != kVowelNumberI) {
    out.Put(VowelSign(number));
  }
}

}  // namespace

void Transliterate(const char* text, char* dest, int destSize) {
  CStringWriter out(dest, destSize);
  const auto* in = reinterpret_cast<const unsigned char*>(text == nullptr ? "" : text);
  std::size_t pos = 0;
  while (in[pos] != 0 && !out.IsCut()) {
    const int letter = LongestMatch(kLetters, in + pos);
    if (letter >= 0) {
      const CLetter& entry = kLetters[static_cast<std::size_t>(letter)];
      out.Put(entry.m_iits);
      pos += entry.m_letters.size();
      continue;
    }
    if (!IsDroppedMarkerByte(in[pos])) out.Put(std::string_view(text + pos, 1));
    ++pos;
  }
  out.Finish();
}

void SegmentLine(const char* line, unsigned char* types, unsigned char* numbers) {
  const auto* in = reinterpret_cast<const unsigned char*>(line == nullptr ? "" : line);
  int count = 0;
  std::size_t pos = 0;
  while (in[pos] != 0 && count < kMaxSegments) {
    // Vowels are read on adjacent bytes only, so a marker keeps two vowels apart.
    const int vowel = LongestMatch(kVowelTable, in + pos);
    if (vowel >= 0) {
      const std::size_t length = kVowelTable[static_cast<std::size_t>(vowel)].m_letters.size();
      const unsigned char type = count == 0 ? kTypeFirstVowel : kTypeVowel;
      types[count] = static_cast<unsigned char>(type + length);
      numbers[count] = static_cast<unsigned char>(kFirstVowelNumber + vowel);
      ++count;
      pos += length;
      continue;
    }
    const CConsonantMatch consonant = MatchConsonant(in + pos);
    if (consonant.m_entry >= 0) {
      const std::size_t length =
          kConsonantTable[static_cast<std::size_t>(consonant.m_entry)].m_letters.size();
      const unsigned char type = count == 0 ? kTypeFirstConsonant : 0;
      types[count] = static_cast<unsigned char>(type + length);
      numbers[count] = static_cast<unsigned char>(consonant.m_entry);
      ++count;
      pos += consonant.m_span;
      continue;
    }
    // Leading bytes that begin no letter are skipped too, so the first letter is segment 0.
    ++pos;
  }
  if (count > 1) types[count - 1] = static_cast<unsigned char>(types[count - 1] | kTypeLast);
  types[count] = kEndMarker;
  numbers[count] = kEndMarker;
}

void ComposeDevanagari(const unsigned char* types, const unsigned char* numbers, char* dest,
                       int destSize) {
  CStringWriter out(dest, destSize);
  if (types == nullptr || numbers == nullptr) {
    out.Finish();
    return;
  }
  const CSegments segments(types, numbers);
  if (segments.Count() == 0) {
    out.Finish();
    return;
  }

  // The first segment.
  int pos = 1;
  const unsigned char first = segments.Number(0);
  if (segments.OpensClusterBeforeI(0)) out.PutISign();
  if (segments.IsVowel(0)) {
    out.Put(IndependentForm(first));
  } else if (segments.IsVowel(1)) {
    if (first == kConsonantR && segments.Number(1) == kVowelNumberU) {
      out.Put(kRu);
      pos = 2;
    } else if (first == kConsonantR && segments.Number(1) == kVowelNumberLongU) {
      out.Put(kRuu);
      pos = 2;
    } else {
      out.Put(FullForm(first));
    }
  } else {
    out.Put(HalfForm(first));
  }

  // The segments between the first and the last.
  bool reph = false;
  while (!segments.IsLast(pos)) {
    if (segments.IsVowel(pos)) {
      WriteVowel(segments, pos, out);
      ++pos;
      continue;
    }
    if (segments.OpensClusterBeforeI(pos)) out.PutISign();
    const unsigned char number = segments.Number(pos);
    const unsigned char before = segments.Number(pos - 1);
    // An r after the anusvara opens a new cluster, as it does after a vowel.
    const bool afterVowel =
        segments.IsVowel(pos - 1) || (number == kConsonantR && before == kConsonantAnusvara);
    const bool beforeVowel = segments.IsVowel(pos + 1);
    if (afterVowel && beforeVowel) {
      if (number == kConsonantR && segments.Number(pos + 1) == kVowelNumberU) {
        out.Put(kRu);
        ++pos;
      } else if (number == kConsonantR && segments.Number(pos + 1) == kVowelNumberLongU) {
        out.Put(kRuu);
        ++pos;
      } else {
        out.Put(FullForm(number));
      }
    } else if (!beforeVowel) {
      if (number == kConsonantR) {
        reph = true;
      } else {
        out.Put(HalfForm(number));
        if (reph) out.Put(kReph);
        reph = false;
      }
    } else if (number == kConsonantR) {
      out.Put(TakesStemSubscriptR(before) ? kSubscriptRAfterStem : kSubscriptR);
    } else {
      out.Put(FullForm(number));
      if (reph) out.Put(kReph);
      reph = false;
    }
    ++pos;
  }

  // The last segment, unless a stepped-over vowel or the first segment was the last.
  if (pos < segments.Count()) {
    if (segments.IsVowel(pos)) {
      WriteVowel(segments, pos, out);
    } else if (segments.Number(pos) == kConsonantAnusvara) {
      out.Put(FullForm(kConsonantAnusvara));
    } else {
      out.Put(FullForm(segments.Number(pos)));
      out.Put(kVirama);
    }
  }
  if (reph) out.Put(kReph);
  out.Finish();
}

void MakeListStrings(const char* indexLine, char* translit, char* devanagari, int destSize) {
  unsigned char types[kSegmentBytes];
  unsigned char numbers[kSegmentBytes];
  SegmentLine(indexLine, types, numbers);
  ComposeDevanagari(types, numbers, devanagari, destSize);
  Transliterate(indexLine, translit, destSize);
}

bool IsSanskritWord(std::string_view word) {
  if (!word.empty() && word.front() == ' ') word.remove_prefix(1);
  return word.substr(0, 3).find('%') != std::string_view::npos;
}

std::string_view TransliterateWord(std::string_view word, char* converted) {
  // The conversion reads a terminated string, so the word is copied first.
  char work[kWordBytes];
  const std::size_t length = std::min(word.size(), static_cast<std::size_t>(kMaxWordLength));
  std::memcpy(work, word.data(), length);
  work[length] = '\0';
  Transliterate(work, converted, kWordBytes);
  return std::string_view(converted, std::strlen(converted));
}

}  // namespace kv
