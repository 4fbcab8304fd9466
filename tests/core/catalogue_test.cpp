#include "core/catalogue.h"

#include <gtest/gtest.h>

#include "core/options.h"

namespace tolvane {
namespace {

using Write = MemoryStore::Write;
using Menu = std::vector<GroupMenuItem>;

TEST(Catalogue, EmptyStoreGetsExactlyTheDefaultCatalogue) {
  MemoryStore store;
  EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L"Groupe N°01"}}));
  std::vector<Write> expected{{L"Data", L"Groupe", L"NbOcc=1"},
                              {L"Data", L"1", L"Nomgroupe=Groupe N°01"},
                              {L"Data", L"1Occ", L"NbOcc=1"},
                              {L"Data", L"1-1", L"Nom="},
                              {L"Data", L"1-1c", L"Fic="},
                              {L"Settings", L"NGroupe", L"1"}};
  EXPECT_EQ(store.Writes(), expected);
  EXPECT_EQ(store.Size(), 6u);

  MemoryStore refusing;  // must not loop on the refused writes
  refusing.RefuseWrites(true);
  EXPECT_EQ(LoadGroupMenu(refusing), (Menu{{1, L"Groupe N°01"}}));
  EXPECT_EQ(refusing.Size(), 0u);
}

TEST(Catalogue, GroupMenuFollowsTheCountAndJunkGetsTheDefault) {
  MemoryStore store;
  for (const wchar_t* none : {L"NbOcc=0", L"NbOcc=-2"}) {
    store.Save(L"Data", L"Groupe", none);
    store.ClearWrites();
    EXPECT_TRUE(LoadGroupMenu(store).empty());
    EXPECT_TRUE(store.Writes().empty());
  }
  store.Save(L"Data", L"Groupe", L"NbOcc=3");
  store.Save(L"Data", L"1", L"Nomgroupe=Outils");
  store.Save(L"Data", L"3", L"Nomgroupe=Jeux");
  store.Save(L"Data", L"4", L"Nomgroupe=Hors compte");
  EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L"Outils"}, {2, L""}, {3, L"Jeux"}}));

  store.Save(L"Data", L"Groupe", L"NbOcc=trois");
  EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L"Groupe N°01"}}));
  EXPECT_EQ(ReadGroupCount(store), 1);
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
}

TEST(Options, EachReaderKeepsItsOwnDefaultForMissingOrJunk) {
  for (const wchar_t* stored : {L"", L"oui"}) {
    MemoryStore store;
    if (*stored)
      for (int n = 0; n < kOptionCount; ++n) store.Save(L"Settings", OptionKey(n), stored);
    EXPECT_TRUE(HideAfterLaunch(store)) << stored;
    EXPECT_FALSE(AutoMoveDialogs(store)) << stored;
    EXPECT_TRUE(StartHidden(store)) << stored;
    EXPECT_TRUE(RebuildDesktop(store)) << stored;
    EXPECT_FALSE(AnimateIcon(store)) << stored;
    for (int n = 0; n < kOptionCount; ++n) EXPECT_TRUE(OptionShownOn(store, n)) << n;
  }
  MemoryStore empty;
  const auto v = ReadInterface(empty, L"Verdana", L"16765860");
  EXPECT_EQ(v.font + L"|" + v.size + L"|" + v.textColour + L"|" + v.backColour, L"Verdana|8|0|16765860");
}

TEST(Options, StoredValuesAndTheReadersOwnTests) {
  MemoryStore store;
  for (int n = 0; n < kOptionCount; ++n) store.Save(L"Settings", OptionKey(n), L"0");
  EXPECT_FALSE(HideAfterLaunch(store));
  EXPECT_FALSE(OptionShownOn(store, 4));
  store.Save(L"Settings", L"Rec 2", L"2");  // "not 0" reader
  store.Save(L"Settings", L"Rec 6", L"2");  // "equals 1" reader
  EXPECT_TRUE(AutoMoveDialogs(store));
  EXPECT_FALSE(AnimateIcon(store));
}

TEST(Options, InterfaceSizeAndColoursFromTheirText) {
  const struct { const wchar_t* text; double points; } sizes[] = {
      {L"10", 10}, {L"9.5pt", 9.5}, {L"72", 72}, {L"73", 8}, {L"0", 8}, {L"-3", 8}, {L"abc", 8}};
  for (const auto& c : sizes) EXPECT_EQ(InterfaceFontSize(c.text), c.points) << c.text;

  const std::uint32_t fallback = 0x00ABCDEF;
  const struct { const wchar_t* text; std::uint32_t colour; } colours[] = {
      {L"16765860", 16765860},
      {L"-2147483630", 0x80000012},  // a system colour, as the colour window stores it
      {L"&H80000012", 0x80000012},
      {L"4294967295", 0xFFFFFFFF},
      {L"12.9", 12},
      {L"abc", 0},
      // Too wide for 32 bits: these once reached an undefined integer conversion.
      {L"1e300", fallback},
      {L"-1e10", fallback},
      {L"4294967296", fallback},
  };
  for (const auto& c : colours) EXPECT_EQ(InterfaceColour(c.text, fallback), c.colour) << c.text;
}

}  // namespace
}  // namespace tolvane
