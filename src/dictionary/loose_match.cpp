#include "dictionary/loose_match.h"

#include <algorithm>
#include <array>

#include "dictionary/itrans.h"
#include "dictionary/letter_tables.h"

namespace kv {
namespace {

constexpr char kFoldedN = 'n';
// The nasal of rule 4, as long as every fold so that a fold is always copied as two bytes.
constexpr std::array<char, 2> kNasalFold = {kFoldedN, '\0'};
constexpr char kFoldedM = 'm';

constexpr bool IsFoldedVowel(char byte) {
  return byte == 'a' || byte == 'i' || byte == 'u' || byte == 'e' || byte == 'o';
}

// The rules 1 to 3 leave a letter out after certain folded bytes: each such byte has a class.
constexpr std::string_view kRuleBytes = "rsaiueo";

constexpr std::array<unsigned char, 128> MakeRuleByteClasses() {
  std::array<unsigned char, 128> classes{};
  for (std::size_t i = 0; i < kRuleBytes.size(); ++i) {
    classes[static_cast<unsigned char>(kRuleBytes[i])] = static_cast<unsigned char>(i + 1);
  }
  return classes;
}

constexpr std::array<unsigned char, 128> kRuleByteClasses = MakeRuleByteClasses();

constexpr unsigned ClassBit(char byte) {
  return 1u << kRuleByteClasses[static_cast<unsigned char>(byte)];
}

// What the fold needs of each letter, from the letter table in one small record.
struct CFoldEntry {
  std::array<char, 2> m_bytes{};
  std::array<char, 2> m_initialBytes{};  // the fold where the letter begins the text (rule 5)
  std::size_t m_length = 0;
  unsigned m_leftOutAfter = 0;  // the classes of the bytes after which the letter is left out
  unsigned m_endClass = 0;      // the class of its last byte
  bool m_nasal = false;         // m or M: n before a consonant (rule 4)
  bool m_foldsToVowel = false;  // no nasal rule before it
};

constexpr std::array<CFoldEntry, kLetterCount> MakeFoldTable() {
  std::array<CFoldEntry, kLetterCount> table{};
  for (std::size_t i = 0; i < kLetters.size(); ++i) {
    const std::string_view folded = kLetters[i].m_folded;
    const int number = static_cast<int>(i);
    CFoldEntry& entry = table[i];
    entry.m_length = folded.size();
    for (std::size_t k = 0; k < folded.size(); ++k) entry.m_bytes[k] = folded[k];
    entry.m_initialBytes = entry.m_bytes;
    // Rule 5: ṅ and ñ begin no word; where they begin the text they are a capital g or j.
    if (number == LetterNumber("G") || number == LetterNumber("J")) {
      entry.m_initialBytes[0] = static_cast<char>(kLetters[i].m_letters[0] - 'A' + 'a');
    }
    const auto after = [&entry](char byte) {
      entry.m_leftOutAfter |= 1u << (kRuleBytes.find(byte) + 1);
    };
    const bool oneVowel = IsVowelLetter(number) && folded.size() == 1 && IsFoldedVowel(folded[0]);
    if (oneVowel && folded[0] == 'i') after('r');  // rule 1
    if (number == LetterNumber("h")) after('s');   // rule 2
    if (oneVowel) after(folded[0]);                // rule 3
    entry.m_endClass = ClassBit(folded.back());
    entry.m_nasal = number == LetterNumber("m") || number == kLetterAnusvara;
    entry.m_foldsToVowel = IsFoldedVowel(folded[0]);
  }
  return table;
}

constexpr std::array<CFoldEntry, kLetterCount> kFoldTable = MakeFoldTable();
static_assert(kFoldTable[LetterNumber("R")].m_bytes[0] == 'r' &&
              kFoldTable[LetterNumber("z")].m_bytes[0] == 's');

// The next letter at or after `pos`, passing over bytes that begin none.
[[gnu::always_inline]] inline CLetterAt NextLetter(std::string_view text, std::size_t& pos) {
  while (pos < text.size()) {
    const CLetterAt letter = InternalLetterAt(text, pos);
    if (letter.m_letter >= 0) return letter;
    ++pos;
  }
  return {};
}

// The fold of `text` into `out` (at most `outSize` bytes). With kCompare it stops early, after
// the first byte that differs from `expected` within the first `expected.size()` bytes: a
// loose match of a key against a headword is decided at the first difference.
template <bool kCompare>
std::size_t Fold(std::string_view text, char* out, std::size_t outSize, std::string_view expected) {
  constexpr unsigned kNasalClass = ClassBit(kFoldedN);
  std::size_t written = 0;
  std::size_t pos = 0;
  unsigned lastClass = ClassBit('\0');  // the class of the last byte written
  CLetterAt letter = NextLetter(text, pos);
  bool initial = true;
  while (letter.m_letter >= 0 && written < outSize) {
    pos += letter.m_bytes;
    const CLetterAt next = NextLetter(text, pos);
    const CFoldEntry& entry = kFoldTable[static_cast<std::size_t>(letter.m_letter)];
    std::size_t length = (entry.m_leftOutAfter & lastClass) != 0 ? 0 : entry.m_length;
    const char* bytes = initial ? entry.m_initialBytes.data() : entry.m_bytes.data();
    initial = false;
    unsigned endClass = entry.m_endClass;
    if (entry.m_nasal && next.m_letter >= 0 &&
        !kFoldTable[static_cast<std::size_t>(next.m_letter)].m_foldsToVowel) {
      bytes = kNasalFold.data();
      endClass = kNasalClass;
    }
    if (kCompare || outSize - written < entry.m_bytes.size()) {
      if (length > outSize - written) length = outSize - written;
      for (std::size_t k = 0; k < length; ++k) {
        const std::size_t at = written + k;
        out[at] = bytes[k];
        if (kCompare && at < expected.size() && bytes[k] != expected[at]) return at + 1;
      }
    } else {
      // Room for a whole fold: both bytes go in, and only `length` of them count.
      out[written] = bytes[0];
      out[written + 1] = bytes[1];
    }
    written += length;
    if (length > 0) lastClass = endClass;
    letter = next;
  }
  return written;
}

}  // namespace

std::size_t FoldLetters(std::string_view text, char* out, std::size_t outSize) {
  return Fold<false>(text, out, outSize, {});
}

std::size_t FoldKey(std::string_view key, char* out, std::size_t outSize) {
  if (key.size() > 1 && key.back() == 'H') key.remove_suffix(1);
  return FoldLetters(key, out, outSize);
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

bool LooseBucketMayMatch(std::string_view keyLine, std::string_view foldedKey) {
  char folded[kKeyBytes];
  const std::size_t length = FoldLetters(keyLine, folded, sizeof folded);
  const std::size_t common = std::min(length, foldedKey.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (folded[i] == foldedKey[i]) continue;
    // An m that ends the key line or the key may stand for an n: either may be the nasal of
    // a consonant that comes after it in the headword.
    const bool lineM = i + 1 == length && folded[i] == kFoldedM && foldedKey[i] == kFoldedN;
    const bool keyM = i + 1 == foldedKey.size() && foldedKey[i] == kFoldedM && folded[i] == kFoldedN;
    if (!lineM && !keyM) return false;
  }
  return true;
}

bool LooseKeyMatches(std::string_view indexLine, std::string_view foldedKey) {
  // The key's bytes and the one after them, which the last m needs.
  char folded[kKeyBytes + 1];
  if (foldedKey.size() >= sizeof folded) return false;
  // All but the key's last byte must be equal; that one may be an m standing for an n.
  const std::size_t length =
      Fold<true>(indexLine, folded, foldedKey.size() + 1,
                 foldedKey.substr(0, foldedKey.empty() ? 0 : foldedKey.size() - 1));
  return LooseMatches(std::string_view(folded, length), foldedKey);
}

}  // namespace kv
