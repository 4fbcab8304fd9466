#include "core/desktop_import.h"

#include <algorithm>

#include "core/catalogue.h"
#include "core/options.h"
#include "core/text.h"

namespace tolvane {
std::wstring CaptionFromFileName(std::wstring_view name) {
  auto dot = name.rfind(L'.');
  if (dot == std::wstring_view::npos || dot == 0) return std::wstring(name);
  return std::wstring(name.substr(0, dot));
}

std::vector<std::wstring> DesktopFolders(std::wstring_view user, std::wstring_view common) {
  std::vector<std::wstring> folders;
  for (auto folder : {user, common})
    if (!Trim(folder).empty()) folders.emplace_back(folder);
  return folders;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) path += L'\\';
  return path + std::wstring(name);
}

std::optional<ImportPlan> PlanDesktopImport(const SettingsStore& store,
                                            const std::vector<DesktopFile>& files) {
  if (files.empty()) return std::nullopt;

  ImportPlan plan{};
  // An unreadable "Groupe" stands for the groups that are there: group 1 is
  // not written over.
  const int groups = GroupCountOrStored(store);
  plan.group = 0;
  for (int i = 1; i <= groups; ++i)  // the last group of that name wins
    if (ReadGroupName(store, i) == kDesktopGroupName) plan.group = i;
  const bool append = plan.group == 0;
  if (append) {
    // No room for a group the readers would reach: the catalogue stays.
    if (groups >= kMaxGroups) return std::nullopt;
    plan.group = groups + 1;
  }
  plan.groupCount = std::max(groups, plan.group);

  const int n = plan.group;
  const int c = static_cast<int>(files.size());
  auto save = [&](std::wstring_view section, std::wstring key, std::wstring value) {
    plan.changes.push_back({StoreChange::Kind::Save, std::wstring(section), std::move(key),
                            std::move(value)});
  };
  auto count = [](int value) { return std::wstring(kCountPrefix) + Digits(value); };

  // The group is whole before "Groupe" counts it: an import cut short
  // leaves no nameless group, and runs again at the next start.
  save(kSectionData, GroupKey(n),
       std::wstring(kGroupNamePrefix) + std::wstring(kDesktopGroupName));
  for (int i = 0; i < c; ++i) {
    save(kSectionData, LinkKey(n, i + 1),
         std::wstring(kCaptionPrefix) + CaptionFromFileName(files[i].name));
    save(kSectionData, TargetKey(n, i + 1), std::wstring(kTargetPrefix) + files[i].path);
  }
  save(kSectionData, CountKey(n), count(c));
  // The links of a longer earlier import go, so that no later change of the
  // count can bring them back.
  const int oldCount = LinkCountOrStored(store, n);
  for (int k = c + 1; k <= oldCount; ++k)
    for (auto key : {LinkKey(n, k), TargetKey(n, k)})
      if (HasDataValue(store, key))
        plan.changes.push_back({StoreChange::Kind::Delete, std::wstring(kSectionData), key, {}});
  // A group reused keeps a "Groupe" that counts, beyond the readers' bound
  // too; a missing one, or one that reads below 1 (an import cut short, a
  // hand edit), is set. One that holds no text at all is kept: the groups
  // there stand for it.
  if ((append || !CountOfOneOrMore(ReadGroupCountText(store), kMaxGroups)) &&
      !IsUnreadable(store, kSectionData, kGroupCountKey))
    save(kSectionData, std::wstring(kGroupCountKey), count(plan.groupCount));
  save(kSectionSettings, std::wstring(kCurrentGroupKey), Digits(n));
  save(kSectionSettings, L"Desktop", L"1");
  save(kSectionSettings, OptionKey(kOptionRebuildDesktop), L"0");
  // Nothing that holds no text is written over: a setting keeps its value,
  // and the catalogue is left as it is rather than lose what it held.
  const auto unreadable = [&](const StoreChange& c) {
    return c.kind == StoreChange::Kind::Save && IsUnreadable(store, c.section, c.key);
  };
  if (std::any_of(plan.changes.begin(), plan.changes.end(),
                  [&](const StoreChange& c) { return c.section == kSectionData && unreadable(c); }))
    return std::nullopt;
  std::erase_if(plan.changes, unreadable);
  return plan;
}

bool MakeChange(SettingsStore& store, const StoreChange& change) {
  switch (change.kind) {
    case StoreChange::Kind::Save: return store.Save(change.section, change.key, change.value);
    case StoreChange::Kind::Copy: return store.Copy(change.section, change.value, change.key);
    case StoreChange::Kind::Delete: break;
  }
  return store.Delete(change.section, change.key);
}

bool ApplyImport(SettingsStore& store, const ImportPlan& plan) {
  bool ok = true;
  for (const auto& change : plan.changes) ok &= MakeChange(store, change);
  return ok;
}

}  // namespace tolvane
