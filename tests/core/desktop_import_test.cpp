#include "core/desktop_import.h"

#include <gtest/gtest.h>

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

MemoryStore ThreeGroups(const wchar_t* second) {
  MemoryStore store;
  store.Save(L"Data", L"Groupe", L"NbOcc=3");
  store.Save(L"Data", L"1", L"Nomgroupe=Outils");
  store.Save(L"Data", L"2", std::wstring(L"Nomgroupe=") + second);
  store.Save(L"Data", L"3", L"Nomgroupe=Jeux");
  return store;
}

TEST(DesktopImport, ReusesTheDesktopGroupInWriteOrder) {
  MemoryStore store = ThreeGroups(L"Desktop");
  store.ClearWrites();
  auto plan = PlanDesktopImport(store, Files(5));
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->group, 2);
  EXPECT_EQ(plan->groupCount, 3);
  EXPECT_TRUE(store.Writes().empty());  // planning writes nothing
  ASSERT_TRUE(ApplyImport(store, *plan));

  std::vector<std::wstring> keys;
  for (const auto& w : store.Writes()) keys.push_back(w.key);
  std::vector<std::wstring> expected{L"Groupe", L"2Occ", L"2",    L"2-1",    L"2-1c",    L"2-2",
                                     L"2-2c",   L"2-3",  L"2-3c", L"2-4",    L"2-4c",    L"2-5",
                                     L"2-5c",   L"NGroupe", L"Desktop", L"Rec 5"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=5");
  EXPECT_EQ(ReadLinkCaption(store, 2, 3), L"f3");
  EXPECT_EQ(ReadLinkTarget(store, 2, 3), L"C:\\Bureau\\f3.lnk");
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
  ASSERT_TRUE(ApplyImport(store, *plan));
  EXPECT_EQ(plan->group, 4);
  EXPECT_EQ(ReadGroupCount(store), 4);
  EXPECT_EQ(ReadGroupName(store, 4), L"Desktop");
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
    EXPECT_EQ(ReadGroupCount(store), 1);
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
  for (auto key : {L"2-6", L"2-6c", L"2-7", L"2-8", L"2-8c"})
    EXPECT_FALSE(store.Has(L"Data", key)) << key;
  EXPECT_TRUE(store.Has(L"Data", L"3"));
}

TEST(DesktopImport, NoFileLeavesTheCatalogueAloneAndRefusedWritesAreReported) {
  MemoryStore store = ThreeGroups(L"Desktop");
  EXPECT_FALSE(PlanDesktopImport(store, {}));
  auto plan = PlanDesktopImport(store, Files(1));
  store.RefuseWrites(true);
  EXPECT_FALSE(ApplyImport(store, *plan));
}

}  // namespace
}  // namespace tolvane
