#include "fuzz_support.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "dictionary/decoders.h"
#include "test_files.h"

namespace kv::fuzz {
namespace {

const test::CTempDir& Scratch() {
  static const test::CTempDir dir;
  return dir;
}

}  // namespace

const std::string& ScratchDir() {
  static const std::string path = Scratch().Path().string();
  return path;
}

std::string WriteScratchFile(const char* name, std::string_view bytes) {
  return Scratch().Write(name, bytes);
}

void RemoveScratchFile(const char* name) {
  std::error_code ignored;
  std::filesystem::remove(Scratch().Path() / name, ignored);
}

std::vector<std::string> LinePieces(std::string_view content, std::size_t piece) {
  const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < content.size()) {
    while (pos < content.size() && isLineEnd(content[pos])) ++pos;
    std::size_t end = pos;
    while (end < content.size() && !isLineEnd(content[end])) ++end;
    for (std::size_t at = pos; at < end; at += piece) {
      const std::string_view chunk = content.substr(at, std::min(piece, end - at));
      lines.emplace_back(chunk.substr(0, chunk.find('\0')));
    }
    pos = end;
  }
  return lines;
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
  for (std::size_t pos = 0; pos < text.size();) {
    if (ReadUtf8(text, pos) == kNoCodePoint) return false;
  }
  return true;
}

}  // namespace kv::fuzz
