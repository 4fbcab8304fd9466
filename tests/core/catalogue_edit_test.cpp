// The catalogue's readers, its edits and the desktop import on catalogues as
// users and other tools leave them; plain catalogues and edits cut short are
// the model's, over ten thousand seeded random sequences.
#include "core/catalogue_edit.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <tuple>

#include "catalogue_model.h"
#include "core/link_plan.h"
#include "core/options.h"

namespace tolvane {
namespace {

// Groups of links, each link "name|target" (a link with no target key: "name").
using Shape = std::vector<std::pair<std::wstring, std::vector<std::wstring>>>;

MemoryStore Catalogue(const Shape& groups, const wchar_t* current = L"1") {
  MemoryStore store;
  for (std::size_t g = 1; g <= groups.size(); ++g) model::SaveGroup(store, int(g), groups[g - 1].first, groups[g - 1].second);
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
using Menu = std::vector<GroupMenuItem>;

// Each item is written whole before a count can reach it.
TEST(CatalogueEdit, AddsWriteTheItemBeforeItsCount) {
  MemoryStore store = Catalogue({{L"A", {}}, {L"B", {L"1|a", L"2|b", L"3|c", L"4|d"}}}, L"2");
  Apply(store, PlanAddGroup(store, L"R&D"));
  EXPECT_EQ(store.Writes(), (Writes{Data(L"3", L"Nomgroupe=R&D"), Data(L"3Occ", L"NbOcc=1"), Data(L"3-1", L"Nom="),
                                    Data(L"3-1c", L"Fic="), Data(L"Groupe", L"NbOcc=3"),
                                    {L"Settings", L"NGroupe", L"3"}}));
  store.ClearWrites();
  Apply(store, PlanAddLink(store, L"2", L"Editeur ", L"  C:\\Outils\\Editeur.exe "));
  EXPECT_EQ(store.Writes(), (Writes{Data(L"2-5", L"Nom=Editeur "), Data(L"2-5c", L"Fic=C:\\Outils\\Editeur.exe"),
                                    Data(L"2Occ", L"NbOcc=5"), {L"Settings", L"NGroupe", L"2"}}));

  store.Save(L"Data", L"2-7", L"Nom=vieux");  // whatever an older version left above the count goes
  Apply(store, PlanAddLink(store, L"2", L"Sans cible", L""));
  EXPECT_FALSE(store.Has(L"Data", L"2-7"));
}

// A count that reads below 1 (none, no number, 0, negative, a fraction)
// stands for the groups there, as far as the highest whose name or count a
// key holds, group 1's name missing or not. Nothing there is
// written over, neither by the menu nor the import nor an added group.
TEST(CatalogueEdit, AGroupCountBelowOneNeverOverwritesGroupOne) {
  struct Case {
    const wchar_t* count;  // nullptr: no "Groupe" at all
    std::vector<const wchar_t*> keys;
    int groups;
  } cases[] = {{L"NbOcc=", {L"1", L"2"}, 2},        {L"NbOcc=deux", {L"1"}, 1},
               {nullptr, {}, 0},                     {L"NbOcc=x", {L"01-1"}, 0},
               {nullptr, {L"1Occ", L"1-1", L"1-1c", L"2"}, 2},
               {L"NbOcc=", {L"3OCC"}, 3},            {L"NbOcc=-4", {L"1", L"2", L"3"}, 3},
               {L"NbOcc=0", {L"1", L"1-3", L"2Occ"}, 2}, {L"NbOcc=0.4", {L"2"}, 2}};
  for (const auto& c : cases) {
    MemoryStore store;
    if (c.count) store.Save(L"Data", L"Groupe", c.count);
    for (const wchar_t* key : c.keys) store.Save(L"Data", key, std::wstring(L"Nomgroupe=") + key);
    store.ClearWrites();
    const MemoryStore before = store;
    MemoryStore imported = store;
    ASSERT_TRUE(ApplyImport(imported, *PlanDesktopImport(store, Files(1))));
    EXPECT_EQ(std::pair(ReadGroupCount(imported), ReadGroupName(imported, c.groups + 1)),
              std::pair(std::optional(c.groups + 1), std::wstring(L"Desktop"))) << c.groups;
    if (c.groups) {  // the menu shows the groups there and writes no default catalogue over them
      EXPECT_EQ(LoadGroupMenu(store).size(), std::size_t(c.groups));
      EXPECT_TRUE(store.Writes().empty());
    }
    Apply(store, PlanAddGroup(store, L"Neuf"));
    EXPECT_EQ(ReadGroupCount(store), c.groups + 1);
    EXPECT_EQ(ReadGroupName(store, c.groups + 1), L"Neuf");
    for (const wchar_t* key : c.keys) EXPECT_EQ(store.Get(L"Data", key, L""), before.Get(L"Data", key, L"")) << key;
    store = before;  // renaming writes no count back; a delete counts the groups left, none reset
    Apply(store, PlanRenameGroup(store, 1, L"Autre"));
    for (const auto& w : store.Writes()) EXPECT_NE(w.key, L"Groupe");
    Apply(store, PlanDeleteGroup(store, 1));
    EXPECT_EQ(GroupCountOrStored(store), std::max(c.groups - 1, std::min(c.groups, 1))) << c.groups;
  }
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
    return plan ? EditPlan{plan->changes} : EditPlan{.refusal = EditRefusal::Unreadable};
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

// A link count that reads below 1 counts the links stored: the bar shows
// them all and every edit finds them; with none stored a number still shows
// one blank button. Found without a count, the bar's last link may hide more:
// nothing is renumbered over them.
TEST(CatalogueEdit, ALinkCountBelowOneCountsTheLinksStoredForTheBarAndTheEdits) {
  for (const wchar_t* count : {L"NbOcc=0", L"NbOcc=-2", L"NbOcc=0.6", L"NbOcc=trois"}) {
    MemoryStore store = Catalogue({{L"A", {L"a|1", L"b|2", L"c|3"}}});
    store.Save(L"Data", L"1Occ", count);
    EXPECT_EQ(PlanLinkButtons(store, 1, 480, 600).size(), 3u) << count;
    EXPECT_EQ(PlanModifyLink(store, 1, 3, L"C", L"").link, 3) << count;
    MemoryStore added = store;
    Apply(added, PlanAddLink(added, L"1", L"d", L"4"));
    EXPECT_EQ(std::tuple(ReadLinkCaption(added, 1, 1), ReadLinkCaption(added, 1, 3), ReadLinkCount(added, 1)),
              std::tuple(L"a", L"c", 4)) << count;
    Apply(store, PlanDeleteLink(store, 1, 2));
    EXPECT_EQ(std::tuple(ReadLinkCaption(store, 1, 2), ReadLinkCount(store, 1), store.Has(L"Data", L"1-3")),
              std::tuple(L"c", 2, false)) << count;
  }
  MemoryStore empty = Catalogue({{L"A", {}}});
  empty.Save(L"Data", L"1Occ", L"NbOcc=x");
  EXPECT_TRUE(PlanLinkButtons(empty, 1, 480, 600).empty());
  empty.Save(L"Data", L"1Occ", L"NbOcc=-1");
  EXPECT_EQ(PlanLinkButtons(empty, 1, 480, 600).size(), 1u);

  std::vector<std::wstring> links(kMostLinksShown, L"l|t");
  MemoryStore full = Catalogue({{L"A", links}});
  full.Save(L"Data", L"1Occ", L"NbOcc=");
  EXPECT_EQ(PlanLinkButtons(full, 1, 480, 600).size(), std::size_t(kMostLinksShown));
  EXPECT_EQ(PlanAddLink(full, L"1", L"n", L"").refusal, EditRefusal::LinksFull);
  EXPECT_EQ(PlanDeleteLink(full, 1, 1).refusal, EditRefusal::OverBound);
  EXPECT_EQ(PlanModifyLink(full, 1, kMostLinksShown, L"n", L"").link, kMostLinksShown);
}

TEST(CatalogueEdit, CountsBeyondTheReadersBoundMoveNothing) {
  MemoryStore store = Catalogue({{L"A", {L"a|1", L"b|2"}}});
  store.Save(L"Data", L"1Occ", L"NbOcc=??");
  store.Delete(L"Data", L"1-1"), store.Delete(L"Data", L"1-1c");  // unreadable: as far as the highest link
  Apply(store, PlanAddLink(store, L"1", L"c", L""));
  EXPECT_EQ(ReadLinkCount(store, 1), 3);
  EXPECT_EQ(ReadLinkCaption(store, 1, 2), L"b");
  for (int count : {736, 737}) {  // a link past those the bar shows would never show
    store.Save(L"Data", L"1Occ", L"NbOcc=" + std::to_wstring(count));
    EXPECT_EQ(PlanAddLink(store, L"1", L"d", L"").link, count < 737 ? 737 : 0) << count;
  }
  store.Save(L"Data", L"1Occ", L"NbOcc=1500");
  EXPECT_EQ(PlanDeleteLink(store, 1, 1501).refusal, EditRefusal::Missing);
}

TEST(CatalogueEdit, ProposedNameAndChooserPathOfAFile) {
  for (auto [path, name] : {std::pair{L"C:\\v1.2\\outil", L"outil"},             // the dot is the folder's
                            {L"C:\\Users\\moi\\.profile", L".profile"},  // only a leading dot
                            {L"C:\\Jeux\\", L"Jeux"},
                            {L"D:/docs/note.txt", L"note"},
                            {L"C:\\", L"C:\\"},
                            {L"", L""}})
    EXPECT_EQ(ProposedLinkName(path), name) << path;

  EXPECT_EQ(ChooserStartPath(L" C:\\Outils\\Editeur.exe "), L"C:\\Outils\\Editeur.exe");
  for (const wchar_t* odd : {L"", L"https://tolvane.example/", L"\"C:\\a b\\c.exe\" -x", L"C:\\*.txt", L"a|b"})
    EXPECT_EQ(ChooserStartPath(odd), L"") << odd;
  const std::wstring longest = L"C:\\" + std::wstring(256, L'a');  // 259 characters, the longest path
  EXPECT_EQ(ChooserStartPath(longest), longest);
  EXPECT_EQ(ChooserStartPath(longest + L"a"), L"");
}

// The group reused is the last named exactly "Desktop", its links above the
// new count gone but for those beyond the readers' bound; no group is added
// past the bound, and a "Groupe" an import cut short left out is set by the
// next. The rest is the model's.
TEST(DesktopImport, ReusesTheGroupNamedExactlyWithinTheBounds) {
  MemoryStore store = Catalogue({{L"Outils", {}}, {L"Desktop", {L"a", L"b", L"c"}}, {L"desktop", {}}});
  auto plan = PlanDesktopImport(store, Files(2));
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->group, 2);
  ASSERT_TRUE(ApplyImport(store, *plan));
  store.Save(L"Data", L"2", L"Nomgroupe=Desktop ");
  EXPECT_EQ(PlanDesktopImport(store, Files(1))->group, 4) << "the name as written, case and blanks";

  MemoryStore zero = Catalogue({{L"Desktop", {}}, {L"Outils", {}}});  // reused, the count set to the groups there
  zero.Save(L"Data", L"Groupe", L"NbOcc=0");
  ASSERT_TRUE(ApplyImport(zero, *PlanDesktopImport(zero, Files(1))));
  EXPECT_EQ(zero.Get(L"Data", L"Groupe", L""), L"NbOcc=2");

  MemoryStore other = Catalogue({{L"Outils", {}}});
  other.Save(L"Data", L"Groupe", L"NbOcc=999");
  EXPECT_EQ(PlanDesktopImport(other, Files(1)).value_or(ImportPlan{}).group, 1000);
  store.Save(L"Data", L"2", L"Nomgroupe=Desktop");
  store.Save(L"Data", L"Groupe", L"NbOcc=2147483647");
  store.Save(L"Data", L"2Occ", L"NbOcc=2147483647");
  store.Save(L"Data", L"2-900", L"Nom=loin");
  store.Save(L"Data", L"2-5000", L"Nom=hors borne");
  ASSERT_TRUE(ApplyImport(store, *PlanDesktopImport(store, Files(2))));
  EXPECT_EQ(store.Get(L"Data", L"Groupe", L""), L"NbOcc=2147483647");
  EXPECT_EQ(store.Get(L"Data", L"2Occ", L""), L"NbOcc=2");
  EXPECT_FALSE(store.Has(L"Data", L"2-900"));
  EXPECT_TRUE(store.Has(L"Data", L"2-5000")) << "beyond the bound nothing is touched";

  MemoryStore cut;
  cut.RefuseAfter(6);  // the group, its links and their count, not "Groupe"
  EXPECT_FALSE(ApplyImport(cut, *PlanDesktopImport(cut, Files(2))));
  cut.RefuseAfter(1000);
  ASSERT_TRUE(ApplyImport(cut, *PlanDesktopImport(cut, Files(2))));
  EXPECT_EQ(cut.Get(L"Data", L"Groupe", L""), L"NbOcc=1");
}

TEST(Catalogue, EmptyStoreGetsExactlyTheDefaultCatalogue) {
  MemoryStore store;
  EXPECT_EQ(LoadGroupMenu(store), (Menu{{1, L"Groupe N°01"}}));
  EXPECT_EQ(store.Writes(), (Writes{Data(L"1", L"Nomgroupe=Groupe N°01"), Data(L"1-1", L"Nom="), Data(L"1-1c", L"Fic="),
                                    Data(L"1Occ", L"NbOcc=1"), Data(L"Groupe", L"NbOcc=1"),
                                    {L"Settings", L"NGroupe", L"1"}}));

  MemoryStore alone;  // the default catalogue around values that hold no text, written once
  alone.SaveUnreadable(L"Data", L"Groupe");
  alone.SaveUnreadable(L"Settings", L"NGroupe");
  for (int start = 0; start < 2; ++start) EXPECT_EQ(LoadGroupMenu(alone), (Menu{{1, L"Groupe N°01"}})) << start;
  EXPECT_TRUE(IsUnreadable(alone, L"Data", L"Groupe") && IsUnreadable(alone, L"Settings", L"NGroupe"));
  EXPECT_EQ(alone.Writes().size(), 4u);

  // A start cut short, in this order or in the old one ("Groupe" alone), is
  // said so, shows the default group while refused (and does not loop on
  // it), and is completed by the next; the old one's store takes the rest.
  for (std::size_t taken = 0; taken <= 6; ++taken) {
    MemoryStore cut;
    if (taken == 6) cut.Save(L"Data", L"Groupe", L"NbOcc=1");
    cut.RefuseAfter(taken);
    EXPECT_EQ(WriteDefaultCatalogue(cut), taken == 6) << taken;
    EXPECT_EQ(LoadGroupMenu(cut), (Menu{{1, L"Groupe N°01"}})) << taken;
    cut.RefuseAfter(6);
    EXPECT_EQ(LoadGroupMenu(cut), (Menu{{1, L"Groupe N°01"}})) << taken;
    EXPECT_EQ(cut.Section(L"Data"), store.Section(L"Data")) << taken;
  }
}

TEST(Catalogue, CountsAndTheCurrentGroupAreBoundedWhereverTheyAreRead) {
  struct Count { const wchar_t* text; std::optional<int> count; };
  for (auto c : {Count{L" 2.5 ", 2}, Count{L"1000", 1000}, Count{L"99999999999999999999", 1000},
                 Count{L"1e300", 1000}, Count{L"-1e300", 0}, Count{L"&H7FFFFFFF", 1000}, Count{L"deux", std::nullopt},
                 Count{L"12abc", std::nullopt}}) {
    EXPECT_EQ(BoundedCount(c.text, 1000), c.count) << c.text;
  }

  // An unreadable count: the groups there are counted, as far as the bound.
  MemoryStore store;
  store.Save(L"Data", L"Groupe", L"NbOcc=deux");
  for (int g = 1; g <= kMaxGroups + 1; ++g) store.Save(L"Data", GroupKey(g), L"Nomgroupe=x");
  // Groups past the bound are never looked for: any may be there.
  EXPECT_EQ(std::pair(GroupCountOrStored(store), StoredGroupCount(store, kMaxGroups)),
            std::pair(kMaxGroups, std::numeric_limits<double>::infinity()));

  // "NGroupe" is read as a number before any conversion: past every group,
  // however large, it means the last one.
  struct Case {
    const wchar_t* stored;
    int count, number;
    bool rewrite;
    double storedGroups = 0;
  };
  // The last group's number, however written, is kept as stored.
  for (auto c : {Case{L"5", 3, 3, true}, Case{L"3", 3, 3, false}, Case{L"03", 3, 3, false}, Case{L"3.0", 3, 3, false},
                 Case{L"3.2", 3, 3, true}, Case{L"2", 3, 2, false}, Case{L"0", 3, 1, true},
                 Case{L"abc", 3, 1, true}, Case{L"4", 0, 1, true}, Case{L"99999999999", 3, 3, true},
                 Case{L"-1e10", 3, 1, true}, Case{L"2.6", 3, 3, false},
                 // Groups stored beyond the bound: shown as the last read, the number kept.
                 Case{L"4500", 1000, 1000, false, 5000}, Case{L"1000", 1000, 1000, false, 5000},
                 Case{L"5001", 1000, 1000, true, 5000}}) {
    auto g = CurrentGroupFrom(c.stored, c.count, c.storedGroups);
    EXPECT_EQ(std::pair(g.number, g.rewrite), std::pair(c.number, c.rewrite)) << c.stored << " of " << c.count;
  }
}

void RunSeeds(unsigned first, unsigned last) {
  for (unsigned seed = first; seed <= last && !::testing::Test::HasFailure(); ++seed) {
    std::mt19937 rng(seed);
    model::Sequence([&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); },
                    [&](const std::string& what) { ADD_FAILURE() << "seed " << seed << ": " << what; })
        .Run(12);
  }
}

// Ten thousand sequences, in four parts that can run side by side.
TEST(CatalogueModel, RandomSequencesKeepTheCatalogueConsistent1) { RunSeeds(1, 2500); }
TEST(CatalogueModel, RandomSequencesKeepTheCatalogueConsistent2) { RunSeeds(2501, 5000); }
TEST(CatalogueModel, RandomSequencesKeepTheCatalogueConsistent3) { RunSeeds(5001, 7500); }
TEST(CatalogueModel, RandomSequencesKeepTheCatalogueConsistent4) { RunSeeds(7501, 10000); }

}  // namespace
}  // namespace tolvane
