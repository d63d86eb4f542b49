#pragma once

#include <functional>
#include <string>

namespace kv {

// Receives the over-long-line warning text. The program shows it in a "Warning !" box;
// the command-line tool prints it.
using ReaderWarningHandler = std::function<void(const char* text)>;

// Buffered reader handing out one non-empty line at a time from a file that it can place
// at any byte offset. The buffer is allocated once; lines are assembled straight into the
// caller's buffer. A reader whose Open failed reads as an empty file.
class CLineReader {
 public:
  explicit CLineReader(int capacity);
  virtual ~CLineReader();
  CLineReader(const CLineReader&) = delete;
  CLineReader& operator=(const CLineReader&) = delete;

  // Opens `path` read-only; false when it cannot be opened. Closes any file opened before.
  bool Open(const char* path);
  bool IsOpen() const { return m_file >= 0; }
  // True when `path` names the file this reader has open, by whatever name or link.
  bool IsFile(const char* path) const;
  // The bare file name given to the last Open ("kvindx.txt"), for messages.
  const std::string& FileName() const { return m_fileName; }

  // Stores the next non-empty line without its line end, zero-terminated, in `dest` of
  // `size` bytes. Returns 0 when no line was stored, otherwise the line counter.
  int ReadLine(char* dest, int size);
  // Places the reader at `offset` bytes from the start of the file.
  void Seek(long long offset);
  // File offset of the byte at the cursor: after a line that ended with a line end, the
  // offset of the last line-end byte consumed.
  long long GetPosition() const;

  const std::string& Message() const { return m_message; }
  // Where this reader's warnings go; an empty handler sends them to stderr, as before any is set.
  void SetWarningHandler(ReaderWarningHandler handler);

  // True when the last ReadLine cut its line for want of room and the line goes on: the next
  // ReadLine returns the rest of it as a line of its own.
  bool LineCut() const { return m_lineCut; }
  // Reads up to `size` bytes at `offset` into `dest` without moving the reader, for callers
  // that read the file in large blocks. Returns the bytes read (0 at the end or for a file
  // that did not open), or -1 on a read error.
  long long ReadAt(long long offset, char* dest, long long size) const;
  // What tells one state of the file from another: a cache built from the file is still good
  // while its stamp is the same. All zero for a file that did not open.
  struct CFileStamp {
    unsigned long long m_device = 0;
    unsigned long long m_inode = 0;
    long long m_size = 0;
    long long m_modifiedNs = 0;
    bool operator==(const CFileStamp&) const = default;
  };
  CFileStamp Stamp() const;

  // True when a line read from `offset` is a whole line, not the tail of one: `offset` is the
  // start of the file, follows a line-end byte, is itself one, or lies at or past the end.
  // Looks at the file without moving the reader.
  bool StartsLine(long long offset) const;

 private:
  void Refill();

  int m_capacity;
  std::string m_message;
  int m_held;
  int m_lineCount = 0;
  int m_cursor = 0;
  char* m_pBuffer;
  int m_file = -1;
  long long m_filePos = 0;  // file position after the last refill; -1 once placed before 0
  bool m_lineCut = false;
  std::string m_fileName;
  ReaderWarningHandler m_warningHandler;
};

}  // namespace kv
