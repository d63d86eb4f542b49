// Fuzzes the transliteration module: scheme detection, search keys, reading every scheme, the
// writers and the loose fold, with the round trips that hold between them. The first byte
// chooses the ITRANS box and a forced scheme; the rest is the text.
#include <cstring>
#include <string>
#include <string_view>

#include "dictionary/decoders.h"
#include "dictionary/itrans.h"
#include "dictionary/letter_tables.h"
#include "dictionary/list_strings.h"
#include "dictionary/loose_match.h"
#include "dictionary/script_input.h"
#include "dictionary/transliteration.h"
#include "fuzz_support.h"

namespace {

using kv::CSearchKey;
using kv::Scheme;
using kv::fuzz::IsWellFormedUtf8;

constexpr Scheme kSchemes[] = {Scheme::kHk, Scheme::kItrans, Scheme::kIast, Scheme::kDevanagari,
                               Scheme::kSlp1};

std::string Iast(std::string_view internal) {
  std::string out;
  kv::AppendIast(internal, out);
  return out;
}

std::string Slp1(std::string_view internal) {
  std::string out;
  kv::AppendSlp1(internal, out);
  return out;
}

std::string Devanagari(std::string_view internal, kv::MarkerBytes markers) {
  std::string out;
  kv::AppendDevanagari(internal, markers, out);
  return out;
}

std::string Folded(std::string_view text) {
  std::string out(text.size(), '\0');
  out.resize(kv::FoldLetters(text, out.data(), out.size()));
  return out;
}

// A usable key holds internal letters and avagrahas only, and a headword spelled as the key is
// a loose hit of it.
void CheckKey(const CSearchKey& key, std::string_view text) {
  const std::size_t length = ::strnlen(key.m_key, kv::kKeyBytes);
  KV_FUZZ_CHECK(length < static_cast<std::size_t>(kv::kKeyBytes));
  if (!key.Ok()) {
    KV_FUZZ_CHECK(key.Empty() && key.m_result.m_at < text.size());
    return;
  }
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(key.m_key[i]);
    KV_FUZZ_CHECK(kv::IsInternalLetterByte(byte) || byte == kv::kAvagrahaLetter);
  }
  KV_FUZZ_CHECK(kv::LooseKeyMatches(key.m_key, key.m_folded));
}

// The key comes back from its IAST, Devanagari, SLP1 and itself.
void CheckKeyRoundTrips(const CSearchKey& key) {
  const std::string_view internal = key.m_key;
  KV_FUZZ_CHECK(std::string_view(kv::MakeSearchKeyAs(internal, Scheme::kHk).m_key) == internal);
  KV_FUZZ_CHECK(std::string_view(kv::MakeSearchKeyAs(Iast(internal), Scheme::kIast).m_key) ==
                internal);
  KV_FUZZ_CHECK(std::string_view(kv::MakeSearchKeyAs(Slp1(internal), Scheme::kSlp1).m_key) ==
                internal);
  const std::string devanagari = Devanagari(internal, kv::MarkerBytes::kJoin);
  KV_FUZZ_CHECK(std::string_view(kv::MakeSearchKeyAs(devanagari, Scheme::kDevanagari).m_key) ==
                internal);
}

// A text read in a scheme, words and separators kept, comes back from what the writers make.
void CheckReadText(std::string_view text, Scheme scheme) {
  std::string internal;
  const kv::CReadResult result = kv::ReadText(text, scheme, internal);
  if (!result.Ok()) {
    KV_FUZZ_CHECK(result.m_at < text.size());
    return;
  }
  std::string back;
  KV_FUZZ_CHECK(kv::ReadText(Iast(internal), Scheme::kIast, back).Ok() && back == internal);
  back.clear();
  KV_FUZZ_CHECK(kv::ReadText(Slp1(internal), Scheme::kSlp1, back).Ok() && back == internal);
  back.clear();
  const std::string devanagari = Devanagari(internal, kv::MarkerBytes::kShow);
  KV_FUZZ_CHECK(kv::ReadText(devanagari, Scheme::kDevanagari, back).Ok() && back == internal);
}

// Whatever the bytes, the writers give UTF-8, and the same without the marker bytes they leave
// out (which they read through, inside a letter too); on ASCII without the two nasals that
// the IITS font cannot tell apart, the IAST is what the transliteration's font codes decode to.
void CheckWriters(std::string_view text) {
  std::string terminated;
  for (const char c : text) {
    if (!kv::IsDroppedMarkerByte(static_cast<unsigned char>(c))) terminated += c;
  }
  const std::string iast = Iast(text);
  KV_FUZZ_CHECK(IsWellFormedUtf8(iast) && iast == Iast(terminated));
  KV_FUZZ_CHECK(IsWellFormedUtf8(Slp1(text)) && Slp1(text) == Slp1(terminated));
  for (const auto markers : {kv::MarkerBytes::kJoin, kv::MarkerBytes::kShow}) {
    const std::string devanagari = Devanagari(text, markers);
    KV_FUZZ_CHECK(IsWellFormedUtf8(devanagari) && devanagari == Devanagari(terminated, markers));
  }
  for (const char c : terminated) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0 || byte >= 0x80 || c == 'G' || c == 'J') return;
  }
  std::string codes(3 * text.size() + 2, '\0');
  kv::Transliterate(terminated.c_str(), codes.data(), static_cast<int>(codes.size()));
  const std::string decoded = kv::DecodeIits(codes.c_str());
  KV_FUZZ_CHECK(decoded == iast + "\u00A0");
}

// Every exact hit is a loose hit: a key that begins a headword's letters folds to a loose key
// that matches the headword, and folding only what the match needs agrees with the whole fold.
void CheckFold(std::string_view text, std::size_t cut) {
  std::string letters;
  for (const char c : text) {
    if (kv::IsInternalLetterByte(static_cast<unsigned char>(c))) letters += c;
  }
  const std::string folded = Folded(text);
  KV_FUZZ_CHECK(folded.size() <= text.size());
  const std::string key = Folded(letters.substr(0, cut % (letters.size() + 1)));
  if (key.size() >= static_cast<std::size_t>(kv::kKeyBytes)) return;
  KV_FUZZ_CHECK(kv::LooseKeyMatches(letters, key));
  KV_FUZZ_CHECK(kv::LooseKeyMatches(text, key) == kv::LooseMatches(folded, key));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::fuzz::CInputCursor input(data, size);
  const std::uint8_t choice = input.TakeByte();
  const std::string_view text = input.TakeRest();

  const bool itrans = (choice & 1) != 0;
  const CSearchKey key = kv::MakeSearchKey(text, itrans);
  CheckKey(key, text);
  const kv::CSchemeChoice detected = kv::DetectScheme(text, itrans);
  KV_FUZZ_CHECK(detected.m_scheme == key.m_scheme);
  if (key.Ok()) CheckKeyRoundTrips(key);

  const Scheme forced = kSchemes[(choice >> 1) % std::size(kSchemes)];
  const CSearchKey forcedKey = kv::MakeSearchKeyAs(text, forced);
  CheckKey(forcedKey, text);
  if (forcedKey.Ok()) CheckKeyRoundTrips(forcedKey);
  CheckReadText(text, forced);

  // Internal letters alone give the key the search always used.
  if (!text.empty() && text.size() < static_cast<std::size_t>(kv::kKeyBytes)) {
    bool internalLetters = true;
    for (const char c : text) {
      internalLetters = internalLetters && kv::IsInternalLetterByte(static_cast<unsigned char>(c));
    }
    if (internalLetters) {
      KV_FUZZ_CHECK(std::string_view(kv::MakeSearchKey(text, false).m_key) == text);
      const std::string terminated(text);
      char converted[kv::kKeyBytes] = {};
      kv::ConvertItrans(terminated.c_str(), converted);
      const CSearchKey itransKey = kv::MakeSearchKey(text, true);
      KV_FUZZ_CHECK(itransKey.Ok() ? std::strcmp(itransKey.m_key, converted) == 0
                                   : itransKey.m_result.m_problem == kv::TextProblem::kTooLong);
    }
  }

  CheckWriters(text);
  CheckFold(text, choice);
  return 0;
}
