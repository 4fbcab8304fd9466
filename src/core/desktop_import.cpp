#include "core/desktop_import.h"

#include <algorithm>

#include "core/catalogue.h"
#include "core/options.h"
#include "core/text.h"

namespace tolvane {
namespace {

// A value that no store can hold (registry strings end at their first NUL):
// tells a missing key from an empty one.
const std::wstring kAbsent(1, L'\0');

bool Exists(const SettingsStore& store, std::wstring_view key) {
  return store.Get(kSectionData, key, kAbsent) != kAbsent;
}

}  // namespace

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
  if (auto stored = ReadGroupCount(store)) {
    int count = std::max(*stored, 0);
    plan.group = count + 1;
    for (int i = 1; i <= count; ++i)  // the last group of that name wins
      if (ReadGroupName(store, i) == kDesktopGroupName) plan.group = i;
    plan.groupCount = std::max(count, plan.group);
  } else {
    plan.group = 1;
    plan.groupCount = 1;
  }

  const int n = plan.group;
  const int c = static_cast<int>(files.size());
  auto save = [&](std::wstring_view section, std::wstring key, std::wstring value) {
    plan.changes.push_back({StoreChange::Kind::Save, std::wstring(section), std::move(key),
                            std::move(value)});
  };
  auto count = [](int value) { return std::wstring(kCountPrefix) + Digits(value); };

  save(kSectionData, std::wstring(kGroupCountKey), count(plan.groupCount));
  save(kSectionData, CountKey(n), count(c));
  save(kSectionData, GroupKey(n),
       std::wstring(kGroupNamePrefix) + std::wstring(kDesktopGroupName));
  for (int i = 0; i < c; ++i) {
    save(kSectionData, LinkKey(n, i + 1),
         std::wstring(kCaptionPrefix) + CaptionFromFileName(files[i].name));
    save(kSectionData, TargetKey(n, i + 1), std::wstring(kTargetPrefix) + files[i].path);
  }
  // The links of a longer earlier import go, so that no later change of the
  // count can bring them back.
  int oldCount = ReadLinkCount(store, n).value_or(0);
  for (int k = c + 1; k <= oldCount; ++k)
    for (auto key : {LinkKey(n, k), TargetKey(n, k)})
      if (Exists(store, key))
        plan.changes.push_back({StoreChange::Kind::Delete, std::wstring(kSectionData), key, {}});
  save(kSectionSettings, std::wstring(kCurrentGroupKey), Digits(n));
  save(kSectionSettings, L"Desktop", L"1");
  save(kSectionSettings, OptionKey(kOptionRebuildDesktop), L"0");
  return plan;
}

bool ApplyImport(SettingsStore& store, const ImportPlan& plan) {
  bool ok = true;
  for (const auto& change : plan.changes)
    ok &= change.kind == StoreChange::Kind::Save
              ? store.Save(change.section, change.key, change.value)
              : store.Delete(change.section, change.key);
  return ok;
}

}  // namespace tolvane
