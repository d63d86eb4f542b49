// Fuzzes the import of Cologne lexicons: the bytes as a record body through the body
// converter, and as a whole file through the record reader, the converter, the merging and the
// ordering of the headwords. Whatever the bytes, what comes out is what the entry pane and the
// dictionary builder expect.
#include <sstream>
#include <string>
#include <string_view>

#include "dictionary/dictionary_builder.h"
#include "dictionary/letter_tables.h"
#include "dictionary/list_strings.h"
#include "fuzz_support.h"
#include "import/cologne_body.h"
#include "import/cologne_import.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// An entry line as the converter writes it: words parted by single spaces, paragraphs by the
// word ";"; a Sanskrit word has its "%" first and nothing after it that the transliteration
// would drop or read as a letter but its own letters; no other word holds "%" or ";".
void CheckEntryLine(std::string_view entry) {
  KV_FUZZ_CHECK(!entry.starts_with(' ') && !entry.ends_with(' '));
  KV_FUZZ_CHECK(entry.find("  ") == std::string_view::npos);
  KV_FUZZ_CHECK(!entry.starts_with(";") && !entry.ends_with(" ;"));
  KV_FUZZ_CHECK(entry.find("; ;") == std::string_view::npos);
  std::size_t pos = 0;
  while (pos <= entry.size()) {
    const std::size_t end = std::min(entry.find(' ', pos), entry.size());
    const std::string_view word = entry.substr(pos, end - pos);
    KV_FUZZ_CHECK(!word.empty());
    if (word != ";") {
      KV_FUZZ_CHECK(word.find(';') == std::string_view::npos);
      KV_FUZZ_CHECK(kv::IsSanskritWord(word) == word.starts_with('%'));
      if (word.starts_with('%')) {
        for (const char c : word.substr(1)) {
          KV_FUZZ_CHECK(c != '%' && c != '@' && !IsDigit(c) &&
                        static_cast<unsigned char>(c) != 0xF3);
        }
      } else {
        KV_FUZZ_CHECK(word.find('%') == std::string_view::npos);
      }
    }
    pos = end + 1;
  }
  for (const char c : entry) {
    KV_FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // The bytes as one body: converted, or refused at a place inside them.
  kv::CEntryWriter writer;
  kv::CReplacements replaced;
  kv::CBodyProblem problem;
  const bool converted = kv::ConvertBody(bytes, writer, replaced, problem);
  const std::string entry = writer.Finish();
  KV_FUZZ_CHECK(converted ? problem.m_reason.empty()
                          : !problem.m_reason.empty() && problem.m_at < bytes.size());
  if (!entry.empty()) CheckEntryLine(entry);

  // The bytes as a file: every record is skipped, merged or begins a headword; every headword
  // is one the builder takes, its entry as above, the buckets in the alphabet's order.
  kv::CCologneImporter importer("fuzz");
  std::istringstream in(bytes);
  importer.Read(in);
  const kv::CImportReport& report = importer.Report();
  const auto& entries = importer.Entries();
  KV_FUZZ_CHECK(report.m_recordsRead == report.m_recordsMerged + report.m_skipped.m_count +
                                            static_cast<long long>(entries.size()));
  KV_FUZZ_CHECK(report.m_skipped.m_first.size() <= kv::kListedNotes);
  std::uint32_t previous = 0;
  for (const kv::SourceEntry& headword : entries) {
    KV_FUZZ_CHECK(kv::SourceEntryProblem(headword).empty());
    CheckEntryLine(headword.entry);
    const std::uint32_t order = kv::SanskritOrderKey(kv::BucketKeyOf(headword.indexLine));
    KV_FUZZ_CHECK(order >= previous);
    previous = order;
  }
  return 0;
}
