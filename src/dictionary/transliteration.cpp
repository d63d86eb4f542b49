#include "dictionary/transliteration.h"

#include <cstddef>
#include <iterator>

#include "dictionary/decoders.h"
#include "dictionary/letter_tables.h"

namespace kv {
namespace {

// A byte that begins no letter, as every writer treats it outside the letters.
void AppendOtherByte(char byte, std::string& out) {
  if (static_cast<unsigned char>(byte) < 0x80) {
    out += byte;
  } else {
    AppendWindows1252(std::string_view(&byte, 1), out);
  }
}

// The letter at `pos`, read through the marker bytes that every writer leaves out: an entry
// marks a Sanskrit word after its first byte, so "d%harma" is dh-arma, not d-harma. Its bytes
// span the markers inside it.
CLetterAt LetterAt(std::string_view text, std::size_t pos) {
  const CLetterAt plain = InternalLetterAt(text, pos);
  const auto droppedAt = [text](std::size_t at) {
    return at < text.size() && IsDroppedMarkerByte(static_cast<unsigned char>(text[at]));
  };
  if (plain.m_letter < 0 || (!droppedAt(pos + 1) && !droppedAt(pos + 2))) return plain;
  char bytes[kMaxLetterBytes];
  std::size_t ends[kMaxLetterBytes];  // where each gathered byte ends in the text
  std::size_t count = 0;
  for (std::size_t at = pos; at < text.size() && count < std::size(bytes); ++at) {
    if (count > 0 && droppedAt(at)) continue;
    bytes[count] = text[at];
    ends[count++] = at + 1;
  }
  const CLetterAt letter = InternalLetterAt(std::string_view(bytes, count), 0);
  return {letter.m_letter, ends[letter.m_bytes - 1] - pos};
}

// Writes each letter's `field`; the other bytes as the header describes.
template <std::string_view CLetter::*field>
void AppendLetters(std::string_view internal, std::string& out) {
  std::size_t pos = 0;
  while (pos < internal.size()) {
    const CLetterAt letter = LetterAt(internal, pos);
    if (letter.m_letter >= 0) {
      out += kLetters[static_cast<std::size_t>(letter.m_letter)].*field;
      pos += letter.m_bytes;
      continue;
    }
    const char byte = internal[pos++];
    if (!IsDroppedMarkerByte(static_cast<unsigned char>(byte))) AppendOtherByte(byte, out);
  }
}

}  // namespace

void AppendIast(std::string_view internal, std::string& out) {
  AppendLetters<&CLetter::m_iast>(internal, out);
}

void AppendSlp1(std::string_view internal, std::string& out) {
  AppendLetters<&CLetter::m_slp1>(internal, out);
}

void AppendDevanagari(std::string_view internal, MarkerBytes markers, std::string& out) {
  // A consonant was written and waits for its vowel sign, or for the virama when none comes.
  bool open = false;
  const auto closeConsonant = [&] {
    if (open) out += kDevanagariVirama;
    open = false;
  };
  std::size_t pos = 0;
  while (pos < internal.size()) {
    const CLetterAt at = LetterAt(internal, pos);
    if (at.m_letter >= 0) {
      const CLetter& letter = kLetters[static_cast<std::size_t>(at.m_letter)];
      pos += at.m_bytes;
      if (IsConsonantLetter(at.m_letter)) {
        closeConsonant();
        out += letter.m_devanagari;
        open = true;
      } else if (IsVowelLetter(at.m_letter) && open) {
        out += letter.m_vowelSign;
        open = false;
      } else {
        closeConsonant();
        out += letter.m_devanagari;
      }
      continue;
    }
    const char byte = internal[pos++];
    const auto code = static_cast<unsigned char>(byte);
    if (markers == MarkerBytes::kJoin ? IsMarkerByte(code) : IsDroppedMarkerByte(code)) continue;
    closeConsonant();
    if (byte == kAvagrahaLetter) {
      out += kDevanagariAvagraha;
    } else {
      AppendOtherByte(byte, out);
    }
  }
  closeConsonant();
}

}  // namespace kv
