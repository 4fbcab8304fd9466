#include "core/catalogue.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using Write = MemoryStore::Write;
using Menu = std::vector<GroupMenuItem>;

TEST(Catalogue, EmptyStoreGetsExactlyTheDefaultCatalogue) {
  MemoryStore store;
  EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L"Groupe N°01"}}));
  EXPECT_EQ(store.Writes(), (std::vector<Write>{{L"Data", L"1", L"Nomgroupe=Groupe N°01"},
                                                {L"Data", L"1-1", L"Nom="},
                                                {L"Data", L"1-1c", L"Fic="},
                                                {L"Data", L"1Occ", L"NbOcc=1"},
                                                {L"Data", L"Groupe", L"NbOcc=1"},
                                                {L"Settings", L"NGroupe", L"1"}}));
  EXPECT_EQ(store.Size(), 6u);

  MemoryStore refusing;  // must not loop on the refused writes
  refusing.RefuseWrites(true);
  EXPECT_EQ(LoadGroupMenu(refusing), (Menu{{1, L"Groupe N°01"}}));
  // A start cut short, in this order or in the old one ("Groupe" alone), is
  // said so and completed by the next.
  for (std::size_t taken = 0; taken <= 6; ++taken) {
    MemoryStore cut;
    if (taken == 6) cut.Save(L"Data", L"Groupe", L"NbOcc=1");
    cut.RefuseAfter(taken);
    if (taken < 6) {
      EXPECT_FALSE(WriteDefaultCatalogue(cut)) << taken;
    }
    cut.RefuseAfter(6);
    EXPECT_EQ(LoadGroupMenu(cut), (Menu{{1, L"Groupe N°01"}})) << taken;
    EXPECT_EQ(cut.Section(L"Data"), store.Section(L"Data")) << taken;
  }
}

TEST(Catalogue, CountsAreBoundedWhereverTheyAreRead) {
  struct Case { const wchar_t* text; std::optional<int> count; };
  for (auto c : {Case{L" 2.5 ", 2}, Case{L"1000", 1000}, Case{L"2147483647", 1000},
                 Case{L"99999999999999999999", 1000}, Case{L"1e300", 1000}, Case{L"-2147483648", 0},
                 Case{L"-1e300", 0}, Case{L"&H7FFFFFFF", 1000}, Case{L"deux", std::nullopt}, Case{L"", std::nullopt},
                 Case{L"12abc", std::nullopt}}) {
    EXPECT_EQ(BoundedCount(c.text, 1000), c.count) << c.text;
  }

  MemoryStore store;
  store.Save(L"Data", L"Groupe", L"NbOcc=2147483647");
  store.Save(L"Data", L"1", L"Nomgroupe=Un");
  store.ClearWrites();
  const Menu menu = LoadGroupMenu(store);
  ASSERT_EQ(menu.size(), static_cast<std::size_t>(kMaxGroups));
  EXPECT_EQ(menu.front(), (GroupMenuItem{1, L"Un"}));
  EXPECT_TRUE(store.Writes().empty()) << "a reader's bound only";
  EXPECT_EQ(StoredGroupCount(store), 2147483647.0);
  store.Save(L"Data", L"1Occ", L"NbOcc=1e300");
  EXPECT_EQ(ReadLinkCount(store, 1), kMaxLinksPerGroup);
  // An unreadable count: the groups there are counted, as far as the bound.
  store.Save(L"Data", L"Groupe", L"NbOcc=deux");
  for (int g = 2; g <= kMaxGroups + 1; ++g) store.Save(L"Data", GroupKey(g), L"Nomgroupe=x");
  EXPECT_EQ(std::pair(GroupCountOrStored(store), StoredGroupCount(store)), std::pair(kMaxGroups, kMaxGroups + 1.0));
}

// "NGroupe" is read as a number before any conversion: past every group,
// however large, it means the last one.
TEST(Catalogue, CurrentGroupIsClampedToTheGroups) {
  struct Case {
    const wchar_t* stored;
    int count, number;
    bool rewrite;
    double storedGroups = 0;
  };
  for (auto c : {Case{L"5", 3, 3, true}, Case{L"3", 3, 3, true}, Case{L"2", 3, 2, false}, Case{L"1", 3, 1, false},
                 Case{L"0", 3, 1, true}, Case{L"-2", 3, 1, true}, Case{L"abc", 3, 1, true}, Case{L"", 3, 1, true},
                 Case{L"4", 0, 1, true}, Case{L"1", 1, 1, true}, Case{L"99999999999", 3, 3, true},
                 Case{L"1e400", 3, 3, true}, Case{L"-1e10", 3, 1, true}, Case{L"2.6", 3, 3, true},
                 // Groups stored beyond the bound: shown as the last read, the number kept.
                 Case{L"4500", 1000, 1000, false, 5000}, Case{L"1000", 1000, 1000, false, 5000},
                 Case{L"5001", 1000, 1000, true, 5000}, Case{L"3", 3, 3, true, 3}}) {
    auto g = CurrentGroupFrom(c.stored, c.count, c.storedGroups);
    EXPECT_EQ(std::pair(g.number, g.rewrite), std::pair(c.number, c.rewrite)) << c.stored << " of " << c.count;
  }
  EXPECT_EQ(CurrentGroupFrom(std::wstring(100000, L'7'), 3).number, 3);
}

// A value that holds no text (another program's) is there: nothing is
// written over it and the groups after it stay in reach.
TEST(Catalogue, AValueOfAnotherTypeIsThereAndNeverWrittenOver) {
  MemoryStore store;
  store.SaveUnreadable(L"Data", L"Groupe");
  store.SaveUnreadable(L"Data", L"1");
  store.Save(L"Data", L"2", L"Nomgroupe=Jeux");
  store.ClearWrites();
  EXPECT_FALSE(IsUnreadable(store, L"Data", L"2"));
  EXPECT_FALSE(IsUnreadable(store, L"Data", L"3"));
  EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L""}, {2, L"Jeux"}}));
  EXPECT_TRUE(store.Writes().empty());

  MemoryStore alone;  // no group at all: the default catalogue, around the values
  alone.SaveUnreadable(L"Data", L"Groupe");
  alone.SaveUnreadable(L"Settings", L"NGroupe");
  EXPECT_EQ(LoadGroupMenu(alone), (Menu{{1, L"Groupe N°01"}}));
  EXPECT_TRUE(IsUnreadable(alone, L"Data", L"Groupe") && IsUnreadable(alone, L"Settings", L"NGroupe"));
  EXPECT_EQ(alone.Writes().size(), 4u);
  EXPECT_EQ(LoadGroupMenu(alone), (Menu{{1, L"Groupe N°01"}})) << "found again at the next start";
}

}  // namespace
}  // namespace tolvane
