#include "dictionary/loose_match.h"

#include "dictionary/itrans.h"
#include "dictionary/letter_tables.h"

namespace kv {
namespace {

constexpr int kLetterM = LetterNumber("m");
constexpr int kLetterH = LetterNumber("h");
constexpr char kFoldedR = 'r';
constexpr char kFoldedI = 'i';
constexpr char kFoldedS = 's';
constexpr char kFoldedM = 'm';
constexpr char kFoldedN = 'n';

// The next letter at or after `pos`, passing over bytes that begin none.
CLetterAt NextLetter(std::string_view text, std::size_t& pos) {
  while (pos < text.size()) {
    const CLetterAt letter = InternalLetterAt(text, pos);
    if (letter.m_letter >= 0) return letter;
    ++pos;
  }
  return {};
}

bool IsFoldedVowel(char byte) {
  return byte == 'a' || byte == 'i' || byte == 'u' || byte == 'e' || byte == 'o';
}

std::string_view FoldOf(int letter) { return kLetters[static_cast<std::size_t>(letter)].m_folded; }

}  // namespace

std::size_t FoldLetters(std::string_view text, char* out, std::size_t outSize) {
  std::size_t written = 0;
  std::size_t pos = 0;
  int previous = -1;  // the previous letter
  CLetterAt letter = NextLetter(text, pos);
  while (letter.m_letter >= 0 && written < outSize) {
    pos += letter.m_bytes;
    const CLetterAt next = NextLetter(text, pos);
    std::string_view folded = FoldOf(letter.m_letter);
    const char last = written > 0 ? out[written - 1] : '\0';
    const bool afterVowel = IsVowelLetter(previous);
    if (folded.size() == 1 && folded[0] == kFoldedI && last == kFoldedR) {
      folded = {};  // rule 1: "ri" is ṛ
    } else if (letter.m_letter == kLetterH && last == kFoldedS) {
      folded = {};  // rule 2: "sh" is ś or ṣ
    } else if (afterVowel && folded.size() == 1 && IsFoldedVowel(folded[0]) && folded[0] == last) {
      folded = {};  // rule 3: a doubled vowel is one
    } else if ((letter.m_letter == kLetterM || letter.m_letter == kLetterAnusvara) &&
               next.m_letter >= 0 && !IsFoldedVowel(FoldOf(next.m_letter)[0])) {
      folded = std::string_view(&kFoldedN, 1);  // rule 4: the nasal before a consonant
    }
    for (const char byte : folded) {
      if (written == outSize) break;
      out[written++] = byte;
    }
    if (!folded.empty()) previous = letter.m_letter;
    letter = next;
  }
  return written;
}

bool LooseMatches(std::string_view foldedHeadword, std::string_view foldedKey) {
  if (foldedKey.size() > foldedHeadword.size()) return false;
  if (foldedKey.empty()) return true;
  const std::size_t last = foldedKey.size() - 1;
  if (foldedHeadword.compare(0, last, foldedKey, 0, last) != 0) return false;
  if (foldedHeadword[last] == foldedKey[last]) return true;
  // A key's last m may be the anusvara or m before a consonant that the key does not hold.
  return foldedKey[last] == kFoldedM && foldedHeadword[last] == kFoldedN &&
         last + 1 < foldedHeadword.size() && !IsFoldedVowel(foldedHeadword[last + 1]);
}

bool LooseKeyMatches(std::string_view indexLine, std::string_view foldedKey) {
  // The key's bytes and the one after them, which the last m needs.
  char folded[kKeyBytes + 1];
  if (foldedKey.size() >= sizeof folded) return false;
  const std::size_t length = FoldLetters(indexLine, folded, foldedKey.size() + 1);
  return LooseMatches(std::string_view(folded, length), foldedKey);
}

}  // namespace kv
