// The link buttons of a group as the store describes them, and the names
// derived from each target: its extension and its icon cache file.
#include "core/catalogue.h"
#include "core/link_plan.h"
#include "fuzz_support.h"

using namespace tolvane;

namespace {

void CheckNames(std::wstring_view target) {
  const std::wstring ext = ExtensionFichier(target);
  FUZZ_CHECK(ext.find(L'.') == std::wstring::npos && (ext.empty() || ext.size() < target.size()));
  for (wchar_t c : ext) FUZZ_CHECK(!(c >= L'A' && c <= L'Z'));

  const auto icon = IconCacheFileName(target);
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::wstring_view base = slash == std::wstring_view::npos ? target : target.substr(slash + 1);
  FUZZ_CHECK(icon.has_value() == (base.find(L'.') != std::wstring_view::npos));
  if (!icon) return;
  FUZZ_CHECK(fuzz::EndsWith(*icon, L".ico") && icon->size() > 4 && icon->size() <= 201 + 4);
  const std::wstring stem = icon->substr(0, icon->size() - 4);
  for (wchar_t c : stem) FUZZ_CHECK(c >= 32 && std::wstring_view(L"<>:\"/\\|?*").find(c) == std::wstring_view::npos);
  FUZZ_CHECK(stem.back() != L'.' && stem.back() != L' ');
  // A device name taken for a file would open the device: the stem is never one.
  std::wstring lower;
  for (wchar_t c : stem.substr(0, stem.find(L'.'))) lower += c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
  while (!lower.empty() && lower.back() == L' ') lower.pop_back();
  for (std::wstring_view device : {L"con", L"prn", L"aux", L"nul", L"com1", L"lpt9"}) FUZZ_CHECK(lower != device);
  // A cache name is its own cache name, unless the "_" put before a device
  // name took it past the cut.
  if (stem.size() <= 200) FUZZ_CHECK(IconCacheFileName(*icon) == *icon);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Fields f = fuzz::ParseFields(fuzz::Wide(data, size));
  for (const auto& item : f.items) CheckNames(item);

  for (int group = 1; group <= 2; ++group) {
    const auto count = ReadLinkCount(f.store, group);
    FUZZ_CHECK(!count || (*count >= 0 && *count <= kMaxLinksPerGroup));
    const auto plan = PlanLinkButtons(f.store, group, 60, 375);
    // A count below 1 counts the links stored; none, with no number, shows nothing.
    const int links = LinkCountOrStored(f.store, group);
    FUZZ_CHECK(plan.empty() == (!count && links == 0));
    if (plan.empty()) continue;
    // One per link, as many as a window can reach.
    FUZZ_CHECK(plan.size() == static_cast<std::size_t>(std::max(links, 1)) ||
               plan.back().top + 2 * 375 + kLinkButtonGap > kLinkButtonsDepth);
    for (std::size_t i = 0; i < plan.size(); ++i) {
      const int k = static_cast<int>(i) + 1;
      FUZZ_CHECK(plan[i].tag == LinkKey(group, k) && plan[i].target == ReadLinkTarget(f.store, group, k));
      FUZZ_CHECK(i == 0 ? plan[i].top == 60 : plan[i].top == plan[i - 1].top + 375 + kLinkButtonGap);
      CheckNames(plan[i].target);
    }
  }
  return 0;
}
