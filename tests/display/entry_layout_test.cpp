#include "display/entry_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
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

using Strings = std::vector<std::string>;
using Rects = std::vector<CRect>;
// A paragraph as {first word, end word, top, bottom}.
using Paragraphs = std::vector<std::array<int, 4>>;

Rects WordRects(const CEntryLayout& l) {
  Rects out;
  for (int k = 0; k < l.m_wordCount; ++k) out.push_back(WordRect(l, k));
  return out;
}

Strings WordTexts(const std::string& text, const CEntryLayout& l) {
  Strings out;
  for (int k = 0; k < l.m_wordCount; ++k) out.push_back(WordText(text, l, k));
  return out;
}

Paragraphs ParagraphTable(const CEntryLayout& l) {
  Paragraphs out;
  for (int p = 0; p < l.m_paragraphCount; ++p) {
    out.push_back({l.m_paragraphFirstWord[p], l.m_paragraphEndWord[p], l.m_paragraphTop[p],
                   l.m_paragraphBottom[p]});
  }
  return out;
}

Strings Drawn(const CFakeTextDevice& device) {
  Strings out;
  for (const auto& call : device.m_draws) out.push_back(call.text);
  return out;
}

TEST(EntryLayout, WorkedExampleTwoParagraphs) {
  const std::string text = "aa bb ; cc dd";
  auto r = PaintText(text);
  const CEntryLayout& l = *r->layout;
  EXPECT_EQ(WordRects(l),
            (Rects{{15, 10, 35, 24}, {39, 10, 69, 24}, {15, 30, 45, 44}, {49, 30, 79, 44}}));
  EXPECT_EQ(WordTexts(text, l), (Strings{"aa", " bb", " cc", " dd"}));
  EXPECT_EQ(ParagraphTable(l), (Paragraphs{{0, 2, 10, 25}, {2, 4, 25, 45}}));
  EXPECT_EQ(l.Height(), 44);

  EXPECT_EQ(Drawn(r->device), (Strings{"\xA4", "aa", " bb", "\xA4", " cc", " dd"}));
  const auto& d = r->device.m_draws;
  EXPECT_EQ(d[0].rect, (CRect{3, 10, 13, 24}));
  EXPECT_EQ(d[0].colour, Rgb(30, 40, 170));
  EXPECT_EQ(d[0].font, EntryFont::kText);
  EXPECT_EQ(d[1].colour, 0x00000000u);
  EXPECT_EQ(d[3].rect, (CRect{3, 30, 13, 44}));
  EXPECT_EQ(d[5].rect, WordRect(l, 3));
}

TEST(EntryLayout, ShortTextsAndTheWordBeforeASemicolon) {
  // Below four bytes there is no word; "abc" still draws its marker.
  for (const char* text : {"", "a", "abc"}) {
    auto r = PaintText(text);
    EXPECT_EQ(r->layout->m_wordCount, 0) << text;
    EXPECT_EQ(r->layout->m_paragraphCount, 0) << text;
    EXPECT_EQ(r->device.m_draws.size(), std::string_view(text).size() == 3 ? 1u : 0u) << text;
  }
  auto abcd = PaintText("abcd");
  EXPECT_EQ(WordRects(*abcd->layout), (Rects{{15, 10, 55, 24}}));
  EXPECT_EQ(ParagraphTable(*abcd->layout), (Paragraphs{{0, 1, 10, 25}}));
  EXPECT_EQ(Drawn(abcd->device), (Strings{"\xA4", "abcd"}));
  auto ab = PaintText("a b");
  EXPECT_EQ(WordTexts("a b", *ab->layout), (Strings{"a", " b"}));
  EXPECT_EQ(WordRect(*ab->layout, 1), (CRect{29, 10, 49, 24}));

  // The word before a `;` is kept, also as the first word; a `;` inside parentheses keeps the
  // paragraph, one after the closing parenthesis ends it again.
  const std::string text = "aa bb; cc";
  auto r = PaintText(text);
  EXPECT_EQ(WordTexts(text, *r->layout), (Strings{"aa", " bb", " cc"}));
  EXPECT_EQ(WordRect(*r->layout, 1), (CRect{39, 10, 69, 24}));
  EXPECT_EQ(WordRect(*r->layout, 2), (CRect{15, 30, 45, 44}));
  EXPECT_EQ(ParagraphTable(*r->layout), (Paragraphs{{0, 2, 10, 25}, {2, 3, 25, 45}}));
  EXPECT_EQ(Drawn(r->device), (Strings{"\xA4", "aa", " bb", "\xA4", " cc"}));
  EXPECT_EQ(WordTexts("aa; bb", *PaintText("aa; bb")->layout), (Strings{"aa", " bb"}));
  EXPECT_EQ(ParagraphTable(*PaintText("aa; bb")->layout)[0][1], 1);
  const std::string inside = "aa (see x; y) bb";
  EXPECT_EQ(WordTexts(inside, *PaintText(inside)->layout),
            (Strings{"aa", " (see", " x;", " y)", " bb"}));
  EXPECT_EQ(PaintText(inside)->layout->m_paragraphCount, 1);
  const std::string closed = "aa (b) c; d";
  auto c = PaintText(closed);
  EXPECT_EQ(WordTexts(closed, *c->layout), (Strings{"aa", " (b)", " c", " d"}));
  EXPECT_EQ(c->layout->m_paragraphCount, 2);
}

TEST(EntryLayout, SanskritWordsAreTransliterated) {
  // The first word marked at its first, second or third byte, a later word at its second to
  // fourth (its leading space counts); further in it is plain text.
  for (const auto& [text, index, font] : {std::tuple{"%kRSNa m. x", 1, EntryFont::kTranslit},
                                          {"a%kRSNa m. x", 1, EntryFont::kTranslit},
                                          {"ab%kRSNa m. x", 1, EntryFont::kTranslit},
                                          {"abc%kRSNa m.", 1, EntryFont::kText},
                                          {"a %kRSNa b", 2, EntryFont::kTranslit},
                                          {"a abc%d b", 2, EntryFont::kText},
                                          {"%kRSNa bb cc", 2, EntryFont::kText},
                                          {"%kRSNa bb cc", 3, EntryFont::kText}}) {
    auto r = PaintText(text);
    ASSERT_GT(r->device.m_draws.size(), static_cast<size_t>(index)) << text;
    const auto& call = r->device.m_draws[static_cast<size_t>(index)];
    EXPECT_EQ(call.font, font) << text;
    EXPECT_EQ(call.colour, font == EntryFont::kText ? Rgb(0, 0, 0) : Rgb(50, 140, 60)) << text;
  }
  EXPECT_EQ(PaintText("abc%kRSNa m.")->device.m_draws[1].text, "abc%kRSNa");
  auto first = PaintText("%kRSNa m.");
  EXPECT_EQ(first->device.m_draws[1].text, "\x6B\xC1\xBF\xBA\x61\xA0");
  EXPECT_EQ(first->device.m_draws[1].rect, (CRect{15, 10, 15 + 6 * 12, 28}));
  EXPECT_EQ(PaintText("a %kRSNa b")->device.m_draws[2].text, " \x6B\xC1\xBF\xBA\x61\xA0");

  // The final word is tested, converted and drawn in its own font like any other.
  const std::string text = "aa %kRSNa";
  auto last = PaintText(text);
  EXPECT_EQ(WordTexts(text, *last->layout), (Strings{"aa", " %kRSNa"}));
  const auto& call = last->device.m_draws.back();
  EXPECT_EQ(call.text, " \x6B\xC1\xBF\xBA\x61\xA0");
  EXPECT_EQ(call.font, EntryFont::kTranslit);
  EXPECT_EQ(call.rect, (CRect{39, 10, 39 + 7 * 12, 28}));
  EXPECT_EQ(last->layout->m_paragraphBottom[0], 10 + 18 + 1);
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
