#include "dictionary/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace kv {
namespace {

void PrintWarning(const char* text) { std::fprintf(stderr, "Warning: %s\n", text); }

constexpr char kCr = 13;
constexpr char kLf = 10;

bool IsLineEnd(char c) { return c == kCr || c == kLf; }

// Number of bytes at `from`, at most `limit`, before the first line-end byte.
int OrdinaryRun(const char* from, int limit) {
  if (limit <= 0) return 0;
  const auto span = static_cast<size_t>(limit);
  const void* lf = std::memchr(from, kLf, span);
  const size_t beforeLf = lf ? static_cast<size_t>(static_cast<const char*>(lf) - from) : span;
  const void* cr = std::memchr(from, kCr, beforeLf);
  return static_cast<int>(cr ? static_cast<size_t>(static_cast<const char*>(cr) - from) : beforeLf);
}

}  // namespace

CLineReader::CLineReader(int capacity)
    : m_capacity(capacity > 0 ? capacity : 1),
      m_held(m_capacity),
      m_pBuffer(new char[static_cast<size_t>(m_capacity)]),
      m_warningHandler(PrintWarning) {}

void CLineReader::SetWarningHandler(ReaderWarningHandler handler) {
  m_warningHandler = handler ? std::move(handler) : PrintWarning;
}

CLineReader::~CLineReader() {
  if (m_file >= 0) ::close(m_file);
  delete[] m_pBuffer;
}

bool CLineReader::Open(const char* path) {
  if (m_file >= 0) ::close(m_file);
  const char* slash = std::strrchr(path, '/');
  m_fileName = slash ? slash + 1 : path;
  m_file = ::open(path, O_RDONLY | O_CLOEXEC);
  // A folder opens but cannot be read; it is no more the file than a missing one.
  struct stat info;
  if (m_file >= 0 && (::fstat(m_file, &info) != 0 || S_ISDIR(info.st_mode))) {
    ::close(m_file);
    m_file = -1;
  }
  m_filePos = 0;
  m_lineCount = 0;
  m_cursor = 0;
  m_held = 0;
  return m_file >= 0;
}

void CLineReader::Refill() {
  m_cursor = 0;
  m_held = 0;
  if (m_file < 0 || m_filePos < 0) return;
  ssize_t got;
  do {
    got = ::pread(m_file, m_pBuffer, static_cast<size_t>(m_capacity), m_filePos);
  } while (got < 0 && errno == EINTR);
  if (got <= 0) return;  // end of file, or a read error that ends the data like one
  m_held = static_cast<int>(got);
  m_filePos += got;
}

int CLineReader::ReadLine(char* dest, int size) {
  m_lineCut = false;
  if (size < 1) return 0;
  dest[0] = 0;
  if (size < 2) return 0;  // no room for a single byte: nothing can ever be stored
  int n = 0;
  bool endSeen = false;
  bool refill = m_lineCount == 0 || m_cursor >= m_held;
  for (;;) {
    if (refill) {
      Refill();
      if (m_held == 0) break;
      if (m_held < m_capacity) endSeen = true;
    }
    while (m_cursor < m_held) {
      // Copy the run of ordinary bytes up to the next line end, or as much as the
      // destination still takes, in one piece: entry lines are long.
      const int run = OrdinaryRun(m_pBuffer + m_cursor, std::min(size - 1 - n, m_held - m_cursor));
      std::memcpy(dest + n, m_pBuffer + m_cursor, static_cast<size_t>(run));
      n += run;
      m_cursor += run;
      if (m_cursor == m_held) break;
      char b = m_pBuffer[m_cursor];
      if (n + 1 == size) {
        ++m_lineCount;
        char text[160];
        std::snprintf(text, sizeof text,
                      "m_pBuffer overflow in line %u (line length over %d chars)",
                      static_cast<unsigned>(m_lineCount), size);
        m_message = text;
        m_warningHandler(text);
        m_lineCut = !IsLineEnd(b);
        dest[n] = 0;
        return m_lineCount;
      }
      if (IsLineEnd(b)) {
        if (m_cursor + 1 < m_held && IsLineEnd(m_pBuffer[m_cursor + 1])) {
          if (n == 0) ++m_lineCount;
          ++m_cursor;
        }
        if (n > 0) {
          dest[n] = 0;
          return ++m_lineCount;
        }
      } else {
        dest[n++] = b;
      }
      ++m_cursor;
    }
    if (endSeen) break;
    refill = true;
  }
  if (n > 0) {
    dest[n] = 0;
    return m_lineCount;
  }
  m_lineCount = 0;
  return 0;
}

void CLineReader::Seek(long long offset) {
  m_cursor = 0;
  m_lineCount = 0;
  // A place before the start of the file has nothing to read.
  m_filePos = offset < 0 ? -1 : offset;
}

bool CLineReader::IsFile(const char* path) const {
  struct stat opened {};
  struct stat named {};
  return m_file >= 0 && ::fstat(m_file, &opened) == 0 && ::stat(path, &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool CLineReader::StartsLine(long long offset) const {
  if (offset <= 0) return offset == 0;
  if (m_file < 0) return true;  // nothing can be read there
  char around[2];
  ssize_t got;
  do {
    got = ::pread(m_file, around, sizeof around, offset - 1);
  } while (got < 0 && errno == EINTR);
  // At or past the end of the file nothing is read, so nothing is read wrongly.
  if (got < 2) return got >= 0;
  return IsLineEnd(around[0]) || IsLineEnd(around[1]);
}

long long CLineReader::ReadAt(long long offset, char* dest, long long size) const {
  if (m_file < 0 || offset < 0 || size <= 0) return 0;
  ssize_t got;
  do {
    got = ::pread(m_file, dest, static_cast<size_t>(size), offset);
  } while (got < 0 && errno == EINTR);
  return got;
}

CLineReader::CFileStamp CLineReader::Stamp() const {
  struct stat info;
  if (m_file < 0 || ::fstat(m_file, &info) != 0) return {};
  return {static_cast<unsigned long long>(info.st_dev),
          static_cast<unsigned long long>(info.st_ino), static_cast<long long>(info.st_size),
          static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

long long CLineReader::GetPosition() const {
  if (m_filePos < 0) return 0;
  return m_filePos - m_held + m_cursor;
}

}  // namespace kv
