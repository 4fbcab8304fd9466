#include "core/catalogue.h"

#include <algorithm>

#include "core/text.h"

namespace tolvane {
namespace {

std::optional<int> WholeNumber(std::wstring_view text) {
  auto value = ParseNumber(text);
  if (!value) return std::nullopt;
  auto whole = CLng(*value);
  if (!whole) return std::nullopt;
  return static_cast<int>(*whole);
}

std::wstring DataValue(const SettingsStore& store, std::wstring_view key,
                       std::wstring_view fallback = L"") {
  return store.Get(kSectionData, key, fallback);
}

}  // namespace

std::wstring GroupKey(int group) { return Digits(group); }
std::wstring CountKey(int group) { return Digits(group) + L"Occ"; }
std::wstring LinkKey(int group, int link) { return Digits(group) + L"-" + Digits(link); }
std::wstring TargetKey(int group, int link) { return LinkKey(group, link) + L"c"; }
std::wstring OptionKey(int option) { return L"Rec " + Digits(option); }

std::optional<int> ReadGroupCount(const SettingsStore& store) {
  return WholeNumber(DropPrefix(DataValue(store, kGroupCountKey), kCountPrefix.size()));
}

std::wstring ReadGroupName(const SettingsStore& store, int group) {
  return DropPrefix(DataValue(store, GroupKey(group)), kGroupNamePrefix.size());
}

std::wstring ReadLinkCountText(const SettingsStore& store, int group) {
  return DropPrefix(DataValue(store, CountKey(group), L"0"), kCountPrefix.size());
}

std::optional<int> ReadLinkCount(const SettingsStore& store, int group) {
  return WholeNumber(ReadLinkCountText(store, group));
}

std::wstring ReadLinkCaption(const SettingsStore& store, int group, int link) {
  return DropPrefix(DataValue(store, LinkKey(group, link)), kCaptionPrefix.size());
}

std::wstring ReadLinkTarget(const SettingsStore& store, int group, int link) {
  return DropPrefix(DataValue(store, TargetKey(group, link)), kTargetPrefix.size());
}

bool WriteDefaultCatalogue(SettingsStore& store) {
  bool ok = store.Save(kSectionData, kGroupCountKey, std::wstring(kCountPrefix) + L"1");
  ok &= store.Save(kSectionData, GroupKey(1),
                   std::wstring(kGroupNamePrefix) + std::wstring(kDefaultGroupName));
  ok &= store.Save(kSectionData, CountKey(1), std::wstring(kCountPrefix) + L"1");
  ok &= store.Save(kSectionData, LinkKey(1, 1), kCaptionPrefix);
  ok &= store.Save(kSectionData, TargetKey(1, 1), kTargetPrefix);
  ok &= store.Save(kSectionSettings, kCurrentGroupKey, L"1");
  return ok;
}

std::vector<GroupMenuItem> LoadGroupMenu(SettingsStore& store) {
  auto count = ReadGroupCount(store);
  if (!count) {
    // Written once only: a store that refuses it (or loses it) must not
    // send us round again, so the menu then shows the default group as is.
    if (!WriteDefaultCatalogue(store) || !(count = ReadGroupCount(store)))
      return {{1, std::wstring(kDefaultGroupName)}};
  }
  std::vector<GroupMenuItem> items;
  for (int i = 1; i <= *count; ++i) items.push_back({i, ReadGroupName(store, i)});
  return items;
}

CurrentGroup CurrentGroupFrom(std::wstring_view stored, int groupCount) {
  // With no group at all the number is still 1: the menu keeps its one
  // blank item and nothing may point before it.
  int last = std::max(groupCount, 1);
  auto number = WholeNumber(stored);
  if (!number || *number < 1) return {1, true};
  if (*number >= last) return {last, true};
  return {*number, false};
}

}  // namespace tolvane
