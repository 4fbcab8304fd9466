// The edits and the desktop import on catalogues as users and other tools
// leave them; plain catalogues and edits cut short are the model's.
#include "core/catalogue_edit.h"

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "core/desktop_import.h"
#include "core/options.h"

namespace tolvane {
namespace {

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

std::vector<DesktopFile> Files(int count) {
  std::vector<DesktopFile> files;
  for (int i = 1; i <= count; ++i) files.push_back({L"f" + std::to_wstring(i) + L".lnk", L"C:\\Bureau\\f.lnk"});
  return files;
}

using Writes = std::vector<MemoryStore::Write>;
MemoryStore::Write Data(const wchar_t* key, const wchar_t* value) { return {L"Data", key, value}; }

void Apply(MemoryStore& store, const EditPlan& plan) { ASSERT_TRUE(ApplyEdit(store, plan)); }

// Each item is written whole before a count can reach it.
TEST(CatalogueEdit, AddsWriteTheItemBeforeItsCount) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {L"1|a", L"2|b", L"3|c", L"4|d"}}}, L"2");
  Apply(store, PlanAddGroup(store, L"R&D"));
  EXPECT_EQ(store.Writes(), (Writes{Data(L"3", L"Nomgroupe=R&D"), Data(L"3Occ", L"NbOcc=1"), Data(L"3-1", L"Nom="),
                                    Data(L"3-1c", L"Fic="), Data(L"Groupe", L"NbOcc=3"),
                                    {L"Settings", L"NGroupe", L"3"}}));
  store.ClearWrites();
  EditPlan plan = PlanAddLink(store, L"2", L"Editeur ", L"  C:\\Outils\\Editeur.exe ");
  EXPECT_EQ(std::pair(plan.group, plan.link), std::pair(2, 5));
  Apply(store, plan);
  EXPECT_EQ(store.Writes(), (Writes{Data(L"2-5", L"Nom=Editeur "), Data(L"2-5c", L"Fic=C:\\Outils\\Editeur.exe"),
                                    Data(L"2Occ", L"NbOcc=5"), {L"Settings", L"NGroupe", L"2"}}));

  // Whatever an older version left above the count goes, the new target included.
  store.Save(L"Data", L"2-7", L"Nom=vieux");
  store.Save(L"Data", L"2-6c", L"Fic=C:\\vieux.exe");
  Apply(store, PlanAddLink(store, L"2", L"Sans cible", L""));
  EXPECT_FALSE(store.Has(L"Data", L"2-7"));
  EXPECT_EQ(store.Get(L"Data", L"2-6c", L"missing"), L"Fic=");
}

// A count that is no number stands for the groups there, as far as the
// highest any key names, group 1's name missing or not; a negative one for
// none. Nothing there is written over, neither by the menu nor the import.
TEST(CatalogueEdit, AnUnreadableGroupCountNeverOverwritesGroupOne) {
  struct Case {
    const wchar_t* count;  // nullptr: no "Groupe" at all
    std::vector<const wchar_t*> keys;
    int groups;
  } cases[] = {{L"NbOcc=", {L"1", L"2"}, 2},        {L"NbOcc=deux", {L"1"}, 1},
               {nullptr, {}, 0},                     {L"NbOcc=x", {L"01-1"}, 0},
               {nullptr, {L"1Occ", L"1-1", L"1-1c", L"2"}, 2},
               {L"NbOcc=", {L"3-2C"}, 3},            {L"NbOcc=-4", {L"1", L"2", L"3"}, 0}};
  for (const auto& c : cases) {
    MemoryStore store;
    if (c.count) store.Save(L"Data", L"Groupe", c.count);
    for (const wchar_t* key : c.keys) store.Save(L"Data", key, std::wstring(L"Nomgroupe=") + key);
    store.ClearWrites();
    const MemoryStore before = store;
    EXPECT_EQ(PlanDesktopImport(store, Files(1))->group, c.groups + 1) << c.groups;
    if (c.groups) {  // the menu shows the groups there and writes no default catalogue over them
      EXPECT_EQ(LoadGroupMenu(store).size(), std::size_t(c.groups));
      EXPECT_TRUE(store.Writes().empty());
    }
    Apply(store, PlanAddGroup(store, L"Neuf"));
    EXPECT_EQ(ReadGroupCount(store), c.groups + 1);
    EXPECT_EQ(ReadGroupName(store, c.groups + 1), L"Neuf");
    if (!ReadGroupCount(before)) {  // a number leaves what lies beyond it to go
      for (const wchar_t* key : c.keys) EXPECT_EQ(store.Get(L"Data", key, L""), before.Get(L"Data", key, L"")) << key;
    }
    store = before;  // renaming writes no count back
    Apply(store, PlanRenameGroup(store, 1, L"Autre"));
    for (const auto& w : store.Writes()) EXPECT_NE(w.key, L"Groupe");
  }

  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {}}, {L"C", {}}});
  store.Save(L"Data", L"Groupe", L"NbOcc=trois");
  Apply(store, PlanDeleteGroup(store, 2));
  EXPECT_EQ(ReadGroupCount(store), 2) << "the groups that stand are counted, not reset";
  EXPECT_EQ(ReadGroupName(store, 2), L"C");
}

// A value of another type cannot be written back: an edit or import that
// would write over it or move it is not made; one that only reads past it is.
TEST(CatalogueEdit, ValuesOfAnotherTypeAreNeverWrittenOverNorMoved) {
  const auto store = [] {
    MemoryStore s = Catalogue({{L"A", {L"a1|x", L"a2|y"}}, {L"B", {L"b1|z", L"b2"}}, {L"C", {L"c1|w"}}});
    s.SaveUnreadable(L"Data", L"1");
    s.SaveUnreadable(L"Data", L"2-2c");
    s.SaveUnreadable(L"Settings", L"NGroupe");
    s.SaveUnreadable(L"Settings", L"Rec 5");
    return s;
  }();
  auto import = [&](const MemoryStore& s) {  // an import that is not made has no plan at all
    auto plan = PlanDesktopImport(s, Files(1));
    return EditPlan{plan ? plan->changes : std::vector<StoreChange>{}, 0, 0,
                    plan ? EditRefusal::None : EditRefusal::Unreadable};
  };
  MemoryStore withTarget = store;
  withTarget.SaveUnreadable(L"Data", L"4-1c");
  struct Case {
    const char* what;
    EditPlan plan;
    bool made;
  } cases[] = {
      {"import after the groups", import(store), true},
      {"import over a target", import(withTarget), false},
      {"rename the group whose name holds no text", PlanRenameGroup(store, 1, L"N"), false},
      {"move a name over it", PlanDeleteGroup(store, 1), false},
      {"move a target that holds no text", PlanDeleteLink(store, 2, 1), false},
      {"add a group", PlanAddGroup(store, L"D"), true},
      {"rename another group", PlanRenameGroup(store, 3, L"N"), true},
      {"delete the last group", PlanDeleteGroup(store, 3), true},
      {"add a link", PlanAddLink(store, L"2", L"n", L"t"), true},
      {"rename a link, target kept", PlanModifyLink(store, 2, 2, L"n", L""), true},
      {"retarget that link", PlanModifyLink(store, 2, 2, L"n", L"t"), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(!c.plan.changes.empty(), c.made) << c.what;
    EXPECT_EQ(c.plan.refusal, c.made ? EditRefusal::None : EditRefusal::Unreadable) << c.what;
    for (const auto& w : c.plan.changes)
      EXPECT_FALSE(w.kind != StoreChange::Kind::Delete && IsUnreadable(store, w.section, w.key)) << c.what;
  }
}

TEST(CatalogueEdit, CountsBeyondTheReadersBoundMoveNothing) {
  MemoryStore store = Catalogue({{L"A", {L"a|1", L"b|2"}}});
  store.Save(L"Data", L"1Occ", L"NbOcc=??");
  store.Delete(L"Data", L"1-1"), store.Delete(L"Data", L"1-1c");  // unreadable: as far as the highest link
  Apply(store, PlanAddLink(store, L"1", L"c", L""));
  EXPECT_EQ(ReadLinkCount(store, 1), 3);
  EXPECT_EQ(ReadLinkCaption(store, 1, 2), L"b");
  // A link past those the bar shows would never show.
  store.Save(L"Data", L"1Occ", L"NbOcc=736");
  EXPECT_EQ(PlanAddLink(store, L"1", L"d", L"").link, 737);
  store.Save(L"Data", L"1Occ", L"NbOcc=737");
  EXPECT_EQ(PlanAddLink(store, L"1", L"d", L"").refusal, EditRefusal::LinksFull);
  // Renumbering would reach past the links the readers take.
  store.Save(L"Data", L"1Occ", L"NbOcc=1500");
  for (auto [plan, why] : {std::pair(PlanAddLink(store, L"1", L"d", L""), EditRefusal::LinksFull),
                           std::pair(PlanDeleteLink(store, 1, 1), EditRefusal::OverBound)}) {
    EXPECT_TRUE(plan.changes.empty());
    EXPECT_EQ(plan.refusal, why);
  }
  EXPECT_EQ(PlanDeleteLink(store, 1, 1501).refusal, EditRefusal::Missing);
}

// Keys written by hand with leading zeros are no catalogue key: left alone.
TEST(CatalogueEdit, GroupDeleteLeavesKeysWithLeadingZerosAlone) {
  MemoryStore store = Catalogue({{L"A", {L"a"}}, {L"B", {L"b"}}});
  store.Save(L"Data", L"02-1", L"Nom=main");
  store.Save(L"Data", L"05", L"Nomgroupe=main");
  Apply(store, PlanDeleteGroup(store, 1));
  EXPECT_EQ(store.Get(L"Data", L"02-1", L""), L"Nom=main");
  EXPECT_EQ(store.Get(L"Data", L"05", L""), L"Nomgroupe=main");
}

TEST(CatalogueEdit, ProposedNameAndChooserPathOfAFile) {
  for (auto [path, name] : {std::pair{L"C:\\Outils\\mise.a.jour.bat", L"mise.a.jour"},
                            {L"C:\\v1.2\\outil", L"outil"},             // the dot is the folder's
                            {L"C:\\Users\\moi\\.profile", L".profile"},  // only a leading dot
                            {L"  C:\\Jeux\\Echecs.lnk  ", L"Echecs"},
                            {L"C:\\Jeux\\", L"Jeux"},
                            {L"D:/docs/note.txt", L"note"},
                            {L"C:\\", L"C:\\"},
                            {L"C:", L"C:"},
                            {L"", L""}})
    EXPECT_EQ(ProposedLinkName(path), name) << path;

  EXPECT_EQ(ChooserStartPath(L" C:\\Outils\\Editeur.exe "), L"C:\\Outils\\Editeur.exe");
  for (const wchar_t* odd : {L"", L"https://tolvane.example/", L"\"C:\\a b\\c.exe\" -x", L"C:\\*.txt", L"a|b"})
    EXPECT_EQ(ChooserStartPath(odd), L"") << odd;
  const std::wstring longest = L"C:\\" + std::wstring(256, L'a');  // 259 characters, the longest path
  EXPECT_EQ(ChooserStartPath(longest), longest);
  EXPECT_EQ(ChooserStartPath(longest + L"a"), L"");
}

// The group reused is the last named exactly "Desktop"; the rest is the model's.
TEST(DesktopImport, ReusesTheGroupNamedExactly) {
  MemoryStore store = Catalogue({{L"Outils", {}}, {L"Desktop", {L"a", L"b", L"c"}}, {L"desktop", {}}});
  EXPECT_FALSE(PlanDesktopImport(store, {}));
  auto plan = PlanDesktopImport(store, Files(2));
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->group, 2);
  ASSERT_TRUE(ApplyImport(store, *plan));
  EXPECT_FALSE(store.Has(L"Data", L"2-3")) << "the old links above the count go";
  store.Save(L"Data", L"2", L"Nomgroupe=Desktop ");
  EXPECT_EQ(PlanDesktopImport(store, Files(1))->group, 4) << "the name as written, case and blanks";
  store.RefuseWrites(true);
  EXPECT_FALSE(ApplyImport(store, *plan));
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

TEST(DesktopImport, HugeCountsAreBoundedAndNothingStoredIsRewritten) {
  MemoryStore store = Catalogue({{L"Outils", {}}, {L"Desktop", {}}});
  for (auto [groupe, group] : {std::pair{L"NbOcc=-4", 1}, {L"NbOcc=999", 1000}, {L"NbOcc=1000", 0}, {L"NbOcc=1e300", 0}}) {
    MemoryStore other = Catalogue({{L"Outils", {}}});
    other.Save(L"Data", L"Groupe", groupe);
    EXPECT_EQ(PlanDesktopImport(other, Files(1)).value_or(ImportPlan{}).group, group) << groupe;
  }

  store.Save(L"Data", L"Groupe", L"NbOcc=2147483647");
  store.Save(L"Data", L"2Occ", L"NbOcc=2147483647");
  store.Save(L"Data", L"2-900", L"Nom=loin");
  store.Save(L"Data", L"2-5000", L"Nom=hors borne");
  ASSERT_TRUE(ApplyImport(store, *PlanDesktopImport(store, Files(2))));
  EXPECT_EQ(store.Get(L"Data", L"Groupe", L""), L"NbOcc=2147483647");
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=2");
  EXPECT_FALSE(store.Has(L"Data", L"2-900"));
  EXPECT_TRUE(store.Has(L"Data", L"2-5000")) << "beyond the bound nothing is touched";
}

}  // namespace
}  // namespace tolvane
