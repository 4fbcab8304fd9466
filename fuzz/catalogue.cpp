// The catalogue readers over a hand-edited store: counts after "NbOcc=",
// names and targets cut by position, the current group and the group menu.
#include <algorithm>

#include "core/catalogue.h"
#include "core/text.h"
#include "fuzz_support.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Fields f = fuzz::ParseFields(fuzz::Wide(data, size));
  MemoryStore& store = f.store;

  const auto count = ReadGroupCount(store);
  const int groups = count.value_or(0);

  // A value shorter than its prefix reads as empty, whatever the prefix holds.
  for (int g = 1; g <= 3; ++g) {
    const auto raw = store.Get(kSectionData, GroupKey(g), L"");
    FUZZ_CHECK(ReadGroupName(store, g).size() == (raw.size() > 10 ? raw.size() - 10 : 0));
    for (int k = 1; k <= 3; ++k) {
      const auto caption = store.Get(kSectionData, LinkKey(g, k), L"");
      FUZZ_CHECK(ReadLinkCaption(store, g, k).size() == (caption.size() > 4 ? caption.size() - 4 : 0));
      FUZZ_CHECK(fuzz::EndsWith(store.Get(kSectionData, TargetKey(g, k), L""), ReadLinkTarget(store, g, k)));
    }
    if (const auto links = ReadLinkCount(store, g)) FUZZ_CHECK(IsNumeric(ReadLinkCountText(store, g)));
  }

  const std::wstring stored = store.Get(kSectionSettings, kCurrentGroupKey, L"1");
  const CurrentGroup current = CurrentGroupFrom(stored, groups);
  FUZZ_CHECK(current.number >= 1 && current.number <= std::max(groups, 1));
  if (!current.rewrite) FUZZ_CHECK(ParseNumber(stored) && CLng(*ParseNumber(stored)) == current.number);
  // Groups stored beyond the bound change what is stored back, never what is shown.
  const CurrentGroup beyond = CurrentGroupFrom(stored, groups, StoredGroupCount(store, groups));
  FUZZ_CHECK(beyond.number == current.number && (!beyond.rewrite || current.rewrite));
  // The corrected number, once stored back, stays as it is.
  FUZZ_CHECK(!CurrentGroupFrom(Digits(current.number), groups).rewrite || current.number == std::max(groups, 1));

  const int there = GroupCountOrStored(store);
  // However large the stored count, the menu stays within its bound.
  FUZZ_CHECK(groups <= kMaxGroups && there <= kMaxGroups);
  const bool fresh = NoCatalogueOfItsOwn(store);
  const auto menu = LoadGroupMenu(store);
  if (fresh) {
    // Nothing or a default catalogue cut short: completed, once.
    FUZZ_CHECK(menu.size() == 1 && menu[0].name == kDefaultGroupName);
    FUZZ_CHECK(ReadLinkCount(store, 1) == 1 && !NoCatalogueOfItsOwn(store));
  } else {
    // The groups there, an unreadable count standing for them; nothing written over.
    FUZZ_CHECK(menu.size() == static_cast<std::size_t>(there) && store.Writes().empty());
  }
  for (std::size_t i = 0; i < menu.size(); ++i) FUZZ_CHECK(menu[i].number == static_cast<int>(i) + 1);
  store.ClearWrites();
  FUZZ_CHECK(LoadGroupMenu(store) == menu && store.Writes().empty());
  return 0;
}
