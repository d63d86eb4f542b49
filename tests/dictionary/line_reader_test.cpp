#include "dictionary/line_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "test_files.h"

namespace kv {
namespace {

using test::CTempDir;

std::vector<std::string> g_warnings;
void CaptureWarning(const char* text) { g_warnings.emplace_back(text); }

class LineReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_warnings.clear();
    SetReaderWarningHandler(CaptureWarning);
  }
  void TearDown() override { SetReaderWarningHandler(nullptr); }

  // Opens a reader of `capacity` bytes over a file holding exactly `bytes`.
  CLineReader& OpenOver(std::string_view bytes, int capacity = 2048) {
    m_reader = std::make_unique<CLineReader>(capacity);
    EXPECT_TRUE(m_reader->Open(m_dir.Write("data.txt", bytes).c_str()));
    return *m_reader;
  }

  // Reads lines until the reader reports the end (result 0 with an empty line), each as
  // "text#result".
  static std::vector<std::string> ReadAll(CLineReader& reader, int size = 200) {
    std::vector<std::string> lines;
    std::vector<char> dest(static_cast<size_t>(size));
    for (int guard = 0; guard < 10000; ++guard) {
      int result = reader.ReadLine(dest.data(), size);
      if (result == 0 && dest[0] == 0) break;
      lines.push_back(std::string(dest.data()) + "#" + std::to_string(result));
    }
    return lines;
  }

  CTempDir m_dir;
  std::unique_ptr<CLineReader> m_reader;
};

TEST_F(LineReaderTest, EmptyFilesAndFilesOfLineEndsHoldNoLine) {
  for (std::string_view bytes : {"", "\r\n", "\r\n\r\n\n\r", "\n"}) {
    CLineReader& reader = OpenOver(bytes);
    char dest[200] = "stale";
    EXPECT_EQ(reader.ReadLine(dest, 200), 0);
    EXPECT_STREQ(dest, "");
  }
}

using Lines = std::vector<std::string>;

TEST_F(LineReaderTest, CountsCrLfLinesButNotEmptyLinesOfSingleEnds) {
  EXPECT_EQ(ReadAll(OpenOver("abc\r\n\r\ndef\r\n")), (Lines{"abc#1", "def#3"}));
  EXPECT_EQ(ReadAll(OpenOver("abc\n\ndef\n")), (Lines{"abc#1", "def#2"}));
  EXPECT_EQ(ReadAll(OpenOver("abc\rdef\r")), (Lines{"abc#1", "def#2"}));
  // A 4-byte buffer: "abc\r" fills the first block, "\n" opens the second; the CR LF split by
  // the refill ends the line once.
  EXPECT_EQ(ReadAll(OpenOver("abc\r\ndef\r\nghij\r\n", 4)), (Lines{"abc#1", "def#2", "ghij#3"}));
  // An unterminated last line keeps the counter.
  EXPECT_EQ(ReadAll(OpenOver("abc")), (Lines{"abc#0"}));
  EXPECT_EQ(ReadAll(OpenOver("x\r\nabc")), (Lines{"x#1", "abc#1"}));
}

TEST_F(LineReaderTest, OverLongLineIsSplitWithAWarning) {
  CLineReader& reader = OpenOver(std::string(250, 'q') + "\r\nnext\r\n");
  EXPECT_EQ(ReadAll(reader, 200),
            (Lines{std::string(199, 'q') + "#1", std::string(51, 'q') + "#2", "next#3"}));
  ASSERT_EQ(g_warnings.size(), 1u);
  EXPECT_EQ(g_warnings[0], "m_pBuffer overflow in line 1 (line length over 200 chars)");
  EXPECT_EQ(reader.Message(), g_warnings[0]);

  // Exactly size - 1 bytes before the line end already warns; the line end is then stepped
  // over and counted as an empty line.
  g_warnings.clear();
  EXPECT_EQ(ReadAll(OpenOver(std::string(9, 'e') + "\r\nz\r\n"), 10),
            (Lines{std::string(9, 'e') + "#1", "z#3"}));
  EXPECT_EQ(g_warnings.size(), 1u);
}

TEST_F(LineReaderTest, SeekAndPosition) {
  CLineReader& reader = OpenOver("abc\r\ndef\r\n\r\nghi\r\n");
  char dest[200];
  ASSERT_EQ(reader.ReadLine(dest, 200), 1);
  EXPECT_EQ(reader.GetPosition(), 4);  // the LF of the first line

  reader.Seek(5);
  EXPECT_EQ(reader.ReadLine(dest, 200), 1);
  EXPECT_STREQ(dest, "def");
  // A place on line-end bytes starts at the next line.
  reader.Seek(8);
  EXPECT_NE(reader.ReadLine(dest, 200), 0);
  EXPECT_STREQ(dest, "ghi");
  // A place in the middle of a line starts there.
  reader.Seek(1);
  reader.ReadLine(dest, 200);
  EXPECT_STREQ(dest, "bc");
  // Past the end, or before the start, nothing is read.
  reader.Seek(1000);
  EXPECT_EQ(reader.ReadLine(dest, 200), 0);
  EXPECT_STREQ(dest, "");
  reader.Seek(-3);
  EXPECT_EQ(reader.ReadLine(dest, 200), 0);
  EXPECT_STREQ(dest, "");
}

TEST_F(LineReaderTest, ReaderThatDidNotOpenReadsAsEmpty) {
  CLineReader reader(2048);
  EXPECT_FALSE(reader.Open((m_dir.Path() / "missing.txt").c_str()));
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_EQ(reader.FileName(), "missing.txt");
  char dest[16] = "stale";
  reader.Seek(10);
  EXPECT_EQ(reader.ReadLine(dest, 16), 0);
  EXPECT_STREQ(dest, "");

  CLineReader neverOpened(16);
  EXPECT_EQ(neverOpened.ReadLine(dest, 16), 0);
}

// Every line comes back whole or split, never longer than its buffer, whatever the bytes,
// the buffer capacity and the destination size.
TEST_F(LineReaderTest, RandomFilesRoundTripWithinTheirBuffers) {
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    int length = static_cast<int>(random() % 600);
    for (int i = 0; i < length; ++i) {
      auto pick = random() % 10;
      bytes += pick == 0 ? '\r' : pick == 1 ? '\n' : static_cast<char>('a' + random() % 26);
    }
    int capacity = 1 + static_cast<int>(random() % 64);
    int size = 2 + static_cast<int>(random() % 40);
    CLineReader& reader = OpenOver(bytes, capacity);
    std::vector<char> dest(static_cast<size_t>(size) + 8, '#');
    std::string joined;
    for (int guard = 0; guard < 2000; ++guard) {
      int result = reader.ReadLine(dest.data(), size);
      for (size_t i = static_cast<size_t>(size); i < dest.size(); ++i) ASSERT_EQ(dest[i], '#');
      if (result == 0 && dest[0] == 0) break;
      ASSERT_LT(std::string(dest.data()).size(), static_cast<size_t>(size));
      joined += dest.data();
    }
    std::string letters;
    for (char c : bytes) {
      if (c != '\r' && c != '\n') letters += c;
    }
    EXPECT_EQ(joined, letters) << "capacity " << capacity << " size " << size;
  }
}

}  // namespace
}  // namespace kv
