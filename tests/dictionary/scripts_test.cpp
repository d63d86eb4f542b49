// The transliteration module: spellings in every script, reading typed text, search keys and
// loose matching. The cases live in tests/data/scripts/*.tsv.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "dictionary/dictionary_builder.h"
#include "dictionary/itrans.h"
#include "dictionary/letter_tables.h"
#include "dictionary/loose_match.h"
#include "dictionary/script_input.h"
#include "dictionary/transliteration.h"

namespace kv {
namespace {

const std::string kDataDir = KV_SOURCE_DIR "/tests/data/scripts/";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void AppendCodePoint(std::string& out, unsigned long codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// "\uXXXX" (as UTF-8) and "\xNN" (a raw byte) in a data file.
std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'u' || text[i + 1] == 'x')) {
      const std::size_t digits = text[i + 1] == 'u' ? 4 : 2;
      const unsigned long value = std::stoul(text.substr(i + 2, digits), nullptr, 16);
      if (digits == 4) {
        AppendCodePoint(out, value);
      } else {
        out += static_cast<char>(value);
      }
      i += 1 + digits;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The lines of a data file split at tabs, comments and blank lines left out.
std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(ReadFile(kDataDir + name));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      fields.push_back(Unescape(line.substr(start, tab - start)));
    }
    fields.push_back(Unescape(line.substr(start)));
    rows.push_back(fields);
  }
  EXPECT_FALSE(rows.empty()) << name;
  return rows;
}

std::string WithoutMarkers(const std::string& internal) {
  std::string out;
  for (const char c : internal) {
    if (!IsMatchIgnoredByte(static_cast<unsigned char>(c))) out += c;
  }
  return out;
}

std::string Read(const std::string& text, Scheme scheme) {
  std::string internal;
  const CReadResult result = ReadText(text, scheme, internal);
  return result.Ok() ? internal : "!" + std::string(ProblemText(result.m_problem));
}

std::string Written(void (*write)(std::string_view, std::string&), const std::string& text) {
  std::string out;
  write(text, out);
  return out;
}

std::string Devanagari(const std::string& internal, MarkerBytes markers = MarkerBytes::kJoin) {
  std::string out;
  AppendDevanagari(internal, markers, out);
  return out;
}

TEST(Transliteration, EveryLetterWrittenAndReadInEveryScript) {
  std::vector<bool> seen(kLetters.size());
  for (const auto& row : ReadTable("spellings.tsv")) {
    ASSERT_EQ(row.size(), 4u);
    const std::string& internal = row[0];
    SCOPED_TRACE(internal);
    EXPECT_EQ(Written(AppendIast, internal), row[1]);
    EXPECT_EQ(Devanagari(internal), row[2]);
    EXPECT_EQ(Written(AppendSlp1, internal), row[3]);
    EXPECT_EQ(Read(row[1], Scheme::kIast), internal);
    EXPECT_EQ(Read(row[2], Scheme::kDevanagari), WithoutMarkers(internal));
    EXPECT_EQ(Read(row[3], Scheme::kSlp1), internal);
    EXPECT_EQ(Read(internal, Scheme::kHk), internal);
    for (std::size_t pos = 0; pos < internal.size(); ++pos) {
      const CLetterAt letter = InternalLetterAt(internal, pos);
      if (letter.m_letter < 0) continue;
      seen[static_cast<std::size_t>(letter.m_letter)] = true;
      pos += letter.m_bytes - 1;
    }
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);
}

// The table look-up reads a letter where the longest-match scan of the glyph-code strings
// does, whatever letter follows, and also at the end of the text.
TEST(Transliteration, LetterLookUpReadsAsTheLongestMatchScan) {
  for (const CLetter& first : kLetters) {
    for (const std::string_view second : {std::string_view("-"), std::string_view()}) {
      const std::string text = std::string(first.m_letters) + std::string(second);
      const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
      EXPECT_EQ(InternalLetterAt(text, 0).m_letter, LongestMatch(kLetters, bytes)) << text;
    }
    for (const CLetter& second : kLetters) {
      const std::string text = std::string(first.m_letters) + std::string(second.m_letters);
      const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
      EXPECT_EQ(InternalLetterAt(text, 0).m_letter, LongestMatch(kLetters, bytes)) << text;
    }
  }
}

TEST(Transliteration, EntryWordsKeepTheirHyphenAndPunctuation) {
  const std::string word = " k%RSNa-kaTukA,";
  EXPECT_EQ(Written(AppendIast, word), " kṛṣṇa-kaṭukā,");
  EXPECT_EQ(Devanagari(word, MarkerBytes::kShow), " कृष्ण-कटुका,");
  EXPECT_EQ(Devanagari("(ad-bhuta)", MarkerBytes::kShow), "(अद्-भुत)");
  EXPECT_EQ(Written(AppendIast, "prAG\xE9"), "prāṅé");
}

TEST(Transliteration, SampleHeadwordsRoundTrip) {
  std::vector<DictionaryError> errors;
  const auto entries =
      ParseSource(ReadFile(KV_SOURCE_DIR "/data/sample/sample.txt"), "sample.txt", errors);
  ASSERT_TRUE(errors.empty());
  ASSERT_GT(entries.size(), 400u);
  for (const SourceEntry& entry : entries) {
    const std::string& line = entry.indexLine;
    EXPECT_EQ(Read(Devanagari(line), Scheme::kDevanagari), WithoutMarkers(line));
    EXPECT_EQ(Read(Written(AppendIast, line), Scheme::kIast), line);
    EXPECT_EQ(Read(Written(AppendSlp1, line), Scheme::kSlp1), line);
  }
}

std::string ProblemName(TextProblem problem) {
  static const char* const kNames[] = {"none",  "invalid-utf8", "control",
                                       "digit", "danda",        "other-script",
                                       "mixed", "latin-in-devanagari", "devanagari-in-latin",
                                       "not-a-letter", "too-long"};
  return kNames[static_cast<int>(problem)];
}

TEST(SearchKey, ReadsEveryScheme) {
  for (const auto& row : ReadTable("readings.tsv")) {
    ASSERT_EQ(row.size(), 4u);
    SCOPED_TRACE(row[0] + " " + row[1]);
    Scheme forced = Scheme::kHk;
    const CSearchKey key = row[0].starts_with("auto")
                               ? MakeSearchKey(row[1], row[0] == "auto-itrans")
                           : ParseSchemeName(row[0], forced) ? MakeSearchKeyAs(row[1], forced)
                                                             : CSearchKey{};
    EXPECT_EQ(std::string(SchemeName(key.m_scheme)), row[2]);
    if (key.Ok()) {
      EXPECT_EQ(key.m_key, row[3]);
    } else {
      EXPECT_EQ("!" + ProblemName(key.m_result.m_problem) + "@" + std::to_string(key.m_result.m_at),
                row[3]);
      EXPECT_TRUE(key.Empty());
    }
  }
}

TEST(SearchKey, InternalLettersGiveTheKeyTheSearchAlwaysUsed) {
  std::mt19937 random(7);
  const std::string letters = "aAiIuURleoHkhgGcjJTDNtdnpbmyrvzSsM'";
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const std::size_t length = 1 + random() % (kKeyBytes - 1);
    for (std::size_t i = 0; i < length; ++i) text += letters[random() % letters.size()];
    EXPECT_STREQ(MakeSearchKey(text, false).m_key, text.c_str());
    char converted[kKeyBytes] = {};
    ConvertItrans(text.c_str(), converted);
    const CSearchKey itrans = MakeSearchKey(text, true);
    // ConvertItrans cuts a key that grew too long; the search edit refuses it instead.
    EXPECT_TRUE(itrans.Ok() ? std::strcmp(itrans.m_key, converted) == 0
                            : itrans.m_result.m_problem == TextProblem::kTooLong);
  }
  EXPECT_TRUE(MakeSearchKey(std::string(kKeyBytes - 1, 'a'), false).Ok());
  const CSearchKey tooLong = MakeSearchKey(std::string(kKeyBytes, 'a'), false);
  EXPECT_EQ(tooLong.m_result.m_problem, TextProblem::kTooLong);
  EXPECT_EQ(tooLong.m_result.m_at, static_cast<std::size_t>(kKeyBytes - 1));
}

TEST(LooseMatch, NearHomographs) {
  for (const auto& row : ReadTable("loose.tsv")) {
    ASSERT_EQ(row.size(), 3u);
    const CSearchKey key = MakeSearchKey(row[0], false);
    ASSERT_TRUE(key.Ok()) << row[0];
    EXPECT_EQ(LooseKeyMatches(row[1], key.m_folded), row[2] == "1") << row[0] << " " << row[1];
  }
}

// Every exact hit is a loose hit: a key that begins a headword folds to a loose key that
// matches it, wherever the key ends.
TEST(LooseMatch, ExactHitsAreLooseHits) {
  std::mt19937 random(11);
  for (int round = 0; round < 20000; ++round) {
    std::string headword;
    for (int i = 0; i < 12; ++i) {
      headword += kLetters[random() % kLetters.size()].m_letters;
    }
    const std::string key = headword.substr(0, 1 + random() % headword.size());
    char folded[kKeyBytes];
    const std::size_t length = FoldLetters(key, folded, sizeof folded);
    ASSERT_TRUE(LooseKeyMatches(headword, std::string_view(folded, length)))
        << key << " " << headword;
  }
}

// The loose search reads only the buckets whose key lines may hold a hit: every loose key that
// matches a headword (a beginning of its fold, a last n also as m) lets its bucket through,
// whether the bucket is keyed by the headword's first one, two or three bytes.
TEST(LooseMatch, NoBucketOfALooseHitIsPassedOver) {
  std::mt19937 random(12);
  for (int round = 0; round < 5000; ++round) {
    std::string headword;
    for (int i = 0; i < 8; ++i) headword += kLetters[random() % kLetters.size()].m_letters;
    char folded[kKeyBytes];
    const std::string fold(folded, FoldLetters(headword, folded, sizeof folded));
    for (std::size_t length = 1; length <= fold.size(); ++length) {
      std::string key = fold.substr(0, length);
      for (int nasal = 0; nasal < 2; ++nasal) {
        if (nasal == 1 && key.back() != 'n') break;
        if (nasal == 1) key.back() = 'm';
        if (!LooseKeyMatches(headword, key)) continue;
        for (std::size_t bytes = 1; bytes <= 3; ++bytes) {
          ASSERT_TRUE(LooseBucketMayMatch(headword.substr(0, bytes), key)) << headword << " " << key;
        }
      }
    }
  }
  EXPECT_FALSE(LooseBucketMayMatch("ka", "sa"));
  EXPECT_FALSE(LooseBucketMayMatch("sa", "si"));
}

}  // namespace
}  // namespace kv
