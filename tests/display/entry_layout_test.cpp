#include "display/entry_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fake_text_device.h"
#include "test_files.h"

namespace kv {
namespace {

using test::CFakeTextDevice;

constexpr int kWide = 400;  // a column that wraps nothing in these short texts

struct CLaidOut {
  std::unique_ptr<CEntryLayout> layout = std::make_unique<CEntryLayout>();
  CFakeTextDevice device;
};

std::unique_ptr<CLaidOut> PaintText(const std::string& text, int width = kWide) {
  auto result = std::make_unique<CLaidOut>();
  result->layout->Paint(text.c_str(), width, result->device);
  return result;
}

CRect WordRect(const CEntryLayout& l, int k) {
  return CRect{l.m_wordLeft[k], l.m_wordTop[k], l.m_wordRight[k], l.m_wordBottom[k]};
}

// The pieces and paragraphs of a layout in the notation of tests/data/display/layouts.txt.
std::string Dump(const CEntryLayout& l) {
  std::string out;
  char item[96];
  for (int i = 0; i < l.PieceCount(); ++i) {
    const CPiece& p = l.Piece(i);
    const std::string word = p.word >= 0 ? "w" + std::to_string(p.word) : "";
    std::snprintf(item, sizeof item, "%c%d+%d%s@%d,%d,%d,%d", "MPSF"[static_cast<int>(p.kind)],
                  p.start, p.length, word.c_str(), p.rect.left, p.rect.top, p.rect.right,
                  p.rect.bottom);
    out += (out.empty() ? "" : " ") + std::string(item);
  }
  out += out.empty() ? "|" : " |";
  for (int p = 0; p < l.m_paragraphCount; ++p) {
    std::snprintf(item, sizeof item, " %d-%d:%d-%d", l.m_paragraphFirstWord[p],
                  l.m_paragraphEndWord[p], l.m_paragraphTop[p], l.m_paragraphBottom[p]);
    out += item;
  }
  return out;
}

TEST(EntryLayout, LaysOutTheExamples) {
  for (const auto& [input, expected] : test::ReadRows("display/layouts.txt")) {
    const std::size_t space = input.find(' ');
    const std::string text = input.substr(space + 1);
    const auto r = PaintText(text, std::stoi(input.substr(0, space)));
    const CEntryLayout& l = *r->layout;
    EXPECT_EQ(Dump(l), expected) << input;
    // The word tables hold what the word pieces do, and a full paint draws every piece. The
    // pieces of a line share a baseline, and none reaches down into a later line.
    ASSERT_EQ(r->device.m_draws.size(), static_cast<std::size_t>(l.PieceCount())) << input;
    int baseline = 0, bottom = -1, previousBottom = -1;
    for (int i = 0; i < l.PieceCount(); ++i) {
      const CPiece& p = l.Piece(i);
      const int pieceBaseline = p.rect.top + r->device.Ascent(p.font);
      if (i == 0 || p.lineTop != l.Piece(i - 1).lineTop) {
        baseline = pieceBaseline;
        previousBottom = bottom;
      }
      EXPECT_EQ(pieceBaseline, baseline) << input;
      EXPECT_GT(p.rect.top, previousBottom) << input;
      bottom = std::max(bottom, p.rect.bottom);
      EXPECT_EQ(r->device.m_draws[static_cast<std::size_t>(i)].rect, p.rect) << input;
      if (p.word < 0) continue;
      EXPECT_EQ(WordRect(l, p.word), p.rect) << input;
      EXPECT_EQ(l.m_wordStart[p.word], p.start) << input;
      EXPECT_EQ(l.m_wordEnd[p.word], p.start + p.length) << input;
    }
  }
}

TEST(EntryLayout, SanskritWordsAreDrawnTransliteratedInTheirColours) {
  auto first = PaintText("%kRSNa m.");
  const auto& word = first->device.m_draws[1];
  EXPECT_EQ(word.text, "\x6B\xC1\xBF\xBA\x61\xA0");
  EXPECT_EQ(word.font, EntryFont::kTranslit);
  EXPECT_EQ(word.colour, Rgb(50, 140, 60));
  EXPECT_EQ(first->device.m_draws[0].colour, Rgb(30, 40, 170));  // the paragraph marker
  EXPECT_EQ(first->device.m_draws[2].text, " m.");
  EXPECT_EQ(first->device.m_draws[2].font, EntryFont::kText);
  // A later word keeps its space; the final word is converted like any other.
  EXPECT_EQ(PaintText("aa %kRSNa")->device.m_draws.back().text, " \x6B\xC1\xBF\xBA\x61\xA0");
  EXPECT_EQ(PaintText("abc%kRSNa m.")->device.m_draws[1].text, "abc%kRSNa");
}

TEST(EntryLayout, CapacitiesAreNeverOverrun) {
  std::string many = "ab";
  for (int k = 1; k < 6000; ++k) many += " ab";
  auto r = PaintText(many);
  EXPECT_EQ(r->layout->m_wordCount, kMaxWords);
  EXPECT_EQ(r->layout->m_paragraphEndWord[0], kMaxWords);
  EXPECT_EQ(r->layout->PieceCount(), 6001);  // every word still drawn
  EXPECT_EQ(r->layout->Piece(6000).word, -1);

  std::string paragraphs;
  for (int p = 0; p < 1200; ++p) paragraphs += "a b ;";
  auto q = PaintText(paragraphs + " c");
  EXPECT_EQ(q->layout->m_paragraphCount, kMaxParagraphs);
  EXPECT_EQ(q->layout->m_wordCount, 2401);
  EXPECT_EQ(q->layout->m_paragraphEndWord[kMaxParagraphs - 1], 2000);

  // A long word is drawn cut, and keeps its whole extent in the word table.
  auto lw = PaintText(std::string(300, 'x') + " yy");
  EXPECT_EQ(lw->device.m_draws[1].text, std::string(199, 'x'));
  EXPECT_EQ(lw->layout->m_wordEnd[0], 300);
  EXPECT_EQ(lw->layout->m_wordStart[1], 300);
  auto ls = PaintText("%" + std::string(400, 'k') + " yy");
  EXPECT_EQ(ls->device.m_draws[1].font, EntryFont::kTranslit);
  EXPECT_LE(ls->device.m_draws[1].text.size(), 199u);
}

TEST(EntryLayout, SelectionColoursSurviveRelayoutAndTheNoMatchTextClearsThem) {
  const std::string text = "aa bb %kk dd";
  auto layout = std::make_unique<CEntryLayout>();
  CFakeTextDevice device;
  layout->Layout(text.c_str(), kWide, device);
  for (const int k : {0, 2, 3}) layout->m_wordSelected[k] = 1;
  layout->Layout(text.c_str(), 262, device);
  layout->Draw(text.c_str(), device, CRect{0, 0, 1000, 1000});
  const auto& d = device.m_draws;
  ASSERT_EQ(d.size(), 5u);
  EXPECT_EQ(d[1].colour, Rgb(150, 20, 60));
  EXPECT_EQ(d[2].colour, Rgb(0, 0, 0));
  EXPECT_EQ(d[3].colour, Rgb(150, 140, 60));
  EXPECT_EQ(d[4].colour, Rgb(150, 20, 40));
  layout->Layout("No matches found for <kk>, try to search on the first 1/2 letters of the word.",
                 kWide, device);
  for (const int k : {0, 2, 3}) EXPECT_EQ(layout->m_wordSelected[k], 0) << k;
}

TEST(EntryLayout, DrawsOnlyPiecesMeetingTheExposedArea) {
  std::string text;
  for (int k = 0; k < 800; ++k) text += (k % 7 == 3) ? " %kk" : (k % 13 == 5 ? " c;" : " abcd");
  auto layout = std::make_unique<CEntryLayout>();
  CFakeTextDevice full;
  layout->Paint(text.c_str(), 300, full);
  ASSERT_GT(layout->Height(), 1000);
  for (const CRect exposed : {CRect{0, 500, 300, 800}, CRect{0, 0, 14, 3000},
                              CRect{40, 517, 90, 518}, CRect{0, layout->Height(), 300, 9000}}) {
    CFakeTextDevice part;
    layout->Draw(text.c_str(), part, exposed);
    std::vector<CRect> expected;
    for (const auto& call : full.m_draws) {
      const CRect& r = call.rect;
      if (r.left < exposed.right && r.right > exposed.left && r.top < exposed.bottom &&
          r.bottom > exposed.top) {
        expected.push_back(r);
      }
    }
    std::vector<CRect> drawn;
    for (const auto& call : part.m_draws) drawn.push_back(call.rect);
    EXPECT_EQ(drawn, expected) << exposed.top;
    EXPECT_EQ(part.m_measureCount, 0);  // drawing measures nothing
  }
}

// A word is marked when its bytes meet a range (overlapping ranges joined; a word past the
// table too) over a new layout; the fill leaves out its separating space.
TEST(EntryLayout, MarksTheWordsThatMeetTheRanges) {
  std::string text = "aa bb %cc dd";
  for (int k = 0; k < kMaxWords; ++k) text += " ee";
  auto r = PaintText(text);
  CEntryLayout& l = *r->layout;
  const int n = static_cast<int>(text.size());
  l.SetMarks({{0, 1, 0}, {0, 4, 1}, {3, 4, 0}, {10, 12, 0}, {n - 1, n, 0}});
  l.Layout(text.c_str(), 262, r->device);
  std::vector<int> marked;
  for (int i = 0; i < l.PieceCount(); ++i)
    if (l.Piece(i).marked) marked.push_back(i);
  EXPECT_EQ(marked, (std::vector<int>{1, 2, 4, kMaxWords + 4}));
  l.Draw(text.c_str(), r->device, CRect{0, 0, 400, 30});
  ASSERT_EQ(r->device.m_fills.size(), 3u);
  const CRect& bb = l.Piece(2).rect;
  EXPECT_EQ(r->device.m_fills[1].rect, (CRect{bb.left + 10, bb.top, bb.right, bb.bottom}));
}

}  // namespace
}  // namespace kv
