#include "core/catalogue_edit.h"

#include <algorithm>
#include <cwctype>
#include <map>

#include "core/catalogue.h"
#include "core/link_plan.h"
#include "core/text.h"

namespace tolvane {
namespace {

// A value that no store can hold (registry strings end at their first NUL):
// tells a missing key from an empty one.
const std::wstring kAbsent(1, L'\0');

std::wstring Lower(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return out;
}

// The store as the plan will leave it: reads see the plan's own changes, and
// every change is recorded. A delete of a key that is not there is left out,
// since a store reports it as refused.
class Draft final : public SettingsStore {
 public:
  explicit Draft(const SettingsStore& store) : store_(store) {
    for (auto& key : store.Keys(kSectionData)) dataKeys_.emplace(Lower(key), key);
  }

  std::wstring Get(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const override {
    auto it = pending_.find({Lower(section), Lower(key)});
    if (it == pending_.end()) return store_.Get(section, key, fallback);
    return it->second ? *it->second : std::wstring(fallback);
  }
  bool Save(std::wstring_view section, std::wstring_view key, std::wstring_view value) override {
    // What a value that holds no text held cannot be written back: the edit
    // is not made rather than lose it.
    if (IsUnreadable(*this, section, key)) refused_ = true;
    Record(section, key, std::wstring(value));
    changes_.push_back({StoreChange::Kind::Save, std::wstring(section), std::wstring(key), std::wstring(value)});
    return true;
  }
  bool Copy(std::wstring_view section, std::wstring_view from, std::wstring_view to) override {
    if (IsUnreadable(*this, section, to)) refused_ = true;
    Record(section, to, Get(section, from, L""));
    changes_.push_back({StoreChange::Kind::Copy, std::wstring(section), std::wstring(to), std::wstring(from)});
    return true;
  }
  bool Delete(std::wstring_view section, std::wstring_view key) override {
    if (!Has(section, key)) return true;
    Record(section, key, std::nullopt);
    changes_.push_back({StoreChange::Kind::Delete, std::wstring(section), std::wstring(key), {}});
    return true;
  }
  bool DeleteSection(std::wstring_view) override { return false; }  // no edit drops a section
  std::vector<std::wstring> Keys(std::wstring_view section) const override {
    if (Lower(section) != Lower(kSectionData)) return store_.Keys(section);
    std::vector<std::wstring> keys;
    for (const auto& [lower, key] : dataKeys_) keys.push_back(key);
    return keys;
  }

  // Read from the keys listed already, with the plan's own changes.
  std::optional<std::size_t> FindLast(std::wstring_view section, const std::vector<std::wstring>& keys) const override {
    if (Lower(section) != Lower(kSectionData)) return SettingsStore::FindLast(section, keys);
    for (std::size_t i = keys.size(); i-- > 0;)
      if (IsLowerCase(keys[i]) ? dataKeys_.contains(keys[i]) : dataKeys_.contains(Lower(keys[i]))) return i;
    return std::nullopt;
  }
  bool Has(std::wstring_view section, std::wstring_view key) const override {
    auto it = pending_.find({Lower(section), Lower(key)});
    return it == pending_.end() ? store_.Has(section, key) : it->second.has_value();
  }
  void Refuse() { refused_ = true; }
  // None when the edit cannot be made whole.
  std::vector<StoreChange> TakeChanges() {
    if (refused_) return {};
    return std::move(changes_);
  }
  bool Refused() const { return refused_; }

 private:
  void Record(std::wstring_view section, std::wstring_view key, std::optional<std::wstring> value) {
    std::wstring lowerKey = Lower(key);
    if (Lower(section) == Lower(kSectionData)) {
      if (value)
        dataKeys_.try_emplace(lowerKey, key);
      else
        dataKeys_.erase(lowerKey);
    }
    pending_[{Lower(section), lowerKey}] = std::move(value);
  }

  const SettingsStore& store_;
  std::map<std::pair<std::wstring, std::wstring>, std::optional<std::wstring>> pending_;
  std::map<std::wstring, std::wstring> dataKeys_;  // lower-cased name -> name
  std::vector<StoreChange> changes_;
  bool refused_ = false;
};

void DeleteWhere(Draft& d, auto&& doomed) {
  for (const auto& key : d.Keys(kSectionData))
    if (auto k = ParseCatalogueKey(key); k && doomed(*k)) d.Delete(kSectionData, key);
}

// Every link key of `group` numbered above `count`, whatever wrote it.
void DeleteLinksAbove(Draft& d, int group, int count) {
  DeleteWhere(d, [&](const CatalogueKey& k) {
    return (k.kind == CatalogueKey::Kind::Name || k.kind == CatalogueKey::Kind::Target) && k.group == group &&
           k.link > count;
  });
}

// Every key of the groups numbered `first` and above.
void DeleteGroupsFrom(Draft& d, int first) {
  DeleteWhere(d, [&](const CatalogueKey& k) { return k.group >= first; });
}

// A count read at its bound may stand for more than the readers take:
// renumbering from it would write over, or delete, what lies beyond.
bool Bounded(int count, int bound) { return count >= bound; }
// The links found stored, with no count of 1 or more, are looked for only as
// far as the bar shows them.
bool LinksBounded(const Draft& d, int group, int count) {
  return Bounded(count, CountOfOneOrMore(ReadLinkCountText(d, group), kMaxLinksPerGroup) ? kMaxLinksPerGroup
                                                                                          : kMostLinksShown);
}

std::wstring CountValue(int n) { return std::wstring(kCountPrefix) + Digits(n); }

// Copies a value whole, prefix, kind and every byte included (a text of
// several strings keeps them all); a missing source leaves the destination
// missing too.
void MoveValue(Draft& d, const std::wstring& from, const std::wstring& to) {
  if (IsUnreadable(d, kSectionData, from)) d.Refuse();
  if (d.Has(kSectionData, from))
    d.Copy(kSectionData, from, to);
  else
    d.Delete(kSectionData, to);
}

void MakeCurrent(Draft& d, int group) {
  if (IsUnreadable(d, kSectionSettings, kCurrentGroupKey)) return;  // kept, and read as group 1
  if (d.Get(kSectionSettings, kCurrentGroupKey, kAbsent) != Digits(group))
    d.Save(kSectionSettings, kCurrentGroupKey, Digits(group));
}

EditPlan Refused(EditRefusal why) {
  EditPlan plan;
  plan.refusal = why;
  return plan;
}

EditPlan Finish(Draft& d, int group, int link = 0) {
  if (d.Refused()) return Refused(EditRefusal::Unreadable);
  return {d.TakeChanges(), group, link};
}

EditPlan AddLink(Draft& d, int group, std::wstring_view name, std::wstring_view target) {
  const int count = LinkCountOrStored(d, group);
  if (count >= kMostLinksShown) return Refused(EditRefusal::LinksFull);
  const int n = count + 1;
  // Whatever an earlier version left at or above the new number goes first:
  // no deleted link's target may come back under this one.
  DeleteLinksAbove(d, group, n);
  d.Save(kSectionData, LinkKey(group, n), std::wstring(kCaptionPrefix) + std::wstring(name));
  d.Save(kSectionData, TargetKey(group, n), std::wstring(kTargetPrefix) + Trim(target));
  d.Save(kSectionData, CountKey(group), CountValue(n));
  MakeCurrent(d, group);
  return Finish(d, group, n);
}

}  // namespace

std::wstring RefusalReason(EditRefusal why) {
  switch (why) {
    case EditRefusal::Missing: return L"cet élément n'existe plus.";
    case EditRefusal::OverBound:
      return L"un groupe de " + Digits(kMaxLinksPerGroup) + L" liens ou plus, ou un catalogue de " + Digits(kMaxGroups) +
             L" groupes ou plus, ne peut être renuméroté sans perte.";
    case EditRefusal::GroupsFull:
      return L"le catalogue compte déjà " + Digits(kMaxGroups) + L" groupes, le plus que la barre puisse lire.";
    case EditRefusal::LinksFull:
      return L"ce groupe compte déjà " + Digits(kMostLinksShown) + L" liens, le plus que la barre puisse afficher.";
    case EditRefusal::Unreadable: return L"une valeur du catalogue n'est pas du texte et serait perdue.";
    case EditRefusal::None: break;
  }
  return L"";
}

EditPlan PlanAddGroup(const SettingsStore& store, std::wstring_view name) {
  Draft d(store);
  if (Bounded(GroupCountOrStored(d), kMaxGroups)) return Refused(EditRefusal::GroupsFull);
  const int g = GroupCountOrStored(d) + 1;
  DeleteGroupsFrom(d, g);
  d.Save(kSectionData, GroupKey(g), std::wstring(kGroupNamePrefix) + std::wstring(name));
  d.Save(kSectionData, CountKey(g), CountValue(1));
  d.Save(kSectionData, LinkKey(g, 1), kCaptionPrefix);
  d.Save(kSectionData, TargetKey(g, 1), kTargetPrefix);
  d.Save(kSectionData, kGroupCountKey, CountValue(g));
  MakeCurrent(d, g);
  return Finish(d, g);
}

EditPlan PlanRenameGroup(const SettingsStore& store, int group, std::wstring_view name) {
  Draft d(store);
  if (group < 1 || group > GroupCountOrStored(d)) return Refused(EditRefusal::Missing);
  d.Save(kSectionData, GroupKey(group), std::wstring(kGroupNamePrefix) + std::wstring(name));
  MakeCurrent(d, group);
  return Finish(d, group);
}

EditPlan PlanAddLink(const SettingsStore& store, std::wstring_view shownGroup, std::wstring_view name,
                     std::wstring_view target) {
  Draft d(store);
  int groups = GroupCountOrStored(d);
  if (groups == 0) {
    WriteDefaultCatalogue(d);
    groups = 1;
  }
  return AddLink(d, CurrentGroupFrom(shownGroup, groups).number, name, target);
}

EditPlan PlanModifyLink(const SettingsStore& store, int group, int link, std::wstring_view name,
                        std::wstring_view target) {
  Draft d(store);
  if (group < 1 || group > GroupCountOrStored(d)) return Refused(EditRefusal::Missing);
  const int count = LinkCountOrStored(d, group);
  if (count == 0 && link == 1) return AddLink(d, group, name, target);
  if (link < 1 || link > count) return Refused(EditRefusal::Missing);
  d.Save(kSectionData, LinkKey(group, link), std::wstring(kCaptionPrefix) + std::wstring(name));
  if (!Trim(target).empty()) d.Save(kSectionData, TargetKey(group, link), std::wstring(kTargetPrefix) + Trim(target));
  return Finish(d, group, link);
}

EditPlan PlanDeleteLink(const SettingsStore& store, int group, int link) {
  Draft d(store);
  if (group < 1 || group > GroupCountOrStored(d)) return Refused(EditRefusal::Missing);
  const int count = LinkCountOrStored(d, group);
  if (link < 1 || link > count) return Refused(EditRefusal::Missing);
  if (LinksBounded(d, group, count)) return Refused(EditRefusal::OverBound);
  for (int j = link; j < count; ++j) {
    MoveValue(d, LinkKey(group, j + 1), LinkKey(group, j));
    MoveValue(d, TargetKey(group, j + 1), TargetKey(group, j));
  }
  // A count of 0 would show whatever lies above it: that goes first.
  if (count == 1) DeleteLinksAbove(d, group, 0);
  d.Save(kSectionData, CountKey(group), CountValue(count - 1));
  DeleteLinksAbove(d, group, count - 1);
  return Finish(d, group);
}

EditPlan PlanDeleteGroup(const SettingsStore& store, int group) {
  Draft d(store);
  const int groups = GroupCountOrStored(d);
  if (group < 1 || group > groups) return Refused(EditRefusal::Missing);
  if (Bounded(groups, kMaxGroups)) return Refused(EditRefusal::OverBound);
  if (groups == 1) {
    WriteDefaultCatalogue(d);
    DeleteLinksAbove(d, 1, 1);
    DeleteGroupsFrom(d, 2);
    return Finish(d, 1);
  }
  for (int k = group; k < groups; ++k) {
    const int links = LinkCountOrStored(d, k + 1);
    if (LinksBounded(d, k + 1, links)) return Refused(EditRefusal::OverBound);
    for (int j = 1; j <= links; ++j) {
      MoveValue(d, LinkKey(k + 1, j), LinkKey(k, j));
      MoveValue(d, TargetKey(k + 1, j), TargetKey(k, j));
    }
    MoveValue(d, GroupKey(k + 1), GroupKey(k));
    MoveValue(d, CountKey(k + 1), CountKey(k));
    DeleteLinksAbove(d, k, links);
  }
  d.Save(kSectionData, kGroupCountKey, CountValue(groups - 1));
  DeleteGroupsFrom(d, groups);
  const CurrentGroup current =
      CurrentGroupFrom(d.Get(kSectionSettings, kCurrentGroupKey, L"1"), groups - 1);
  MakeCurrent(d, current.number);
  return Finish(d, current.number);
}

bool ApplyEdit(SettingsStore& store, const EditPlan& plan) {
  for (const auto& change : plan.changes)
    if (!MakeChange(store, change)) return false;
  return true;
}

std::optional<LinkRef> ParseLinkKey(std::wstring_view key) {
  const auto k = ParseCatalogueKey(Trim(key));
  if (!k || k->kind != CatalogueKey::Kind::Name) return std::nullopt;
  return LinkRef{k->group, k->link};
}

std::wstring ProposedLinkName(std::wstring_view path) {
  const std::wstring trimmed = Trim(path);
  std::wstring_view p(trimmed);
  while (!p.empty() && (p.back() == L'\\' || p.back() == L'/')) p.remove_suffix(1);
  const auto slash = p.find_last_of(L"\\/");
  std::wstring_view element = slash == std::wstring_view::npos ? p : p.substr(slash + 1);
  // A drive ("C:") or nothing at all: the root has no name but its path.
  if (element.empty() || element.back() == L':') return trimmed;
  return CaptionFromFileName(element);
}

std::wstring ChooserStartPath(std::wstring_view target) {
  // The chooser refuses to open on a starting file it cannot take as a path.
  constexpr std::size_t kLongestPath = 259;
  const std::wstring path = Trim(target);
  if (path.empty() || path.size() > kLongestPath || path.find(L"://") != std::wstring::npos) return L"";
  for (wchar_t c : path)
    if (c < 32 || std::wstring_view(L"\"<>|?*").find(c) != std::wstring_view::npos) return L"";
  return path;
}

}  // namespace tolvane
