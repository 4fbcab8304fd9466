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

std::vector<std::wstring> WrittenKeys(const MemoryStore& store) {
  std::vector<std::wstring> keys;
  for (const auto& w : store.Writes()) keys.push_back(w.key);
  return keys;
}

void Apply(MemoryStore& store, const EditPlan& plan) { ASSERT_TRUE(ApplyEdit(store, plan)); }

TEST(CatalogueEdit, AddGroupWritesTheGroupBeforeItsCount) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {}}, {L"C", {}}});
  Apply(store, PlanAddGroup(store, L"R&D"));
  EXPECT_EQ(WrittenKeys(store), (std::vector<std::wstring>{L"4", L"4Occ", L"4-1", L"4-1c", L"Groupe", L"NGroupe"}));
  EXPECT_EQ(store.Get(L"Data", L"Groupe", L""), L"NbOcc=4");
  EXPECT_EQ(store.Get(L"Data", L"4", L""), L"Nomgroupe=R&D");
  EXPECT_EQ(store.Get(L"Data", L"4Occ", L""), L"NbOcc=1");
  EXPECT_EQ(store.Get(L"Data", L"4-1", L"?"), L"Nom=");
  EXPECT_EQ(store.Get(L"Data", L"4-1c", L"?"), L"Fic=");
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"4");
}

TEST(CatalogueEdit, AddGroupClearsWhatEarlierVersionsLeftUnderItsNumber) {
  MemoryStore store = Catalogue({{L"A", {L"a|x"}}});
  for (const wchar_t* key : {L"2", L"2Occ", L"2-1", L"2-3", L"2-3c", L"3-1c", L"1-2c"}) store.Save(L"Data", key, L"Nom=old");
  Apply(store, PlanAddGroup(store, L"B"));
  for (const wchar_t* gone : {L"2-3", L"2-3c", L"3-1c"}) EXPECT_FALSE(store.Has(L"Data", gone)) << gone;
  EXPECT_EQ(ReadGroupName(store, 2), L"B");
  EXPECT_EQ(ReadLinkCaption(store, 2, 1), L"");
  EXPECT_TRUE(store.Has(L"Data", L"1-2c")) << "another group's keys are not this edit's business";
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

TEST(CatalogueEdit, RenameTouchesOnlyTheNameAndTheCurrentGroup) {
  MemoryStore store = Catalogue({{L"A", {L"a|x"}}, {L"B", {L"b|y"}}, {L"C", {}}});
  const Values before = store.Section(L"Data");
  Apply(store, PlanRenameGroup(store, 2, L" a{b}c\t"));
  Values after = store.Section(L"Data");
  EXPECT_EQ(after[L"2"], L"Nomgroupe= a{b}c\t") << "stored as typed";
  after[L"2"] = before.at(L"2");
  EXPECT_EQ(after, before);
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"2");
  for (int outside : {0, 4, -1}) EXPECT_TRUE(PlanRenameGroup(store, outside, L"X").changes.empty()) << outside;
}

TEST(CatalogueEdit, AddLinkWritesNameTargetThenCount) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {L"1|a", L"2|b", L"3|c", L"4|d"}}}, L"2");
  EditPlan plan = PlanAddLink(store, L"2", L"Editeur ", L"  C:\\Outils\\Editeur.exe ");
  EXPECT_EQ(plan.group, 2);
  EXPECT_EQ(plan.link, 5);
  Apply(store, plan);
  EXPECT_EQ(WrittenKeys(store), (std::vector<std::wstring>{L"2-5", L"2-5c", L"2Occ"}));
  EXPECT_EQ(store.Get(L"Data", L"2-5", L""), L"Nom=Editeur ");
  EXPECT_EQ(store.Get(L"Data", L"2-5c", L""), L"Fic=C:\\Outils\\Editeur.exe");
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=5");

  Apply(store, PlanAddLink(store, L"2", L"Sans cible", L""));
  EXPECT_EQ(store.Get(L"Data", L"2-6c", L"missing"), L"Fic=") << "the target key is always written";
}

TEST(CatalogueEdit, ADeletedLinksTargetNeverComesBackUnderANewLink) {
  MemoryStore store = Catalogue({{L"A", {L"a|C:\\a", L"b|C:\\b", L"c|C:\\secret"}}});
  store.Save(L"Data", L"1-5c", L"Fic=C:\\older");  // left by an earlier version
  Apply(store, PlanDeleteLink(store, 1, 3));
  Apply(store, PlanAddLink(store, L"1", L"neuf", L""));
  EXPECT_EQ(ReadLinkTarget(store, 1, 3), L"");
  Apply(store, PlanAddLink(store, L"1", L"encore", L""));
  Apply(store, PlanAddLink(store, L"1", L"plus", L""));
  EXPECT_EQ(ReadLinkTarget(store, 1, 5), L"");
}

TEST(CatalogueEdit, ALinkGoesToTheShownGroupKeptWithinTheGroups) {
  struct Case {
    const wchar_t* shown;
    int group;
  } cases[] = {{L"2", 2}, {L"9", 3}, {L"", 1}, {L"-1", 1}, {L"abc", 1}, {L" 3 ", 3}};
  for (const auto& c : cases) {
    MemoryStore store = Catalogue({{L"A", {}}, {L"B", {}}, {L"C", {}}});
    Apply(store, PlanAddLink(store, c.shown, L"x", L""));
    EXPECT_EQ(ReadLinkCount(store, c.group), 1) << c.shown;
    EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), std::to_wstring(c.group)) << "the bar shows the link";
    EXPECT_EQ(ReadGroupCount(store), 3);
  }
  for (const wchar_t* none : {L"NbOcc=0", L"NbOcc="}) {
    MemoryStore store;
    store.Save(L"Data", L"Groupe", none);
    Apply(store, PlanAddLink(store, L"4", L"x", L"C:\\x"));
    EXPECT_EQ(ReadGroupCount(store), 1);
    EXPECT_EQ(ReadGroupName(store, 1), L"Groupe N°01");
    EXPECT_EQ(ReadLinkCount(store, 1), 2);
    EXPECT_EQ(ReadLinkCaption(store, 1, 2), L"x");
  }
}

TEST(CatalogueEdit, AnUnreadableLinkCountKeepsTheLinksThereAre) {
  MemoryStore store = Catalogue({{L"A", {L"a|1", L"b|2"}}});
  store.Save(L"Data", L"1Occ", L"NbOcc=??");
  Apply(store, PlanAddLink(store, L"1", L"c", L""));
  EXPECT_EQ(ReadLinkCount(store, 1), 3);
  EXPECT_EQ(ReadLinkCaption(store, 1, 1), L"a");
}

TEST(CatalogueEdit, ModifyLink) {
  MemoryStore store = Catalogue({{L"A", {L"a|C:\\a", L"b"}}, {L"B", {}}});
  Apply(store, PlanModifyLink(store, 1, 1, L"nouveau", L" C:\\n.exe "));
  EXPECT_EQ(ReadLinkCaption(store, 1, 1), L"nouveau");
  EXPECT_EQ(ReadLinkTarget(store, 1, 1), L"C:\\n.exe");
  store.ClearWrites();
  Apply(store, PlanModifyLink(store, 1, 2, L"b2", L""));
  EXPECT_EQ(WrittenKeys(store), (std::vector<std::wstring>{L"1-2"})) << "no target: the name only";

  // The blank button of a group with no link stands for the link to add.
  Apply(store, PlanModifyLink(store, 2, 1, L"premier", L"C:\\p"));
  EXPECT_EQ(ReadLinkCount(store, 2), 1);
  EXPECT_EQ(ReadLinkTarget(store, 2, 1), L"C:\\p");

  for (auto [g, k] : {std::pair{1, 3}, {1, 0}, {3, 1}, {0, 1}, {2, 2}})
    EXPECT_TRUE(PlanModifyLink(store, g, k, L"x", L"y").changes.empty()) << g << "-" << k;
}

TEST(CatalogueEdit, DeleteLinkMovesTheLaterLinksDownThenLowersTheCount) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {L"one|C:\\1", L"two", L"three|C:\\3"}}});
  Apply(store, PlanDeleteLink(store, 2, 1));
  EXPECT_EQ(WrittenKeys(store), (std::vector<std::wstring>{L"2-1", L"2-2", L"2-2c", L"2Occ"}));
  EXPECT_EQ(store.Section(L"Data").count(L"2-1c"), 0u) << "link two had no target: none moves down";
  EXPECT_EQ(ReadLinkCaption(store, 2, 1), L"two");
  EXPECT_EQ(ReadLinkTarget(store, 2, 2), L"C:\\3");
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=2");
  EXPECT_FALSE(store.Has(L"Data", L"2-3"));
  EXPECT_FALSE(store.Has(L"Data", L"2-3c"));

  Apply(store, PlanDeleteLink(store, 2, 2));
  EXPECT_EQ(ReadLinkCount(store, 2), 1);
  Apply(store, PlanDeleteLink(store, 2, 1));
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=0");
  EXPECT_FALSE(store.Has(L"Data", L"2-1"));

  // The blank button of the emptied group, and links that are not there.
  for (auto [g, k] : {std::pair{2, 1}, {1, 1}, {2, 0}, {3, 1}, {0, 1}})
    EXPECT_TRUE(PlanDeleteLink(store, g, k).changes.empty()) << g << "-" << k;
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
}

TEST(CatalogueEdit, DeleteTheLastGroupMakesThePreviousCurrent) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {}}, {L"C", {}}, {L"D", {L"d"}}}, L"4");
  store.Save(L"Data", L"4-7c", L"Fic=above the count");
  EditPlan plan = PlanDeleteGroup(store, 4);
  EXPECT_EQ(plan.group, 3);
  Apply(store, plan);
  EXPECT_EQ(store.Get(L"Data", L"Groupe", L""), L"NbOcc=3");
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"3");
  for (const wchar_t* gone : {L"4", L"4Occ", L"4-1", L"4-7c"}) EXPECT_FALSE(store.Has(L"Data", gone)) << gone;
}

TEST(CatalogueEdit, DeleteTheOnlyGroupLeavesTheDefaultCatalogue) {
  MemoryStore store = Catalogue({{L"Seul", {L"a|x", L"b|y"}}});
  store.Save(L"Data", L"2-1", L"Nom=leftover");
  Apply(store, PlanDeleteGroup(store, 1));
  const Values expected{{L"groupe", L"NbOcc=1"}, {L"1", L"Nomgroupe=Groupe N°01"}, {L"1occ", L"NbOcc=1"},
                        {L"1-1", L"Nom="},       {L"1-1c", L"Fic="}};
  EXPECT_EQ(store.Section(L"Data"), expected);
  EXPECT_EQ(store.Get(L"Settings", L"NGroupe", L""), L"1");
}

TEST(CatalogueEdit, GroupDeleteOnAnOddCatalogue) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {}}, {L"C", {}}});
  for (int outside : {0, 4, -2}) EXPECT_TRUE(PlanDeleteGroup(store, outside).changes.empty()) << outside;

  store.Save(L"Data", L"Groupe", L"NbOcc=trois");  // changed by hand
  Apply(store, PlanDeleteGroup(store, 2));
  EXPECT_EQ(ReadGroupCount(store), 2) << "the groups that stand are counted, not reset";
  EXPECT_EQ(ReadGroupName(store, 2), L"C");
}

TEST(CatalogueEdit, ACutOffEditNeverLosesAnotherItem) {
  // A store that stops taking changes half-way through deleting group 1:
  // every other group is still there in full at every point.
  const MemoryStore original = Catalogue({{L"A", {L"a1|x", L"a2"}}, {L"B", {L"b1|y"}}, {L"C", {L"c1", L"c2", L"c3"}}});
  const EditPlan plan = PlanDeleteGroup(original, 1);
  for (std::size_t n = 0; n <= plan.changes.size(); ++n) {
    MemoryStore store = original;
    store.RefuseAfter(n);
    EXPECT_EQ(ApplyEdit(store, plan), n == plan.changes.size());
    const int groups = ReadGroupCount(store).value_or(-1);
    bool sawC = false;
    for (int g = 1; g <= groups; ++g) sawC |= ReadGroupName(store, g) == L"C" && ReadLinkCount(store, g) == 3;
    EXPECT_TRUE(sawC) << "cut after " << n;
  }
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
  EXPECT_EQ(ChooserStartPath(L"C:\\" + std::wstring(300, L'a')), L"");
}

TEST(CatalogueEdit, KeysParsedFromTheirTexts) {
  EXPECT_EQ(ParseGroupNumber(L" 12 "), 12);
  EXPECT_FALSE(ParseGroupNumber(L""));
  auto link = ParseLinkKey(L"12-3 ");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->group, 12);
  EXPECT_EQ(link->link, 3);
  for (const wchar_t* odd : {L"", L"12", L"-3", L"1-", L"01-2", L"a-b", L"1-2-3"}) EXPECT_FALSE(ParseLinkKey(odd)) << odd;
}

TEST(MemoryStore, ListsKeysAsSavedAndCanStopTakingChanges) {
  MemoryStore store;
  store.Save(L"Data", L"1Occ", L"a");
  store.Save(L"data", L"1occ", L"b");
  store.Save(L"Data", L"2-1c", L"c");
  store.Save(L"Settings", L"NGroupe", L"1");
  store.Delete(L"Data", L"2-1C");
  EXPECT_EQ(store.Keys(L"DATA"), (std::vector<std::wstring>{L"1Occ"}));
  EXPECT_TRUE(store.Keys(L"Nothing").empty());
  store.RefuseAfter(1);
  EXPECT_TRUE(store.Save(L"Data", L"x", L"1"));
  EXPECT_FALSE(store.Delete(L"Data", L"x"));
  EXPECT_FALSE(store.Save(L"Data", L"y", L"1"));
  EXPECT_EQ(store.Get(L"Data", L"x", L""), L"1");
}

}  // namespace
}  // namespace tolvane
