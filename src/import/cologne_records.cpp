#include "import/cologne_records.h"

#include <algorithm>
#include <array>

namespace kv {

namespace {

constexpr std::string_view kHeaderStart = "<L>";
constexpr std::string_view kRecordEnd = "<LEND>";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = line.find_last_not_of(" \t");
  return line.substr(first, last - first + 1);
}

bool IsHeader(std::string_view line) { return line.starts_with(kHeaderStart); }
bool IsRecordEnd(std::string_view line) { return Trimmed(line) == kRecordEnd; }

std::string Bytes(std::uint64_t count) { return std::to_string(count) + " bytes"; }

// The header fields in the order the format gives them, with where each one goes.
struct CHeaderField {
  std::string_view tag;
  std::string CologneRecord::*value;
  bool required;
};
constexpr std::array<CHeaderField, 6> kHeaderFields = {{
    {"<L>", &CologneRecord::m_id, true},
    {"<pc>", nullptr, true},
    {"<k1>", &CologneRecord::m_k1, true},
    {"<k2>", &CologneRecord::m_k2, true},
    {"<h>", &CologneRecord::m_homonym, false},
    {"<e>", nullptr, false},
}};

// The header field whose tag begins `text`, or -1.
int FieldAt(std::string_view text) {
  for (std::size_t i = 0; i < kHeaderFields.size(); ++i) {
    if (text.starts_with(kHeaderFields[i].tag)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

CSourceLines::CSourceLines(std::istream& in) : m_in(in), m_chunk(kChunkBytes) {}

bool CSourceLines::Fill() {
  m_in.read(m_chunk.data(), static_cast<std::streamsize>(m_chunk.size()));
  m_pos = 0;
  m_end = static_cast<std::size_t>(m_in.gcount());
  m_bytesRead += m_end;
  return m_end > 0;
}

void CSourceLines::Keep(const char* bytes, std::size_t count) {
  m_length += count;
  const std::size_t room = kMaxSourceLineBytes - std::min(m_line.size(), kMaxSourceLineBytes);
  m_line.append(bytes, std::min(count, room));
}

bool CSourceLines::Next() {
  m_line.clear();
  m_length = 0;
  bool begun = false;
  bool nul = false;
  for (;;) {
    if (m_pos == m_end && !Fill()) {
      if (!begun) return false;
      break;
    }
    if (m_afterCr) {
      // The LF of a CR LF pair belongs to the line the CR ended.
      m_afterCr = false;
      if (m_chunk[m_pos] == '\n') {
        ++m_pos;
        continue;
      }
    }
    begun = true;
    const char* start = m_chunk.data() + m_pos;
    const char* end = m_chunk.data() + m_end;
    const char* p = start;
    while (p != end && *p != '\n' && *p != '\r') {
      nul = nul || *p == '\0';
      ++p;
    }
    Keep(start, static_cast<std::size_t>(p - start));
    m_pos += static_cast<std::size_t>(p - start);
    if (p != end) {
      m_afterCr = *p == '\r';
      ++m_pos;
      break;
    }
  }
  ++m_number;
  if (nul && m_firstNulLine == 0) m_firstNulLine = m_number;
  if (!m_started) {
    m_started = true;
    if (m_line.starts_with(kByteOrderMark)) {
      m_line.erase(0, kByteOrderMark.size());
      m_length -= kByteOrderMark.size();
    }
  }
  return true;
}

int CologneRecord::BodyLineAt(std::size_t offset) const {
  const std::size_t end = std::min(offset, m_body.size());
  return m_bodyLine + static_cast<int>(std::count(m_body.begin(),
                                                  m_body.begin() + static_cast<long>(end), '\n'));
}

std::string ParseHeader(std::string_view line, CologneRecord& record) {
  std::array<bool, kHeaderFields.size()> seen{};
  std::size_t pos = 0;
  while (pos < line.size()) {
    const int field = FieldAt(line.substr(pos));
    if (field < 0) return "the header does not begin with <L>";
    const CHeaderField& header = kHeaderFields[static_cast<std::size_t>(field)];
    if (seen[static_cast<std::size_t>(field)]) {
      return "the header gives " + std::string(header.tag) + " twice";
    }
    seen[static_cast<std::size_t>(field)] = true;
    pos += header.tag.size();
    // A value runs to the next field's tag; any other '<' belongs to it.
    std::size_t end = pos;
    while (end < line.size() && !(line[end] == '<' && FieldAt(line.substr(end)) >= 0)) ++end;
    if (header.value != nullptr) record.*header.value = Trimmed(line.substr(pos, end - pos));
    pos = end;
  }
  for (std::size_t i = 0; i < kHeaderFields.size(); ++i) {
    if (kHeaderFields[i].required && !seen[i]) {
      return "the header has no " + std::string(kHeaderFields[i].tag) + " field";
    }
  }
  if (record.m_k1.empty()) return "empty <k1>";
  return {};
}

void CRecordReader::StartRecord(CologneRecord& record) {
  record.m_id.clear();
  record.m_k1.clear();
  record.m_k2.clear();
  record.m_homonym.clear();
  record.m_body.clear();
  record.m_problem.clear();
  record.m_line = m_lines.Number();
  record.m_bodyLine = record.m_line + 1;
  record.m_problemLine = record.m_line;
  if (m_lines.Length() > kMaxSourceLineBytes) {
    record.m_problem = "header line of " + Bytes(m_lines.Length()) + " is longer than " +
                       Bytes(kMaxSourceLineBytes);
    return;
  }
  record.m_problem = ParseHeader(m_lines.Line(), record);
}

bool CRecordReader::Next(CologneRecord& record) {
  if (!m_headerWaiting) {
    bool found = false;
    while (!found && m_lines.Next()) found = IsHeader(m_lines.Line());
    if (!found) return false;
  }
  m_headerWaiting = false;
  StartRecord(record);
  bool firstLine = true;
  while (m_lines.Next()) {
    const std::string_view line = m_lines.Line();
    if (IsRecordEnd(line)) return true;
    if (IsHeader(line)) {
      m_headerWaiting = true;
      if (record.Ok()) {
        record.m_problem =
            "no <LEND> before the next record at line " + std::to_string(m_lines.Number());
        record.m_problemLine = record.m_line;
      }
      return true;
    }
    if (!record.Ok()) continue;  // read on to the record's end, keeping nothing
    if (m_lines.Length() > kMaxSourceLineBytes) {
      record.m_problem =
          "line of " + Bytes(m_lines.Length()) + " is longer than " + Bytes(kMaxSourceLineBytes);
      record.m_problemLine = m_lines.Number();
      continue;
    }
    if (record.m_body.size() + line.size() + 1 > kMaxRecordBytes) {
      record.m_problem = "the record's body is longer than " + Bytes(kMaxRecordBytes);
      record.m_problemLine = record.m_line;
      continue;
    }
    if (!firstLine) record.m_body += '\n';
    firstLine = false;
    record.m_body += line;
  }
  if (record.Ok()) {
    record.m_problem = "no <LEND> before the end of the file";
    record.m_problemLine = record.m_line;
  }
  return true;
}

}  // namespace kv
