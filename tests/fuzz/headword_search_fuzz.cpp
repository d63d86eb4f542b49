// Fuzzes the headword search, its loose pass and the entry retrieval over arbitrary three-file
// dictionaries. Input: a flag byte, then the search text, kvlist.txt, kvindx.txt and
// kvtot2.txt separated by "|||". Whatever the files hold, the search must end, stay within its
// tables, list only headwords that begin with the key (exactly, or loosely when nothing does
// or loose matching is always on), never list a record twice, and tell the user something
// true.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "dictionary/dictionary.h"
#include "dictionary/found_rows.h"
#include "dictionary/headword_search.h"
#include "dictionary/line_reader.h"
#include "dictionary/list_strings.h"
#include "dictionary/loose_match.h"
#include "dictionary/script_input.h"
#include "fuzz_support.h"

namespace {

using kv::fuzz::CInputCursor;

constexpr std::string_view kSeparator = "|||";

// The transliteration strings of the lines of the index file that begin with the key, exactly
// or (with `loose`) loosely, each with the number of lines that give it: the rows a search
// may list, each at most that often. Lines are cut where the search's reader cuts them.
std::map<std::string, int> MatchingTranslits(std::string_view index, const kv::CSearchKey& key,
                                             bool loose) {
  std::map<std::string, int> strings;
  char translit[kv::kRowBytes];
  char devanagari[kv::kRowBytes];
  for (const std::string& line : kv::fuzz::LinePieces(index, kv::kLineLimit - 1)) {
    const bool match =
        loose ? kv::LooseKeyMatches(line, key.m_folded) : kv::KeyMatches(line.c_str(), key.m_key);
    if (!match) continue;
    kv::MakeListStrings(line.c_str(), translit, devanagari, kv::kRowBytes);
    ++strings[translit];
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

  // Flag bit 0 ticks the ITRANS box, bit 4 makes every search loose.
  const kv::SearchInput request{searchText.c_str(), (flags & 1) != 0, (flags & 0x10) != 0};
  const kv::CSearchKey key = kv::ReadSearchKey(request);

  auto rows = std::make_unique<kv::CFoundRows>();
  auto entryText = std::make_unique<char[]>(kv::kEntryTextBytes);
  std::strcpy(entryText.get(), "untouched");
  kv::CPlainFoundList found;
  const kv::SearchOutcome outcome =
      kv::RunHeadwordSearch(request, list, index, *rows, found, entryText.get());
  KV_FUZZ_CHECK(::strnlen(entryText.get(), kv::kEntryTextBytes) <
                static_cast<std::size_t>(kv::kEntryTextBytes));

  switch (outcome) {
    case kv::SearchOutcome::kRefused:
      KV_FUZZ_CHECK(!key.Ok() && found.ItemCount() == 0);
      KV_FUZZ_CHECK(std::strcmp(entryText.get(), "untouched") == 0);
      break;
    case kv::SearchOutcome::kEmptyKey:
      KV_FUZZ_CHECK(key.Ok() && key.Empty());
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
    case kv::SearchOutcome::kFound:
    case kv::SearchOutcome::kFoundLoose: {
      KV_FUZZ_CHECK(key.Ok() && !key.Empty());
      KV_FUZZ_CHECK(found.ItemCount() >= 1 && found.ItemCount() <= kv::kMaxHits);
      KV_FUZZ_CHECK(std::strcmp(entryText.get(), "untouched") == 0);
      const std::map<std::string, int> exact = MatchingTranslits(files[1], key, false);
      std::map<std::string, int> allowed = exact;
      if (outcome == kv::SearchOutcome::kFoundLoose || request.alwaysLoose) {
        KV_FUZZ_CHECK(key.m_folded[0] != '\0');
        for (const auto& [translit, count] : MatchingTranslits(files[1], key, true)) {
          allowed[translit] = std::max(allowed[translit], count);
        }
      }
      // An exact hit comes first; the loose pass lists no record twice, so after no exact hit
      // no string comes more often than the index holds it.
      CheckRow(rows->m_translitRows[0]);
      KV_FUZZ_CHECK(outcome == kv::SearchOutcome::kFoundLoose ||
                    exact.count(rows->m_translitRows[0]) == 1);
      std::map<std::string, int> listed;
      for (int r = 0; r < found.ItemCount(); ++r) {
        CheckRow(rows->m_translitRows[r]);
        CheckRow(rows->m_devanagariRows[r]);
        KV_FUZZ_CHECK(allowed.count(rows->m_translitRows[r]) == 1);
        const int times = ++listed[rows->m_translitRows[r]];
        KV_FUZZ_CHECK(outcome == kv::SearchOutcome::kFound ||
                      times <= allowed[rows->m_translitRows[r]]);
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
