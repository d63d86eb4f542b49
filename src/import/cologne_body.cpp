#include "import/cologne_body.h"

#include <utf8proc.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "dictionary/decoders.h"
#include "dictionary/letter_tables.h"
#include "dictionary/script_input.h"

namespace kv {

namespace {

constexpr std::string_view kBar = "\xC2\xA6";  // U+00A6, between the headword and its senses
constexpr std::string_view kEmDash = "\xE2\x80\x94";
constexpr std::string_view kPageMark = "[Page";
// A page mark is short; a "[Page" without its "]" this close is text.
constexpr std::size_t kMaxPageMarkBytes = 64;

constexpr char32_t kRootSign = 0x221A;
constexpr char32_t kDanda = 0x0964;
constexpr char32_t kDoubleDanda = 0x0965;
constexpr char32_t kDevanagariZero = 0x0966;
constexpr char32_t kDevanagariNine = 0x096F;
constexpr char32_t kRightQuote = 0x2019;
constexpr char32_t kZeroWidthNonJoiner = 0x200C;
constexpr char32_t kZeroWidthJoiner = 0x200D;
// Combining marks.
constexpr char32_t kFirstMark = 0x0300;
constexpr char32_t kGrave = 0x0300;
constexpr char32_t kAcute = 0x0301;
constexpr char32_t kCircumflex = 0x0302;
constexpr char32_t kTilde = 0x0303;
constexpr char32_t kMacron = 0x0304;
constexpr char32_t kDotAbove = 0x0307;
constexpr char32_t kRoughBreathing = 0x0314;
constexpr char32_t kDotBelow = 0x0323;
constexpr char32_t kRingBelow = 0x0325;

// The tags of the digitisation's bookkeeping: page and column breaks, notes for its editors.
constexpr std::string_view kBookkeepingTags[] = {"info", "pb",        "pcol",
                                                 "srs",  "shortlong", "lbinfo"};

bool IsAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }

bool IsGreek(char32_t c) { return (c >= 0x0370 && c <= 0x03FF) || (c >= 0x1F00 && c <= 0x1FFF); }

bool IsDevanagari(char32_t c) {
  return (c >= 0x0900 && c <= 0x097F && c != kDanda && c != kDoubleDanda &&
          !(c >= kDevanagariZero && c <= kDevanagariNine)) ||
         (c >= 0x1CD0 && c <= 0x1CFF) || (c >= 0xA8E0 && c <= 0xA8FF);
}

bool IsMark(char32_t c) {
  if (c < kFirstMark) return false;
  const utf8proc_category_t category = utf8proc_category(static_cast<utf8proc_int32_t>(c));
  return category == UTF8PROC_CATEGORY_MN || category == UTF8PROC_CATEGORY_MC ||
         category == UTF8PROC_CATEGORY_ME;
}

// A letter of a Latin-script word (Greek and Devanagari have words of their own).
bool IsLatinLetter(char32_t c) {
  if (c < 0x80) return IsAsciiLetter(c);
  if (IsGreek(c) || IsDevanagari(c)) return false;
  const utf8proc_category_t category = utf8proc_category(static_cast<utf8proc_int32_t>(c));
  return category >= UTF8PROC_CATEGORY_LU && category <= UTF8PROC_CATEGORY_LO;
}

// The letters that only IAST has (ā ī ū ṛ ṝ ḷ ḹ ṃ ṁ ḥ ṅ ñ ṭ ḍ ṇ ś ṣ, either case) mark a word
// as Sanskrit whatever markup surrounds it; plain ASCII words are English.
bool IsIastLetter(char32_t c) {
  constexpr char32_t kDotAboveM = 0x1E41;  // ṁ, another way of writing the anusvara
  if (c < 0x80) return false;
  const auto lower = static_cast<char32_t>(utf8proc_tolower(static_cast<utf8proc_int32_t>(c)));
  if (lower == kDotAboveM) return true;
  for (const CLetter& letter : kLetters) {
    if (FirstCodePoint(letter.m_iast) == lower) return true;
  }
  return false;
}

// The same letters written with combining marks: a macron, a dot below or above or a ring
// below on any letter, a tilde on n and an acute on s.
bool IsIastMark(char32_t mark, char32_t base) {
  if (mark == kMacron || mark == kDotBelow || mark == kDotAbove || mark == kRingBelow) return true;
  if (mark == kTilde) return base == 'n' || base == 'N';
  return mark == kAcute && (base == 's' || base == 'S');
}

// A vowel with the acute, grave or circumflex that marks the Vedic accent, precomposed or
// after its vowel (`base`).
bool IsAccentedVowel(char32_t c, char32_t base) {
  if (c < 0x80) return false;
  auto isVowel = [](char32_t v) {
    return v < 0x80 &&
           std::string_view("aeiouAEIOU").find(static_cast<char>(v)) != std::string_view::npos;
  };
  auto isAccent = [&](char32_t m) { return m == kAcute || m == kGrave || m == kCircumflex; };
  if (isAccent(c)) return isVowel(base);
  utf8proc_int32_t parts[4];
  utf8proc_int32_t boundary = 0;
  const utf8proc_ssize_t count =
      utf8proc_decompose_char(static_cast<utf8proc_int32_t>(c), parts, 4,
                              static_cast<utf8proc_option_t>(UTF8PROC_DECOMPOSE), &boundary);
  return count == 2 && isVowel(static_cast<char32_t>(parts[0])) &&
         isAccent(static_cast<char32_t>(parts[1]));
}

// A word of Latin letters (and marks, and hyphens and apostrophes between letters), with what
// its letters tell of it.
struct CLatinWord {
  std::size_t m_end = 0;
  bool m_iastLetters = false;  // it holds letters only IAST has
  bool m_accented = false;     // it holds vowels with accents
  bool m_ascii = true;
};

CLatinWord ReadLatinWord(std::string_view text, std::size_t pos) {
  CLatinWord word;
  char32_t base = 0;
  while (pos < text.size()) {
    std::size_t next = pos;
    const char32_t c = ReadUtf8(text, next);
    if (c == kNoCodePoint) break;
    if (IsLatinLetter(c) || (base != 0 && IsMark(c))) {
      word.m_iastLetters = word.m_iastLetters || IsIastLetter(c) || IsIastMark(c, base);
      word.m_accented = word.m_accented || IsAccentedVowel(c, base);
      word.m_ascii = word.m_ascii && c < 0x80;
      if (!IsMark(c)) base = c;
      pos = next;
      continue;
    }
    // A hyphen or an apostrophe joins two parts of one word.
    if (c != '-' && c != '\'' && c != kRightQuote) break;
    std::size_t after = next;
    if (after >= text.size() || !IsLatinLetter(ReadUtf8(text, after))) break;
    word.m_ascii = word.m_ascii && c < 0x80;
    pos = next;
  }
  word.m_end = pos;
  return word;
}

bool IsSlp1WordByte(char c) {
  return IsAsciiLetter(static_cast<unsigned char>(c)) || c == '~' || c == '/' || c == '\\' ||
         c == '^' || c == '\'';
}

// Greek letters in Latin letters, alpha to omega (final sigma among them).
constexpr std::string_view kGreekLatin[] = {"a", "b", "g", "d",  "e",  "z",  "e", "th", "i",
                                            "k", "l", "m", "n",  "x",  "o",  "p", "r",  "s",
                                            "s", "t", "y", "ph", "ch", "ps", "o"};
constexpr char32_t kSmallAlpha = 0x03B1;
constexpr char32_t kSmallOmega = 0x03C9;
constexpr char32_t kCaseOffset = 0x20;

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::string CharacterName(char32_t c) {
  if (c > 0x20 && c < 0x7F) return Quoted(std::string(1, static_cast<char>(c)));
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

class CBodyConverter {
 public:
  CBodyConverter(std::string_view body, CEntryWriter& writer, CReplacements& replaced,
                 CBodyProblem& problem)
      : m_body(body), m_writer(writer), m_replaced(replaced), m_problem(problem) {}

  bool Run();

 private:
  // How the text in force is read: plain text, bold or italics (where a Sanskrit word may also
  // show itself by the accents on its vowels), SLP1, IAST, or bookkeeping that is left out.
  enum class Mode : unsigned char { kText, kSpan, kSlp1, kIast, kHidden };
  struct COpen {
    std::string_view m_name;  // a tag's name, or "{#", "{@", "{%" for a span
    Mode m_mode;
    std::size_t m_at;
  };

  Mode Current() const { return m_open.empty() ? Mode::kText : m_open.back().m_mode; }
  bool Fail(std::size_t at, std::string reason) {
    m_problem = {at, std::move(reason)};
    return false;
  }
  bool Tag(std::size_t& i);
  bool Open(std::string_view name, Mode mode, std::size_t at);
  bool Close(std::string_view name, std::size_t at);
  bool BreakHere();
  bool Flush();
  bool WriteSlp1(std::string_view text, std::size_t at);
  bool Slp1Word(std::string_view word, std::size_t at);
  bool WriteText(std::string_view text, std::size_t at, Mode mode);
  void LatinWord(std::string_view word, const CLatinWord& facts, Mode mode);
  void DevanagariWord(std::string_view word);
  void PlainText(std::string_view text);
  void PlainChar(char32_t c);
  void Decomposed(char32_t c);

  std::string_view m_body;
  CEntryWriter& m_writer;
  CReplacements& m_replaced;
  CBodyProblem& m_problem;
  std::vector<COpen> m_open;
  std::string m_run;  // text of the current mode not yet written
  std::size_t m_runAt = 0;
  std::string m_scratch;
  std::string m_internal;
};

std::string Describe(std::string_view name) {
  return name.front() == '{' ? Quoted(name) : "<" + std::string(name) + ">";
}

std::string DescribeClosing(std::string_view name) {
  if (name.front() == '{') return Quoted(std::string(1, name[1]) + "}");
  return "</" + std::string(name) + ">";
}

bool CBodyConverter::Run() {
  const std::size_t size = m_body.size();
  std::size_t i = 0;
  while (i < size) {
    const char c = m_body[i];
    const char next = i + 1 < size ? m_body[i + 1] : '\0';
    if (c == '<') {
      if (!Tag(i)) return false;
      continue;
    }
    if (c == '{' && (next == '#' || next == '@' || next == '%')) {
      const Mode mode = next == '#' ? Mode::kSlp1 : Mode::kSpan;
      if (!Open(m_body.substr(i, 2), mode, i)) return false;
      i += 2;
      continue;
    }
    if ((c == '#' || c == '@' || c == '%') && next == '}') {
      const char span[] = {'{', c};
      if (!Close(std::string_view(span, 2), i)) return false;
      i += 2;
      continue;
    }
    if (c == kBar[0] && next == kBar[1]) {
      if (!BreakHere()) return false;
      i += 2;
      continue;
    }
    if (c == '[' && m_body.compare(i, kPageMark.size(), kPageMark) == 0) {
      const std::size_t close = m_body.substr(i, kMaxPageMarkBytes).find(']');
      if (close != std::string_view::npos) {
        i += close + 1;
        continue;
      }
    }
    if (c == '\0') return Fail(i, "NUL byte (not a text file?)");
    if (m_run.empty()) m_runAt = i;
    m_run += c;
    ++i;
  }
  if (!m_open.empty()) {
    return Fail(m_open.back().m_at, Describe(m_open.back().m_name) + " is never closed");
  }
  return Flush();
}

bool CBodyConverter::Tag(std::size_t& i) {
  const std::size_t start = i;
  const std::size_t end = m_body.find_first_of("<>", start + 1);
  if (end == std::string_view::npos || m_body[end] != '>') {
    return Fail(start, "'<' without its '>'");
  }
  std::string_view inside = m_body.substr(start + 1, end - start - 1);
  const bool closing = inside.starts_with('/');
  if (closing) inside.remove_prefix(1);
  const bool selfClosing = inside.ends_with('/');
  std::size_t length = 0;
  while (length < inside.size() && (IsAsciiLetter(static_cast<unsigned char>(inside[length])) ||
                                    IsAsciiDigit(static_cast<unsigned char>(inside[length])))) {
    ++length;
  }
  const std::string_view name = inside.substr(0, length);
  if (name.empty() || !IsAsciiLetter(static_cast<unsigned char>(name[0])) ||
      (length < inside.size() && inside[length] != ' ' && inside[length] != '/')) {
    return Fail(start, "'<' that begins no tag");
  }
  i = end + 1;
  // A sense division may be written as an empty element or as an opening tag alone.
  if (name == "div") return closing || BreakHere();
  if (closing) return Close(name, start);
  if (selfClosing) return true;
  Mode mode = Current();
  if (name == "s") {
    mode = Mode::kSlp1;
  } else if (name == "s1") {
    mode = Mode::kIast;
  } else {
    for (const std::string_view tag : kBookkeepingTags) {
      if (name == tag) mode = Mode::kHidden;
    }
  }
  return Open(name, mode, start);
}

bool CBodyConverter::Open(std::string_view name, Mode mode, std::size_t at) {
  if (Current() == Mode::kHidden) mode = Mode::kHidden;
  if (mode != Current() && !Flush()) return false;
  m_open.push_back({name, mode, at});
  return true;
}

bool CBodyConverter::Close(std::string_view name, std::size_t at) {
  if (m_open.empty()) {
    return Fail(at, DescribeClosing(name) + " without " + Describe(name));
  }
  const COpen& open = m_open.back();
  if (open.m_name != name) {
    return Fail(at, Describe(open.m_name) + " is closed by " + DescribeClosing(name));
  }
  const Mode outer = m_open.size() > 1 ? m_open[m_open.size() - 2].m_mode : Mode::kText;
  if (open.m_mode != outer && !Flush()) return false;
  m_open.pop_back();
  return true;
}

bool CBodyConverter::BreakHere() {
  if (!Flush()) return false;
  if (Current() != Mode::kHidden) m_writer.Break();
  return true;
}

bool CBodyConverter::Flush() {
  if (m_run.empty()) return true;
  bool ok = true;
  switch (Current()) {
    case Mode::kHidden:
      break;
    case Mode::kSlp1:
      ok = WriteSlp1(m_run, m_runAt);
      break;
    case Mode::kIast:
    case Mode::kSpan:
    case Mode::kText:
      ok = WriteText(m_run, m_runAt, Current());
      break;
  }
  m_run.clear();
  return ok;
}

bool CBodyConverter::WriteSlp1(std::string_view text, std::size_t at) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (IsSlp1WordByte(text[pos])) {
      // Hyphens, em dashes and the Vedic "|" between letters belong to the word.
      const std::size_t start = pos;
      while (pos < text.size()) {
        if (IsSlp1WordByte(text[pos])) {
          ++pos;
        } else if ((text[pos] == '-' || text[pos] == '|') && pos + 1 < text.size() &&
                   IsSlp1WordByte(text[pos + 1])) {
          ++pos;
        } else if (text.compare(pos, kEmDash.size(), kEmDash) == 0 &&
                   pos + kEmDash.size() < text.size() &&
                   IsSlp1WordByte(text[pos + kEmDash.size()])) {
          pos += kEmDash.size();
        } else {
          break;
        }
      }
      if (!Slp1Word(text.substr(start, pos - start), at + start)) return false;
      continue;
    }
    const std::size_t charAt = pos;
    const char32_t c = ReadUtf8(text, pos);
    if (c == kNoCodePoint) return Fail(at + charAt, "not valid UTF-8");
    PlainChar(c);
  }
  return true;
}

bool CBodyConverter::Slp1Word(std::string_view word, std::size_t at) {
  // The Vedic consonants are the intervocalic d and dh of later spelling.
  m_scratch.assign(word);
  for (char& c : m_scratch) {
    if (c == 'L' || c == '|') {
      c = c == 'L' ? 'q' : 'Q';
      m_replaced.Count(Replacement::kVedicLetter);
    }
  }
  m_internal.clear();
  const CReadResult result = ReadText(m_scratch, Scheme::kSlp1, m_internal);
  if (!result.Ok()) {
    std::size_t pos = result.m_at;
    const char32_t c = ReadUtf8(m_scratch, pos);
    return Fail(at + result.m_at,
                "SLP1 text holds " + CharacterName(c) + ", which is no letter of its alphabet");
  }
  m_writer.Sanskrit(m_internal);
  return true;
}

bool CBodyConverter::WriteText(std::string_view text, std::size_t at, Mode mode) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80 && !IsAsciiLetter(byte)) {
      PlainChar(byte);
      ++pos;
      continue;
    }
    const std::size_t start = pos;
    const char32_t c = ReadUtf8(text, pos);
    if (c == kNoCodePoint) return Fail(at + start, "not valid UTF-8");
    if (IsLatinLetter(c)) {
      const CLatinWord word = ReadLatinWord(text, start);
      pos = word.m_end;
      LatinWord(text.substr(start, pos - start), word, mode);
    } else if (IsDevanagari(c)) {
      std::size_t end = pos;
      for (std::size_t next = end; next < text.size(); end = next) {
        const char32_t d = ReadUtf8(text, next);
        if (!IsDevanagari(d) && d != kZeroWidthNonJoiner && d != kZeroWidthJoiner) break;
      }
      pos = end;
      DevanagariWord(text.substr(start, pos - start));
    } else {
      PlainChar(c);
    }
  }
  return true;
}

void CBodyConverter::LatinWord(std::string_view word, const CLatinWord& facts, Mode mode) {
  if (facts.m_ascii && mode != Mode::kIast) {
    m_writer.PlainBytes(word);
    return;
  }
  if (mode == Mode::kIast || facts.m_iastLetters || (mode == Mode::kSpan && facts.m_accented)) {
    m_internal.clear();
    if (ReadText(word, Scheme::kIast, m_internal).Ok()) {
      m_writer.Sanskrit(m_internal);
      return;
    }
  }
  // Not Sanskrit after all: its letters as Windows-1252 holds them, composed first.
  utf8proc_uint8_t* composed = nullptr;
  const utf8proc_ssize_t length =
      utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(word.data()),
                   static_cast<utf8proc_ssize_t>(word.size()), &composed,
                   static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
  PlainText(length < 0 ? word
                       : std::string_view(reinterpret_cast<const char*>(composed),
                                          static_cast<std::size_t>(length)));
  std::free(composed);
}

void CBodyConverter::DevanagariWord(std::string_view word) {
  m_internal.clear();
  if (ReadText(word, Scheme::kDevanagari, m_internal).Ok()) {
    m_writer.Sanskrit(m_internal);
    return;
  }
  PlainText(word);
}

void CBodyConverter::PlainText(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t c = ReadUtf8(text, pos);
    if (c == kNoCodePoint) return;  // the callers give well-formed text
    PlainChar(c);
  }
}

void CBodyConverter::PlainChar(char32_t c) {
  switch (c) {
    case ' ':
    case '\t':
    case '\n':
      m_writer.Space();
      return;
    case ';':
      m_replaced.Count(Replacement::kSemicolon);
      m_writer.PlainByte(',');
      return;
    case '%':
      m_replaced.Count(Replacement::kPercentSign);
      m_writer.Space();
      m_writer.PlainBytes("percent");
      return;
    case kRootSign:
      m_replaced.Count(Replacement::kRootSign);
      m_writer.PlainBytes("root");
      m_writer.Space();
      return;
    case kDanda:
    case kDoubleDanda:
      m_replaced.Count(Replacement::kDevanagariSign);
      m_writer.PlainBytes(c == kDanda ? "|" : "||");
      return;
    default:
      break;
  }
  if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) {
    m_replaced.Count(Replacement::kControl);
    m_writer.Space();
    return;
  }
  if (c >= kDevanagariZero && c <= kDevanagariNine) {
    m_replaced.Count(Replacement::kDevanagariSign);
    m_writer.PlainByte(static_cast<char>('0' + (c - kDevanagariZero)));
    return;
  }
  const int byte = Windows1252Byte(c);
  if (byte >= 0) {
    m_writer.PlainByte(static_cast<char>(byte));
    return;
  }
  Decomposed(c);
}

// A character Windows-1252 lacks: a Greek letter in Latin letters, a letter without the marks
// the code page has no room for, an invisible one left out, anything else as "?".
void CBodyConverter::Decomposed(char32_t c) {
  utf8proc_int32_t parts[8];
  utf8proc_int32_t boundary = 0;
  const utf8proc_ssize_t count = utf8proc_decompose_char(
      static_cast<utf8proc_int32_t>(c), parts, 8,
      static_cast<utf8proc_option_t>(UTF8PROC_DECOMPOSE | UTF8PROC_COMPAT), &boundary);
  const char32_t base = count > 0 ? static_cast<char32_t>(parts[0]) : c;
  const bool lower = base >= kSmallAlpha && base <= kSmallOmega;
  const bool upper = base + kCaseOffset >= kSmallAlpha && base + kCaseOffset <= kSmallOmega;
  if (lower || upper) {
    m_replaced.Count(Replacement::kGreek);
    bool rough = false;
    for (utf8proc_ssize_t i = 1; i < count; ++i) {
      rough = rough || static_cast<char32_t>(parts[i]) == kRoughBreathing;
    }
    std::string latin(kGreekLatin[(lower ? base : base + kCaseOffset) - kSmallAlpha]);
    if (rough) latin.insert(0, 1, 'h');
    if (upper) latin[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(latin[0])));
    m_writer.PlainBytes(latin);
    return;
  }
  if (count > 0 && base != c && Windows1252Byte(base) >= 0) {
    m_replaced.Count(Replacement::kMarkedLetter);
    for (utf8proc_ssize_t i = 0; i < count; ++i) {
      const auto part = static_cast<char32_t>(parts[i]);
      if (!IsMark(part)) PlainChar(part);
    }
    return;
  }
  const utf8proc_category_t category = utf8proc_category(static_cast<utf8proc_int32_t>(c));
  if (category == UTF8PROC_CATEGORY_CF) {
    m_replaced.Count(Replacement::kFormat);
  } else if (IsMark(c)) {
    m_replaced.Count(Replacement::kMarkedLetter);
  } else {
    m_replaced.Count(Replacement::kOther);
    m_writer.PlainByte('?');
  }
}

bool IsGlue(std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsAsciiLetter(byte) || IsAsciiDigit(byte) || c == '%' || c == '@' || c == ';' || c == ' ' ||
        byte == 0xF3) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string_view ReplacementName(Replacement kind) {
  switch (kind) {
    case Replacement::kGreek:
      return "Greek letters transliterated";
    case Replacement::kMarkedLetter:
      return "letters written without marks Windows-1252 lacks";
    case Replacement::kRootSign:
      return "root signs written \"root\"";
    case Replacement::kDevanagariSign:
      return "dandas and Devanagari digits written in ASCII";
    case Replacement::kVedicLetter:
      return "Vedic L and | written as d and dh";
    case Replacement::kSemicolon:
      return "semicolons written as commas";
    case Replacement::kPercentSign:
      return "percent signs written \"percent\"";
    case Replacement::kControl:
      return "control characters written as spaces";
    case Replacement::kFormat:
      return "invisible format characters left out";
    case Replacement::kOther:
      return "other characters written \"?\"";
    case Replacement::kCount:
      break;
  }
  return {};
}

void CReplacements::Add(const CReplacements& other) {
  for (std::size_t i = 0; i < kReplacementKinds; ++i) m_counts[i] += other.m_counts[i];
}

long long CReplacements::Total() const {
  long long total = 0;
  for (const long long count : m_counts) total += count;
  return total;
}

void CEntryWriter::PlainByte(char byte) {
  if (m_pieces.empty() || m_pieces.back().m_sanskrit) m_pieces.push_back({m_word.size(), false});
  m_word += byte;
}

void CEntryWriter::PlainBytes(std::string_view bytes) {
  if (bytes.empty()) return;
  if (m_pieces.empty() || m_pieces.back().m_sanskrit) m_pieces.push_back({m_word.size(), false});
  m_word += bytes;
}

void CEntryWriter::Sanskrit(std::string_view internal) {
  if (internal.empty()) return;
  if (m_pieces.empty() || !m_pieces.back().m_sanskrit) m_pieces.push_back({m_word.size(), true});
  m_word += internal;
  m_wordHasSanskrit = true;
}

void CEntryWriter::Space() { EndWord(); }

void CEntryWriter::Break() {
  EndWord();
  if (!m_text.empty()) m_breakPending = true;
}

std::string CEntryWriter::Finish() {
  EndWord();
  m_breakPending = false;
  return std::exchange(m_text, {});
}

void CEntryWriter::EndWord() {
  if (m_word.empty()) return;
  const std::string_view word = m_word;
  if (!m_wordHasSanskrit) {
    Emit(word, false);
  } else {
    // Pieces alternate between Sanskrit and plain; a plain piece that is more than
    // punctuation stands apart, so every group between such pieces holds Sanskrit.
    std::size_t groupBegin = 0;
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
      const std::size_t begin = m_pieces[i].m_begin;
      const std::size_t end = i + 1 < m_pieces.size() ? m_pieces[i + 1].m_begin : word.size();
      const std::string_view piece = word.substr(begin, end - begin);
      if (m_pieces[i].m_sanskrit || IsGlue(piece)) continue;
      if (begin > groupBegin) Emit(word.substr(groupBegin, begin - groupBegin), true);
      Emit(piece, false);
      groupBegin = end;
    }
    if (groupBegin < word.size()) Emit(word.substr(groupBegin), true);
  }
  m_word.clear();
  m_pieces.clear();
  m_wordHasSanskrit = false;
}

void CEntryWriter::Emit(std::string_view bytes, bool sanskrit) {
  if (m_breakPending) {
    m_text += " ;";
    m_breakPending = false;
  }
  if (!m_text.empty()) m_text += ' ';
  if (sanskrit) m_text += '%';
  m_text += bytes;
}

bool ConvertBody(std::string_view body, CEntryWriter& writer, CReplacements& replaced,
                 CBodyProblem& problem) {
  return CBodyConverter(body, writer, replaced, problem).Run();
}

}  // namespace kv
