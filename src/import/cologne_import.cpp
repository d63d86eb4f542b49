#include "import/cologne_import.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

#include "dictionary/decoders.h"
#include "dictionary/letter_tables.h"
#include "dictionary/script_input.h"
#include "dictionary/transliteration.h"

namespace kv {

namespace {

// How often the progress handler hears of the import, in records.
constexpr long long kProgressEveryRecords = 1024;
// Sort ranks: the letters' ranks, then the other bytes after them.
constexpr std::uint32_t kByteRanks = 512;
constexpr std::uint32_t kFirstByteRank = kLetterCount;
constexpr std::string_view kParagraphBreak = " ; ";

// A letter's place in the alphabet: the vowels, the anusvara and the visarga, the consonants.
std::uint32_t LetterRank(int letter) {
  if (letter < kLetterVisarga) return static_cast<std::uint32_t>(letter);
  if (letter == kLetterAnusvara) return kLetterVisarga;
  if (letter == kLetterVisarga) return kLetterVisarga + 1;
  return static_cast<std::uint32_t>(letter) + 1;
}

std::string Iast(std::string_view internal) {
  std::string out;
  AppendIast(internal, out);
  return out;
}

// SLP1 text read into internal letters, the Vedic L and | as the q and Q they stand for.
CReadResult ReadSlp1(std::string_view text, std::string& internal, CReplacements& replaced) {
  std::string spelled(text);
  for (char& c : spelled) {
    if (c == 'L' || c == '|') {
      c = c == 'L' ? 'q' : 'Q';
      replaced.Count(Replacement::kVedicLetter);
    }
  }
  internal.clear();
  return ReadText(spelled, Scheme::kSlp1, internal);
}

std::string WithoutHyphens(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c != '-') out += c;
  }
  return out;
}

// <k2> as compound members joined by single hyphens: its first spelling (before a comma),
// tags left out, spaces and dashes read as hyphens; empty when it cannot be read.
std::string MarkedHeadword(std::string_view k2) {
  std::string plain;
  for (std::size_t i = 0; i < k2.size() && k2[i] != ','; ++i) {
    if (k2[i] == '<') {
      const std::size_t close = k2.find('>', i);
      if (close == std::string_view::npos) return {};
      i = close;
      continue;
    }
    plain += k2[i];
  }
  std::string internal;
  CReplacements ignored;  // counted once, in <k1>
  if (!ReadSlp1(plain, internal, ignored).Ok()) return {};
  std::string marked;
  for (char c : internal) {
    if (c == '\'') return {};
    if (c == ' ') c = '-';
    if (c == '-' && (marked.empty() || marked.back() == '-')) continue;
    marked += c;
  }
  while (!marked.empty() && marked.back() == '-') marked.pop_back();
  return marked;
}

}  // namespace

void CImportNotes::Add(int line, std::string text) {
  ++m_count;
  if (m_first.size() < kListedNotes) m_first.push_back({line, std::move(text)});
}

std::string HeadwordOf(std::string_view k1, std::string_view k2, CReplacements& replaced,
                       std::string& problem) {
  std::string letters;
  const CReadResult result = ReadSlp1(k1, letters, replaced);
  if (!result.Ok()) {
    std::size_t pos = result.m_at;
    const char32_t c = ReadUtf8(k1, pos);
    if (result.m_problem == TextProblem::kInvalidUtf8 || c == kNoCodePoint) {
      problem = "<k1> is not valid UTF-8";
    } else if (c > 0x20 && c < 0x7F) {
      problem =
          "<k1> holds '" + std::string(1, static_cast<char>(c)) + "', which is no SLP1 letter";
    } else {
      problem = "<k1> holds a character that is no SLP1 letter";
    }
    return {};
  }
  letters = WithoutHyphens(letters);
  if (letters.find_first_of(" '") != std::string::npos) {
    problem = "<k1> holds a space or an avagraha, which no headword can";
    return {};
  }
  if (letters.empty()) {
    problem = "<k1> holds no letter";
    return {};
  }
  std::string marked = MarkedHeadword(k2);
  return !marked.empty() && WithoutHyphens(marked) == letters ? marked : letters;
}

std::string ShortenedHeadword(std::string_view indexLine) {
  std::string line(indexLine);
  while (!line.empty() && !ListStringsProblem(line).empty()) {
    std::size_t lastLetter = 0;
    for (std::size_t pos = 0; pos < line.size();) {
      const CLetterAt letter = InternalLetterAt(line, pos);
      if (letter.m_bytes == 0) {
        ++pos;
        continue;
      }
      lastLetter = pos;
      pos += letter.m_bytes;
    }
    line.resize(lastLetter);
    while (!line.empty() && line.back() == '-') line.pop_back();
  }
  return line;
}

std::string_view CutEntry(std::string_view entry, std::size_t limit) {
  if (entry.size() <= limit) return entry;
  std::size_t at = entry.rfind(kParagraphBreak, limit);
  if (at == std::string_view::npos || at == 0) at = entry.rfind(' ', limit);
  if (at == std::string_view::npos || at == 0) at = limit;
  return entry.substr(0, at);
}

std::uint32_t SanskritOrderKey(std::string_view key) {
  std::uint32_t order = 0;
  int places = 0;
  for (std::size_t pos = 0; pos < key.size() && places < 2; ++places) {
    const CLetterAt letter = InternalLetterAt(key, pos);
    std::uint32_t rank = 0;
    if (letter.m_bytes == 0) {
      rank = kFirstByteRank + static_cast<unsigned char>(key[pos]);
      ++pos;
    } else {
      rank = LetterRank(letter.m_letter);
      pos += letter.m_bytes;
    }
    order = order * kByteRanks + rank + 1;
  }
  // A key of one place sorts before every key of two that begins with it.
  return places == 1 ? order * kByteRanks : order;
}

CCologneImporter::CCologneImporter(std::string fileName) { m_report.m_file = std::move(fileName); }

void CCologneImporter::Read(std::istream& in, std::uint64_t totalBytes,
                            const ImportProgressHandler& progress) {
  CRecordReader reader(in);
  CologneRecord record;
  while (reader.Next(record)) {
    ++m_report.m_recordsRead;
    Take(record);
    if (progress && m_report.m_recordsRead % kProgressEveryRecords == 0) {
      progress({m_report.m_recordsRead, reader.Lines().BytesRead(), totalBytes});
    }
  }
  FinishEntry();
  if (progress) progress({m_report.m_recordsRead, reader.Lines().BytesRead(), totalBytes});
  // An entry is finished only when the next word begins, so its notes may come late.
  for (CImportNotes* notes : {&m_report.m_skipped, &m_report.m_shortened, &m_report.m_cut}) {
    std::stable_sort(
        notes->m_first.begin(), notes->m_first.end(),
        [](const CImportNote& a, const CImportNote& b) { return a.m_line < b.m_line; });
  }

  if (m_report.m_recordsRead == 0) {
    if (reader.Lines().BytesRead() == 0) {
      m_report.m_fileProblem = "the file is empty";
    } else if (reader.Lines().FirstNulLine() > 0) {
      m_report.m_fileProblem = "not a text file (a NUL byte)";
      m_report.m_fileProblemLine = reader.Lines().FirstNulLine();
    } else {
      m_report.m_fileProblem = "no record found: no line begins with <L>";
    }
  }

  // Buckets in the order of their keys, the lexicon's own order inside each.
  std::vector<std::pair<std::uint32_t, std::size_t>> order;
  order.reserve(m_entries.size());
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    order.emplace_back(SanskritOrderKey(BucketKeyOf(m_entries[i].indexLine)), i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<SourceEntry> sorted;
  sorted.reserve(m_entries.size());
  for (const auto& [key, i] : order) sorted.push_back(std::move(m_entries[i]));
  m_entries = std::move(sorted);
}

void CCologneImporter::Skip(int line, std::string reason) {
  m_report.m_skipped.Add(line, std::move(reason));
}

void CCologneImporter::Take(const CologneRecord& record) {
  if (!record.Ok()) {
    Skip(record.m_problemLine, record.m_problem);
    return;
  }
  const bool sameWord =
      m_word.m_open && record.m_k1 == m_word.m_k1 && record.m_homonym == m_word.m_homonym;
  CReplacements replaced;
  std::string indexLine;
  if (!sameWord) {
    std::string problem;
    indexLine = HeadwordOf(record.m_k1, record.m_k2, replaced, problem);
    if (!problem.empty()) {
      Skip(record.m_line, problem);
      return;
    }
  }
  CBodyProblem problem;
  if (!ConvertBody(record.m_body, m_writer, replaced, problem)) {
    m_writer.Finish();
    Skip(record.BodyLineAt(problem.m_at), problem.m_reason);
    return;
  }
  std::string text = m_writer.Finish();
  m_report.m_replaced.Add(replaced);
  if (sameWord) {
    ++m_report.m_recordsMerged;
    std::string& entry = m_word.m_entry.entry;
    m_word.m_bytes += text.size() + (entry.empty() || text.empty() ? 0 : kParagraphBreak.size());
    // Past the longest entry line nothing more is kept: the entry is cut there anyway.
    if (text.empty() || entry.size() > kMaxDataLineBytes) return;
    if (!entry.empty()) entry += kParagraphBreak;
    entry += text;
    return;
  }
  FinishEntry();
  m_word.m_k1 = record.m_k1;
  m_word.m_homonym = record.m_homonym;
  m_word.m_entry = {std::move(indexLine), std::move(text), record.m_line};
  m_word.m_bytes = m_word.m_entry.entry.size();
  m_word.m_open = true;
}

void CCologneImporter::FinishEntry() {
  if (!m_word.m_open) return;
  m_word.m_open = false;
  SourceEntry& entry = m_word.m_entry;
  if (entry.entry.empty()) {
    Skip(entry.line, "the entry is empty once its markup is taken out");
    return;
  }
  if (m_word.m_bytes > kMaxDataLineBytes) {
    entry.entry.resize(CutEntry(entry.entry, kMaxDataLineBytes).size());
    m_report.m_cut.Add(entry.line, "the entry of '" + Iast(entry.indexLine) + "' is " +
                                       std::to_string(m_word.m_bytes) +
                                       " bytes long; cut at a paragraph boundary to " +
                                       std::to_string(entry.entry.size()) + " bytes");
  }
  std::string shortened = ShortenedHeadword(entry.indexLine);
  if (shortened != entry.indexLine) {
    m_report.m_shortened.Add(entry.line, "the headword '" + Iast(entry.indexLine) +
                                             "' is too long for a list row; shortened to '" +
                                             Iast(shortened) + "'");
    entry.indexLine = std::move(shortened);
  }
  std::string problem = SourceEntryProblem(entry);
  if (!problem.empty()) {
    Skip(entry.line, problem);
    return;
  }
  m_entries.push_back(std::move(entry));
}

CImportReport ImportCologneFile(const std::string& path, const std::string& outDir, bool strict,
                                const ImportProgressHandler& progress) {
  namespace fs = std::filesystem;
  CCologneImporter importer(path);
  std::error_code error;
  if (fs::is_directory(path, error)) {
    importer.Report().m_fileProblem = "a folder, not a file";
    return importer.Report();
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    importer.Report().m_fileProblem = "cannot read the file";
    return importer.Report();
  }
  const std::uintmax_t size = fs::file_size(path, error);
  importer.Read(in, error ? 0 : size, progress);
  CImportReport& report = importer.Report();
  if (in.bad()) report.m_fileProblem = "reading the file failed";
  if (!report.m_fileProblem.empty()) return report;
  if (importer.Entries().empty()) {
    report.m_fileProblem = "none of its records could be used";
    return report;
  }
  if (strict && report.m_skipped.m_count > 0) return report;
  report.m_written = WriteDictionary(importer.Entries(), path, outDir);
  report.m_wroteFiles = report.m_written.Ok();
  return report;
}

}  // namespace kv
