// The catalogue edits against a plain model of groups of links, through
// sequences of edits picked by the caller (seeded at random, or from fuzzed
// bytes) that start from catalogues with what earlier versions left behind.
// After every step the store must read back as the model, and a delete cut
// off after any number of changes must lose nothing but the deleted item.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "core/catalogue_edit.h"
#include "core/desktop_import.h"
#include "core/link_plan.h"
#include "core/text.h"

namespace tolvane::model {

struct Link {
  std::wstring name, target;
  bool operator==(const Link&) const = default;
};
struct Group {
  std::wstring name;
  std::vector<Link> links;
  bool operator==(const Group&) const = default;
};
using Groups = std::vector<Group>;

const Group kDefaultGroup{L"Groupe N°01", {{L"", L""}}};

// Saves group `g` with its links, each "caption|target" ("caption" alone:
// no target key); the group count takes it in.
inline void SaveGroup(SettingsStore& store, int g, const std::wstring& name, const std::vector<std::wstring>& links) {
  store.Save(L"Data", L"Groupe", L"NbOcc=" + Digits(std::max(g, ReadGroupCount(store).value_or(0))));
  store.Save(L"Data", GroupKey(g), L"Nomgroupe=" + name);
  store.Save(L"Data", CountKey(g), L"NbOcc=" + Digits(static_cast<long long>(links.size())));
  for (int k = 1; k <= static_cast<int>(links.size()); ++k) {
    const std::wstring& link = links[static_cast<std::size_t>(k - 1)];
    const std::size_t bar = link.find(L'|');
    store.Save(L"Data", LinkKey(g, k), L"Nom=" + link.substr(0, bar));
    if (bar != std::wstring::npos) store.Save(L"Data", TargetKey(g, k), L"Fic=" + link.substr(bar + 1));
  }
}

// The catalogue as the bar reads it. A count below 1 stands for the highest
// group whose name or count is there, or the highest link: found here from
// the keys listed.
inline std::optional<Groups> ReadBack(const SettingsStore& store) {
  int groupsThere = 0;
  std::map<int, int> linksThere;
  for (const auto& key : store.Keys(L"Data")) {
    const auto k = ParseCatalogueKey(key);
    if (!k || k->group > kMaxGroups) continue;
    if (k->link == 0) groupsThere = std::max(groupsThere, k->group);
    if (k->link <= kMostLinksShown) linksThere[k->group] = std::max(linksThere[k->group], k->link);
  }
  auto counted = [](const std::wstring& count, int bound, int there) {
    return CountOfOneOrMore(DropPrefix(count, 6), bound).value_or(there);
  };
  Groups groups;
  for (int g = 1, count = counted(store.Get(L"Data", L"Groupe", L""), kMaxGroups, groupsThere); g <= count; ++g) {
    groups.push_back({ReadGroupName(store, g), {}});
    for (int k = 1, links = counted(store.Get(L"Data", CountKey(g), L""), kMaxLinksPerGroup, linksThere[g]); k <= links; ++k)
      groups.back().links.push_back({ReadLinkCaption(store, g, k), ReadLinkTarget(store, g, k)});
  }
  return groups;
}

// Whether `shown` is `expected` with one entry more (a copy or a half-moved one).
template <typename T>
bool OneExtra(const std::vector<T>& shown, const std::vector<T>& expected) {
  if (shown.size() != expected.size() + 1) return false;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    std::vector<T> less = shown;
    less.erase(less.begin() + static_cast<std::ptrdiff_t>(i));
    if (less == expected) return true;
  }
  return false;
}

const wchar_t* const kNames[] = {L"Jeux", L"R&D", L"a{b}c", L"\t", L" espace ", L"", L"Desktop", L"N°2"};
const wchar_t* const kTargets[] = {L"", L"C:\\Jeux\\echecs.exe", L"  D:\\docs\\note.txt ", L"https://x.example/",
                                   L"\\\\serveur\\part", L"C:\\v1.2\\outil"};

// Picks a number from `low` to `high`; says what broke.
using Picker = std::function<int(int low, int high)>;
using Failure = std::function<void(const std::string& what)>;

class Sequence {
 public:
  Sequence(Picker pick, Failure fail) : pick_(std::move(pick)), fail_(std::move(fail)) {}

  void Run(int steps) {
    Seed();
    Check("seeded");
    for (int i = 0; i < steps && !failed_; ++i) Step();
  }

 private:
  int Pick(int low, int high) { return pick_(low, high); }
  bool Expect(bool ok, const std::string& what) {
    if (!ok && !failed_) fail_(what);
    failed_ = failed_ || !ok;
    return ok;
  }
  std::wstring Name() { return kNames[Pick(0, 7)]; }
  std::wstring Target() { return kTargets[Pick(0, 5)]; }
  int GroupCount() const { return static_cast<int>(groups_.size()); }
  Group& At(int g) { return groups_[static_cast<std::size_t>(g - 1)]; }
  int LinkCount(int g) { return static_cast<int>(At(g).links.size()); }

  void Put(const std::wstring& key, const std::wstring& value) { store_.Save(L"Data", key, value); }
  void Leftover(const std::wstring& key, const std::wstring& value) {
    if (store_.Has(L"Data", key)) return;
    Put(key, value);
    leftovers_[key] = value;
  }

  // A catalogue as earlier versions left it: counts that hide keys beyond
  // them, links without a target key, groups beyond the group count.
  void Seed() {
    const int groups = Pick(0, 4);
    Put(L"Groupe", L"NbOcc=" + Digits(groups));
    for (int g = 1; g <= groups; ++g) {
      Group group{Name(), {}};
      Put(GroupKey(g), L"Nomgroupe=" + group.name);
      const int links = Pick(0, 4);
      Put(CountKey(g), L"NbOcc=" + Digits(links));
      for (int k = 1; k <= links; ++k) {
        Link link{Name(), Trim(Target())};
        Put(LinkKey(g, k), L"Nom=" + link.name);
        if (Pick(0, 4) > 0) Put(TargetKey(g, k), L"Fic=" + link.target);
        else link.target.clear();
        group.links.push_back(link);
      }
      // Only a count of 1 or more hides what lies beyond it.
      for (int k = links + 1, last = links + Pick(0, 2); links > 0 && k <= last; ++k) {
        Leftover(LinkKey(g, k), L"Nom=old");
        Leftover(TargetKey(g, k), L"Fic=C:\\old\\" + Digits(k));
      }
      groups_.push_back(group);
    }
    for (int g = groups + 1, last = groups + Pick(0, 2); groups > 0 && g <= last; ++g) {
      Leftover(GroupKey(g), L"Nomgroupe=old");
      Leftover(CountKey(g), L"NbOcc=" + Digits(Pick(0, 2)));
      Leftover(LinkKey(g, 1), L"Nom=old");
      Leftover(TargetKey(g, Pick(1, 3)), L"Fic=C:\\old");
    }
    current_ = Pick(1, std::max(groups, 1));
    store_.Save(L"Settings", L"NGroupe", Digits(current_));
  }

  void Step() {
    store_.ClearWrites();  // copied with every cut: kept short
    const int g = Pick(0, GroupCount() + 1);
    const int k = g >= 1 && g <= GroupCount() ? Pick(0, LinkCount(g) + 1) : Pick(0, 2);
    switch (Pick(0, 7)) {
      case 0: {
        const std::wstring name = Name();
        Apply("add group", PlanAddGroup(store_, name));
        groups_.push_back({name, {{L"", L""}}});
        current_ = GroupCount();
        break;
      }
      case 1: {
        const std::wstring name = Name();
        Apply("rename group", PlanRenameGroup(store_, g, name));
        if (g >= 1 && g <= GroupCount()) At(g).name = name, current_ = g;
        break;
      }
      case 2: {
        const int shown = Pick(-1, GroupCount() + 2);
        const std::wstring tag = Pick(0, 5) == 0 ? L"" : Digits(Pick(0, 3) ? current_ : shown);
        const std::wstring name = Name(), target = Target();
        Apply("add link", PlanAddLink(store_, tag, name, target));
        AddLink(tag.empty() ? 1 : std::stoi(tag), name, target);
        break;
      }
      case 3: {
        const std::wstring name = Name(), target = Target();
        Apply("modify link", PlanModifyLink(store_, g, k, name, target));
        if (g < 1 || g > GroupCount()) break;
        if (LinkCount(g) == 0 && k == 1) {
          AddLink(g, name, target);
        } else if (k >= 1 && k <= LinkCount(g)) {
          Link& link = At(g).links[static_cast<std::size_t>(k - 1)];
          link.name = name;
          if (!Trim(target).empty()) link.target = Trim(target);
        }
        break;
      }
      case 4: {
        const EditPlan plan = PlanDeleteLink(store_, g, k);
        Groups expected = groups_;
        if (g >= 1 && g <= GroupCount() && k >= 1 && k <= LinkCount(g)) {
          auto& links = expected[static_cast<std::size_t>(g - 1)].links;
          links.erase(links.begin() + (k - 1));
        }
        CheckCuts("delete link", plan, [&](Groups shown) {  // group g may show one link more
          if (shown.size() == expected.size() && OneExtra(shown[g - 1].links, expected[g - 1].links))
            shown[g - 1].links = expected[g - 1].links;
          return shown == expected;
        });
        Apply("delete link", plan);
        groups_ = expected;
        break;
      }
      case 5: {
        const EditPlan plan = PlanDeleteGroup(store_, g);
        Groups expected = groups_;
        const bool exists = g >= 1 && g <= GroupCount();
        if (exists) expected.erase(expected.begin() + (g - 1));
        if (exists && expected.empty()) expected = {kDefaultGroup};
        CheckCuts("delete group", plan, [&](const Groups& shown) {
          if (exists && GroupCount() == 1) return shown.size() == 1;  // only the deleted item, or the default
          return shown == expected || shown == groups_ || OneExtra(shown, expected);
        });
        Apply("delete group", plan);
        groups_ = expected;
        if (exists) current_ = std::clamp(current_, 1, std::max(GroupCount(), 1));
        break;
      }
      case 6:
        if (GroupCount() == 0) break;
        current_ = Pick(1, GroupCount());
        store_.Save(L"Settings", L"NGroupe", Digits(current_));  // a choice in the group menu
        step_ = "group choice";
        break;
      default: {
        std::vector<DesktopFile> files;
        for (int i = Pick(0, 3); i > 0; --i) {
          const std::wstring name = Name() + L".lnk";
          files.push_back({name, L"C:\\Bureau\\" + name});
        }
        if (auto plan = PlanDesktopImport(store_, files)) {
          ApplyImport(store_, *plan);
          auto last = std::find_if(groups_.rbegin(), groups_.rend(), [](auto& g) { return g.name == kDesktopGroupName; });
          current_ = static_cast<int>(groups_.rend() - last);  // the last so named, or 0
          if (current_ == 0) groups_.push_back({std::wstring(kDesktopGroupName), {}}), current_ = GroupCount();
          At(current_).links.clear();
          for (const auto& f : files) At(current_).links.push_back({CaptionFromFileName(f.name), f.path});
        }
        step_ = "desktop import";
      }
    }
    Check(step_);
  }

  void AddLink(int shown, const std::wstring& name, const std::wstring& target) {
    if (groups_.empty()) groups_.push_back(kDefaultGroup);
    const int g = std::clamp(shown, 1, GroupCount());
    At(g).links.push_back({name, Trim(target)});
    current_ = g;
  }

  void Apply(const char* what, const EditPlan& plan) {
    Expect(ApplyEdit(store_, plan), std::string(what) + " refused");
    step_ = what;
  }

  // The plan cut off after each of its changes: the catalogue still loads
  // and shows what `acceptable` allows.
  template <typename Acceptable>
  void CheckCuts(const char* what, const EditPlan& plan, Acceptable acceptable) {
    for (std::size_t n = 0; n < plan.changes.size(); ++n) {
      MemoryStore cut = store_;
      cut.RefuseAfter(n);
      const std::string at = std::string(what) + " cut after " + std::to_string(n);
      Expect(!ApplyEdit(cut, plan), at + " taken whole");
      auto shown = ReadBack(cut);
      if (!Expect(shown.has_value(), at + " does not load") || !Expect(acceptable(*shown), at + " shows too much"))
        return;
    }
  }

  // The store reads back as the model, and holds no key beyond a count but
  // the untouched leftovers it started with.
  void Check(const char* what) {
    const std::string step(what);
    auto groups = ReadBack(store_);
    if (!Expect(groups == groups_, step + ": the store does not read back as the model")) return;
    const int count = GroupCount();
    Expect(store_.Get(L"Data", L"Groupe", L"") == L"NbOcc=" + Digits(count), step + ": group count");
    Expect(store_.Get(L"Settings", L"NGroupe", L"") == Digits(current_), step + ": current group");
    for (const auto& key : store_.Keys(L"Data")) {
      // "g", "gOcc", "g-k" or "g-kc": the group and link numbers it names.
      const std::size_t digits = key.find_first_not_of(L"0123456789");
      if (digits == 0 || key[0] == L'0') continue;
      const int g = std::stoi(key.substr(0, digits));
      int k = 0;
      if (digits != std::wstring::npos && key[digits] == L'-') k = std::stoi(key.substr(digits + 1));
      if (g <= count && k <= LinkCount(g)) continue;
      auto left = leftovers_.find(key);
      Expect(left != leftovers_.end() && left->second == store_.Get(L"Data", key, L""),
             step + ": stale key " + std::string(key.begin(), key.end()));
    }
    for (int g = 1; g <= count; ++g) {
      Expect(store_.Has(L"Data", GroupKey(g)), step + ": group key");
      Expect(store_.Get(L"Data", CountKey(g), L"") == L"NbOcc=" + Digits(LinkCount(g)), step + ": link count");
      for (int k = 1; k <= LinkCount(g); ++k) Expect(store_.Has(L"Data", LinkKey(g, k)), step + ": link key");
    }
  }

  Picker pick_;
  Failure fail_;
  bool failed_ = false;
  MemoryStore store_;
  Groups groups_;
  int current_ = 1;
  std::map<std::wstring, std::wstring> leftovers_;
  const char* step_ = "";
};

}  // namespace tolvane::model
