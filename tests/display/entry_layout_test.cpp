#include "display/entry_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_text_device.h"

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

std::string WordText(const std::string& text, const CEntryLayout& l, int k) {
  return text.substr(static_cast<std::size_t>(l.m_wordStart[k]),
                     static_cast<std::size_t>(l.m_wordEnd[k] - l.m_wordStart[k]));
}

TEST(EntryLayout, WorkedExampleTwoParagraphs) {
  const std::string text = "aa bb ; cc dd";
  auto r = PaintText(text);
  const CEntryLayout& l = *r->layout;

  ASSERT_EQ(l.m_wordCount, 4);
  EXPECT_EQ(WordRect(l, 0), (CRect{15, 10, 35, 24}));
  EXPECT_EQ(WordRect(l, 1), (CRect{39, 10, 69, 24}));
  EXPECT_EQ(WordRect(l, 2), (CRect{15, 30, 45, 44}));
  EXPECT_EQ(WordRect(l, 3), (CRect{49, 30, 79, 44}));
  EXPECT_EQ(WordText(text, l, 0), "aa");
  EXPECT_EQ(WordText(text, l, 1), " bb");
  EXPECT_EQ(WordText(text, l, 2), " cc");
  EXPECT_EQ(WordText(text, l, 3), " dd");

  ASSERT_EQ(l.m_paragraphCount, 2);
  EXPECT_EQ(l.m_paragraphFirstWord[0], 0);
  EXPECT_EQ(l.m_paragraphEndWord[0], 2);
  EXPECT_EQ(l.m_paragraphTop[0], 10);
  EXPECT_EQ(l.m_paragraphBottom[0], 25);
  EXPECT_EQ(l.m_paragraphFirstWord[1], 2);
  EXPECT_EQ(l.m_paragraphEndWord[1], 4);
  EXPECT_EQ(l.m_paragraphTop[1], 25);
  EXPECT_EQ(l.m_paragraphBottom[1], 45);

  const auto& d = r->device.m_draws;
  ASSERT_EQ(d.size(), 6u);
  EXPECT_EQ(d[0].text, "\xA4");
  EXPECT_EQ(d[0].rect, (CRect{3, 10, 13, 24}));
  EXPECT_EQ(d[0].colour, Rgb(30, 40, 170));
  EXPECT_EQ(d[0].font, EntryFont::kText);
  EXPECT_EQ(d[1].text, "aa");
  EXPECT_EQ(d[1].colour, 0x00000000u);
  EXPECT_EQ(d[2].text, " bb");
  EXPECT_EQ(d[3].text, "\xA4");
  EXPECT_EQ(d[3].rect, (CRect{3, 30, 13, 44}));
  EXPECT_EQ(d[4].text, " cc");
  EXPECT_EQ(d[5].text, " dd");
  EXPECT_EQ(d[5].rect, WordRect(l, 3));
  EXPECT_EQ(l.Height(), 44);
}

TEST(EntryLayout, ShortTexts) {
  for (const char* text : {"", "a"}) {
    auto r = PaintText(text);
    EXPECT_EQ(r->layout->m_wordCount, 0) << text;
    EXPECT_EQ(r->layout->m_paragraphCount, 0) << text;
    EXPECT_TRUE(r->device.m_draws.empty()) << text;
  }

  auto abc = PaintText("abc");
  EXPECT_EQ(abc->layout->m_wordCount, 0);
  EXPECT_EQ(abc->layout->m_paragraphCount, 0);
  ASSERT_EQ(abc->device.m_draws.size(), 1u);
  EXPECT_EQ(abc->device.m_draws[0].rect, (CRect{3, 10, 13, 24}));

  auto abcd = PaintText("abcd");
  const CEntryLayout& l = *abcd->layout;
  ASSERT_EQ(l.m_wordCount, 1);
  EXPECT_EQ(WordRect(l, 0), (CRect{15, 10, 55, 24}));
  ASSERT_EQ(l.m_paragraphCount, 1);
  EXPECT_EQ(l.m_paragraphEndWord[0], 1);
  EXPECT_EQ(l.m_paragraphBottom[0], 25);
  ASSERT_EQ(abcd->device.m_draws.size(), 2u);
  EXPECT_EQ(abcd->device.m_draws[1].text, "abcd");

  const std::string ab = "a b";
  auto twoWords = PaintText(ab);
  ASSERT_EQ(twoWords->layout->m_wordCount, 2);
  EXPECT_EQ(WordText(ab, *twoWords->layout, 0), "a");
  EXPECT_EQ(twoWords->layout->m_wordStart[1], 1);
  EXPECT_EQ(WordText(ab, *twoWords->layout, 1), " b");
  EXPECT_EQ(WordRect(*twoWords->layout, 1), (CRect{29, 10, 49, 24}));
}

TEST(EntryLayout, WordBeforeSemicolonIsKept) {
  const std::string text = "aa bb; cc";
  auto r = PaintText(text);
  const CEntryLayout& l = *r->layout;
  ASSERT_EQ(l.m_wordCount, 3);
  EXPECT_EQ(WordText(text, l, 1), " bb");
  EXPECT_EQ(WordRect(l, 1), (CRect{39, 10, 69, 24}));
  EXPECT_EQ(WordText(text, l, 2), " cc");
  EXPECT_EQ(WordRect(l, 2), (CRect{15, 30, 45, 44}));
  ASSERT_EQ(l.m_paragraphCount, 2);
  EXPECT_EQ(l.m_paragraphEndWord[0], 2);
  EXPECT_EQ(l.m_paragraphEndWord[1], 3);
  std::vector<std::string> drawn;
  for (const auto& call : r->device.m_draws) drawn.push_back(call.text);
  EXPECT_EQ(drawn, (std::vector<std::string>{"\xA4", "aa", " bb", "\xA4", " cc"}));

  // A first word that ends at the `;` is a word too.
  auto first = PaintText("aa; bb");
  ASSERT_EQ(first->layout->m_wordCount, 2);
  EXPECT_EQ(first->layout->m_paragraphEndWord[0], 1);
  EXPECT_EQ(first->layout->m_wordStart[1], 3);
}

TEST(EntryLayout, SemicolonInsideParenthesesKeepsParagraph) {
  const std::string text = "aa (see x; y) bb";
  auto r = PaintText(text);
  const CEntryLayout& l = *r->layout;
  ASSERT_EQ(l.m_wordCount, 5);
  EXPECT_EQ(WordText(text, l, 2), " x;");
  EXPECT_EQ(l.m_paragraphCount, 1);
  EXPECT_EQ(l.m_paragraphEndWord[0], 5);

  // After the closing parenthesis a `;` ends the paragraph again.
  const std::string closed = "aa (b) c; d";
  auto c = PaintText(closed);
  ASSERT_EQ(c->layout->m_paragraphCount, 2);
  EXPECT_EQ(c->layout->m_paragraphEndWord[0], 3);
  EXPECT_EQ(WordText(closed, *c->layout, 2), " c");
}

TEST(EntryLayout, SanskritWordsAreTransliterated) {
  // First word marked at its first, second or third byte.
  for (const char* text : {"%kRSNa m. x", "a%kRSNa m. x", "ab%kRSNa m. x"}) {
    auto r = PaintText(text);
    ASSERT_GE(r->device.m_draws.size(), 2u) << text;
    EXPECT_EQ(r->device.m_draws[1].font, EntryFont::kTranslit) << text;
    EXPECT_EQ(r->device.m_draws[1].colour, Rgb(50, 140, 60)) << text;
  }
  auto plain = PaintText("abc%kRSNa m.");
  EXPECT_EQ(plain->device.m_draws[1].font, EntryFont::kText);
  EXPECT_EQ(plain->device.m_draws[1].text, "abc%kRSNa");

  auto first = PaintText("%kRSNa m.");
  EXPECT_EQ(first->device.m_draws[1].text, "\x6B\xC1\xBF\xBA\x61\xA0");
  EXPECT_EQ(first->device.m_draws[1].rect, (CRect{15, 10, 15 + 6 * 12, 28}));

  // A later word: its leading space counts, the marker may be its second to fourth byte.
  auto later = PaintText("a %kRSNa b");
  EXPECT_EQ(later->device.m_draws[2].text, " \x6B\xC1\xBF\xBA\x61\xA0");
  EXPECT_EQ(later->device.m_draws[2].font, EntryFont::kTranslit);
  auto notLater = PaintText("a abc%d b");
  EXPECT_EQ(notLater->device.m_draws[2].font, EntryFont::kText);

  // The final word is tested, converted and drawn in its own font like any other.
  const std::string text = "aa %kRSNa";
  auto last = PaintText(text);
  const CEntryLayout& l = *last->layout;
  ASSERT_EQ(l.m_wordCount, 2);
  EXPECT_EQ(WordText(text, l, 1), " %kRSNa");
  const auto& call = last->device.m_draws.back();
  EXPECT_EQ(call.text, " \x6B\xC1\xBF\xBA\x61\xA0");
  EXPECT_EQ(call.font, EntryFont::kTranslit);
  EXPECT_EQ(call.rect, (CRect{39, 10, 39 + 7 * 12, 28}));
  EXPECT_EQ(l.m_paragraphBottom[0], 10 + 18 + 1);
  // The word after a Sanskrit word is back in the text font.
  auto after = PaintText("%kRSNa bb cc");
  EXPECT_EQ(after->device.m_draws[2].font, EntryFont::kText);
  EXPECT_EQ(after->device.m_draws[3].font, EntryFont::kText);
}

TEST(EntryLayout, WrapsAtLimitWithContinuationLines) {
  const std::string first(20, 'a');  // 200 wide: 15..215, next x = 219
  // A regular word needs x + w + 4 <= limit: 219 + 50 + 4 = 273.
  const std::string regular = first + " bbbb cc";
  auto fits = PaintText(regular, 273 + 12);
  EXPECT_EQ(WordRect(*fits->layout, 1), (CRect{219, 10, 269, 24}));
  auto wraps = PaintText(regular, 272 + 12);
  const CEntryLayout& w = *wraps->layout;
  EXPECT_EQ(WordRect(w, 1), (CRect{20, 25, 70, 39}));
  EXPECT_EQ(WordRect(w, 2), (CRect{74, 25, 104, 39}));
  EXPECT_EQ(w.m_paragraphBottom[0], 40);

  // The final word may reach the limit exactly.
  const std::string final = first + " bbbb";
  auto finalFits = PaintText(final, 269 + 12);
  EXPECT_EQ(WordRect(*finalFits->layout, 1), (CRect{219, 10, 269, 24}));
  EXPECT_EQ(finalFits->layout->m_paragraphBottom[0], 25);
  auto finalWraps = PaintText(final, 268 + 12);
  EXPECT_EQ(WordRect(*finalWraps->layout, 1), (CRect{20, 25, 70, 39}));
  EXPECT_EQ(finalWraps->layout->m_paragraphBottom[0], 40);

  // Narrow columns wrap at 250: ' bb' needs 219 + 30 + 4 = 253.
  const std::string narrow = first + " bb cc";
  for (int width : {100, 261, 262}) {
    auto r = PaintText(narrow, width);
    EXPECT_EQ(WordRect(*r->layout, 1), (CRect{20, 25, 50, 39})) << width;
  }
  auto r265 = PaintText(narrow, 265);
  EXPECT_EQ(WordRect(*r265->layout, 1), (CRect{219, 10, 249, 24}));

  // A wrapped line's top grows by the height of the word that wrapped.
  auto tall = PaintText(first + " %kk x", 262);
  EXPECT_EQ(WordRect(*tall->layout, 1).top, 10 + 18 + 1);
}

TEST(EntryLayout, LineHeightBeforeAnyWord) {
  // A paragraph closed before any word: the marker's height + 1.
  auto r = PaintText(" ;x yy");
  const CEntryLayout& l = *r->layout;
  ASSERT_EQ(l.m_paragraphCount, 2);
  EXPECT_EQ(l.m_paragraphEndWord[0], 0);
  EXPECT_EQ(l.m_paragraphBottom[0], 10 + 14 + 1);
  EXPECT_EQ(WordRect(l, 0), (CRect{15, 30, 25, 44}));

  // A single Sanskrit word: its own height + 1.
  auto single = PaintText("%kkk");
  ASSERT_EQ(single->layout->m_paragraphCount, 1);
  EXPECT_EQ(single->layout->m_paragraphBottom[0], 10 + 18 + 1);

  // A `;` at the end leaves no empty word, paragraph or stray marker.
  auto trailing = PaintText("aa bb;");
  EXPECT_EQ(trailing->layout->m_wordCount, 2);
  EXPECT_EQ(trailing->layout->m_paragraphCount, 1);
  EXPECT_EQ(trailing->device.m_draws.size(), 3u);
}

TEST(EntryLayout, CapacitiesAreNeverOverrun) {
  std::string many;
  for (int k = 0; k < 6000; ++k) many += k == 0 ? "ab" : " ab";
  auto r = PaintText(many);
  EXPECT_EQ(r->layout->m_wordCount, kMaxWords);
  EXPECT_EQ(r->layout->m_paragraphCount, 1);
  EXPECT_EQ(r->layout->m_paragraphEndWord[0], kMaxWords);
  EXPECT_EQ(r->device.m_draws.size(), 6001u);  // every word still drawn
  EXPECT_EQ(r->layout->PieceCount(), 6001);
  EXPECT_EQ(r->layout->Piece(6000).word, -1);

  std::string paragraphs;
  for (int p = 0; p < 1200; ++p) paragraphs += "a b ;";
  paragraphs += " c";
  auto q = PaintText(paragraphs);
  EXPECT_EQ(q->layout->m_paragraphCount, kMaxParagraphs);
  EXPECT_EQ(q->layout->m_wordCount, 2401);
  EXPECT_EQ(q->layout->m_paragraphEndWord[kMaxParagraphs - 1], 2000);

  const std::string longWord = std::string(300, 'x') + " yy";
  auto lw = PaintText(longWord);
  EXPECT_EQ(lw->device.m_draws[1].text, std::string(199, 'x'));
  EXPECT_EQ(lw->layout->m_wordEnd[0], 300);
  EXPECT_EQ(lw->layout->m_wordStart[1], 300);

  auto ls = PaintText("%" + std::string(400, 'k') + " yy");
  EXPECT_EQ(ls->device.m_draws[1].font, EntryFont::kTranslit);
  EXPECT_LE(ls->device.m_draws[1].text.size(), 199u);
  EXPECT_EQ(ls->layout->m_wordCount, 2);
}

TEST(EntryLayout, SelectionSurvivesRelayoutAndNoMatchClearsIt) {
  const std::string text = "aa bb %kk dd";
  auto layout = std::make_unique<CEntryLayout>();
  CFakeTextDevice device;
  layout->Layout(text.c_str(), kWide, device);
  layout->m_wordSelected[0] = 1;
  layout->m_wordSelected[2] = 1;
  layout->m_wordSelected[3] = 1;
  layout->Layout(text.c_str(), 262, device);
  layout->Draw(text.c_str(), device, CRect{0, 0, 1000, 1000});
  EXPECT_EQ(layout->m_wordSelected[0], 1);
  EXPECT_EQ(layout->m_wordSelected[1], 0);
  const auto& d = device.m_draws;
  ASSERT_EQ(d.size(), 5u);
  EXPECT_EQ(d[1].colour, Rgb(150, 20, 60));
  EXPECT_EQ(d[2].colour, Rgb(0, 0, 0));
  EXPECT_EQ(d[3].colour, Rgb(150, 140, 60));
  EXPECT_EQ(d[4].colour, Rgb(150, 20, 40));

  // Short texts that begin like the message are not it.
  for (const char* shortText : {"No", "No m", "Nozma"}) {
    layout->Layout(shortText, kWide, device);
    EXPECT_EQ(layout->m_wordSelected[0], 1) << shortText;
  }
  layout->Layout("No matches found for <kk>, try to search on the first 1/2 letters of the word.",
                 kWide, device);
  for (int k : {0, 2, 3}) EXPECT_EQ(layout->m_wordSelected[k], 0) << k;

  layout->m_wordSelected[4] = 1;
  layout->ClearSelectionIfNoMatch("No matches found for <x>");
  EXPECT_EQ(layout->m_wordSelected[4], 0);
}

TEST(EntryLayout, DrawsOnlyPiecesMeetingTheExposedArea) {
  std::string text;
  for (int k = 0; k < 800; ++k) text += (k % 7 == 3) ? " %kk" : (k % 13 == 5 ? " c;" : " abcd");
  auto layout = std::make_unique<CEntryLayout>();
  CFakeTextDevice full;
  layout->Paint(text.c_str(), 300, full);
  ASSERT_EQ(static_cast<int>(full.m_draws.size()), layout->PieceCount());
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
  }
  // Drawing measures nothing.
  CFakeTextDevice redraw;
  layout->Draw(text.c_str(), redraw, CRect{0, 0, 300, 600});
  EXPECT_EQ(redraw.m_measureCount, 0);
}

}  // namespace
}  // namespace kv
