#include "dictionary/decoders.h"

#include <array>
#include <cstddef>

#include "dictionary/letter_tables.h"

namespace kv {

namespace {

constexpr unsigned char kFirstHighByte = 0x80;
constexpr int kC1Bytes = 32;

// Windows-1252 at 80-9F, where it differs from Latin-1.
constexpr std::array<char32_t, kC1Bytes> kWindows1252C1 = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178',
};

constexpr unsigned char kIitsNasal = 0xF1;

// The IITS codes of the letters with diacritics, read from the letter table: each letter
// whose code is one high byte. F1 (shared by two nasals) is read apart.
constexpr std::array<char32_t, 128> MakeIitsLetters() {
  std::array<char32_t, 128> table{};
  for (const CLetter& letter : kLetters) {
    if (letter.m_iits.size() != 1) continue;
    const auto byte = static_cast<unsigned char>(letter.m_iits[0]);
    if (byte < kFirstHighByte || byte == kIitsNasal) continue;
    table[byte - kFirstHighByte] = FirstCodePoint(letter.m_iast);
  }
  return table;
}

constexpr std::array<char32_t, 128> kIitsLetters = MakeIitsLetters();

constexpr char32_t kVelarNasal = FirstCodePoint(kLetters[LetterNumber("G")].m_iast);
constexpr char32_t kPalatalNasal = FirstCodePoint(kLetters[LetterNumber("J")].m_iast);

}  // namespace

std::string DecodeIits(std::string_view codes) {
  std::string out;
  out.reserve(codes.size() * 2);
  for (size_t place = 0; place < codes.size(); ++place) {
    const auto byte = static_cast<unsigned char>(codes[place]);
    if (byte < kFirstHighByte) {
      out += static_cast<char>(byte);
      continue;
    }
    if (byte == kIitsNasal) {
      // The font draws one glyph for both nasals; the velar one stands before k, kh, g, gh.
      const char next = place + 1 < codes.size() ? codes[place + 1] : '\0';
      AppendUtf8(out, next == 'k' || next == 'g' ? kVelarNasal : kPalatalNasal);
      continue;
    }
    const char32_t letter = kIitsLetters[byte - kFirstHighByte];
    AppendUtf8(out, letter != 0 ? letter : Windows1252CodePoint(byte));
  }
  return out;
}

std::string DecodeWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  AppendWindows1252(bytes, out);
  return out;
}

char32_t ReadUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t extra = 0;
  char32_t codePoint = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    codePoint = lead & 0x1Fu;
    least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    codePoint = lead & 0x0Fu;
    least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    codePoint = lead & 0x07u;
    least = 0x10000;
  } else {
    return kNoCodePoint;
  }
  if (pos + extra >= text.size()) return kNoCodePoint;
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[pos + k]);
    if ((next & 0xC0) != 0x80) return kNoCodePoint;
    codePoint = (codePoint << 6) | (next & 0x3Fu);
  }
  if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return kNoCodePoint;
  }
  pos += extra + 1;
  return codePoint;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

char32_t Windows1252CodePoint(unsigned char byte) {
  if (byte >= kFirstHighByte && byte < kFirstHighByte + kC1Bytes) {
    return kWindows1252C1[static_cast<size_t>(byte - kFirstHighByte)];
  }
  return byte;
}

int Windows1252Byte(char32_t codePoint) {
  if (codePoint < kFirstHighByte || (codePoint >= kFirstHighByte + kC1Bytes && codePoint <= 0xFF)) {
    return static_cast<int>(codePoint);
  }
  for (int i = 0; i < kC1Bytes; ++i) {
    if (kWindows1252C1[static_cast<size_t>(i)] == codePoint) return kFirstHighByte + i;
  }
  return -1;
}

void AppendWindows1252(std::string_view bytes, std::string& out) {
  for (const char byte : bytes) {
    AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(byte)));
  }
}

}  // namespace kv
