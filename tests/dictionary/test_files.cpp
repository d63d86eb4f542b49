#include "test_files.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace kv::test {

CTempDir::CTempDir() {
  std::random_device seed;
  auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("kv-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(candidate)) {
      m_path = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory");
}

CTempDir::~CTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string CTempDir::Write(const std::string& name, std::string_view bytes) const {
  auto path = m_path / name;
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

std::string Hex(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

}  // namespace kv::test
