// The settings store the program runs on: one registry key per section under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<title>, every value
// a REG_SZ text. Settings left there by earlier versions read as they are: an
// expandable or multi-string text as its text (unexpanded; the first string),
// a value of any other type as there but unreadable; and a value copied keeps
// its type and every byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/settings_store.h"

namespace ui {

class RegistryStore final : public tolvane::SettingsStore {
 public:
  explicit RegistryStore(std::wstring_view applicationTitle);

  std::wstring Get(std::wstring_view section, std::wstring_view key,
                   std::wstring_view fallback) const override;
  bool Has(std::wstring_view section, std::wstring_view key) const override;
  bool Save(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;
  // False when the value was not there.
  bool Delete(std::wstring_view section, std::wstring_view key) override;
  // Type and bytes kept: an expandable or multi-string text stays so, whole.
  bool Copy(std::wstring_view section, std::wstring_view from, std::wstring_view to) override;
  // True when the section is gone afterwards, also when it never existed.
  bool DeleteSection(std::wstring_view section) override;
  // The section opened once for all the names.
  std::optional<std::size_t> FindLast(std::wstring_view section, const std::vector<std::wstring>& keys) const override;
  std::vector<std::wstring> Keys(std::wstring_view section) const override;
  // The key of `section`, under HKEY_CURRENT_USER.
  std::wstring SectionPath(std::wstring_view section) const;

 private:
  std::wstring applicationPath_;
};

}  // namespace ui
