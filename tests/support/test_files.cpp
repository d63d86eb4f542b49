#include "test_files.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>

#include "dictionary/dictionary.h"
#include "dictionary/headword_search.h"
#include "dictionary/letter_tables.h"

namespace kv::test {
namespace {

constexpr int kGuardBytes = 16;
constexpr char kGuard = '\xCD';

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char kind = text[++i];
    if (kind == 'x') {
      out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += kind == 't'   ? '\t'
             : kind == 'r' ? '\r'
             : kind == 'n' ? '\n'
             : kind == '0' ? '\0'
                           : kind;
    }
  }
  return out;
}

}  // namespace

CTempDir::CTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kv-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temp folder");
  m_path = pattern;
}

CTempDir::~CTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string CTempDir::Write(const std::string& name, std::string_view bytes) const {
  const auto path = m_path / name;
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

SFiles LayOut(const std::vector<SHeadword>& words, std::string_view eol) {
  std::vector<std::string> order;
  std::map<std::string, std::vector<const SHeadword*>> buckets;
  for (const SHeadword& word : words) {
    std::string key;
    for (const char c : word.indexLine) {
      if (key.size() < 2 && !IsMatchIgnoredByte(static_cast<unsigned char>(c))) key += c;
    }
    if (!buckets.contains(key)) order.push_back(key);
    buckets[key].push_back(&word);
  }
  SFiles files;
  const std::string end(eol);
  for (const auto& key : order) {
    files.list += key + end + std::to_string(files.index.size()) + end;
    for (const SHeadword* word : buckets[key]) {
      const std::string offset =
          word->offsetLine.empty() ? std::to_string(files.text.size()) : word->offsetLine;
      files.index += word->indexLine + end + offset + end;
      files.text += word->entry + end;
    }
  }
  files.list += "##" + end + std::to_string(files.index.size()) + end;
  return files;
}

void WriteFiles(const CTempDir& dir, const SFiles& files) {
  dir.Write(kListFileName, files.list);
  dir.Write(kIndexFileName, files.index);
  dir.Write(kTextFileName, files.text);
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  for (std::size_t at = 0;;) {
    const std::size_t next = text.find(separator, at);
    parts.push_back(text.substr(at, next - at));
    if (next == std::string::npos) return parts;
    at = next + separator.size();
  }
}

std::string Hex(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::string FromHex(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); ++i) {
    if (hex[i] == ' ') continue;
    out += static_cast<char>(std::stoi(std::string(hex.substr(i++, 2)), nullptr, 16));
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> ReadRows(const std::string& name) {
  std::ifstream in(std::string(KV_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read tests/data/" + name);
  std::vector<std::pair<std::string, std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    // A row that ends in " =" has an empty right side.
    const std::size_t at = line.ends_with(" =") ? line.size() - 2 : line.find(" = ");
    if (at == std::string::npos) throw std::runtime_error("no ' = ' in " + name + ": " + line);
    rows.emplace_back(Unescape(line.substr(0, at)),
                      Unescape(line.substr(std::min(at + 3, line.size()))));
  }
  return rows;
}

CGuardedBuffer::CGuardedBuffer(int size)
    : m_size(size), m_bytes(static_cast<std::size_t>(size + kGuardBytes), kGuard) {}

bool CGuardedBuffer::GuardsIntact() const {
  for (std::size_t i = static_cast<std::size_t>(m_size); i < m_bytes.size(); ++i) {
    if (m_bytes[i] != kGuard) return false;
  }
  return true;
}

std::string CGuardedBuffer::Text() const {
  const void* end = std::memchr(m_bytes.data(), 0, static_cast<std::size_t>(m_size));
  return end == nullptr ? "<unterminated>" : std::string(m_bytes.data());
}

}  // namespace kv::test
