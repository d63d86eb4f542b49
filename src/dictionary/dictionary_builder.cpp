#include "dictionary/dictionary_builder.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unordered_map>

#include "dictionary/decoders.h"
#include "dictionary/found_rows.h"
#include "dictionary/headword_search.h"
#include "dictionary/letter_tables.h"
#include "dictionary/list_strings.h"

namespace kv {

namespace {

// Scratch size for measuring list strings: far more than any accepted index line can need,
// so a string that comes back shorter than this was not cut.
constexpr int kListScratchBytes = 4096;
// An index line longer than this cannot have list strings that fit a row unless it is
// almost all markers; refusing it keeps the measuring scratch safely large enough.
constexpr std::size_t kMaxIndexLineBytes = 400;
// The reader warns about a line that fills its destination but for the terminator, even
// when the line end follows at once, so the longest entry read without a warning is two
// bytes shorter than the read limit.
constexpr std::size_t kMaxEntryBytes = kMaxDataLineBytes;

std::string CodePointName(char32_t cp) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
  return name;
}

bool IsControl(char32_t cp) { return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F); }

// A line of nothing but spaces and tabs.
bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Converts the index-line part of a source line into its bytes; empty result with `reason`
// set when it holds a character that is neither an internal letter nor a marker byte.
std::string ConvertIndexLine(std::string_view part, std::string& reason) {
  std::string out;
  std::size_t pos = 0;
  while (pos < part.size()) {
    std::size_t at = pos;
    char32_t cp = ReadUtf8(part, pos);
    if (cp == kNoCodePoint) {
      reason = "invalid UTF-8 at byte " + std::to_string(at + 1) + " of the index line";
      return {};
    }
    if (cp == 0xF3) {
      out += static_cast<char>(0xF3);
    } else if (cp < 0x80 && (IsInternalLetterByte(static_cast<unsigned char>(cp)) ||
                             IsMarkerByte(static_cast<unsigned char>(cp)))) {
      out += static_cast<char>(cp);
    } else {
      reason = "index line holds " + CodePointName(cp) +
               ", which is neither an internal letter nor a marker byte";
      return {};
    }
  }
  return out;
}

// Converts the entry part of a source line to Windows-1252; empty with `reason` on failure.
std::string ConvertEntry(std::string_view part, std::string& reason) {
  std::string out;
  out.reserve(part.size());
  std::size_t pos = 0;
  while (pos < part.size()) {
    std::size_t at = pos;
    char32_t cp = ReadUtf8(part, pos);
    if (cp == kNoCodePoint) {
      reason = "invalid UTF-8 at byte " + std::to_string(at + 1) + " of the entry";
      return {};
    }
    int b = Windows1252Byte(cp);
    if (b < 0) {
      reason = "character " + CodePointName(cp) + " cannot be written in Windows-1252";
      return {};
    }
    out += static_cast<char>(b);
  }
  return out;
}

std::string IndexLineProblem(std::string_view indexLine) {
  bool hasLetter = false;
  for (const char c : indexLine) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsInternalLetterByte(byte)) {
      hasLetter = true;
    } else if (!IsMarkerByte(byte)) {
      return "index line holds the byte " + CodePointName(byte) +
             ", which is neither an internal letter nor a marker byte";
    }
  }
  if (!hasLetter) return "empty headword";
  return ListStringsProblem(indexLine);
}

std::string EntryBytesProblem(std::string_view entry) {
  if (entry.empty()) return "empty entry";
  if (entry.size() > kMaxEntryBytes) {
    return "entry of " + std::to_string(entry.size()) + " bytes is longer than " +
           std::to_string(kMaxEntryBytes) + " bytes";
  }
  for (const char c : entry) {
    const char32_t cp = Windows1252CodePoint(static_cast<unsigned char>(c));
    if (IsControl(cp)) return "control character " + CodePointName(cp) + " in the entry";
  }
  return {};
}

// Parses one source line that is not a comment; empty `reason` when it is good.
SourceEntry ParseLine(std::string_view line, std::string& reason) {
  SourceEntry result;
  std::size_t nul = line.find('\0');
  if (nul != std::string_view::npos) {
    reason = "NUL byte at byte " + std::to_string(nul + 1) + " of the line";
    return result;
  }
  if (line.find('\r') != std::string_view::npos) {
    reason = "CR inside the line";
    return result;
  }
  std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) {
    reason = "missing TAB between the index line and the entry";
    return result;
  }
  result.indexLine = ConvertIndexLine(line.substr(0, tab), reason);
  if (!reason.empty()) return result;
  result.entry = ConvertEntry(line.substr(tab + 1), reason);
  if (!reason.empty()) return result;
  reason = SourceEntryProblem(result);
  return result;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

std::string BucketKeyOf(std::string_view indexLine) {
  std::string key;
  for (char c : indexLine) {
    if (key.size() == 2) break;
    if (!IsMatchIgnoredByte(static_cast<unsigned char>(c))) key += c;
  }
  return key;
}

std::string ListStringsProblem(std::string_view indexLine) {
  if (indexLine.size() > kMaxIndexLineBytes) {
    return "index line of " + std::to_string(indexLine.size()) +
           " bytes is too long for its list strings";
  }
  std::string line(indexLine);
  char translit[kListScratchBytes];
  char devanagari[kListScratchBytes];
  MakeListStrings(line.c_str(), translit, devanagari, kListScratchBytes);
  std::size_t translitBytes = std::strlen(translit) + 1;
  std::size_t devanagariBytes = std::strlen(devanagari) + 1;
  std::string rowBytes = std::to_string(kRowBytes);
  if (translitBytes > static_cast<std::size_t>(kRowBytes)) {
    return "transliteration string needs " + std::to_string(translitBytes) +
           " bytes, a list row holds " + rowBytes;
  }
  if (devanagariBytes > static_cast<std::size_t>(kRowBytes)) {
    return "Devanagari string needs " + std::to_string(devanagariBytes) +
           " bytes, a list row holds " + rowBytes;
  }
  return {};
}

std::string SourceEntryProblem(const SourceEntry& entry) {
  std::string problem = IndexLineProblem(entry.indexLine);
  return problem.empty() ? EntryBytesProblem(entry.entry) : problem;
}

std::vector<SourceEntry> ParseSource(std::string_view bytes, const std::string& fileName,
                                     std::vector<DictionaryError>& errors) {
  std::vector<SourceEntry> entries;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  int number = 0;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    ++number;
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (IsBlank(line) || line.front() == '#') continue;
    std::string reason;
    SourceEntry entry = ParseLine(line, reason);
    if (!reason.empty()) {
      errors.push_back({fileName, number, reason});
      continue;
    }
    entry.line = number;
    entries.push_back(std::move(entry));
  }
  return entries;
}

DictionaryFiles LayOutDictionary(const std::vector<SourceEntry>& entries) {
  DictionaryFiles files;
  std::vector<std::string> keys;
  std::vector<std::vector<std::size_t>> members;
  std::unordered_map<std::string, std::size_t> bucketOf;
  std::vector<std::size_t> entryOffsets;
  entryOffsets.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entryOffsets.push_back(files.text.size());
    files.text += entries[i].entry;
    files.text += "\r\n";
    std::string key = BucketKeyOf(entries[i].indexLine);
    auto [it, added] = bucketOf.try_emplace(key, keys.size());
    if (added) {
      keys.push_back(key);
      members.emplace_back();
    }
    members[it->second].push_back(i);
  }
  for (std::size_t b = 0; b < keys.size(); ++b) {
    files.list += keys[b] + "\r\n" + std::to_string(files.index.size()) + "\r\n";
    for (std::size_t i : members[b]) {
      files.index += entries[i].indexLine + "\r\n" + std::to_string(entryOffsets[i]) + "\r\n";
    }
  }
  files.list += std::string(kClosingKeyLine) + "\r\n" + std::to_string(files.index.size()) + "\r\n";
  files.bucketCount = static_cast<int>(keys.size());
  return files;
}

BuildResult WriteDictionary(const std::vector<SourceEntry>& entries, const std::string& sourceName,
                            const std::string& outDir) {
  namespace fs = std::filesystem;
  BuildResult result;
  if (entries.empty()) {
    result.errors.push_back({sourceName, 0, "the source holds no headword"});
    return result;
  }
  DictionaryFiles files = LayOutDictionary(entries);
  // The program reads every offset into an int.
  if (files.text.size() > static_cast<std::size_t>(INT_MAX) ||
      files.index.size() > static_cast<std::size_t>(INT_MAX)) {
    result.errors.push_back({sourceName, 0, "the dictionary is too large for int offsets"});
    return result;
  }

  std::error_code error;
  fs::path dir(outDir);
  fs::create_directories(dir, error);
  if (error || !fs::is_directory(dir)) {
    result.errors.push_back({outDir, 0, "cannot create the output directory"});
    return result;
  }
  struct Output {
    const char* name;
    const std::string* bytes;
  };
  const Output outputs[] = {
      {kListFileName, &files.list}, {kIndexFileName, &files.index}, {kTextFileName, &files.text}};
  std::vector<fs::path> temporaries;
  auto removeTemporaries = [&] {
    for (const auto& path : temporaries) fs::remove(path, error);
  };
  for (const auto& output : outputs) {
    fs::path temporary = dir / (std::string(output.name) + ".part");
    temporaries.push_back(temporary);
    if (!WriteFile(temporary, *output.bytes)) {
      result.errors.push_back({temporary.string(), 0, "cannot write the file"});
      removeTemporaries();
      return result;
    }
  }
  for (std::size_t i = 0; i < temporaries.size(); ++i) {
    fs::rename(temporaries[i], dir / outputs[i].name, error);
    if (error) {
      result.errors.push_back(
          {(dir / outputs[i].name).string(), 0, "cannot replace the file: " + error.message()});
      removeTemporaries();
      return result;
    }
  }
  result.headwordCount = static_cast<int>(entries.size());
  result.bucketCount = files.bucketCount;
  return result;
}

BuildResult BuildDictionary(const std::string& sourcePath, const std::string& outDir) {
  BuildResult result;
  std::ifstream in(sourcePath, std::ios::binary);
  if (!in) {
    result.errors.push_back({sourcePath, 0, "cannot read the source file"});
    return result;
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<SourceEntry> entries = ParseSource(bytes, sourcePath, result.errors);
  if (!result.errors.empty()) return result;
  return WriteDictionary(entries, sourcePath, outDir);
}

}  // namespace kv
