#include "test_files.h"

#include <fstream>
#include <map>
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

void WriteDictionary(const CTempDir& dir, const std::vector<SHeadword>& words) {
  std::vector<std::string> bucketOrder;
  std::map<std::string, std::vector<const SHeadword*>> buckets;
  for (const SHeadword& word : words) {
    std::string filtered;
    for (char c : word.indexLine) {
      if (std::string_view("-47@`\xF3").find(c) == std::string_view::npos) filtered += c;
    }
    const std::string key = filtered.substr(0, 2);
    if (!buckets.contains(key)) bucketOrder.push_back(key);
    buckets[key].push_back(&word);
  }
  std::string list, index, text;
  for (const auto& key : bucketOrder) {
    list += key + "\r\n" + std::to_string(index.size()) + "\r\n";
    for (const SHeadword* word : buckets[key]) {
      index += word->indexLine + "\r\n" + std::to_string(text.size()) + "\r\n";
      text += word->entry + "\r\n";
    }
  }
  list += "~~\r\n" + std::to_string(index.size()) + "\r\n";
  dir.Write("kvlist.txt", list);
  dir.Write("kvindx.txt", index);
  dir.Write("kvtot2.txt", text);
}

std::pair<std::string, std::string> SplitRow(std::string_view row) {
  const size_t at = row.find(" = ");
  if (at == std::string_view::npos) throw std::invalid_argument("no ' = ' in a table row");
  return {std::string(row.substr(0, at)), std::string(row.substr(at + 3))};
}

std::string RandomText(std::mt19937& random, std::string_view alphabet, int length,
                       unsigned rawOneIn) {
  std::string text;
  for (int i = 0; i < length; ++i) {
    if (random() % rawOneIn == 0) {
      text += static_cast<char>(1 + random() % 255);
    } else {
      text += alphabet[random() % alphabet.size()];
    }
  }
  return text;
}

std::string Hex(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (char byte : bytes) {
    auto c = static_cast<unsigned char>(byte);
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

}  // namespace kv::test
