#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Reading a lexicon in the Cologne digitisation format record by record. A record is a header
// line "<L>...<pc>...<k1>...<k2>...[<h>...][<e>...]", body lines, and a line "<LEND>";
// everything outside records (front matter, page marks, blank lines) belongs to no entry.

// The longest source line kept; the rest of a longer line is read and counted, not kept, so
// a file of one huge line costs no more memory than this.
inline constexpr std::size_t kMaxSourceLineBytes = std::size_t{1} << 20;
// The most body bytes a record may hold: several times the longest entry line, so that a
// record whose markup is thick still fits, while a runaway record (a lost "<LEND>" in a
// file of any size) is refused early.
inline constexpr std::size_t kMaxRecordBytes = std::size_t{4} << 20;

// The lines of a text stream with their numbers (from 1). CR LF, LF and a lone CR each end a
// line. A UTF-8 byte-order mark at the start of the stream is passed over.
class CSourceLines {
 public:
  explicit CSourceLines(std::istream& in);

  // Moves to the next line; false at the end of the stream.
  bool Next();
  // The current line without its line end, at most kMaxSourceLineBytes of it.
  std::string_view Line() const { return m_line; }
  // The current line's full length in bytes (more than Line() holds when it was too long).
  std::uint64_t Length() const { return m_length; }
  int Number() const { return m_number; }
  // Bytes taken from the stream so far.
  std::uint64_t BytesRead() const { return m_bytesRead; }
  // The first line that holds a NUL byte (0 when none has): the stream is likely no text.
  int FirstNulLine() const { return m_firstNulLine; }

 private:
  bool Fill();
  void Keep(const char* bytes, std::size_t count);

  static constexpr std::size_t kChunkBytes = 64 * 1024;

  std::istream& m_in;
  std::vector<char> m_chunk;
  std::size_t m_pos = 0;
  std::size_t m_end = 0;
  std::string m_line;
  std::uint64_t m_length = 0;
  std::uint64_t m_bytesRead = 0;
  int m_number = 0;
  int m_firstNulLine = 0;
  bool m_afterCr = false;
  bool m_started = false;
};

// One record as read. A record that cannot be used carries the reason in m_problem and the
// line it concerns in m_problemLine; its other fields are then not to be relied on.
struct CologneRecord {
  int m_line = 0;  // the header line
  std::string m_id;
  std::string m_k1;
  std::string m_k2;
  std::string m_homonym;
  // The body lines joined by '\n' (a line break reads as a space); its first byte stands on
  // line m_bodyLine.
  std::string m_body;
  int m_bodyLine = 0;
  std::string m_problem;
  int m_problemLine = 0;

  bool Ok() const { return m_problem.empty(); }
  // The line of byte `offset` of the body.
  int BodyLineAt(std::size_t offset) const;
};

// Hands out the records of a stream in order, good and bad alike.
class CRecordReader {
 public:
  explicit CRecordReader(std::istream& in) : m_lines(in) {}

  // Reads the next record into `record` (its strings' memory is reused); false when no record
  // is left.
  bool Next(CologneRecord& record);
  const CSourceLines& Lines() const { return m_lines; }

 private:
  void StartRecord(CologneRecord& record);

  CSourceLines m_lines;
  // The current line is the header of the next record, met while reading the one before.
  bool m_headerWaiting = false;
};

// Reads the fields of a header line into `record`; the reason when one is missing or given
// twice, else empty.
std::string ParseHeader(std::string_view line, CologneRecord& record);

}  // namespace kv
