#include "dictionary/dictionary_check.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <unordered_map>

#include "dictionary/found_rows.h"

namespace kv {

namespace {

// A non-empty line, as the line reader hands it out, with its number in the file (line ends
// CR LF, CR or LF each end one line).
struct FileLine {
  std::size_t start = 0;
  std::size_t length = 0;
  int number = 0;
};

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::vector<FileLine> SplitLines(std::string_view bytes) {
  std::vector<FileLine> lines;
  int number = 1;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = pos;
    while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
    if (end > pos) lines.push_back({pos, end - pos, number});
    if (end == bytes.size()) break;
    pos = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    ++number;
  }
  return lines;
}

// Reads an offset the way the program does (atoi: white space, sign, digits, the rest
// ignored); nothing when the line does not begin with a number.
std::optional<long long> ReadOffset(std::string_view line) {
  std::size_t pos = 0;
  while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos]))) ++pos;
  bool negative = false;
  if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) negative = line[pos++] == '-';
  if (pos >= line.size() || !std::isdigit(static_cast<unsigned char>(line[pos]))) {
    return std::nullopt;
  }
  long long value = 0;
  for (; pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos])); ++pos) {
    if (value <= LLONG_MAX / 100) value = value * 10 + (line[pos] - '0');
  }
  return negative ? -value : value;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

class CChecker {
 public:
  CChecker(std::string_view list, std::string_view index, std::string_view text)
      : m_list(list), m_index(index), m_text(text) {}

  CheckResult Run() {
    m_listLines = LinesOf(m_list, kListFileName, kMaxListLineBytes);
    m_indexLines = LinesOf(m_index, kIndexFileName, kMaxDataLineBytes);
    m_textLines = LinesOf(m_text, kTextFileName, kMaxDataLineBytes);
    CheckIndexRecords();
    CheckBuckets();
    return std::move(m_result);
  }

 private:
  void Problem(const char* file, int line, std::string reason) {
    m_result.problems.push_back({file, line, std::move(reason)});
  }

  std::string_view Text(std::string_view bytes, const FileLine& line) const {
    return bytes.substr(line.start, line.length);
  }

  // Splits a file and reports lines too long for the program's buffer and NUL bytes.
  std::vector<FileLine> LinesOf(std::string_view bytes, const char* file, std::size_t maxBytes) {
    std::vector<FileLine> lines = SplitLines(bytes);
    for (const auto& line : lines) {
      if (line.length > maxBytes) {
        Problem(file, line.number,
                "line of " + std::to_string(line.length) + " bytes is longer than " +
                    std::to_string(maxBytes) + " bytes");
      }
      if (Text(bytes, line).find('\0') != std::string_view::npos) {
        Problem(file, line.number, "NUL byte in the line");
      }
    }
    return lines;
  }

  // The line start that a reader placed at `offset` reads from: it steps over line-end bytes.
  static std::size_t LineStartAt(std::string_view bytes, std::size_t offset) {
    while (offset < bytes.size() && IsLineEnd(bytes[offset])) ++offset;
    return offset;
  }

  // Number of the line of `lines` that holds byte `offset`, for messages.
  static int LineNumberAt(const std::vector<FileLine>& lines, std::size_t offset) {
    auto it = std::upper_bound(lines.begin(), lines.end(), offset,
                               [](std::size_t o, const FileLine& l) { return o < l.start; });
    return it == lines.begin() ? 1 : std::prev(it)->number;
  }

  void CheckIndexRecords() {
    if (m_indexLines.size() % 2 != 0) {
      Problem(kIndexFileName, m_indexLines.back().number, "index line without its offset line");
    }
    std::size_t recordCount = m_indexLines.size() / 2;
    m_result.headwordCount = static_cast<int>(recordCount);
    for (std::size_t r = 0; r < recordCount; ++r) {
      const FileLine& indexLine = m_indexLines[2 * r];
      const FileLine& offsetLine = m_indexLines[2 * r + 1];
      m_recordAt.emplace(indexLine.start, r);
      std::string problem = ListStringsProblem(Text(m_index, indexLine));
      if (!problem.empty()) Problem(kIndexFileName, indexLine.number, problem);
      CheckEntryOffset(Text(m_index, offsetLine), offsetLine.number);
    }
  }

  void CheckEntryOffset(std::string_view line, int number) {
    std::optional<long long> offset = ReadOffset(line);
    if (!offset) {
      Problem(kIndexFileName, number, "offset line " + Quoted(line) + " is not a number");
      return;
    }
    std::string at = "entry offset " + std::to_string(*offset);
    if (*offset < 0 || *offset > INT_MAX) {
      Problem(kIndexFileName, number, at + " is out of range");
      return;
    }
    std::size_t start = LineStartAt(m_text, static_cast<std::size_t>(*offset));
    if (start >= m_text.size()) {
      Problem(kIndexFileName, number, at + " is past the last entry of " + kTextFileName);
    } else if (start > 0 && !IsLineEnd(m_text[start - 1])) {
      Problem(kIndexFileName, number,
              at + " points into the middle of " + kTextFileName + " line " +
                  std::to_string(LineNumberAt(m_textLines, start)));
    }
  }

  // The index record that a reader placed at `offset` starts with, or the record count for
  // the end of the file; nothing when the offset lands anywhere else.
  std::optional<std::size_t> RecordAt(long long offset) const {
    if (offset < 0 || static_cast<unsigned long long>(offset) > m_index.size()) return {};
    std::size_t start = LineStartAt(m_index, static_cast<std::size_t>(offset));
    if (start == m_index.size()) return m_indexLines.size() / 2;
    auto it = m_recordAt.find(start);
    if (it == m_recordAt.end()) return {};
    return it->second;
  }

  void CheckBuckets() {
    if (m_listLines.size() % 2 != 0) {
      Problem(kListFileName, m_listLines.back().number, "key line without its offset line");
    }
    std::size_t recordCount = m_listLines.size() / 2;
    if (recordCount == 0) {
      Problem(kListFileName, 0,
              "no record: the last record must give the length of " + std::string(kIndexFileName));
      return;
    }
    // Where each kvlist record's offset lands in kvindx.txt, in index records.
    std::vector<std::optional<std::size_t>> starts;
    for (std::size_t b = 0; b < recordCount; ++b) {
      const FileLine& offsetLine = m_listLines[2 * b + 1];
      std::string_view text = Text(m_list, offsetLine);
      std::optional<long long> offset = ReadOffset(text);
      starts.emplace_back();
      if (!offset) {
        Problem(kListFileName, offsetLine.number,
                "offset line " + Quoted(text) + " is not a number");
        continue;
      }
      starts.back() = RecordAt(*offset);
      // The closing record's offset is held to the length check below.
      if (!starts.back() && b + 1 < recordCount) {
        Problem(kListFileName, offsetLine.number,
                "offset " + std::to_string(*offset) + " is not the start of a record of " +
                    kIndexFileName);
      }
    }
    const FileLine& closing = m_listLines[2 * (recordCount - 1) + 1];
    std::optional<long long> end = ReadOffset(Text(m_list, closing));
    if (end && *end != static_cast<long long>(m_index.size())) {
      Problem(kListFileName, closing.number,
              "the last record's offset " + std::to_string(*end) + " is not the length of " +
                  kIndexFileName + " (" + std::to_string(m_index.size()) + ")");
    }
    std::size_t bucketCount = recordCount - 1;
    m_result.bucketCount = static_cast<int>(bucketCount);
    if (starts[0] && *starts[0] != 0 && !m_indexLines.empty()) {
      Problem(kIndexFileName, m_indexLines[0].number,
              "the records before the first bucket's offset are in no bucket");
    }
    std::unordered_map<std::string, int> firstKeyLine;
    for (std::size_t b = 0; b < bucketCount; ++b) {
      const FileLine& keyLine = m_listLines[2 * b];
      std::string key(Text(m_list, keyLine).substr(0, 2));
      auto [it, added] = firstKeyLine.try_emplace(key, keyLine.number);
      if (!added) {
        Problem(kListFileName, keyLine.number,
                "bucket " + Quoted(key) + " again (first at line " + std::to_string(it->second) +
                    "): its headwords are not contiguous");
      }
      if (!starts[b] || !starts[b + 1]) continue;
      if (*starts[b] >= *starts[b + 1]) {
        Problem(kListFileName, m_listLines[2 * b + 1].number,
                "bucket " + Quoted(key) + " holds no record: its offset is not below the next one");
        continue;
      }
      for (std::size_t r = *starts[b]; r < *starts[b + 1]; ++r) {
        const FileLine& indexLine = m_indexLines[2 * r];
        std::string own = BucketKeyOf(Text(m_index, indexLine));
        if (own != key) {
          Problem(kIndexFileName, indexLine.number,
                  "headword " + Quoted(Text(m_index, indexLine)) + " of bucket " + Quoted(own) +
                      " stands in bucket " + Quoted(key) + " (" + kListFileName + " line " +
                      std::to_string(keyLine.number) + ")");
        }
      }
    }
  }

  std::string_view m_list;
  std::string_view m_index;
  std::string_view m_text;
  std::vector<FileLine> m_listLines;
  std::vector<FileLine> m_indexLines;
  std::vector<FileLine> m_textLines;
  std::unordered_map<std::size_t, std::size_t> m_recordAt;  // index-line start -> record
  CheckResult m_result;
};

}  // namespace

CheckResult CheckDictionaryData(std::string_view list, std::string_view index,
                                std::string_view text) {
  return CChecker(list, index, text).Run();
}

CheckResult CheckDictionaryFiles(const std::string& dir) {
  namespace fs = std::filesystem;
  const char* names[] = {kListFileName, kIndexFileName, kTextFileName};
  std::string contents[3];
  CheckResult missing;
  for (int i = 0; i < 3; ++i) {
    std::string path = (fs::path(dir) / names[i]).string();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      missing.missingFile = true;
      missing.problems.push_back({path, 0, "cannot read the file"});
      continue;
    }
    contents[i].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (missing.missingFile) return missing;
  CheckResult result = CheckDictionaryData(contents[0], contents[1], contents[2]);
  for (auto& problem : result.problems) problem.file = (fs::path(dir) / problem.file).string();
  return result;
}

}  // namespace kv
