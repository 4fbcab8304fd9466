#include "core/desktop_import.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "core/catalogue.h"
#include "core/options.h"

namespace tolvane {
namespace {

std::vector<DesktopFile> Files(int count) {
  std::vector<DesktopFile> files;
  for (int i = 1; i <= count; ++i) {
    std::wstring name = L"f" + std::to_wstring(i) + L".lnk";
    files.push_back({name, L"C:\\Bureau\\" + name});
  }
  return files;
}

// "Data" values, key then value.
void Put(MemoryStore& store, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
  for (const auto& [key, value] : values) store.Save(L"Data", key, value);
}

MemoryStore ThreeGroups(const wchar_t* second) {
  MemoryStore store;
  Put(store, {{L"Groupe", L"NbOcc=3"}, {L"1", L"Nomgroupe=Outils"}, {L"3", L"Nomgroupe=Jeux"}});
  store.Save(L"Data", L"2", std::wstring(L"Nomgroupe=") + second);
  return store;
}

// The keys written, in their order.
std::vector<std::wstring> WrittenKeys(const MemoryStore& store) {
  std::vector<std::wstring> keys;
  for (const auto& w : store.Writes()) keys.push_back(w.key);
  return keys;
}

TEST(DesktopImport, ReusesTheDesktopGroupInWriteOrder) {
  MemoryStore store = ThreeGroups(L"Desktop");
  store.ClearWrites();
  auto plan = PlanDesktopImport(store, Files(5));
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->group, 2);
  EXPECT_TRUE(store.Writes().empty());  // planning writes nothing
  ASSERT_TRUE(ApplyImport(store, *plan));
  // The group is whole before anything counts it; "Groupe" is left as it is.
  EXPECT_EQ(WrittenKeys(store), (std::vector<std::wstring>{L"2", L"2-1", L"2-1c", L"2-2", L"2-2c", L"2-3", L"2-3c",
                                                           L"2-4", L"2-4c", L"2-5", L"2-5c", L"2Occ", L"NGroupe",
                                                           L"Desktop", L"Rec 5"}));
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=5");
  EXPECT_EQ(ReadLinkCaption(store, 2, 3) + L"|" + ReadLinkTarget(store, 2, 3), L"f3|C:\\Bureau\\f3.lnk");
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"2");
  EXPECT_FALSE(RebuildDesktop(store));
}

TEST(DesktopImport, LastGroupNamedDesktopWinsAndCaseCounts) {
  MemoryStore store = ThreeGroups(L"Desktop");
  store.Save(L"Data", L"3", L"Nomgroupe=Desktop");
  EXPECT_EQ(PlanDesktopImport(store, Files(1))->group, 3);
  store.Save(L"Data", L"3", L"Nomgroupe=desktop");
  store.Save(L"Data", L"2", L"Nomgroupe=Desktop ");
  EXPECT_EQ(PlanDesktopImport(store, Files(1))->group, 4);
}

TEST(DesktopImport, AppendsAGroupWhenNoneIsNamedDesktop) {
  MemoryStore store = ThreeGroups(L"Bureau");
  auto plan = PlanDesktopImport(store, Files(2));
  ASSERT_TRUE(plan);
  store.ClearWrites();
  ASSERT_TRUE(ApplyImport(store, *plan));
  EXPECT_EQ(plan->group, 4);
  EXPECT_EQ(WrittenKeys(store), (std::vector<std::wstring>{L"4", L"4-1", L"4-1c", L"4-2", L"4-2c", L"4Occ", L"Groupe",
                                                           L"NGroupe", L"Desktop", L"Rec 5"}));
  EXPECT_EQ(LoadGroupMenu(store).back(), (GroupMenuItem{4, L"Desktop"}));
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"4");
}

TEST(DesktopImport, NoCatalogueStartsGroupOne) {
  for (const wchar_t* groupe : {L"", L"NbOcc=x"}) {
    MemoryStore store;
    if (*groupe) store.Save(L"Data", L"Groupe", groupe);
    auto plan = PlanDesktopImport(store, Files(1));
    ASSERT_TRUE(plan);
    ASSERT_TRUE(ApplyImport(store, *plan));
    EXPECT_EQ(plan->group, 1);
    EXPECT_EQ(LoadGroupMenu(store), (std::vector<GroupMenuItem>{{1, L"Desktop"}}));
  }
}

TEST(DesktopImport, ShorterImportDeletesTheOldLinks) {
  MemoryStore store = ThreeGroups(L"Desktop");
  ASSERT_TRUE(ApplyImport(store, *PlanDesktopImport(store, Files(8))));
  store.Delete(L"Data", L"2-7c");  // a link saved without a target
  ASSERT_TRUE(ApplyImport(store, *PlanDesktopImport(store, Files(5))));
  EXPECT_EQ(ReadLinkCount(store, 2), 5);
  EXPECT_TRUE(store.Has(L"Data", L"2-5c"));
  for (auto key : {L"2-6", L"2-6c", L"2-7", L"2-8", L"2-8c"}) EXPECT_FALSE(store.Has(L"Data", key)) << key;
  EXPECT_TRUE(store.Has(L"Data", L"3"));
}

TEST(DesktopImport, NoFileLeavesTheCatalogueAloneAndRefusedWritesAreReported) {
  MemoryStore store = ThreeGroups(L"Desktop");
  EXPECT_FALSE(PlanDesktopImport(store, {}));
  auto plan = PlanDesktopImport(store, Files(1));
  store.RefuseWrites(true);
  EXPECT_FALSE(ApplyImport(store, *plan));
}

TEST(DesktopImport, AnUnreadableCountAppendsAfterTheGroupsThatAreThere) {
  MemoryStore store;
  Put(store, {{L"Groupe", L"NbOcc=deux"}, {L"1", L"Nomgroupe=Mes outils"}, {L"1Occ", L"NbOcc=2"},
              {L"1-1", L"Nom=Bloc"}, {L"1-2", L"Nom=Calc"}, {L"2", L"Nomgroupe=Jeux"}});
  auto plan = PlanDesktopImport(store, Files(1));
  ASSERT_TRUE(plan);
  ASSERT_TRUE(ApplyImport(store, *plan));
  EXPECT_EQ(plan->group, 3);
  EXPECT_EQ(LoadGroupMenu(store),
            (std::vector<GroupMenuItem>{{1, L"Mes outils"}, {2, L"Jeux"}, {3, L"Desktop"}}));
  EXPECT_EQ(ReadLinkCount(store, 1), 2);
  EXPECT_EQ(ReadLinkCaption(store, 1, 2), L"Calc");
}

// An import cut short on an empty store leaves the group without "Groupe":
// the next one sets it.
TEST(DesktopImport, ACutFirstImportGetsItsCountNextTime) {
  MemoryStore store;
  auto first = PlanDesktopImport(store, Files(2));
  store.RefuseAfter(6);  // the group, its links and their count, not "Groupe"
  EXPECT_FALSE(ApplyImport(store, *first));
  store.RefuseAfter(1000);
  auto again = PlanDesktopImport(store, Files(2));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->group, 1);
  ASSERT_TRUE(ApplyImport(store, *again));
  EXPECT_EQ(store.Get(L"Data", L"Groupe", L""), L"NbOcc=1");
}

// Values of another type are there: the import goes after them and never
// writes over one, or is not made.
TEST(DesktopImport, ValuesOfAnotherTypeAreKept) {
  MemoryStore store = ThreeGroups(L"Bureau");
  Put(store, {{L"1Occ", L"NbOcc=1"}, {L"1-1", L"Nom=Bloc"}});
  store.SaveUnreadable(L"Data", L"Groupe");
  store.SaveUnreadable(L"Data", L"1");
  store.SaveUnreadable(L"Settings", L"Rec 5");
  auto plan = PlanDesktopImport(store, Files(1));
  ASSERT_TRUE(plan);
  ASSERT_TRUE(ApplyImport(store, *plan));
  EXPECT_EQ(plan->group, 4);
  for (auto [section, key] : {std::pair{L"Data", L"Groupe"}, {L"Data", L"1"}, {L"Settings", L"Rec 5"}})
    EXPECT_TRUE(IsUnreadable(store, section, key)) << key;
  EXPECT_EQ(ReadLinkCaption(store, 1, 1), L"Bloc");
  EXPECT_EQ(LoadGroupMenu(store).size(), 4u);

  store.SaveUnreadable(L"Data", L"4-1c");  // a value the import would write
  EXPECT_FALSE(PlanDesktopImport(store, Files(1)));
}

TEST(DesktopImport, HugeCountsAreBoundedAndNothingStoredIsRewritten) {
  MemoryStore full = ThreeGroups(L"Bureau");
  full.Save(L"Data", L"Groupe", L"NbOcc=2147483647");
  EXPECT_FALSE(PlanDesktopImport(full, Files(2))) << "no room for a group any reader would reach";

  MemoryStore store = ThreeGroups(L"Desktop");
  Put(store, {{L"Groupe", L"NbOcc=2147483647"}, {L"2Occ", L"NbOcc=2147483647"}, {L"2-900", L"Nom=loin"},
              {L"2-5000", L"Nom=hors borne"}});
  auto plan = PlanDesktopImport(store, Files(2));
  ASSERT_TRUE(plan);
  ASSERT_TRUE(ApplyImport(store, *plan));
  EXPECT_EQ(plan->group, 2);
  EXPECT_EQ(store.Get(L"Data", L"Groupe", L""), L"NbOcc=2147483647");
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=2");
  EXPECT_FALSE(store.Has(L"Data", L"2-900"));
  EXPECT_TRUE(store.Has(L"Data", L"2-5000")) << "beyond the bound nothing is touched";

  for (const wchar_t* groupe : {L"NbOcc=-4", L"NbOcc=1e300", L"NbOcc=999"}) {
    MemoryStore s = ThreeGroups(L"Bureau");
    s.Save(L"Data", L"Groupe", groupe);
    auto p = PlanDesktopImport(s, Files(1));
    const bool roomLeft = std::wstring(groupe) != L"NbOcc=1e300";
    ASSERT_EQ(p.has_value(), roomLeft) << groupe;
    if (p) {
      EXPECT_EQ(p->group, std::wstring(groupe) == L"NbOcc=-4" ? 1 : 1000) << groupe;
    }
  }
}

}  // namespace
}  // namespace tolvane
