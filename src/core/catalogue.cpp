#include "core/catalogue.h"

#include <algorithm>
#include <limits>

#include "core/link_plan.h"
#include "core/text.h"

namespace tolvane {
namespace {

std::wstring DataValue(const SettingsStore& store, std::wstring_view key,
                       std::wstring_view fallback = L"") {
  return store.Get(kSectionData, key, fallback);
}

// Digits as Digits() writes them: no sign, no leading zero, no blank.
std::optional<int> CanonicalNumber(std::wstring_view text) {
  if (text.empty() || text.size() > 9 || text[0] == L'0') return std::nullopt;
  int n = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    n = n * 10 + (c - L'0');
  }
  return n;
}

// Whether `text` ends with `suffix` (lower-case letters), in either case, as
// the registry compares names.
bool EndsWithLetters(std::wstring_view text, std::wstring_view suffix) {
  if (text.size() < suffix.size()) return false;
  text.remove_prefix(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i)
    if (text[i] != suffix[i] && text[i] + (L'a' - L'A') != suffix[i]) return false;
  return true;
}

}  // namespace

std::optional<CatalogueKey> ParseCatalogueKey(std::wstring_view key) {
  using Kind = CatalogueKey::Kind;
  if (EndsWithLetters(key, L"occ")) {
    if (auto g = CanonicalNumber(key.substr(0, key.size() - 3))) return CatalogueKey{Kind::Count, *g, 0};
    return std::nullopt;
  }
  Kind kind = Kind::Name;
  if (EndsWithLetters(key, L"c")) {
    kind = Kind::Target;
    key.remove_suffix(1);
  }
  const auto dash = key.find(L'-');
  if (dash == std::wstring_view::npos) {
    auto g = kind == Kind::Name ? CanonicalNumber(key) : std::nullopt;
    if (g) return CatalogueKey{Kind::Group, *g, 0};
    return std::nullopt;
  }
  auto g = CanonicalNumber(key.substr(0, dash));
  auto n = CanonicalNumber(key.substr(dash + 1));
  if (g && n) return CatalogueKey{kind, *g, *n};
  return std::nullopt;
}

std::optional<int> ParseGroupNumber(std::wstring_view text) {
  auto value = ParseNumber(text);
  if (!value) return std::nullopt;
  auto whole = CLng(*value);
  if (!whole) return std::nullopt;
  return static_cast<int>(*whole);
}

std::wstring GroupKey(int group) { return Digits(group); }
std::wstring CountKey(int group) { return Digits(group) + L"Occ"; }
std::wstring LinkKey(int group, int link) { return Digits(group) + L"-" + Digits(link); }
std::wstring TargetKey(int group, int link) { return LinkKey(group, link) + L"c"; }
std::wstring OptionKey(int option) { return L"Rec " + Digits(option); }

std::optional<int> BoundedCount(std::wstring_view text, int bound) {
  const std::optional<double> value = ParseNumber(text);
  if (!value || *value != *value) return std::nullopt;
  // Bounded before any conversion: "1e300" is a number, and a huge one.
  if (*value >= bound) return bound;
  if (*value <= 0) return 0;
  return static_cast<int>(CLng(*value).value_or(0));
}

bool HasDataValue(const SettingsStore& store, std::wstring_view key) { return store.Has(kSectionData, key); }

std::wstring ReadGroupCountText(const SettingsStore& store) {
  return DropPrefix(DataValue(store, kGroupCountKey), kCountPrefix.size());
}

std::optional<int> ReadGroupCount(const SettingsStore& store) {
  return BoundedCount(ReadGroupCountText(store), kMaxGroups);
}

std::optional<int> CountOfOneOrMore(std::wstring_view text, int bound) {
  const std::optional<double> value = ParseNumber(text);
  if (!value || !(*value >= 1)) return std::nullopt;
  return BoundedCount(text, bound);
}

namespace {

// The position found among keys laid out `perItem` to an item, from item 1.
int HighestItem(const SettingsStore& store, const std::vector<std::wstring>& keys, std::size_t perItem) {
  const std::optional<std::size_t> last = store.FindLast(kSectionData, keys);
  return last ? static_cast<int>(*last / perItem) + 1 : 0;
}

}  // namespace

int HighestStoredGroup(const SettingsStore& store) {
  // Lower-cased, as every store compares names: none has to lower them again.
  static const std::vector<std::wstring> keys = [] {
    std::vector<std::wstring> k;
    for (int g = 1; g <= kMaxGroups; ++g)
      for (auto key : {GroupKey(g), Digits(g) + L"occ"}) k.push_back(std::move(key));
    return k;
  }();
  return HighestItem(store, keys, 2);
}

int HighestStoredLink(const SettingsStore& store, int group) {
  std::vector<std::wstring> keys;
  keys.reserve(2 * kMostLinksShown);
  const std::wstring prefix = Digits(group) + L"-";
  for (int k = 1; k <= kMostLinksShown; ++k) {
    std::wstring key = prefix + Digits(k);  // LinkKey(), made with fewer copies
    keys.push_back(key);
    keys.push_back(std::move(key) + L"c");
  }
  return HighestItem(store, keys, 2);
}

int GroupCountOrStored(const SettingsStore& store) {
  if (auto count = CountOfOneOrMore(ReadGroupCountText(store), kMaxGroups)) return *count;
  return HighestStoredGroup(store);
}

std::wstring ReadGroupName(const SettingsStore& store, int group) {
  return DropPrefix(DataValue(store, GroupKey(group)), kGroupNamePrefix.size());
}

std::wstring ReadLinkCountText(const SettingsStore& store, int group) {
  return DropPrefix(DataValue(store, CountKey(group), L"0"), kCountPrefix.size());
}

std::optional<int> ReadLinkCount(const SettingsStore& store, int group) {
  return BoundedCount(ReadLinkCountText(store, group), kMaxLinksPerGroup);
}

int LinkCountOrStored(const SettingsStore& store, int group) {
  if (auto count = CountOfOneOrMore(ReadLinkCountText(store, group), kMaxLinksPerGroup)) return *count;
  return HighestStoredLink(store, group);
}

std::wstring ReadLinkCaption(const SettingsStore& store, int group, int link) {
  return DropPrefix(DataValue(store, LinkKey(group, link)), kCaptionPrefix.size());
}

std::wstring ReadLinkTarget(const SettingsStore& store, int group, int link) {
  return DropPrefix(DataValue(store, TargetKey(group, link)), kTargetPrefix.size());
}

namespace {

struct StoredValue {
  std::wstring_view section;
  std::wstring key, value;
};

// In the order they are written: as the import writes its group, so that a
// start cut short leaves no group that "Groupe" counts and nothing names.
std::vector<StoredValue> DefaultCatalogue() {
  const std::wstring one = std::wstring(kCountPrefix) + L"1";
  return {{kSectionData, GroupKey(1), std::wstring(kGroupNamePrefix) + std::wstring(kDefaultGroupName)},
          {kSectionData, LinkKey(1, 1), std::wstring(kCaptionPrefix)},
          {kSectionData, TargetKey(1, 1), std::wstring(kTargetPrefix)},
          {kSectionData, CountKey(1), one},
          {kSectionData, std::wstring(kGroupCountKey), one},
          {kSectionSettings, std::wstring(kCurrentGroupKey), L"1"}};
}

bool Holds(const SettingsStore& store, const StoredValue& v) {
  return store.Has(v.section, v.key) && store.Get(v.section, v.key, L"") == v.value;
}

}  // namespace

bool WriteDefaultCatalogue(SettingsStore& store) {
  bool ok = true;
  for (const auto& v : DefaultCatalogue())
    // A value that holds no text is kept: what it held cannot be written back.
    if (!Holds(store, v) && !IsUnreadable(store, v.section, v.key)) ok &= store.Save(v.section, v.key, v.value);
  return ok;
}

namespace {

// `highest`: the groups stored, once asked (-1 before), so that a start
// asks the store for them once at most.
bool NoCatalogueOfItsOwn(const SettingsStore& store, int& highest) {
  bool missing = false;
  for (const auto& v : DefaultCatalogue()) {
    if (v.section != kSectionData) continue;
    // A "Groupe" that holds no number counts nothing: it is set with the rest.
    if (!store.Has(v.section, v.key))
      missing = true;
    else if (!Holds(store, v) && (v.key != kGroupCountKey || ReadGroupCount(store)))
      return false;
  }
  // All there: nothing to complete. Otherwise no other group or link may be.
  if (!missing) return false;
  highest = HighestStoredGroup(store);
  return highest <= 1 && HighestStoredLink(store, 1) <= 1;
}

}  // namespace

bool NoCatalogueOfItsOwn(const SettingsStore& store) {
  int highest = -1;
  return NoCatalogueOfItsOwn(store, highest);
}

std::vector<GroupMenuItem> LoadGroupMenu(SettingsStore& store) {
  int highest = -1;
  // Written once only: a store that refuses it (or loses it) must not send
  // us round again, so the menu then shows the default group as is.
  if (NoCatalogueOfItsOwn(store, highest)) {
    if (!WriteDefaultCatalogue(store) || GroupCountOrStored(store) == 0) return {{1, std::wstring(kDefaultGroupName)}};
    highest = -1;  // it has just written one
  }
  // A count that reads below 1 with any group there is read as the groups
  // there: the default catalogue would write over group 1 and lose what the
  // user stored.
  int count = 0;
  if (auto read = CountOfOneOrMore(ReadGroupCountText(store), kMaxGroups))
    count = *read;
  else
    count = highest >= 0 ? highest : HighestStoredGroup(store);
  std::vector<GroupMenuItem> items;
  for (int i = 1; i <= count; ++i) items.push_back({i, ReadGroupName(store, i)});
  return items;
}

double StoredGroupCount(const SettingsStore& store, int groupsRead) {
  const std::wstring text = ReadGroupCountText(store);
  if (CountOfOneOrMore(text, kMaxGroups)) return ParseNumberOrInfinity(text).value_or(groupsRead);
  return groupsRead >= kMaxGroups ? std::numeric_limits<double>::infinity() : groupsRead;
}

CurrentGroup CurrentGroupFrom(std::wstring_view stored, int groupCount, double storedGroups) {
  // With no group at all the number is still 1: the menu keeps its one
  // blank item and nothing may point before it.
  int last = std::max(groupCount, 1);
  // Taken as a number before any conversion: a number past every group,
  // however large, means the last one.
  const std::optional<double> value = ParseNumberOrInfinity(stored);
  if (!value || !(*value >= last)) {
    auto number = ParseGroupNumber(stored);
    if (!number || *number < 1) return {1, true};
    if (*number < last) return {*number, false};
  }
  // Equal to the last ("3.0", "03") names it already: kept as stored.
  return {last, value && *value > last && !(storedGroups > last && *value <= storedGroups)};
}

}  // namespace tolvane
