#include "core/settings_store.h"

#include <cwctype>

namespace tolvane {
namespace {

std::wstring Lower(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return out;
}

}  // namespace

MemoryStore::Key MemoryStore::MakeKey(std::wstring_view section, std::wstring_view key) {
  return {Lower(section), Lower(key)};
}

std::wstring MemoryStore::Get(std::wstring_view section, std::wstring_view key,
                              std::wstring_view fallback) const {
  auto it = values_.find(MakeKey(section, key));
  return it == values_.end() ? std::wstring(fallback) : it->second;
}

bool MemoryStore::Save(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (refuse_) return false;
  values_[MakeKey(section, key)] = std::wstring(value);
  writes_.push_back({std::wstring(section), std::wstring(key), std::wstring(value)});
  return true;
}

bool MemoryStore::Delete(std::wstring_view section, std::wstring_view key) {
  if (refuse_) return false;
  return values_.erase(MakeKey(section, key)) > 0;
}

bool MemoryStore::DeleteSection(std::wstring_view section) {
  if (refuse_) return false;
  std::wstring s = Lower(section);
  std::erase_if(values_, [&](const auto& kv) { return kv.first.first == s; });
  return true;
}

bool MemoryStore::Has(std::wstring_view section, std::wstring_view key) const {
  return values_.count(MakeKey(section, key)) > 0;
}

std::map<std::wstring, std::wstring> MemoryStore::Section(std::wstring_view section) const {
  std::map<std::wstring, std::wstring> out;
  std::wstring s = Lower(section);
  for (const auto& [k, v] : values_)
    if (k.first == s) out[k.second] = v;
  return out;
}

}  // namespace tolvane
