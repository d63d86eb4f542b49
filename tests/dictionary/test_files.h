#pragma once

#include <filesystem>
#include <random>
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
};

// Writes kvlist.txt, kvindx.txt and kvtot2.txt for `words` into `dir`: bucketed by their first
// two letters (markers left out) in order of first appearance, each bucket in the given order,
// CR LF line ends, closed by a "~~" record.
void WriteDictionary(const CTempDir& dir, const std::vector<SHeadword>& words);

// Splits a table row "left = right" at its first " = ".
std::pair<std::string, std::string> SplitRow(std::string_view row);

// `length` bytes drawn mostly from `alphabet`, with one in `rawOneIn` any byte but NUL: text
// that looks like the real thing and still reaches every byte value.
std::string RandomText(std::mt19937& random, std::string_view alphabet, int length,
                       unsigned rawOneIn);

// Lowercase hex of every byte of `bytes`.
std::string Hex(std::string_view bytes);

}  // namespace kv::test
