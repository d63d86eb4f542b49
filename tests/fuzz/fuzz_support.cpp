#include "fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
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
  std::string path = ScratchDir() + "/" + name;
  int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  KV_FUZZ_CHECK(file >= 0);
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t got = ::write(file, bytes.data() + written, bytes.size() - written);
    KV_FUZZ_CHECK(got > 0);
    written += static_cast<std::size_t>(got);
  }
  ::close(file);
  return path;
}

void RemoveScratchFile(const char* name) {
  std::string path = ScratchDir() + "/" + name;
  ::unlink(path.c_str());
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

bool IsWellFormedUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      ++pos;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07u;
    } else {
      return false;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3Fu);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    pos += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

}  // namespace kv::fuzz
