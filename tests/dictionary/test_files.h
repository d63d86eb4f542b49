#pragma once

#include <filesystem>
#include <string>
#include <string_view>

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

// Lowercase hex of every byte of `bytes`.
std::string Hex(std::string_view bytes);

}  // namespace kv::test
