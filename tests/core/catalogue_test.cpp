#include "core/catalogue.h"

#include <gtest/gtest.h>

#include "core/options.h"

namespace tolvane {
namespace {

using Write = MemoryStore::Write;

TEST(Catalogue, Keys) {
  EXPECT_EQ(GroupKey(12), L"12");
  EXPECT_EQ(CountKey(12), L"12Occ");
  EXPECT_EQ(LinkKey(12, 3), L"12-3");
  EXPECT_EQ(TargetKey(12, 3), L"12-3c");
  EXPECT_EQ(OptionKey(5), L"Rec 5");
}

TEST(Catalogue, ReadersDropPrefixesByLengthOnly) {
  MemoryStore store;
  store.Save(L"Data", L"Groupe", L"xxxxxx2");
  store.Save(L"Data", L"2", L"Nomgroupe=Jeux");
  store.Save(L"Data", L"2-1", L"Nom=Solitaire");
  store.Save(L"Data", L"2-1c", L"Fic=C:\\jeux\\sol.exe");
  store.Save(L"Data", L"2Occ", L"NbOcc=abc");
  EXPECT_EQ(ReadGroupCount(store), 2);
  EXPECT_EQ(ReadGroupName(store, 2), L"Jeux");
  EXPECT_EQ(ReadLinkCaption(store, 2, 1), L"Solitaire");
  EXPECT_EQ(ReadLinkTarget(store, 2, 1), L"C:\\jeux\\sol.exe");
  EXPECT_EQ(ReadLinkCount(store, 2), std::nullopt);
  EXPECT_EQ(ReadLinkCountText(store, 1), L"");  // default "0" is shorter than the prefix
  EXPECT_EQ(ReadLinkCount(store, 1), std::nullopt);
  EXPECT_EQ(ReadGroupName(store, 7), L"");
  store.Save(L"Data", L"Groupe", L"NbOcc=");
  EXPECT_EQ(ReadGroupCount(store), std::nullopt);
}

TEST(Catalogue, EmptyStoreGetsExactlyTheDefaultCatalogue) {
  MemoryStore store;
  auto items = LoadGroupMenu(store);
  EXPECT_EQ(items, (std::vector<GroupMenuItem>{{1, L"Groupe N°01"}}));
  std::vector<Write> expected{{L"Data", L"Groupe", L"NbOcc=1"},
                              {L"Data", L"1", L"Nomgroupe=Groupe N°01"},
                              {L"Data", L"1Occ", L"NbOcc=1"},
                              {L"Data", L"1-1", L"Nom="},
                              {L"Data", L"1-1c", L"Fic="},
                              {L"Settings", L"NGroupe", L"1"}};
  EXPECT_EQ(store.Writes(), expected);
  EXPECT_EQ(store.Size(), 6u);
}

TEST(Catalogue, GroupMenuFollowsTheCount) {
  MemoryStore store;
  store.Save(L"Data", L"Groupe", L"NbOcc=0");
  store.ClearWrites();
  EXPECT_TRUE(LoadGroupMenu(store).empty());
  EXPECT_TRUE(store.Writes().empty());

  store.Save(L"Data", L"Groupe", L"NbOcc=-2");
  EXPECT_TRUE(LoadGroupMenu(store).empty());

  store.Save(L"Data", L"Groupe", L"NbOcc=3");
  store.Save(L"Data", L"1", L"Nomgroupe=Outils");
  store.Save(L"Data", L"3", L"Nomgroupe=Jeux");
  store.Save(L"Data", L"4", L"Nomgroupe=Hors compte");
  store.ClearWrites();
  auto items = LoadGroupMenu(store);
  EXPECT_EQ(items, (std::vector<GroupMenuItem>{{1, L"Outils"}, {2, L""}, {3, L"Jeux"}}));
  EXPECT_EQ(LoadGroupMenu(store), items);
  EXPECT_TRUE(store.Writes().empty());
}

TEST(Catalogue, JunkCountIsReplacedByTheDefault) {
  MemoryStore store;
  store.Save(L"Data", L"Groupe", L"NbOcc=trois");
  store.Save(L"Data", L"1", L"Nomgroupe=Ancien");
  EXPECT_EQ(LoadGroupMenu(store), (std::vector<GroupMenuItem>{{1, L"Groupe N°01"}}));
  EXPECT_EQ(ReadGroupCount(store), 1);
}

TEST(Catalogue, RefusingStoreDoesNotLoop) {
  MemoryStore store;
  store.RefuseWrites(true);
  EXPECT_EQ(LoadGroupMenu(store), (std::vector<GroupMenuItem>{{1, L"Groupe N°01"}}));
  EXPECT_FALSE(WriteDefaultCatalogue(store));
  EXPECT_EQ(store.Size(), 0u);
}

TEST(Catalogue, CurrentGroupIsClampedToTheGroups) {
  struct Case {
    const wchar_t* stored;
    int count, number;
    bool rewrite;
  };
  for (auto c : {Case{L"5", 3, 3, true}, Case{L"3", 3, 3, true}, Case{L"2", 3, 2, false},
                 Case{L"1", 3, 1, false}, Case{L"0", 3, 1, true}, Case{L"-2", 3, 1, true},
                 Case{L"abc", 3, 1, true}, Case{L"", 3, 1, true}, Case{L"4", 0, 1, true},
                 Case{L"1", 1, 1, true}}) {
    auto g = CurrentGroupFrom(c.stored, c.count);
    EXPECT_EQ(g.number, c.number) << c.stored << " of " << c.count;
    EXPECT_EQ(g.rewrite, c.rewrite) << c.stored << " of " << c.count;
  }
  EXPECT_EQ(ClampCurrentGroup(L"5", 3), 3);
}

TEST(Options, EachReaderKeepsItsOwnDefault) {
  MemoryStore empty;
  EXPECT_TRUE(HideAfterLaunch(empty));
  EXPECT_FALSE(AutoMoveDialogs(empty));
  EXPECT_TRUE(StartHidden(empty));
  EXPECT_TRUE(RebuildDesktop(empty));
  EXPECT_FALSE(AnimateIcon(empty));
  for (int n = 0; n < kOptionCount; ++n) EXPECT_TRUE(OptionShownOn(empty, n)) << n;
}

TEST(Options, StoredValues) {
  MemoryStore store;
  for (int n = 0; n < kOptionCount; ++n) store.Save(L"Settings", OptionKey(n), L"0");
  EXPECT_FALSE(HideAfterLaunch(store));
  EXPECT_FALSE(StartHidden(store));
  EXPECT_FALSE(OptionShownOn(store, 4));
  store.Save(L"Settings", L"Rec 2", L"2");  // "not 0" reader
  store.Save(L"Settings", L"Rec 6", L"2");  // "equals 1" reader
  store.Save(L"Settings", L"Rec 1", L" 1 ");
  EXPECT_TRUE(AutoMoveDialogs(store));
  EXPECT_FALSE(AnimateIcon(store));
  EXPECT_TRUE(HideAfterLaunch(store));
}

TEST(Options, JunkReadsAsTheReadersDefault) {
  MemoryStore store;
  for (int n = 0; n < kOptionCount; ++n) store.Save(L"Settings", OptionKey(n), L"oui");
  EXPECT_TRUE(HideAfterLaunch(store));
  EXPECT_FALSE(AutoMoveDialogs(store));
  EXPECT_TRUE(StartHidden(store));
  EXPECT_TRUE(RebuildDesktop(store));
  EXPECT_FALSE(AnimateIcon(store));
  EXPECT_TRUE(OptionShownOn(store, 2));
}

TEST(Options, InterfaceValues) {
  MemoryStore store;
  auto v = ReadInterface(store, L"Verdana", L"16765860");
  EXPECT_EQ(v.font, L"Verdana");
  EXPECT_EQ(v.size, L"8");
  EXPECT_EQ(v.textColour, L"0");
  EXPECT_EQ(v.backColour, L"16765860");
  store.Save(L"Interface", L"Police", L"Tahoma");
  store.Save(L"Interface", L"TaillePolice", L"12");
  store.Save(L"Interface", L"CouleurTexte", L"-2147483630");
  store.Save(L"Interface", L"BackCouleur", L"255");
  v = ReadInterface(store, L"Verdana", L"16765860");
  EXPECT_EQ(v.font + v.size + v.textColour + v.backColour, L"Tahoma12-2147483630255");
}

}  // namespace
}  // namespace tolvane
