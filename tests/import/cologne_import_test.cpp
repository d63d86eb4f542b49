#include "import/cologne_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "dictionary/decoders.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/headword_search.h"
#include "dictionary_fixture.h"
#include "test_files.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// What an import made of a file, as the .expected files beside the inputs spell it: each
// headword's index line and entry (Windows-1252 shown as UTF-8), then the report.
std::string Dump(const CCologneImporter& importer) {
  std::string out;
  for (const SourceEntry& entry : importer.Entries()) {
    out += entry.indexLine + "\t" + DecodeWindows1252(entry.entry) + "\n";
  }
  const CImportReport& report = importer.Report();
  const std::pair<const char*, const CImportNotes*> notes[] = {
      {"skipped", &report.m_skipped}, {"shortened", &report.m_shortened}, {"cut", &report.m_cut}};
  for (const auto& [kind, list] : notes) {
    for (const CImportNote& note : list->m_first) {
      out += std::string(kind) + " " + std::to_string(note.m_line) + ": " + note.m_text + "\n";
    }
  }
  out += "read " + std::to_string(report.m_recordsRead) + ", merged " +
         std::to_string(report.m_recordsMerged) + ", skipped " +
         std::to_string(report.m_skipped.m_count) + ", shortened " +
         std::to_string(report.m_shortened.m_count) + ", cut " +
         std::to_string(report.m_cut.m_count) + "\n";
  for (std::size_t i = 0; i < kReplacementKinds; ++i) {
    if (report.m_replaced.m_counts[i] == 0) continue;
    out += "replaced " + std::string(ReplacementName(static_cast<Replacement>(i))) + ": " +
           std::to_string(report.m_replaced.m_counts[i]) + "\n";
  }
  if (!report.m_fileProblem.empty()) {
    out += "file " + std::to_string(report.m_fileProblemLine) + ": " + report.m_fileProblem + "\n";
  }
  return out;
}

CCologneImporter Import(const std::string& bytes) {
  CCologneImporter importer("test");
  std::istringstream in(bytes);
  importer.Read(in);
  return importer;
}

// Records of each markup family, and bad ones, become the entries and the report written
// beside them.
TEST(CologneImport, EachFileGivesTheExpectedEntriesAndReport) {
  int files = 0;
  for (const auto& item : fs::directory_iterator(fs::path(KV_TEST_DATA_DIR) / "import")) {
    if (item.path().extension() != ".txt") continue;
    SCOPED_TRACE(item.path().filename().string());
    ++files;
    CCologneImporter importer = Import(ReadFile(item.path()));
    fs::path expected = item.path();
    expected.replace_extension(".expected");
    EXPECT_EQ(Dump(importer), ReadFile(expected));
    for (const SourceEntry& entry : importer.Entries()) EXPECT_EQ(SourceEntryProblem(entry), "");
  }
  EXPECT_GE(files, 4);
}

// Lines as the record reader sees them, with a CR LF split by the 64 KiB block the stream is
// read in, a byte-order mark, a NUL byte and a line longer than the kept part.
TEST(CologneImport, SourceLinesEndAtCrLfCrAndLf) {
  const std::string firstLine(64 * 1024 - 4, 'a');
  const std::string nul(1, '\0');
  const std::string bytes = "\xEF\xBB\xBF" + firstLine + "\r\nb\rc\n\nd" + nul + "e\r\n" +
                            std::string(kMaxSourceLineBytes + 10, 'f');
  std::istringstream in(bytes);
  CSourceLines lines(in);
  std::vector<std::pair<std::size_t, std::uint64_t>> got;
  while (lines.Next()) got.emplace_back(lines.Line().size(), lines.Length());
  const std::vector<std::pair<std::size_t, std::uint64_t>> expected = {
      {firstLine.size(), firstLine.size()},           {1, 1}, {1, 1}, {0, 0}, {3, 3},
      {kMaxSourceLineBytes, kMaxSourceLineBytes + 10}};
  EXPECT_EQ(got, expected);
  EXPECT_EQ(lines.Number(), 6);
  EXPECT_EQ(lines.FirstNulLine(), 5);
  EXPECT_EQ(lines.BytesRead(), bytes.size());
}

// Inputs no lexicon is made of: each gives its reason and nothing to write.
TEST(CologneImport, FilesWithoutRecordsSayWhy) {
  EXPECT_EQ(Import(std::string("\x7F"
                               "ELF\x02\x01\0\0\0\n\0\x01",
                               12))
                .Report()
                .m_fileProblem,
            "not a text file (a NUL byte)");
  test::CTempDir dir;
  const ImportProgressHandler none;
  EXPECT_EQ(ImportCologneFile(dir.Path().string(), (dir.Path() / "out").string(), false, none)
                .m_fileProblem,
            "a folder, not a file");
  EXPECT_EQ(
      ImportCologneFile((dir.Path() / "absent.txt").string(), "out", false, none).m_fileProblem,
      "cannot read the file");
  EXPECT_FALSE(fs::exists(dir.Path() / "out"));
}

// A line of 50 MB in a record skips that record alone; with --strict nothing is written.
TEST(CologneImport, HugeLineSkipsItsRecordAndStrictWritesNothing) {
  test::CTempDir dir;
  const fs::path source = dir.Path() / "huge.txt";
  {
    std::ofstream out(source, std::ios::binary);
    out << "<L>1<pc>1<k1>deva<k2>deva\n";
    const std::string block(1 << 20, 'x');
    for (int i = 0; i < 50; ++i) out << block;
    out << "\n<LEND>\n<L>2<pc>1<k1>nara<k2>nara\n<s>nara</s> \xC2\xA6 a man\n<LEND>\n";
  }
  const fs::path strictOut = dir.Path() / "strict";
  const CImportReport strict = ImportCologneFile(source.string(), strictOut.string(), true);
  EXPECT_FALSE(strict.m_wroteFiles);
  EXPECT_FALSE(fs::exists(strictOut));

  const fs::path out = dir.Path() / "out";
  const CImportReport report = ImportCologneFile(source.string(), out.string(), false);
  ASSERT_EQ(report.m_skipped.m_first.size(), 1u);
  EXPECT_EQ(report.m_skipped.m_first[0].m_line, 2);
  EXPECT_EQ(report.m_skipped.m_first[0].m_text,
            "line of 52428800 bytes is longer than 1048576 bytes");
  EXPECT_TRUE(report.m_wroteFiles);
  EXPECT_EQ(report.m_written.headwordCount, 1);
}

// Records of one word past the longest entry line: cut at the last paragraph break that
// fits, and reported.
TEST(CologneImport, LongEntryIsCutAtAParagraph) {
  const std::string sense = "<div n=\"to\"/> " + test::Repeat("a long sense ", 2000) + "\n";
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += "<L>1<pc>1<k1>deva<k2>deva\n" + sense + "<LEND>\n";
  const CCologneImporter importer = Import(bytes);
  ASSERT_EQ(importer.Entries().size(), 1u);
  const std::string& entry = importer.Entries()[0].entry;
  EXPECT_LE(entry.size(), kMaxDataLineBytes);
  EXPECT_GT(entry.size(), kMaxDataLineBytes - sense.size());
  EXPECT_TRUE(entry.ends_with("a long sense"));
  EXPECT_EQ(importer.Report().m_recordsMerged, 7);
  ASSERT_EQ(importer.Report().m_cut.m_count, 1);
  EXPECT_EQ(importer.Report().m_cut.m_first[0].m_text,
            // eight senses of 25,999 bytes and seven breaks " ; "
            "the entry of 'deva' is 208013 bytes long; cut at a paragraph boundary to " +
                std::to_string(entry.size()) + " bytes");
}

// Bucket keys in the order of the alphabet: the vowels, anusvara and visarga, the consonants;
// a key's first letter before its second, a one-letter key before its two-letter ones.
TEST(CologneImport, BucketKeysSortInSanskritOrder) {
  const char* keys[] = {"",   "a",  "aM",  "aH", "ak", "ah", "A", "au", "M", "H", "k", "ka", "kR",
                        "kS", "kh", "kha", "G",  "c",  "J",  "T", "Dh", "N", "t", "h", "%a"};
  for (std::size_t i = 1; i < std::size(keys); ++i) {
    EXPECT_LT(SanskritOrderKey(keys[i - 1]), SanskritOrderKey(keys[i])) << keys[i];
  }
}

// Imported, the files pass kvdict check, every headword is found by its letters and shows
// the entry it was made with.
class CologneImportEndToEnd : public test::CDictionaryTest {};

TEST_F(CologneImportEndToEnd, EveryHeadwordIsFoundWithItsEntry) {
  for (const char* name : {"angle_tags", "brace_spans", "iast_spans", "bad_records", "bad_ends"}) {
    SCOPED_TRACE(name);
    const fs::path source = fs::path(KV_TEST_DATA_DIR) / "import" / (std::string(name) + ".txt");
    const std::string out = (m_dir.Path() / name).string();
    const CImportReport report = ImportCologneFile(source.string(), out, false);
    ASSERT_TRUE(report.m_wroteFiles);
    EXPECT_TRUE(CheckDictionaryFiles(out).Clean());
    ASSERT_TRUE(m_dictionary.Open(out));
    const CCologneImporter importer = Import(ReadFile(source));
    for (const SourceEntry& entry : importer.Entries()) {
      std::string key;
      for (const char c : entry.indexLine) {
        if (c != '-') key += c;
      }
      key.resize(std::min(key.size(), static_cast<std::size_t>(kKeyBytes - 1)));
      ASSERT_EQ(Search(key.c_str()), SearchOutcome::kFound) << key;
      const auto entries = Entries();
      EXPECT_NE(std::find(entries.begin(), entries.end(), entry.entry), entries.end()) << key;
    }
  }
}

}  // namespace
}  // namespace kv
