#include "fuzz_support.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace kv::fuzz {
namespace {

std::string MakeScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kv-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  return pattern;
}

void RemoveScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchDir(), ignored);
}

}  // namespace

const std::string& ScratchDir() {
  // Never destroyed: the exit handler that removes the directory still needs its name.
  static const std::string* dir = [] {
    auto* made = new std::string(MakeScratchDir());
    std::atexit(RemoveScratchDir);
    return made;
  }();
  return *dir;
}

std::string WriteScratchFile(const char* name, std::string_view bytes) {
  const std::string path = ScratchDir() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  KV_FUZZ_CHECK(out.good());
  return path;
}

void RemoveScratchFile(const char* name) {
  std::error_code ignored;
  std::filesystem::remove(ScratchDir() + "/" + name, ignored);
}

std::uint8_t CInputCursor::TakeByte() {
  if (m_rest.empty()) return 0;
  auto byte = static_cast<std::uint8_t>(m_rest.front());
  m_rest.remove_prefix(1);
  return byte;
}

unsigned CInputCursor::TakeUint16() {
  unsigned low = TakeByte();
  unsigned high = TakeByte();
  return low | high << 8;
}

std::string_view CInputCursor::TakeUntil(std::string_view separator) {
  std::size_t at = m_rest.find(separator);
  if (at == std::string_view::npos) return TakeRest();
  std::string_view piece = m_rest.substr(0, at);
  m_rest.remove_prefix(at + separator.size());
  return piece;
}

std::string_view CInputCursor::TakeRest() {
  std::string_view piece = m_rest;
  m_rest = {};
  return piece;
}

}  // namespace kv::fuzz
