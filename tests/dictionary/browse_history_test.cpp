#include "dictionary/browse_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary_fixture.h"

namespace kv {
namespace {

CHistoryStep Search(const char* text, const char* entry = "", bool selected = false) {
  return {{ListKind::kSearch, text, false}, {entry, 7}, selected};
}

std::vector<std::string> Letters(const std::vector<CHeadwordRef>& headwords) {
  std::vector<std::string> letters;
  for (const CHeadwordRef& headword : headwords) letters.push_back(headword.m_letters);
  return letters;
}

TEST(HistoryTest, BackAndForwardThroughSearchesAndEntries) {
  CHistory history;
  EXPECT_FALSE(history.CanGoBack() || history.CanGoForward());
  EXPECT_EQ(history.Back(), nullptr);
  history.Record(Search("ra"));
  history.Record(Search("ra", "rAma", true));
  history.Record(Search("ra", "rAma", true));  // the same again: no step
  const CHistoryStep find{{ListKind::kFind, "fire", false}, {"rAma", 7}, false};
  history.Record(find);
  ASSERT_TRUE(history.CanGoBack());
  EXPECT_FALSE(history.CanGoForward());
  EXPECT_EQ(*history.Back(), Search("ra", "rAma", true));
  EXPECT_EQ(*history.Back(), Search("ra"));
  EXPECT_EQ(history.Back(), nullptr);  // at the start nothing moves
  EXPECT_EQ(*history.Current(), Search("ra"));
  EXPECT_EQ(*history.Forward(), Search("ra", "rAma", true));
  EXPECT_EQ(*history.Forward(), find);
  EXPECT_EQ(history.Forward(), nullptr);
  // A new step after going back drops the ones ahead.
  history.Back();
  history.Record(Search("ga", "gaja", true));
  EXPECT_FALSE(history.CanGoForward());
  EXPECT_EQ(*history.Back(), Search("ra", "rAma", true));
  EXPECT_EQ(Letters(history.Viewed()), (std::vector<std::string>{"gaja", "rAma"}));

  // Typing: one step once it settles, and Back first records where the typing stopped.
  history.Forward();
  for (const char* typed : {"k", "kr", "kRSNa"}) history.RecordSettling(Search(typed));
  EXPECT_TRUE(history.CanGoBack() && !history.CanGoForward());
  EXPECT_EQ(*history.Back(), Search("ga", "gaja", true));
  EXPECT_EQ(*history.Forward(), Search("kRSNa"));
  EXPECT_EQ(history.Forward(), nullptr);

  for (int i = 0; i < 150; ++i) history.Record(Search("a", std::to_string(i).c_str(), true));
  int steps = 0;
  while (history.Back() != nullptr) ++steps;
  EXPECT_EQ(steps, static_cast<int>(CHistory::kMaxSteps) - 1);
  EXPECT_EQ(history.Viewed().size(), CHistory::kMaxViewed);
  EXPECT_EQ(history.Viewed().front().m_letters, "149");
  history.ClearSteps();
  EXPECT_EQ(history.Current(), nullptr);
  EXPECT_EQ(history.Viewed().size(), CHistory::kMaxViewed);
}

TEST(HistoryTest, FavouritesAndTheTextTheSettingsKeep) {
  CFavourites favourites;
  EXPECT_TRUE(favourites.Add({"agni", 10}));
  EXPECT_TRUE(favourites.Add({"agni", 99}));  // a second headword of one spelling
  EXPECT_FALSE(favourites.Add({"agni", 10}));
  EXPECT_FALSE(favourites.Add({}));
  EXPECT_TRUE(favourites.Add({"\xF3zrI", 5}));
  EXPECT_TRUE(favourites.Remove({"agni", 10}));
  EXPECT_FALSE(favourites.Remove({"agni", 10}));
  const std::string text = HeadwordListText(favourites.Items());
  EXPECT_EQ(text, "99 agni\n5 \xF3zrI\n");
  EXPECT_EQ(ReadHeadwordList(text, 10), favourites.Items());
  // A damaged value: what can be read is read, the rest passed over.
  EXPECT_EQ(ReadHeadwordList("x agni\r\n12\n-1 kAma\r\n7 \n3 ra\x01ma\n99999999999 ravi\n8 " +
                                 std::string(kRowBytes, 'a') + "\n4 gaja",
                             10),
            (std::vector<CHeadwordRef>{{"kAma", -1}, {"gaja", 4}}));
  EXPECT_EQ(ReadHeadwordList("1 a\n2 b\n3 c\n", 2).size(), 2u);
  for (int i = 0; i < 600; ++i) favourites.Add({"a", i});
  EXPECT_TRUE(favourites.Full());
  favourites.SetItems({{"a", 1}, {"a", 1}, {}, {"b", 2}});
  EXPECT_EQ(favourites.Items(), (std::vector<CHeadwordRef>{{"a", 1}, {"b", 2}}));
}

using ListHeadwordTest = test::CDictionaryTest;

// A headword is found again by an exact search of its letters; one of two of the same spelling
// by its entry; one the dictionary no longer holds is not found, and no loose hit stands in.
TEST_F(ListHeadwordTest, FindsTheHeadwordOrNothing) {
  Write({{"a-gni", "first"}, {"agni", "second"}, {"agnika", "third"}, {"ravi", "sun"}});
  ASSERT_EQ(Search("agni"), SearchOutcome::kFound);
  const CHeadwordRef second = RowHeadword(*m_rows, 1);
  const CHeadwordRef moved{second.m_letters, second.m_entryOffset + 1};
  for (const CHeadwordRef& headword : {second, moved}) {
    const int row = ListHeadword(headword, m_dictionary, *m_rows, m_found, m_entry.get());
    ASSERT_EQ(row, 1);
    EXPECT_EQ(EntryAt(m_rows->m_entryOffsets[row]), "second");
  }
  EXPECT_EQ(HeadwordSearchText({"a-gni", 0}), "agni");
  EXPECT_EQ(ListHeadword({"a-gni", 0}, m_dictionary, *m_rows, m_found, m_entry.get()), 0);
  EXPECT_EQ(ListHeadword({"agnI", 0}, m_dictionary, *m_rows, m_found, m_entry.get()), -1);
  EXPECT_EQ(m_found.ItemCount(), 0);
}

// The menus' check of their headwords: those held, in order; once the files change, a headword
// found before is searched again and left out when it is gone, and one added is found.
TEST_F(ListHeadwordTest, HeldHeadwordsFollowTheFiles) {
  Write({{"agni", "fire"}, {"ravi", "sun"}, {"vAyu", "wind"}, {"zrI", "light"}});
  const std::vector<CHeadwordRef> asked = {{"soma", 0}, {"ravi", 5}, {"agni", 0}};
  CHeldHeadwords held;
  EXPECT_EQ(held.Held(asked, m_dictionary), (std::vector<CHeadwordRef>{{"ravi", 5}, {"agni", 0}}));
  Write({{"agni", "fire"}, {"soma", "juice"}, {"vAyu", "wind"}, {"zrI", "light"}});
  EXPECT_EQ(held.Held(asked, m_dictionary), (std::vector<CHeadwordRef>{{"soma", 0}, {"agni", 0}}));
}

}  // namespace
}  // namespace kv
