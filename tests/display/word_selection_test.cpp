#include "display/word_selection.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
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

TEST(WordSelection, ClicksToggleWordsAndWholeParagraphsWithStrictEdges) {
  for (const auto& [clicks, expected] : test::ReadRows("display/clicks.txt")) {
    auto l = LaidOut(kExample);
    std::istringstream points(clicks);
    CToggleResult last;
    for (int x = 0, y = 0; points >> x >> y;) last = ToggleAt(*l, x, y);
    std::string got;
    for (int k = 0; k < 4; ++k) got += std::to_string(l->m_wordSelected[k]);
    got += " | " + std::to_string(last.wordsToggled) + " " + std::to_string(last.paragraphsToggled);
    if (last.Changed()) got += last.Cursor() == EntryCursor::kWord ? " word" : " paragraph";
    EXPECT_EQ(got, expected) << clicks;
  }
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
