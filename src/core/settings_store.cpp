#include "core/settings_store.h"

#include <algorithm>
#include <cwctype>
#include <unordered_set>

namespace tolvane {
namespace {

std::wstring Lower(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return out;
}

}  // namespace

bool IsLowerCase(std::wstring_view key) {
  return std::none_of(key.begin(), key.end(),
                      [](wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))) != c; });
}

bool SettingsStore::Copy(std::wstring_view section, std::wstring_view from, std::wstring_view to) {
  return Has(section, from) && Save(section, to, Get(section, from, L""));
}

std::optional<std::size_t> SettingsStore::FindLast(std::wstring_view section,
                                                   const std::vector<std::wstring>& keys) const {
  for (std::size_t i = keys.size(); i-- > 0;)
    if (Has(section, keys[i])) return i;
  return std::nullopt;
}

MemoryStore::Key MemoryStore::MakeKey(std::wstring_view section, std::wstring_view key) {
  return {Lower(section), Lower(key)};
}

std::wstring MemoryStore::Get(std::wstring_view section, std::wstring_view key,
                              std::wstring_view fallback) const {
  auto it = values_.find(MakeKey(section, key));
  return it == values_.end() ? std::wstring(fallback) : it->second;
}

bool MemoryStore::Refused() {
  if (refuse_) return true;
  if (!budget_) return false;
  if (*budget_ == 0) return true;
  --*budget_;
  return false;
}

bool MemoryStore::Save(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (Refused()) return false;
  Key k = MakeKey(section, key);
  spelling_.try_emplace(k, key);
  unreadable_.erase(k);
  values_[k] = std::wstring(value);
  writes_.push_back({std::wstring(section), std::wstring(key), std::wstring(value)});
  return true;
}

bool MemoryStore::Delete(std::wstring_view section, std::wstring_view key) {
  if (Refused()) return false;
  Key k = MakeKey(section, key);
  spelling_.erase(k);
  return (unreadable_.erase(k) + values_.erase(k)) > 0;
}

bool MemoryStore::DeleteSection(std::wstring_view section) {
  if (Refused()) return false;
  std::wstring s = Lower(section);
  std::erase_if(values_, [&](const auto& kv) { return kv.first.first == s; });
  std::erase_if(spelling_, [&](const auto& kv) { return kv.first.first == s; });
  std::erase_if(unreadable_, [&](const Key& k) { return k.first == s; });
  return true;
}

std::vector<std::wstring> MemoryStore::Keys(std::wstring_view section) const {
  std::vector<std::wstring> keys;
  std::wstring s = Lower(section);
  for (const auto& [k, name] : spelling_)
    if (k.first == s) keys.push_back(name);
  return keys;
}

std::optional<std::size_t> MemoryStore::FindLast(std::wstring_view section,
                                                 const std::vector<std::wstring>& keys) const {
  // The section's own keys, fewer than those asked for, each asked once.
  const std::wstring s = Lower(section);
  std::unordered_set<std::wstring> held;
  for (auto it = values_.lower_bound({s, L""}); it != values_.end() && it->first.first == s; ++it)
    held.insert(it->first.second);
  for (auto it = unreadable_.lower_bound({s, L""}); it != unreadable_.end() && it->first == s; ++it)
    held.insert(it->second);
  if (held.empty()) return std::nullopt;
  for (std::size_t i = keys.size(); i-- > 0;)
    if (IsLowerCase(keys[i]) ? held.contains(keys[i]) : held.contains(Lower(keys[i]))) return i;
  return std::nullopt;
}

bool MemoryStore::Has(std::wstring_view section, std::wstring_view key) const {
  const Key k = MakeKey(section, key);
  return values_.count(k) > 0 || unreadable_.count(k) > 0;
}

void MemoryStore::SaveUnreadable(std::wstring_view section, std::wstring_view key) {
  Key k = MakeKey(section, key);
  spelling_.try_emplace(k, key);
  values_.erase(k);
  unreadable_.insert(k);
}

bool IsUnreadable(const SettingsStore& store, std::wstring_view section, std::wstring_view key) {
  // No store holds this text: registry strings end at their first NUL.
  static const std::wstring absent(1, L'\0');
  return store.Has(section, key) && store.Get(section, key, absent) == absent;
}

std::map<std::wstring, std::wstring> MemoryStore::Section(std::wstring_view section) const {
  std::map<std::wstring, std::wstring> out;
  std::wstring s = Lower(section);
  for (const auto& [k, v] : values_)
    if (k.first == s) out[k.second] = v;
  return out;
}

}  // namespace tolvane
