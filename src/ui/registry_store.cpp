#include "ui/registry_store.h"

#include <algorithm>

#include "ui/registry_value.h"

namespace ui {
namespace {

constexpr std::wstring_view kSettingsRoot = L"Software\\VB and VBA Program Settings\\";

}  // namespace

RegistryStore::RegistryStore(std::wstring_view applicationTitle)
    : applicationPath_(std::wstring(kSettingsRoot) + std::wstring(applicationTitle)) {}

std::wstring RegistryStore::SectionPath(std::wstring_view section) const {
  return applicationPath_ + L"\\" + std::wstring(section);
}

std::wstring RegistryStore::Get(std::wstring_view section, std::wstring_view key,
                                std::wstring_view fallback) const {
  OwnedKey sectionKey = OpenRegistryKey(HKEY_CURRENT_USER, SectionPath(section), KEY_QUERY_VALUE);
  if (!sectionKey) return std::wstring(fallback);
  return ReadAnyTextValue(sectionKey.get(), key).value_or(std::wstring(fallback));
}

bool RegistryStore::Has(std::wstring_view section, std::wstring_view key) const {
  OwnedKey sectionKey = OpenRegistryKey(HKEY_CURRENT_USER, SectionPath(section), KEY_QUERY_VALUE);
  return sectionKey && HasValue(sectionKey.get(), key);
}

bool RegistryStore::Save(std::wstring_view section, std::wstring_view key,
                         std::wstring_view value) {
  OwnedKey sectionKey = CreateRegistryKey(HKEY_CURRENT_USER, SectionPath(section), KEY_SET_VALUE);
  return sectionKey && WriteStringValue(sectionKey.get(), key, value);
}

bool RegistryStore::Delete(std::wstring_view section, std::wstring_view key) {
  OwnedKey sectionKey = OpenRegistryKey(HKEY_CURRENT_USER, SectionPath(section), KEY_SET_VALUE);
  return sectionKey &&
         ::RegDeleteValueW(sectionKey.get(), std::wstring(key).c_str()) == ERROR_SUCCESS;
}

bool RegistryStore::Copy(std::wstring_view section, std::wstring_view from, std::wstring_view to) {
  OwnedKey sectionKey = OpenRegistryKey(HKEY_CURRENT_USER, SectionPath(section), KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (!sectionKey) return false;
  const std::optional<RawValue> value = ReadRawValue(sectionKey.get(), from);
  return value && WriteRawValue(sectionKey.get(), to, *value);
}

std::optional<std::size_t> RegistryStore::FindLast(std::wstring_view section,
                                                   const std::vector<std::wstring>& keys) const {
  OwnedKey sectionKey = OpenRegistryKey(HKEY_CURRENT_USER, SectionPath(section), KEY_QUERY_VALUE);
  if (!sectionKey) return std::nullopt;
  for (std::size_t i = keys.size(); i-- > 0;)
    if (HasValue(sectionKey.get(), keys[i])) return i;
  return std::nullopt;
}

bool RegistryStore::DeleteSection(std::wstring_view section) {
  // An empty name would make the path that of the whole application key.
  if (section.empty()) return false;
  const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, SectionPath(section).c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::vector<std::wstring> RegistryStore::Keys(std::wstring_view section) const {
  std::vector<std::wstring> keys;
  OwnedKey sectionKey = OpenRegistryKey(HKEY_CURRENT_USER, SectionPath(section), KEY_QUERY_VALUE);
  if (!sectionKey) return keys;
  DWORD longest = 0;
  if (::RegQueryInfoKeyW(sectionKey.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return keys;
  std::wstring name;
  for (DWORD i = 0;; ++i) {
    // Sized afresh each time: a value added meanwhile may have a longer name.
    name.assign(static_cast<std::size_t>(longest) + 1, L'\0');
    DWORD length = static_cast<DWORD>(name.size());
    LSTATUS status = ::RegEnumValueW(sectionKey.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA && longest < 32767) {
      longest = std::max<DWORD>(longest * 2, 256);
      --i;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    name.resize(length);
    keys.push_back(name);
  }
  return keys;
}

}  // namespace ui
