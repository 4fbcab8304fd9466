// The desktop import over a hand-edited catalogue and odd file names: the
// plan, once made, leaves exactly the group "Desktop" with those files.
#include <algorithm>

#include "core/catalogue.h"
#include "core/desktop_import.h"
#include "core/text.h"
#include "fuzz_support.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Fields f = fuzz::ParseFields(fuzz::Wide(data, size));
  MemoryStore& store = f.store;
  if (f.items.empty()) return 0;

  // The first item is the folder, the others the files found in it.
  const std::wstring folder = f.items[0];
  const auto folders = DesktopFolders(folder, f.items.size() > 1 ? f.items[1] : L"");
  FUZZ_CHECK(folders.size() <= 2);
  for (const auto& d : folders) FUZZ_CHECK(!Trim(d).empty());

  std::vector<DesktopFile> files;
  for (std::size_t i = 1; i < f.items.size(); ++i) {
    const std::wstring& name = f.items[i];
    const std::wstring caption = CaptionFromFileName(name);
    FUZZ_CHECK(fuzz::StartsWith(name, caption) && !(caption.empty() && !name.empty()));
    const std::wstring path = JoinPath(folder, name);
    FUZZ_CHECK(fuzz::StartsWith(path, folder) && fuzz::EndsWith(path, name) && path.size() <= folder.size() + name.size() + 1);
    files.push_back({name, path});
  }

  // An unreadable "Groupe" stands for the groups whose names are there.
  const int before = GroupCountOrStored(store);
  FUZZ_CHECK(before >= 0 && before <= kMaxGroups);
  std::vector<int> oldLinkCounts;
  for (int g = 1; g <= before + 1; ++g) oldLinkCounts.push_back(ReadLinkCount(store, g).value_or(0));
  FUZZ_CHECK(*std::max_element(oldLinkCounts.begin(), oldLinkCounts.end()) <= kMaxLinksPerGroup);

  const auto plan = PlanDesktopImport(store, files);
  // No plan without files, nor when a full catalogue has no group to reuse.
  if (!plan) {
    FUZZ_CHECK(files.empty() || before >= kMaxGroups);
    return 0;
  }
  FUZZ_CHECK(!files.empty());
  FUZZ_CHECK(plan->group >= 1 && plan->group <= plan->groupCount);
  FUZZ_CHECK(plan->groupCount == std::max(before, plan->group));

  MemoryStore after = store;
  FUZZ_CHECK(ApplyImport(after, *plan));
  const int n = plan->group;
  FUZZ_CHECK(GroupCountOrStored(after) == plan->groupCount);
  FUZZ_CHECK(ReadGroupName(after, n) == kDesktopGroupName);
  FUZZ_CHECK(ReadLinkCount(after, n) == std::min(static_cast<int>(files.size()), kMaxLinksPerGroup));
  FUZZ_CHECK(after.Get(kSectionSettings, kCurrentGroupKey, L"") == Digits(n));
  for (std::size_t i = 0; i < files.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    FUZZ_CHECK(ReadLinkCaption(after, n, k) == CaptionFromFileName(files[i].name));
    FUZZ_CHECK(ReadLinkTarget(after, n, k) == files[i].path);
  }
  // Links of a longer earlier import are gone; every other group is untouched.
  for (int k = static_cast<int>(files.size()) + 1; k <= oldLinkCounts[n - 1]; ++k)
    FUZZ_CHECK(!after.Has(kSectionData, LinkKey(n, k)) && !after.Has(kSectionData, TargetKey(n, k)));
  for (int g = 1; g <= before; ++g) {
    if (g == n) continue;
    FUZZ_CHECK(ReadGroupName(after, g) == ReadGroupName(store, g));
    FUZZ_CHECK(ReadLinkCountText(after, g) == ReadLinkCountText(store, g));
  }
  return 0;
}
