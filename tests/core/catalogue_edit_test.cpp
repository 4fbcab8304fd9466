#include "core/catalogue_edit.h"

#include <gtest/gtest.h>

#include <map>

#include "core/catalogue.h"

namespace tolvane {
namespace {

using Values = std::map<std::wstring, std::wstring>;

// Groups of links, each link "name|target" (a link with no target key: "name").
using Shape = std::vector<std::pair<std::wstring, std::vector<std::wstring>>>;

MemoryStore Catalogue(const Shape& groups, const wchar_t* current = L"1") {
  MemoryStore store;
  store.Save(L"Data", L"Groupe", L"NbOcc=" + std::to_wstring(groups.size()));
  for (std::size_t g = 1; g <= groups.size(); ++g) {
    const auto& [name, links] = groups[g - 1];
    store.Save(L"Data", GroupKey(int(g)), L"Nomgroupe=" + name);
    store.Save(L"Data", CountKey(int(g)), L"NbOcc=" + std::to_wstring(links.size()));
    for (std::size_t k = 1; k <= links.size(); ++k) {
      const auto bar = links[k - 1].find(L'|');
      store.Save(L"Data", LinkKey(int(g), int(k)), L"Nom=" + links[k - 1].substr(0, bar));
      if (bar != std::wstring::npos)
        store.Save(L"Data", TargetKey(int(g), int(k)), L"Fic=" + links[k - 1].substr(bar + 1));
    }
  }
  store.Save(L"Settings", L"NGroupe", current);
  store.ClearWrites();
  return store;
}

using Writes = std::vector<MemoryStore::Write>;
MemoryStore::Write Data(const wchar_t* key, const wchar_t* value) { return {L"Data", key, value}; }

void Apply(MemoryStore& store, const EditPlan& plan) { ASSERT_TRUE(ApplyEdit(store, plan)); }

// Each change is written whole before a count can reach it.
TEST(CatalogueEdit, AddGroupWritesTheGroupBeforeItsCount) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {}}, {L"C", {}}});
  Apply(store, PlanAddGroup(store, L"R&D"));
  EXPECT_EQ(store.Writes(), (Writes{Data(L"4", L"Nomgroupe=R&D"), Data(L"4Occ", L"NbOcc=1"), Data(L"4-1", L"Nom="),
                                    Data(L"4-1c", L"Fic="), Data(L"Groupe", L"NbOcc=4"),
                                    {L"Settings", L"NGroupe", L"4"}}));
}

TEST(CatalogueEdit, AnUnreadableGroupCountNeverOverwritesGroupOne) {
  struct Case {
    const wchar_t* count;  // nullptr: no "Groupe" at all
    int groupKeys;
    int expected;
  } cases[] = {{L"NbOcc=", 2, 3}, {L"NbOcc=deux", 1, 2}, {nullptr, 0, 1}, {L"NbOcc=x", 0, 1}, {L"NbOcc=-4", 3, 1}};
  for (const auto& c : cases) {
    MemoryStore store;
    if (c.count) store.Save(L"Data", L"Groupe", c.count);
    for (int g = 1; g <= c.groupKeys; ++g) store.Save(L"Data", GroupKey(g), L"Nomgroupe=G" + std::to_wstring(g));
    Apply(store, PlanAddGroup(store, L"Neuf"));
    EXPECT_EQ(ReadGroupCount(store), c.expected) << c.groupKeys;
    EXPECT_EQ(ReadGroupName(store, c.expected), L"Neuf");
    if (c.expected > 1) {
      EXPECT_EQ(ReadGroupName(store, 1), L"G1");
    }

    // Renaming writes no count back, and a group beyond them is no group.
    store = MemoryStore();
    if (c.count) store.Save(L"Data", L"Groupe", c.count);
    for (int g = 1; g <= c.groupKeys; ++g) store.Save(L"Data", GroupKey(g), L"Nomgroupe=G");
    store.ClearWrites();
    Apply(store, PlanRenameGroup(store, 1, L"Autre"));
    for (const auto& w : store.Writes()) EXPECT_NE(w.key, L"Groupe");
  }
}

// A value of another type cannot be written back: an edit that would write
// over it or move it is not made; one that only reads past it is.
TEST(CatalogueEdit, ValuesOfAnotherTypeAreNeverWrittenOverNorMoved) {
  const auto store = [] {
    MemoryStore s = Catalogue({{L"A", {L"a1|x", L"a2|y"}}, {L"B", {L"b1|z"}}, {L"C", {L"c1|w"}}});
    s.SaveUnreadable(L"Data", L"1");
    s.SaveUnreadable(L"Data", L"2-1c");
    s.SaveUnreadable(L"Settings", L"NGroupe");
    return s;
  }();
  struct Case {
    const char* what;
    EditPlan plan;
    bool made;
  } cases[] = {
      {"rename the group whose name holds no text", PlanRenameGroup(store, 1, L"N"), false},
      {"move a target that holds no text", PlanDeleteGroup(store, 1), false},
      {"add a group", PlanAddGroup(store, L"D"), true},
      {"rename another group", PlanRenameGroup(store, 3, L"N"), true},
      {"delete the last group", PlanDeleteGroup(store, 3), true},
      {"add a link", PlanAddLink(store, L"2", L"n", L"t"), true},
      {"rename a link, target kept", PlanModifyLink(store, 2, 1, L"n", L""), true},
      {"retarget that link", PlanModifyLink(store, 2, 1, L"n", L"t"), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(!c.plan.changes.empty(), c.made) << c.what;
    for (const auto& w : c.plan.changes)
      EXPECT_FALSE(w.kind == StoreChange::Kind::Save && IsUnreadable(store, w.section, w.key)) << c.what;
  }
}

TEST(CatalogueEdit, AddLinkWritesNameTargetThenCount) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {L"1|a", L"2|b", L"3|c", L"4|d"}}}, L"2");
  EditPlan plan = PlanAddLink(store, L"2", L"Editeur ", L"  C:\\Outils\\Editeur.exe ");
  EXPECT_EQ(std::pair(plan.group, plan.link), std::pair(2, 5));
  Apply(store, plan);
  EXPECT_EQ(store.Writes(), (Writes{Data(L"2-5", L"Nom=Editeur "), Data(L"2-5c", L"Fic=C:\\Outils\\Editeur.exe"),
                                    Data(L"2Occ", L"NbOcc=5")}));

  // Whatever an older version left above the count goes, the new target included.
  store.Save(L"Data", L"2-7", L"Nom=vieux");
  store.Save(L"Data", L"2-6c", L"Fic=C:\\vieux.exe");
  Apply(store, PlanAddLink(store, L"2", L"Sans cible", L""));
  EXPECT_FALSE(store.Has(L"Data", L"2-7"));
  EXPECT_EQ(store.Get(L"Data", L"2-6c", L"missing"), L"Fic=") << "the target key is always written";
}

TEST(CatalogueEdit, ALinkAddedWithNoGroupGoesIntoTheDefaultCatalogue) {
  for (const wchar_t* none : {L"NbOcc=0", L"NbOcc="}) {
    MemoryStore store;
    store.Save(L"Data", L"Groupe", none);
    Apply(store, PlanAddLink(store, L"4", L"x", L"C:\\x"));
    EXPECT_EQ(LoadGroupMenu(store), (std::vector<GroupMenuItem>{{1, L"Groupe N°01"}}));
    EXPECT_EQ(ReadLinkCount(store, 1), 2);
    EXPECT_EQ(ReadLinkCaption(store, 1, 2), L"x");
  }
}

TEST(CatalogueEdit, OddLinkCountsLoseNoLink) {
  MemoryStore store = Catalogue({{L"A", {L"a|1", L"b|2"}}});
  store.Save(L"Data", L"1Occ", L"NbOcc=??");
  Apply(store, PlanAddLink(store, L"1", L"c", L""));
  EXPECT_EQ(ReadLinkCount(store, 1), 3);
  EXPECT_EQ(ReadLinkCaption(store, 1, 1), L"a");
  // More links than the readers take: renumbering would reach past them.
  store.Save(L"Data", L"1Occ", L"NbOcc=1500");
  EXPECT_TRUE(PlanAddLink(store, L"1", L"d", L"").changes.empty());
  EXPECT_TRUE(PlanDeleteLink(store, 1, 1).changes.empty());
}

TEST(CatalogueEdit, DeleteLinkMovesTheLaterLinksDownThenLowersTheCount) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {L"one|C:\\1", L"two", L"three|C:\\3"}}});
  Apply(store, PlanDeleteLink(store, 2, 1));
  std::vector<std::wstring> keys;
  for (const auto& w : store.Writes()) keys.push_back(w.key);
  EXPECT_EQ(keys, (std::vector<std::wstring>{L"2-1", L"2-2", L"2-2c", L"2Occ"}));
  EXPECT_FALSE(store.Has(L"Data", L"2-1c")) << "link two had no target: none moves down";
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=2");
  EXPECT_FALSE(store.Has(L"Data", L"2-3") || store.Has(L"Data", L"2-3c"));
}

TEST(CatalogueEdit, DeleteAMiddleGroup) {
  MemoryStore store = Catalogue({{L"A", {L"a"}}, {L"B", {L"b1", L"b2", L"b3"}}, {L"C", {L"c1|C:\\c1"}},
                                 {L"D", {L"d1", L"d2|C:\\d2"}}},
                                L"2");
  Apply(store, PlanDeleteGroup(store, 2));
  const Values expected{{L"groupe", L"NbOcc=3"}, {L"1", L"Nomgroupe=A"},   {L"1occ", L"NbOcc=1"},
                        {L"1-1", L"Nom=a"},      {L"2", L"Nomgroupe=C"},   {L"2occ", L"NbOcc=1"},
                        {L"2-1", L"Nom=c1"},     {L"2-1c", L"Fic=C:\\c1"}, {L"3", L"Nomgroupe=D"},
                        {L"3occ", L"NbOcc=2"},   {L"3-1", L"Nom=d1"},      {L"3-2", L"Nom=d2"},
                        {L"3-2c", L"Fic=C:\\d2"}};
  EXPECT_EQ(store.Section(L"Data"), expected) << "no surplus of B under C, nothing left of D's number";
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"2");
  EXPECT_EQ(store.Writes().back().key, L"Groupe") << "the count drops after the moves";

  // Keys written by hand with leading zeros are no catalogue key: left alone.
  store = Catalogue({{L"A", {L"a"}}, {L"B", {L"b"}}});
  store.Save(L"Data", L"02-1", L"Nom=main");
  store.Save(L"Data", L"05", L"Nomgroupe=main");
  Apply(store, PlanDeleteGroup(store, 1));
  EXPECT_EQ(store.Get(L"Data", L"02-1", L""), L"Nom=main");
  EXPECT_EQ(store.Get(L"Data", L"05", L""), L"Nomgroupe=main");
}

TEST(CatalogueEdit, GroupDeleteOnAnOddCatalogue) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {}}, {L"C", {}}});
  for (int outside : {0, 4, -2}) EXPECT_TRUE(PlanDeleteGroup(store, outside).changes.empty()) << outside;

  store.Save(L"Data", L"Groupe", L"NbOcc=trois");  // changed by hand
  Apply(store, PlanDeleteGroup(store, 2));
  EXPECT_EQ(ReadGroupCount(store), 2) << "the groups that stand are counted, not reset";
  EXPECT_EQ(ReadGroupName(store, 2), L"C");
}

TEST(CatalogueEdit, ProposedLinkName) {
  struct Case {
    const wchar_t* path;
    const wchar_t* name;
  } cases[] = {
      {L"C:\\Outils\\Editeur.exe", L"Editeur"},
      {L"C:\\Outils\\mise.a.jour.bat", L"mise.a.jour"},
      {L"C:\\Outils\\LISEZMOI", L"LISEZMOI"},     // no dot
      {L"C:\\v1.2\\outil", L"outil"},             // the dot is the folder's
      {L"C:\\Users\\moi\\.profile", L".profile"},  // only a leading dot
      {L"  C:\\Jeux\\Echecs.lnk  ", L"Echecs"},  // trimmed first
      {L"C:\\Jeux\\", L"Jeux"},
      {L"D:/docs/note.txt", L"note"},
      {L"note.txt", L"note"},
      {L"C:\\", L"C:\\"},
      {L"C:", L"C:"},
      {L"\\", L"\\"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProposedLinkName(c.path), c.name) << c.path;
}

TEST(CatalogueEdit, ChooserStartsOnPlainPathsOnly) {
  EXPECT_EQ(ChooserStartPath(L" C:\\Outils\\Editeur.exe "), L"C:\\Outils\\Editeur.exe");
  for (const wchar_t* odd : {L"", L"https://tolvane.example/", L"\"C:\\a b\\c.exe\" -x", L"C:\\*.txt", L"a|b"})
    EXPECT_EQ(ChooserStartPath(odd), L"") << odd;
  const std::wstring longest = L"C:\\" + std::wstring(256, L'a');  // 259 characters, the longest path
  EXPECT_EQ(ChooserStartPath(longest), longest);
  EXPECT_EQ(ChooserStartPath(longest + L"a"), L"");
}

}  // namespace
}  // namespace tolvane
