#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::test {

// A fresh directory under the system temp folder, removed with the object.
class CTempDir {
 public:
  CTempDir();
  ~CTempDir();
  CTempDir(const CTempDir&) = delete;
  CTempDir& operator=(const CTempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  // Writes `bytes` exactly as given into a file of this directory; returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const;

 private:
  std::filesystem::path m_path;
};

struct SHeadword {
  std::string indexLine;
  std::string entry;
  std::string offsetLine = {};  // written in place of the entry's offset when not empty
};

// The contents of the three data files.
struct SFiles {
  std::string list;
  std::string index;
  std::string text;
};

// Lays `words` out as the three files: bucketed by their first two letters (the markers that
// matching skips left out) in order of first appearance, each bucket in the given order,
// closed by a "##" record, every line ended by `eol`.
SFiles LayOut(const std::vector<SHeadword>& words, std::string_view eol = "\r\n");
// Writes kvlist.txt, kvindx.txt and kvtot2.txt into `dir`.
void WriteFiles(const CTempDir& dir, const SFiles& files);

// `piece` `times` times over.
std::string Repeat(const std::string& piece, int times);

// The parts of `text` between the separators.
std::vector<std::string> Split(const std::string& text, const std::string& separator);

// Lowercase hex of every byte of `bytes`.
std::string Hex(std::string_view bytes);
// Bytes from hex pairs, spaces between them allowed: "65 6B A0" -> "\x65\x6B\xA0".
std::string FromHex(std::string_view hex);

// The rows "left = right" of tests/data/<name>, split at their first " = " (a row ending in
// " =" has an empty right side). Lines beginning with '#' and empty lines are comments. Both sides
// take the escapes \xHH, \t, \r, \n, \0 and \\.
std::vector<std::pair<std::string, std::string>> ReadRows(const std::string& name);

// A destination of `size` bytes followed by guard bytes that no conversion may touch.
class CGuardedBuffer {
 public:
  explicit CGuardedBuffer(int size);
  char* Data() { return m_bytes.data(); }
  bool GuardsIntact() const;
  // The string written, or "<unterminated>" when no terminator lies inside the destination.
  std::string Text() const;

 private:
  int m_size;
  std::vector<char> m_bytes;
};

}  // namespace kv::test
