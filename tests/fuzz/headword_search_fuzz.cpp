// Fuzzes the headword search and the entry retrieval over arbitrary three-file dictionaries.
// Input: a flag byte, then the search text, kvlist.txt, kvindx.txt and kvtot2.txt separated
// by "|||". Whatever the files hold, the search must end, stay within its tables, list only
// headwords that begin with the key and tell the user something true.
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "dictionary/dictionary.h"
#include "dictionary/found_rows.h"
#include "dictionary/headword_search.h"
#include "dictionary/itrans.h"
#include "dictionary/line_reader.h"
#include "dictionary/list_strings.h"
#include "fuzz_support.h"

namespace {

using kv::fuzz::CInputCursor;

constexpr std::string_view kSeparator = "|||";

// The transliteration strings of every line of the index file that begins with `key`: the
// only strings a found row may hold. Lines are cut where the search's reader cuts them.
std::set<std::string> MatchingTranslits(std::string_view index, const char* key) {
  std::set<std::string> strings;
  char translit[kv::kRowBytes];
  char devanagari[kv::kRowBytes];
  for (const std::string& line : kv::fuzz::LinePieces(index, kv::kLineLimit - 1)) {
    if (!kv::KeyMatches(line.c_str(), key)) continue;
    kv::MakeListStrings(line.c_str(), translit, devanagari, kv::kRowBytes);
    strings.insert(translit);
  }
  return strings;
}

void CheckRow(const char* row) {
  const std::size_t length = ::strnlen(row, kv::kRowBytes);
  KV_FUZZ_CHECK(length >= 1 && length < static_cast<std::size_t>(kv::kRowBytes));
  KV_FUZZ_CHECK(static_cast<unsigned char>(row[length - 1]) == 0xA0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CInputCursor input(data, size);
  const std::uint8_t flags = input.TakeByte();
  const std::string searchText(input.TakeUntil(kSeparator));
  const std::string_view files[] = {input.TakeUntil(kSeparator), input.TakeUntil(kSeparator),
                                    input.TakeRest()};
  const char* const names[] = {kv::kListFileName, kv::kIndexFileName, kv::kTextFileName};
  for (int i = 0; i < 3; ++i) {
    // Flag bits 1 to 3 leave a file out.
    if ((flags >> (i + 1) & 1) != 0) {
      kv::fuzz::RemoveScratchFile(names[i]);
    } else {
      kv::fuzz::WriteScratchFile(names[i], files[i]);
    }
  }
  kv::CDictionary dictionary;
  dictionary.SetWarningHandler([](const char*) {});
  dictionary.Open(kv::fuzz::ScratchDir());
  kv::CLineReader& list = dictionary.ListReader();
  kv::CLineReader& index = dictionary.IndexReader();
  kv::CLineReader& text = dictionary.TextReader();

  const bool itrans = (flags & 1) != 0;
  char typed[kv::kKeyBytes] = {};
  std::strncpy(typed, searchText.c_str(), kv::kKeyBytes - 1);
  char key[kv::kKeyBytes] = {};
  if (itrans) {
    kv::ConvertItrans(typed, key);
  } else {
    std::memcpy(key, typed, sizeof key);
  }

  auto rows = std::make_unique<kv::CFoundRows>();
  auto entryText = std::make_unique<char[]>(kv::kEntryTextBytes);
  std::strcpy(entryText.get(), "untouched");
  kv::CPlainFoundList found;
  const kv::SearchOutcome outcome = kv::RunHeadwordSearch({searchText.c_str(), itrans}, list, index,
                                                          *rows, found, entryText.get());
  KV_FUZZ_CHECK(::strnlen(entryText.get(), kv::kEntryTextBytes) <
                static_cast<std::size_t>(kv::kEntryTextBytes));

  switch (outcome) {
    case kv::SearchOutcome::kEmptyKey:
      KV_FUZZ_CHECK(key[0] == 0);
      KV_FUZZ_CHECK(std::strcmp(entryText.get(), "untouched") == 0);
      break;
    case kv::SearchOutcome::kMissingFile: {
      const char* missing = !list.IsOpen() ? names[0] : names[1];
      KV_FUZZ_CHECK(!list.IsOpen() || !index.IsOpen());
      char expected[160];
      kv::FormatMissingFileText(missing, expected, sizeof expected);
      KV_FUZZ_CHECK(std::strcmp(entryText.get(), expected) == 0);
      KV_FUZZ_CHECK(found.ItemCount() == 0);
      break;
    }
    case kv::SearchOutcome::kNoMatch: {
      KV_FUZZ_CHECK(found.ItemCount() == 0);
      KV_FUZZ_CHECK(kv::IsNoMatchText(entryText.get()));
      break;
    }
    case kv::SearchOutcome::kFound: {
      KV_FUZZ_CHECK(key[0] != 0);
      KV_FUZZ_CHECK(found.ItemCount() >= 1 && found.ItemCount() <= kv::kMaxHits);
      KV_FUZZ_CHECK(std::strcmp(entryText.get(), "untouched") == 0);
      const std::set<std::string> allowed = MatchingTranslits(files[1], key);
      for (int r = 0; r < found.ItemCount(); ++r) {
        CheckRow(rows->m_translitRows[r]);
        CheckRow(rows->m_devanagariRows[r]);
        KV_FUZZ_CHECK(allowed.count(rows->m_translitRows[r]) == 1);
      }
      // The entry of the first and of the last row, as a click on them shows it.
      for (int r : {0, found.ItemCount() - 1}) {
        const bool read = kv::RetrieveEntry(rows->m_entryOffsets[r], text, entryText.get());
        KV_FUZZ_CHECK(read == text.IsOpen());
        KV_FUZZ_CHECK(::strnlen(entryText.get(), kv::kEntryTextBytes) <
                      static_cast<std::size_t>(kv::kLineLimit));
      }
      break;
    }
  }
  return 0;
}
