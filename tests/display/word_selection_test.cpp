#include "display/word_selection.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_text_device.h"
#include "test_files.h"

namespace kv {
namespace {

// 'aa bb ; cc dd' with the fake device: words at (15,10,35,24), (39,10,69,24),
// (15,30,45,44), (49,30,79,44); paragraph bands 10..25 and 25..45.
const char kExample[] = "aa bb ; cc dd";

std::unique_ptr<CEntryLayout> LaidOut(const char* text) {
  auto layout = std::make_unique<CEntryLayout>();
  test::CFakeTextDevice device;
  layout->Layout(text, 400, device);
  return layout;
}

TEST(WordSelection, HoverCursorEdgesAreOutside) {
  auto l = LaidOut(kExample);
  const char* const names[] = {"arrow", "word", "paragraph"};
  for (const auto& [point, cursor] : test::ReadRows("display/hover.txt")) {
    const std::size_t space = point.find(' ');
    const EntryCursor got =
        HoverCursor(*l, std::stoi(point.substr(0, space)), std::stoi(point.substr(space + 1)));
    EXPECT_EQ(names[static_cast<int>(got)], cursor) << point;
  }
}

TEST(WordSelection, ClicksToggleWordsWithStrictEdges) {
  auto l = LaidOut(kExample);
  for (const auto& [x, y] :
       {std::pair{15, 15}, {35, 15}, {20, 10}, {20, 24}, {37, 15}, {200, 15}}) {
    EXPECT_FALSE(ToggleAt(*l, x, y).Changed()) << x << "," << y;
  }
  for (int k = 0; k < 4; ++k) EXPECT_EQ(l->m_wordSelected[k], 0);

  const CToggleResult first = ToggleAt(*l, 40, 11);
  EXPECT_EQ(first.wordsToggled, 1);
  EXPECT_EQ(first.Cursor(), EntryCursor::kWord);
  EXPECT_EQ(l->m_wordSelected[1], 1);
  ToggleAt(*l, 68, 23);
  EXPECT_EQ(l->m_wordSelected[1], 0);
}

TEST(WordSelection, MarginClicksInvertWholeParagraphs) {
  auto l = LaidOut(kExample);
  l->m_wordSelected[2] = 1;
  EXPECT_FALSE(ToggleAt(*l, 0, 35).Changed());
  EXPECT_FALSE(ToggleAt(*l, 15, 35).Changed());
  EXPECT_FALSE(ToggleAt(*l, 5, 25).Changed());

  const CToggleResult r = ToggleAt(*l, 5, 27);  // the gap belongs to the paragraph below
  EXPECT_EQ(r.paragraphsToggled, 1);
  EXPECT_EQ(r.wordsToggled, 0);
  EXPECT_EQ(r.Cursor(), EntryCursor::kParagraph);
  EXPECT_EQ(l->m_wordSelected[0], 0);
  EXPECT_EQ(l->m_wordSelected[1], 0);
  EXPECT_EQ(l->m_wordSelected[2], 0);
  EXPECT_EQ(l->m_wordSelected[3], 1);

  ToggleAt(*l, 14, 11);
  EXPECT_EQ(l->m_wordSelected[0], 1);
  EXPECT_EQ(l->m_wordSelected[1], 1);
  EXPECT_EQ(l->m_wordSelected[3], 1);
}

TEST(WordSelection, WheelMovesOneStepWithinRange) {
  EXPECT_EQ(WheelTarget(50, 120, 3000), 0);
  EXPECT_EQ(WheelTarget(250, 1, 3000), 150);
  EXPECT_EQ(WheelTarget(2950, -120, 3000), 3000);
  EXPECT_EQ(WheelTarget(2950, 0, 3000), 3000);
  EXPECT_EQ(WheelTarget(400, -720, 3000), 500);
  EXPECT_EQ(WheelTarget(0, -120, 0), 0);  // nothing to scroll
  EXPECT_EQ(WheelTarget(1234, -120, 1290), 1290);
}

TEST(WordSelection, CopyTextGathersSelectedWordsInTextOrder) {
  auto l = LaidOut(kExample);
  char out[64];
  EXPECT_EQ(BuildCopyText(kExample, *l, out, sizeof out), 0);
  EXPECT_STREQ(out, "");

  l->m_wordSelected[3] = 1;
  l->m_wordSelected[1] = 1;
  EXPECT_EQ(BuildCopyText(kExample, *l, out, sizeof out), 6);
  EXPECT_STREQ(out, " bb dd");

  l->ClearSelection();
  l->m_wordSelected[0] = 1;
  l->m_wordSelected[2] = 1;
  BuildCopyText(kExample, *l, out, sizeof out);
  EXPECT_STREQ(out, "aa cc");

  // A small buffer is never overrun.
  char tiny[4];
  EXPECT_EQ(BuildCopyText(kExample, *l, tiny, sizeof tiny), 3);
  EXPECT_STREQ(tiny, "aa ");

  // The word that ends at a `;` is copied without it; Sanskrit words stay as stored.
  const char text[] = "%agni m.; fire %kRSNa";
  auto s = LaidOut(text);
  ASSERT_EQ(s->m_wordCount, 4);
  for (int k = 0; k < 4; ++k) s->m_wordSelected[k] = 1;
  BuildCopyText(text, *s, out, sizeof out);
  EXPECT_STREQ(out, "%agni m. fire %kRSNa");

  // Tables left from a longer text never read past the current one.
  BuildCopyText("aa", *l, out, sizeof out);
  EXPECT_STREQ(out, "aa");
}

}  // namespace
}  // namespace kv
