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
  std::vector<Write> expected{{L"Data", L"Groupe", L"NbOcc=1"}, {L"Data", L"1", L"Nomgroupe=Groupe N°01"},
                              {L"Data", L"1Occ", L"NbOcc=1"},  {L"Data", L"1-1", L"Nom="},
                              {L"Data", L"1-1c", L"Fic="},     {L"Settings", L"NGroupe", L"1"}};
  EXPECT_EQ(store.Writes(), expected);
  EXPECT_EQ(store.Size(), 6u);

  MemoryStore refusing;  // must not loop on the refused writes
  refusing.RefuseWrites(true);
  EXPECT_EQ(LoadGroupMenu(refusing), (Menu{{1, L"Groupe N°01"}}));
  EXPECT_EQ(refusing.Size(), 0u);
  for (std::size_t taken = 0; taken < 6; ++taken) {  // any write refused is said so
    MemoryStore cut;
    cut.RefuseAfter(taken);
    EXPECT_FALSE(WriteDefaultCatalogue(cut)) << taken;
  }
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
  store.ClearWrites();
  EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L"Outils"}})) << "the groups there, up to the first missing";
  EXPECT_TRUE(store.Writes().empty());
}

TEST(Catalogue, AnUnreadableGroupCountNeverWritesTheDefaultOverGroups) {
  for (const wchar_t* groupe : {L"NbOcc=deux", L"NbOcc=", L"NbOc", L"", L"NbOcc=1,5"}) {
    MemoryStore store;
    if (*groupe) store.Save(L"Data", L"Groupe", groupe);
    store.Save(L"Data", L"1", L"Nomgroupe=Mes outils");
    store.Save(L"Data", L"1Occ", L"NbOcc=2");
    store.Save(L"Data", L"2", L"Nomgroupe=Jeux");
    store.ClearWrites();
    EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L"Mes outils"}, {2, L"Jeux"}})) << groupe;
    EXPECT_TRUE(store.Writes().empty()) << groupe;
  }
}

TEST(Catalogue, CountsAreBoundedWhereverTheyAreRead) {
  struct Case {
    const wchar_t* text;
    std::optional<int> count;
  };
  for (auto c : {Case{L"3", 3}, Case{L" 2.5 ", 2}, Case{L"1000", 1000}, Case{L"20000", 1000},
                 Case{L"2147483647", 1000}, Case{L"99999999999999999999", 1000}, Case{L"1e300", 1000},
                 Case{L"-2147483648", 0}, Case{L"-1e300", 0}, Case{L"0", 0}, Case{L"&H7FFFFFFF", 1000},
                 Case{L"deux", std::nullopt}, Case{L"", std::nullopt}, Case{L"12abc", std::nullopt}}) {
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

  for (const wchar_t* links : {L"NbOcc=20000", L"NbOcc=1e300", L"NbOcc=-7", L"NbOcc=x"}) {
    store.Save(L"Data", L"1Occ", links);
    const std::optional<int> count = ReadLinkCount(store, 1);
    EXPECT_TRUE(!count || (*count >= 0 && *count <= kMaxLinksPerGroup)) << links;
  }
  EXPECT_EQ(store.Get(L"Data", L"1Occ", L""), L"NbOcc=x");
}

TEST(Catalogue, CurrentGroupIsClampedToTheGroups) {
  struct Case {
    const wchar_t* stored;
    int count, number;
    bool rewrite;
  };
  for (auto c : {Case{L"5", 3, 3, true}, Case{L"3", 3, 3, true}, Case{L"2", 3, 2, false}, Case{L"1", 3, 1, false},
                 Case{L"0", 3, 1, true}, Case{L"-2", 3, 1, true}, Case{L"abc", 3, 1, true}, Case{L"", 3, 1, true},
                 Case{L"4", 0, 1, true}, Case{L"1", 1, 1, true}, Case{L"99999999999", 3, 3, true},
                 Case{L"1e10", 3, 3, true}, Case{L"1e400", 3, 3, true}, Case{L"-1e10", 3, 1, true}}) {
    auto g = CurrentGroupFrom(c.stored, c.count);
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
  store.Save(L"Data", L"1Occ", L"NbOcc=1");
  store.Save(L"Data", L"2", L"Nomgroupe=Jeux");
  store.ClearWrites();
  EXPECT_TRUE(HasDataValue(store, L"1"));
  EXPECT_TRUE(IsUnreadable(store, L"Data", L"Groupe"));
  EXPECT_FALSE(IsUnreadable(store, L"Data", L"1Occ"));
  EXPECT_FALSE(IsUnreadable(store, L"Data", L"3"));
  EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L""}, {2, L"Jeux"}}));
  EXPECT_TRUE(store.Writes().empty());

  MemoryStore alone;  // no group at all: the default catalogue, around the value
  alone.SaveUnreadable(L"Data", L"Groupe");
  alone.SaveUnreadable(L"Settings", L"NGroupe");
  EXPECT_EQ(LoadGroupMenu(alone), (Menu{{1, L"Groupe N°01"}}));
  EXPECT_TRUE(IsUnreadable(alone, L"Data", L"Groupe"));
  EXPECT_TRUE(IsUnreadable(alone, L"Settings", L"NGroupe"));
  EXPECT_EQ(alone.Writes().size(), 4u);
  EXPECT_EQ(LoadGroupMenu(alone), (Menu{{1, L"Groupe N°01"}})) << "found again at the next start";
}

TEST(Options, InterfaceSizeAndColoursFromTheirText) {
  const struct { const wchar_t* text; double points; } sizes[] = {
      {L"10", 10}, {L"9.5pt", 9.5}, {L"72", 72}, {L"72.5", 8}, {L"0", 8}, {L"-3", 8}, {L"abc", 8}};
  for (const auto& c : sizes) EXPECT_EQ(InterfaceFontSize(c.text), c.points) << c.text;

  const std::uint32_t fallback = 0x00ABCDEF;
  const struct { const wchar_t* text; std::uint32_t colour; } colours[] = {
      {L"16765860", 16765860},
      {L"-2147483630", 0x80000012},  // a system colour, as the colour window stores it
      {L"-2147483648", 0x80000000},
      {L"-2147483618", 0x8000001E},  // the last system colour
      {L"0", 0},
      {L"16777215", 0xFFFFFF},
      // No display shows these: the design colour is used.
      {L"-2147483617", fallback},
      {L"16777216", fallback},
      {L"-1", fallback},
      {L"4294967295", fallback},
      {L"abc", fallback},
      {L"1e300", fallback},
      {L"-1e10", fallback},
  };
  for (const auto& c : colours) EXPECT_EQ(InterfaceColour(c.text, fallback), c.colour) << c.text;
  EXPECT_EQ(InterfaceColour(std::wstring(400, L'9'), fallback), fallback);

  const auto v = ReadInterface(MemoryStore(), L"Verdana", L"16765860");  // nothing stored: the defaults
  EXPECT_EQ(v.font + L"|" + v.size + L"|" + v.textColour + L"|" + v.backColour, L"Verdana|8|0|16765860");
}

}  // namespace
}  // namespace tolvane
