#include "dictionary/script_input.h"

#include <utf8proc.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "dictionary/decoders.h"
#include "dictionary/letter_tables.h"
#include "dictionary/loose_match.h"
#include "dictionary/transliteration.h"

namespace kv {
namespace {

// ---------------------------------------------------------------------------------------------
// Characters, as every scheme sees them before its own letters.

enum class CharKind : unsigned char {
  kLatinLetter,  // ASCII or any other Latin letter
  kMark,         // a combining diacritic (on a Latin letter: IAST)
  kDevanagari,   // any character of the Devanagari blocks that is no digit, danda or accent
  kPassOver,     // "`", accents, zero-width (non-)joiners and the like: nothing at all
  kSpace,
  kHyphen,
  kAvagraha,
  kDigit,
  kDanda,
  kControl,
  kOtherScript,
  kOther,  // punctuation and symbols
};

struct CRange {
  char32_t m_first;
  char32_t m_last;
};

bool InRanges(char32_t codePoint, std::initializer_list<CRange> ranges) {
  for (const CRange& range : ranges) {
    if (codePoint >= range.m_first && codePoint <= range.m_last) return true;
  }
  return false;
}

constexpr CharKind ClassifyAscii(unsigned char byte) {
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')) return CharKind::kLatinLetter;
  if (byte >= '0' && byte <= '9') return CharKind::kDigit;
  switch (byte) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
      return CharKind::kSpace;
    case '-':
      return CharKind::kHyphen;
    case '\'':
      return CharKind::kAvagraha;
    case '`':
      return CharKind::kPassOver;
    case '|':
      return CharKind::kDanda;
    default:
      return byte < 0x20 || byte == 0x7F ? CharKind::kControl : CharKind::kOther;
  }
}

bool IsMarkCategory(utf8proc_category_t category) {
  return category == UTF8PROC_CATEGORY_MN || category == UTF8PROC_CATEGORY_MC ||
         category == UTF8PROC_CATEGORY_ME;
}

CharKind ClassifyDevanagariBlocks(char32_t codePoint, utf8proc_category_t category) {
  if (codePoint == 0x0964 || codePoint == 0x0965) return CharKind::kDanda;
  if (codePoint >= 0x0966 && codePoint <= 0x096F) return CharKind::kDigit;
  // The Vedic accents, and the cantillation marks of the extension blocks.
  if (InRanges(codePoint, {{0x0951, 0x0954}, {0xA8E0, 0xA8F1}})) return CharKind::kPassOver;
  if (codePoint >= 0x1CD0 && codePoint <= 0x1CFF && IsMarkCategory(category)) {
    return CharKind::kPassOver;
  }
  return CharKind::kDevanagari;
}

CharKind Classify(char32_t codePoint) {
  if (codePoint < 0x80) return ClassifyAscii(static_cast<unsigned char>(codePoint));
  if (codePoint < 0xA0) return CharKind::kControl;
  const auto category = utf8proc_category(static_cast<utf8proc_int32_t>(codePoint));
  if (InRanges(codePoint, {{0x0900, 0x097F}, {0x1CD0, 0x1CFF}, {0xA8E0, 0xA8FF}})) {
    return ClassifyDevanagariBlocks(codePoint, category);
  }
  switch (codePoint) {
    case 0x00AD:  // soft hyphen
    case 0x200B:  // zero-width space
    case 0x200C:  // zero-width non-joiner
    case 0x200D:  // zero-width joiner
    case 0x2060:  // word joiner
    case 0xFEFF:  // byte-order mark
      return CharKind::kPassOver;
    case 0x2019:  // right single quotation mark
    case 0x02BC:  // modifier letter apostrophe
      return CharKind::kAvagraha;
    default:
      break;
  }
  if (codePoint >= 0x2010 && codePoint <= 0x2014) return CharKind::kHyphen;
  switch (category) {
    case UTF8PROC_CATEGORY_ZS:
    case UTF8PROC_CATEGORY_ZL:
    case UTF8PROC_CATEGORY_ZP:
      return CharKind::kSpace;
    case UTF8PROC_CATEGORY_ND:
      return CharKind::kDigit;
    case UTF8PROC_CATEGORY_CC:
    case UTF8PROC_CATEGORY_CF:
      return CharKind::kControl;
    default:
      break;
  }
  if (IsMarkCategory(category)) {
    return InRanges(codePoint, {{0x0300, 0x036F},
                                {0x1AB0, 0x1AFF},
                                {0x1DC0, 0x1DFF},
                                {0x20D0, 0x20FF},
                                {0xFE20, 0xFE2F}})
               ? CharKind::kMark
               : CharKind::kOtherScript;
  }
  if (category >= UTF8PROC_CATEGORY_LU && category <= UTF8PROC_CATEGORY_LO) {
    return InRanges(codePoint, {{0x00C0, 0x02AF},
                                {0x1D00, 0x1DBF},
                                {0x1E00, 0x1EFF},
                                {0x2C60, 0x2C7F},
                                {0xA720, 0xA7FF},
                                {0xAB30, 0xAB6F},
                                {0xFF21, 0xFF3A},
                                {0xFF41, 0xFF5A}})
               ? CharKind::kLatinLetter
               : CharKind::kOtherScript;
  }
  return CharKind::kOther;
}

// One character of the text: its code point and bytes; m_bytes is 0 where the text is not
// UTF-8.
struct CChar {
  char32_t m_codePoint = 0;
  std::size_t m_bytes = 0;
};

CChar CharAt(std::string_view text, std::size_t pos) {
  utf8proc_int32_t codePoint = 0;
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data() + pos);
  const utf8proc_ssize_t read =
      utf8proc_iterate(bytes, static_cast<utf8proc_ssize_t>(text.size() - pos), &codePoint);
  if (read <= 0) return {};
  return {static_cast<char32_t>(codePoint), static_cast<std::size_t>(read)};
}

// ---------------------------------------------------------------------------------------------
// Letter sets read from the letter table.

constexpr std::array<bool, 128> MakeIastAsciiLetters() {
  std::array<bool, 128> set{};
  for (const CLetter& letter : kLetters) {
    for (const char byte : letter.m_iast) {
      const auto code = static_cast<unsigned char>(byte);
      if (code < 0x80 && ClassifyAscii(code) == CharKind::kLatinLetter) set[code] = true;
    }
  }
  return set;
}

// The ASCII letters of IAST.
constexpr std::array<bool, 128> kIastAsciiLetters = MakeIastAsciiLetters();

unsigned char LowerAscii(unsigned char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool IsIastAsciiLetter(unsigned char byte) {
  const unsigned char lower = LowerAscii(byte);
  return lower < 0x80 && kIastAsciiLetters[lower];
}

// SLP1: each byte's letter number, -1 for none.
constexpr std::array<signed char, 128> MakeSlp1Letters() {
  std::array<signed char, 128> table{};
  table.fill(-1);
  for (std::size_t i = 0; i < kLetters.size(); ++i) {
    table[static_cast<unsigned char>(kLetters[i].m_slp1[0])] = static_cast<signed char>(i);
  }
  return table;
}

constexpr std::array<signed char, 128> kSlp1Letters = MakeSlp1Letters();

// Devanagari: what each code point of U+0900 to U+097F is.
enum class DevanagariKind : unsigned char {
  kNone,  // no Sanskrit letter
  kConsonant,
  kVowel,
  kSign,
  kMark,  // anusvara, visarga and the signs read as them
  kVirama,
  kAvagraha,
  kOm,
};

struct CDevanagariCode {
  DevanagariKind m_kind = DevanagariKind::kNone;
  signed char m_letter = -1;
};

constexpr char32_t kDevanagariBase = 0x0900;
constexpr char32_t kCandrabindu = 0x0901;
constexpr char32_t kOm = 0x0950;

constexpr std::array<CDevanagariCode, 128> MakeDevanagariCodes() {
  std::array<CDevanagariCode, 128> table{};
  const auto put = [&table](std::string_view utf8, DevanagariKind kind, std::size_t letter) {
    table[FirstCodePoint(utf8) - kDevanagariBase] = {kind, static_cast<signed char>(letter)};
  };
  for (std::size_t i = 0; i < kLetters.size(); ++i) {
    const int number = static_cast<int>(i);
    if (IsConsonantLetter(number)) {
      put(kLetters[i].m_devanagari, DevanagariKind::kConsonant, i);
    } else if (IsVowelLetter(number)) {
      put(kLetters[i].m_devanagari, DevanagariKind::kVowel, i);
      if (!kLetters[i].m_vowelSign.empty()) put(kLetters[i].m_vowelSign, DevanagariKind::kSign, i);
    } else {
      put(kLetters[i].m_devanagari, DevanagariKind::kMark, i);
    }
  }
  table[kCandrabindu - kDevanagariBase] = {DevanagariKind::kMark, kLetterAnusvara};
  put(kDevanagariVirama, DevanagariKind::kVirama, 0);
  put(kDevanagariAvagraha, DevanagariKind::kAvagraha, 0);
  table[kOm - kDevanagariBase] = {DevanagariKind::kOm, -1};
  return table;
}

constexpr std::array<CDevanagariCode, 128> kDevanagariCodes = MakeDevanagariCodes();

CDevanagariCode DevanagariCodeOf(char32_t codePoint) {
  if (codePoint >= kDevanagariBase && codePoint < kDevanagariBase + kDevanagariCodes.size()) {
    return kDevanagariCodes[codePoint - kDevanagariBase];
  }
  // The Vedic signs ardhavisarga (two forms), jihvamuliya and upadhmaniya are the visarga.
  if (codePoint == 0x1CF2 || codePoint == 0x1CF3 || codePoint == 0x1CF5 || codePoint == 0x1CF6) {
    return {DevanagariKind::kMark, kLetterVisarga};
  }
  return {};
}

// IAST: a letter is a base (ASCII, lower case) and a set of combining marks.
enum MarkBit : std::uint16_t {
  kGrave = 1 << 0,
  kAcute = 1 << 1,
  kCircumflex = 1 << 2,
  kTilde = 1 << 3,
  kMacron = 1 << 4,
  kBreve = 1 << 5,
  kDotAbove = 1 << 6,
  kDiaeresis = 1 << 7,
  kVerticalLine = 1 << 8,
  kCandrabinduMark = 1 << 9,
  kInvertedBreve = 1 << 10,
  kDotBelow = 1 << 11,
  kRingBelow = 1 << 12,
  kBreveBelow = 1 << 13,
  kMacronBelow = 1 << 14,
};

constexpr std::uint16_t kVowelAccents =
    kGrave | kAcute | kCircumflex | kBreve | kDiaeresis | kVerticalLine | kInvertedBreve;

struct CMarkCode {
  char32_t m_codePoint;
  std::uint16_t m_bit;
};

constexpr CMarkCode kMarkCodes[] = {
    {0x0300, kGrave},           {0x0301, kAcute},         {0x0302, kCircumflex},
    {0x0303, kTilde},           {0x0304, kMacron},        {0x0306, kBreve},
    {0x0307, kDotAbove},        {0x0308, kDiaeresis},     {0x030D, kVerticalLine},
    {0x0310, kCandrabinduMark}, {0x0311, kInvertedBreve}, {0x0323, kDotBelow},
    {0x0325, kRingBelow},       {0x032E, kBreveBelow},    {0x0331, kMacronBelow},
};

std::uint16_t MarkBitOf(char32_t codePoint) {
  for (const CMarkCode& mark : kMarkCodes) {
    if (mark.m_codePoint == codePoint) return mark.m_bit;
  }
  return 0;
}

// The canonical decomposition of a code point, at most kMaxDecomposition code points; empty
// when it has none that fits.
constexpr std::size_t kMaxDecomposition = 8;
struct CDecomposition {
  std::array<utf8proc_int32_t, kMaxDecomposition> m_codePoints{};
  std::size_t m_count = 0;
};

CDecomposition Decompose(char32_t codePoint) {
  CDecomposition result;
  int boundClass = UTF8PROC_BOUNDCLASS_START;
  const utf8proc_ssize_t count = utf8proc_decompose_char(
      static_cast<utf8proc_int32_t>(codePoint), result.m_codePoints.data(),
      static_cast<utf8proc_ssize_t>(kMaxDecomposition), UTF8PROC_DECOMPOSE, &boundClass);
  if (count > 0 && static_cast<std::size_t>(count) <= kMaxDecomposition) {
    result.m_count = static_cast<std::size_t>(count);
  }
  return result;
}

struct CIastForm {
  unsigned char m_base = 0;
  std::uint16_t m_marks = 0;
  int m_letter = -1;
};

// The IAST letters that are one base and its marks, read from the letter table once.
class CIastForms {
 public:
  CIastForms() {
    for (std::size_t i = 0; i < kLetters.size(); ++i) {
      const std::string_view iast = kLetters[i].m_iast;
      const CChar first = CharAt(iast, 0);
      if (first.m_bytes != iast.size()) continue;  // ai, au, kh, ṭh, ...: letter sequences
      const CDecomposition parts = Decompose(first.m_codePoint);
      CIastForm form;
      form.m_base = static_cast<unsigned char>(parts.m_codePoints[0]);
      for (std::size_t k = 1; k < parts.m_count; ++k) {
        form.m_marks |= MarkBitOf(static_cast<char32_t>(parts.m_codePoints[k]));
      }
      form.m_letter = static_cast<int>(i);
      m_forms[m_count++] = form;
    }
  }

  int Find(unsigned char base, std::uint16_t marks) const {
    for (std::size_t i = 0; i < m_count; ++i) {
      if (m_forms[i].m_base == base && m_forms[i].m_marks == marks) return m_forms[i].m_letter;
    }
    return -1;
  }

 private:
  std::array<CIastForm, kLetterCount> m_forms{};
  std::size_t m_count = 0;
};

const CIastForms& IastForms() {
  static const CIastForms forms;
  return forms;
}

// ---------------------------------------------------------------------------------------------
// Where the letters go: a caller's string (separators kept) or a search key (separators left
// out, bounded by the key buffer).

class CStringSink {
 public:
  explicit CStringSink(std::string& out) : m_out(out) {}
  bool Letters(std::string_view letters) {
    m_out += letters;
    return true;
  }
  void Separator(char separator) { m_out += separator; }

 private:
  std::string& m_out;
};

class CKeySink {
 public:
  explicit CKeySink(char* key) : m_key(key) { m_key[0] = '\0'; }
  bool Letters(std::string_view letters) {
    if (m_length + letters.size() > static_cast<std::size_t>(kKeyBytes - 1)) return false;
    std::memcpy(m_key + m_length, letters.data(), letters.size());
    m_length += letters.size();
    m_key[m_length] = '\0';
    return true;
  }
  void Separator(char /*separator*/) {}

 private:
  char* m_key;
  std::size_t m_length = 0;
};

constexpr std::string_view kAvagraha(&kAvagrahaLetter, 1);
constexpr std::string_view kLetterA = kLetters[LetterNumber("a")].m_letters;
constexpr std::string_view kLetterO = kLetters[LetterNumber("o")].m_letters;
constexpr std::string_view kLetterM = kLetters[kLetterAnusvara].m_letters;

template <typename Sink>
class CReader {
 public:
  CReader(std::string_view text, Sink& sink) : m_text(text), m_sink(sink) {}

  CReadResult Read(Scheme scheme) {
    switch (scheme) {
      case Scheme::kHk:
      case Scheme::kItrans:
      case Scheme::kSlp1:
        return ReadAscii(scheme);
      case Scheme::kIast:
        return ReadIast();
      case Scheme::kDevanagari:
        return ReadDevanagari();
    }
    return {};
  }

 private:
  static CReadResult Problem(TextProblem problem, std::size_t at) { return {problem, at}; }

  CReadResult Put(std::string_view letters, std::size_t at) {
    return m_sink.Letters(letters) ? CReadResult{} : Problem(TextProblem::kTooLong, at);
  }

  // What is not a letter, alike in every scheme.
  CReadResult Common(CharKind kind, std::size_t at) {
    switch (kind) {
      case CharKind::kSpace:
        m_sink.Separator(' ');
        return {};
      case CharKind::kHyphen:
        m_sink.Separator('-');
        return {};
      case CharKind::kAvagraha:
        return Put(kAvagraha, at);
      case CharKind::kPassOver:
        return {};
      case CharKind::kDigit:
        return Problem(TextProblem::kDigit, at);
      case CharKind::kDanda:
        return Problem(TextProblem::kDanda, at);
      case CharKind::kControl:
        return Problem(TextProblem::kControlCharacter, at);
      case CharKind::kOtherScript:
        return Problem(TextProblem::kOtherScript, at);
      case CharKind::kDevanagari:
        return Problem(TextProblem::kDevanagariInLatin, at);
      case CharKind::kLatinLetter:
      case CharKind::kMark:
      case CharKind::kOther:
        break;
    }
    return Problem(TextProblem::kNotALetter, at);
  }

  // A byte of internal letters (typed, or given by an ITRANS step) read at `at`.
  CReadResult PutHkByte(char byte, std::size_t at) {
    const auto code = static_cast<unsigned char>(byte);
    if (IsInternalLetterByte(code)) return Put(std::string_view(&byte, 1), at);
    return Common(ClassifyAscii(code), at);
  }

  CReadResult PutSlp1Byte(char byte, std::size_t at) {
    const auto code = static_cast<unsigned char>(byte);
    const int letter = kSlp1Letters[code];
    if (letter >= 0) return Put(kLetters[static_cast<std::size_t>(letter)].m_letters, at);
    if (byte == '~') return Put(kLetterM, at);
    if (byte == '/' || byte == '\\' || byte == '^') return {};  // accents
    return Common(ClassifyAscii(code), at);
  }

  // The ASCII schemes; other characters only as separators and the like.
  CReadResult ReadAscii(Scheme scheme) {
    std::size_t pos = 0;
    while (pos < m_text.size()) {
      const auto byte = static_cast<unsigned char>(m_text[pos]);
      if (byte < 0x80) {
        CReadResult result;
        std::size_t read = 1;
        if (scheme == Scheme::kItrans) {
          const CItransStep step = ItransStep(m_text.substr(pos));
          read = step.m_read;
          for (const char piece : step.m_internal) {
            result = PutHkByte(piece, pos);
            if (!result.Ok()) break;
          }
        } else if (scheme == Scheme::kSlp1) {
          result = PutSlp1Byte(static_cast<char>(byte), pos);
        } else {
          result = PutHkByte(static_cast<char>(byte), pos);
        }
        if (!result.Ok()) return result;
        pos += read;
        continue;
      }
      const CChar c = CharAt(m_text, pos);
      if (c.m_bytes == 0) return Problem(TextProblem::kInvalidUtf8, pos);
      const CReadResult result = Common(Classify(c.m_codePoint), pos);
      if (!result.Ok()) return result;
      pos += c.m_bytes;
    }
    return {};
  }

  // IAST: a base letter gathers the combining marks after it, and is read when the next
  // character begins something else.
  struct CCluster {
    bool m_open = false;
    unsigned char m_base = 0;
    std::uint16_t m_marks = 0;
    std::size_t m_at = 0;
  };

  CReadResult CloseCluster(CCluster& cluster) {
    if (!cluster.m_open) return {};
    cluster.m_open = false;
    const unsigned char base = cluster.m_base;
    std::uint16_t marks = cluster.m_marks;
    const bool liquid = base == 'r' || base == 'l';
    const bool vowel = std::strchr("aeiou", base) != nullptr ||
                       (liquid && (marks & (kDotBelow | kRingBelow)) != 0);
    bool anusvara = false;
    if (vowel) {
      anusvara = (marks & kCandrabinduMark) != 0;
      marks &= static_cast<std::uint16_t>(~(kVowelAccents | kCandrabinduMark));
      // ē and ō mark e and o long where a scheme also has short ones; Sanskrit has no short.
      if (base == 'e' || base == 'o') marks &= static_cast<std::uint16_t>(~kMacron);
    } else {
      marks &= static_cast<std::uint16_t>(~kGrave);
      if (base != 's') marks &= static_cast<std::uint16_t>(~kAcute);
    }
    const auto replace = [&marks](std::uint16_t from, std::uint16_t to) {
      if ((marks & from) == 0) return;
      marks = static_cast<std::uint16_t>((marks & ~from) | to);
    };
    if (liquid) replace(kRingBelow, kDotBelow);
    if (base == 'm') replace(kDotAbove | kCandrabinduMark, kDotBelow);
    if (base == 'h') replace(kMacronBelow | kBreveBelow, kDotBelow);
    const int letter = IastForms().Find(base, marks);
    if (letter < 0) return Problem(TextProblem::kNotALetter, cluster.m_at);
    CReadResult result = Put(kLetters[static_cast<std::size_t>(letter)].m_letters, cluster.m_at);
    if (result.Ok() && anusvara) {
      result = Put(kLetterM, cluster.m_at);
    }
    return result;
  }

  CReadResult ReadIast() {
    CCluster cluster;
    std::size_t pos = 0;
    while (pos < m_text.size()) {
      const CChar c = CharAt(m_text, pos);
      if (c.m_bytes == 0) return Problem(TextProblem::kInvalidUtf8, pos);
      const CharKind kind = Classify(c.m_codePoint);
      if (kind == CharKind::kMark) {
        const std::uint16_t bit = MarkBitOf(c.m_codePoint);
        if (!cluster.m_open || bit == 0) return Problem(TextProblem::kNotALetter, pos);
        cluster.m_marks |= bit;
      } else if (kind == CharKind::kPassOver) {
        // Nothing: an accent or joiner keeps the letter open for marks after it.
      } else {
        CReadResult result = CloseCluster(cluster);
        if (result.Ok() && kind == CharKind::kLatinLetter) {
          result = OpenCluster(c, pos, cluster);
        } else if (result.Ok()) {
          result = Common(kind, pos);
        }
        if (!result.Ok()) return result;
      }
      pos += c.m_bytes;
    }
    return CloseCluster(cluster);
  }

  CReadResult OpenCluster(const CChar& c, std::size_t pos, CCluster& cluster) {
    const CDecomposition parts = Decompose(c.m_codePoint);
    const auto base = parts.m_count > 0 ? parts.m_codePoints[0] : 0;
    if (base <= 0 || base >= 0x80 || !IsIastAsciiLetter(static_cast<unsigned char>(base))) {
      return Problem(TextProblem::kNotALetter, pos);
    }
    cluster = {true, LowerAscii(static_cast<unsigned char>(base)), 0, pos};
    for (std::size_t k = 1; k < parts.m_count; ++k) {
      const std::uint16_t bit = MarkBitOf(static_cast<char32_t>(parts.m_codePoints[k]));
      if (bit == 0) return Problem(TextProblem::kNotALetter, pos);
      cluster.m_marks |= bit;
    }
    return {};
  }

  CReadResult ReadDevanagari() {
    // A consonant was read and its vowel is not known yet: the inherent a unless a vowel sign
    // or the virama follows.
    bool open = false;
    std::size_t openAt = 0;  // where that consonant stands, to which the a belongs
    const auto close = [&] {
      if (!open) return CReadResult{};
      open = false;
      return Put(kLetterA, openAt);
    };
    std::size_t pos = 0;
    while (pos < m_text.size()) {
      const CChar c = CharAt(m_text, pos);
      if (c.m_bytes == 0) return Problem(TextProblem::kInvalidUtf8, pos);
      const CharKind kind = Classify(c.m_codePoint);
      CReadResult result;
      if (kind == CharKind::kDevanagari) {
        const CDevanagariCode code = DevanagariCodeOf(c.m_codePoint);
        const std::string_view letters =
            code.m_letter >= 0 ? kLetters[static_cast<std::size_t>(code.m_letter)].m_letters
                               : std::string_view();
        switch (code.m_kind) {
          case DevanagariKind::kConsonant:
            result = close();
            if (result.Ok()) result = Put(letters, pos);
            open = true;
            openAt = pos;
            break;
          case DevanagariKind::kSign:
          case DevanagariKind::kVirama:
            if (!open) return Problem(TextProblem::kNotALetter, pos);
            open = false;
            if (code.m_kind == DevanagariKind::kSign) result = Put(letters, pos);
            break;
          case DevanagariKind::kVowel:
          case DevanagariKind::kMark:
            result = close();
            if (result.Ok()) result = Put(letters, pos);
            break;
          case DevanagariKind::kAvagraha:
            result = close();
            if (result.Ok()) result = Put(kAvagraha, pos);
            break;
          case DevanagariKind::kOm:
            result = close();
            if (result.Ok()) result = Put(kLetterO, pos);
            if (result.Ok()) result = Put(kLetterM, pos);
            break;
          case DevanagariKind::kNone:
            return Problem(TextProblem::kNotALetter, pos);
        }
      } else if (kind == CharKind::kLatinLetter) {
        return Problem(TextProblem::kLatinInDevanagari, pos);
      } else if (kind != CharKind::kPassOver && kind != CharKind::kMark) {
        // A combining accent or a joiner stays inside the syllable; anything else ends it.
        result = close();
        if (result.Ok()) result = Common(kind, pos);
      }
      if (!result.Ok()) return result;
      pos += c.m_bytes;
    }
    return close();
  }

  std::string_view m_text;
  Sink& m_sink;
};

template <typename Sink>
CReadResult Read(std::string_view text, Scheme scheme, Sink& sink) {
  return CReader<Sink>(text, sink).Read(scheme);
}

struct CSchemeName {
  Scheme m_scheme;
  std::string_view m_name;
};

constexpr CSchemeName kSchemeNames[] = {
    {Scheme::kHk, "hk"},           {Scheme::kItrans, "itrans"}, {Scheme::kIast, "iast"},
    {Scheme::kDevanagari, "deva"}, {Scheme::kSlp1, "slp1"},
};

constexpr CSchemeName kSchemeTitles[] = {
    {Scheme::kHk, "Harvard-Kyoto"},      {Scheme::kItrans, "ITRANS"}, {Scheme::kIast, "IAST"},
    {Scheme::kDevanagari, "Devanagari"}, {Scheme::kSlp1, "SLP1"},
};

std::string_view FindName(const CSchemeName (&names)[5], Scheme scheme) {
  for (const CSchemeName& entry : names) {
    if (entry.m_scheme == scheme) return entry.m_name;
  }
  return {};
}

// "U+0007": a code point that a terminal or tooltip could not show as itself.
std::string CodePointName(char32_t codePoint) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
  return name;
}

}  // namespace

std::string_view SchemeName(Scheme scheme) { return FindName(kSchemeNames, scheme); }

std::string_view SchemeTitle(Scheme scheme) { return FindName(kSchemeTitles, scheme); }

bool ParseSchemeName(std::string_view name, Scheme& scheme) {
  for (const CSchemeName& entry : kSchemeNames) {
    if (entry.m_name == name) {
      scheme = entry.m_scheme;
      return true;
    }
  }
  return false;
}

std::string_view ProblemText(TextProblem problem) {
  switch (problem) {
    case TextProblem::kNone:
      return {};
    case TextProblem::kInvalidUtf8:
      return "not valid UTF-8";
    case TextProblem::kControlCharacter:
      return "control character";
    case TextProblem::kDigit:
      return "digits are not letters";
    case TextProblem::kDanda:
      return "a danda is not a letter";
    case TextProblem::kOtherScript:
      return "letters of another script";
    case TextProblem::kMixedScripts:
      return "Devanagari mixed with Latin letters";
    case TextProblem::kLatinInDevanagari:
      return "a Latin letter in Devanagari";
    case TextProblem::kDevanagariInLatin:
      return "a Devanagari letter among Latin letters";
    case TextProblem::kNotALetter:
      return "not a letter of the scheme";
    case TextProblem::kTooLong:
      return "too long for a search key";
  }
  return {};
}

CReadResult ReadText(std::string_view text, Scheme scheme, std::string& internal) {
  CStringSink sink(internal);
  return Read(text, scheme, sink);
}

CSchemeChoice DetectScheme(std::string_view text, bool itransTicked) {
  bool devanagari = false;
  bool latin = false;
  bool iastSign = false;
  bool afterLatin = false;
  bool asciiOutsideHk = false;
  bool asciiAllIast = true;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const CChar c = CharAt(text, pos);
    if (c.m_bytes == 0) return {Scheme::kHk, {TextProblem::kInvalidUtf8, pos}};
    const CharKind kind = Classify(c.m_codePoint);
    switch (kind) {
      case CharKind::kLatinLetter:
        latin = true;
        if (c.m_codePoint >= 0x80) {
          iastSign = true;
        } else {
          const auto byte = static_cast<unsigned char>(c.m_codePoint);
          asciiOutsideHk = asciiOutsideHk || !IsInternalLetterByte(byte);
          asciiAllIast = asciiAllIast && IsIastAsciiLetter(byte);
        }
        break;
      case CharKind::kMark:
        iastSign = iastSign || afterLatin;
        break;
      case CharKind::kDevanagari:
        devanagari = true;
        break;
      case CharKind::kDigit:
        return {Scheme::kHk, {TextProblem::kDigit, pos}};
      case CharKind::kDanda:
        return {Scheme::kHk, {TextProblem::kDanda, pos}};
      case CharKind::kControl:
        return {Scheme::kHk, {TextProblem::kControlCharacter, pos}};
      case CharKind::kOtherScript:
        return {Scheme::kHk, {TextProblem::kOtherScript, pos}};
      default:
        break;
    }
    if (devanagari && latin) return {Scheme::kHk, {TextProblem::kMixedScripts, pos}};
    // Marks and accents continue the letter before them.
    if (kind != CharKind::kMark && kind != CharKind::kPassOver) {
      afterLatin = kind == CharKind::kLatinLetter;
    }
    pos += c.m_bytes;
  }
  if (devanagari) return {Scheme::kDevanagari, {}};
  if (iastSign) return {Scheme::kIast, {}};
  if (itransTicked) return {Scheme::kItrans, {}};
  if (asciiOutsideHk && asciiAllIast) return {Scheme::kIast, {}};
  return {Scheme::kHk, {}};
}

CSearchKey MakeSearchKey(std::string_view text, bool itransTicked) {
  const CSchemeChoice choice = DetectScheme(text, itransTicked);
  if (choice.m_result.Ok()) return MakeSearchKeyAs(text, choice.m_scheme);
  CSearchKey key;
  key.m_scheme = choice.m_scheme;
  key.m_result = choice.m_result;
  return key;
}

CSearchKey MakeSearchKeyAs(std::string_view text, Scheme scheme) {
  CSearchKey key;
  key.m_scheme = scheme;
  CKeySink sink(key.m_key);
  key.m_result = Read(text, scheme, sink);
  if (!key.m_result.Ok()) {
    key.m_key[0] = '\0';
    return key;
  }
  const std::size_t folded = FoldKey(key.m_key, key.m_folded, kKeyBytes - 1);
  key.m_folded[folded] = '\0';
  return key;
}

std::string RefusalText(std::string_view text, const CSearchKey& key) {
  const CReadResult& result = key.m_result;
  std::string out(ProblemText(result.m_problem));
  if (result.m_problem == TextProblem::kInvalidUtf8) {
    return out + " at byte " + std::to_string(result.m_at + 1);
  }
  if (result.m_problem != TextProblem::kTooLong && result.m_at < text.size()) {
    std::size_t characters = 1;
    for (std::size_t pos = 0; pos < result.m_at; ++characters) {
      if (ReadUtf8(text, pos) == kNoCodePoint) ++pos;
    }
    std::size_t pos = result.m_at;
    const char32_t codePoint = ReadUtf8(text, pos);
    if (result.m_problem == TextProblem::kControlCharacter) {
      out += " " + CodePointName(codePoint);
    } else {
      out += ": \"" + std::string(text.substr(result.m_at, pos - result.m_at)) + "\"";
    }
    out += " at character " + std::to_string(characters);
  }
  if (result.m_problem == TextProblem::kNotALetter || result.m_problem == TextProblem::kTooLong) {
    out += " (read as " + std::string(SchemeTitle(key.m_scheme)) + ")";
  }
  return out;
}

std::string DescribeReading(std::string_view text, const CSearchKey& key) {
  if (!key.Ok()) return "Cannot read the text: " + RefusalText(text, key);
  if (key.Empty()) {
    return "Type a Sanskrit word in Harvard-Kyoto, IAST or Devanagari (ITRANS with the box "
           "ticked)";
  }
  std::string out = "Read as " + std::string(SchemeTitle(key.m_scheme)) + ": ";
  AppendIast(key.m_key, out);
  out += " ";
  AppendDevanagari(key.m_key, MarkerBytes::kJoin, out);
  out += "\nKey: " + std::string(key.m_key) + "; loose key: " + std::string(key.m_folded);
  return out;
}

}  // namespace kv
