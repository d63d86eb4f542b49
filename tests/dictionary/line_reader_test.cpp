#include "dictionary/line_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "test_files.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

class LineReaderTest : public ::testing::Test {
 protected:
  // Opens a reader of `capacity` bytes over a file holding exactly `bytes`.
  CLineReader& OpenOver(std::string_view bytes, int capacity = 2048) {
    m_reader = std::make_unique<CLineReader>(capacity);
    m_reader->SetWarningHandler([this](const char* text) { m_warnings.emplace_back(text); });
    EXPECT_TRUE(m_reader->Open(m_dir.Write("data.txt", bytes).c_str()));
    return *m_reader;
  }

  // Reads lines until the reader reports the end (result 0 with an empty line), each as
  // "text#result".
  static Lines ReadAll(CLineReader& reader, int size = 200) {
    Lines lines;
    std::vector<char> dest(static_cast<size_t>(size));
    for (int guard = 0; guard < 10000; ++guard) {
      int result = reader.ReadLine(dest.data(), size);
      if (result == 0 && dest[0] == 0) break;
      lines.push_back(std::string(dest.data()) + "#" + std::to_string(result));
    }
    return lines;
  }

  test::CTempDir m_dir;
  std::unique_ptr<CLineReader> m_reader;
  std::vector<std::string> m_warnings;
};

TEST_F(LineReaderTest, CountsCrLfLinesButNotEmptyLinesOfSingleEnds) {
  for (const auto& [input, expected] : test::ReadRows("dictionary/lines.txt")) {
    const bool small = input.starts_with("4 ");
    std::string got;
    for (const std::string& line :
         ReadAll(OpenOver(input.substr(small ? 2 : 0), small ? 4 : 2048))) {
      got += (got.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(got, expected) << input;
  }
}

TEST_F(LineReaderTest, OverLongLineIsSplitWithAWarning) {
  CLineReader& reader = OpenOver(std::string(250, 'q') + "\r\nnext\r\n");
  EXPECT_EQ(ReadAll(reader, 200),
            (Lines{std::string(199, 'q') + "#1", std::string(51, 'q') + "#2", "next#3"}));
  ASSERT_EQ(m_warnings.size(), 1u);
  EXPECT_EQ(m_warnings[0], "m_pBuffer overflow in line 1 (line length over 200 chars)");
  EXPECT_EQ(reader.Message(), m_warnings[0]);

  // Exactly size - 1 bytes before the line end already warns; the line end is then stepped
  // over and counted as an empty line.
  EXPECT_EQ(ReadAll(OpenOver(std::string(9, 'e') + "\r\nz\r\n"), 10),
            (Lines{std::string(9, 'e') + "#1", "z#3"}));
  EXPECT_EQ(m_warnings.size(), 2u);
}

// Where a seek lands is the fuzz target's to check against its model; here the position the
// search reads bucket ends by, and a reader without a file.
TEST_F(LineReaderTest, PositionAndAReaderWithoutAFile) {
  CLineReader& reader = OpenOver("abc\r\ndef\r\n\r\nghi\r\n");
  char dest[200];
  ASSERT_EQ(reader.ReadLine(dest, 200), 1);
  EXPECT_EQ(reader.GetPosition(), 4);  // the LF of the first line
  reader.Seek(8);
  EXPECT_EQ(ReadAll(reader), (Lines{"ghi#3"}));
  EXPECT_EQ(reader.GetPosition(), 17);

  CLineReader closed(2048);
  EXPECT_EQ(closed.ReadLine(dest, 16), 0);
  EXPECT_FALSE(closed.Open((m_dir.Path() / "missing.txt").c_str()));
  EXPECT_EQ(closed.FileName(), "missing.txt");
  closed.Seek(10);
  EXPECT_EQ(closed.ReadLine(dest, 16), 0);
  EXPECT_STREQ(dest, "");
}

}  // namespace
}  // namespace kv
