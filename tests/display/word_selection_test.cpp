#include "display/word_selection.h"

#include <gtest/gtest.h>

#include <cstring>
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

// What copying gives: the selected words in text order, as the pane shows them, in UTF-8.
TEST(WordSelection, CopyTextIsWhatThePaneShows) {
  struct CCase {
    const char* text;
    const char* selected;  // a flag per word
    SanskritScript script;
    const char* copied;
  };
  const CCase cases[] = {
      {kExample, "0000", SanskritScript::kIast, ""},
      {kExample, "0101", SanskritScript::kIast, " bb dd"},
      {kExample, "1010", SanskritScript::kIast, "aa cc"},
      // A word that ends at a `;` goes without it; English is read from Windows-1252.
      {"%agni m.; \x93r\xE9sum\xE9\x94 %kRSNa-kaTukA, prAG", "11111", SanskritScript::kIast,
       "agni m. “résumé” kṛṣṇa-kaṭukā, prAG"},
      {"%agni m.; \x93r\xE9sum\xE9\x94 %kRSNa-kaTukA, p%rAG", "10011", SanskritScript::kDevanagari,
       "अग्नि कृष्ण-कटुका, प्राङ्"},
      {"a%GgirAs (a%d-bhuta)", "11", SanskritScript::kIast, "aṅgirās (ad-bhuta)"},
      // The no-match message is UTF-8: it quotes the search text as typed.
      {"No matches found for <धर्म>, try", "000011", SanskritScript::kDevanagari, " <धर्म>, try"},
  };
  for (const CCase& c : cases) {
    auto l = LaidOut(c.text);
    ASSERT_EQ(l->m_wordCount, static_cast<int>(std::strlen(c.selected))) << c.text;
    for (int k = 0; k < l->m_wordCount; ++k) l->m_wordSelected[k] = c.selected[k] - '0';
    EXPECT_EQ(BuildCopyText(c.text, *l, c.script), c.copied) << c.text;
  }
  // Tables left from a longer text never read past the current one.
  auto l = LaidOut(kExample);
  l->m_wordSelected[0] = 1;
  l->m_wordSelected[3] = 1;
  EXPECT_EQ(BuildCopyText("aa", *l, SanskritScript::kIast), "aa");
}

}  // namespace
}  // namespace kv
