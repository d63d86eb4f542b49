#include "dictionary/decoders.h"

#include <array>
#include <cstddef>

#include "dictionary/letter_tables.h"

namespace kv {

namespace {

constexpr unsigned char kFirstHighByte = 0x80;
constexpr int kC1Bytes = 32;

// Windows-1252 at 80-9F. The five bytes that code page leaves undefined (81, 8D, 8F, 90, 9D)
// keep their C1 control code points, as Windows itself converts them, so no byte is lost.
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

void AppendWindows1252(std::string_view bytes, std::string& out) {
  for (const char byte : bytes) {
    AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(byte)));
  }
}

}  // namespace kv
