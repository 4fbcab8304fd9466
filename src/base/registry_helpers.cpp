#include "base/registry_helpers.h"

#include "ui/registry_value.h"

namespace tolvane {

bool EcrireValeurRegistre(HKEY root, std::wstring_view keyPath, std::wstring_view name,
                          std::wstring_view data) {
  ui::OwnedKey key = ui::CreateRegistryKey(root, keyPath, KEY_SET_VALUE);
  return key && ui::WriteStringValue(key.get(), name, data);
}

bool SupprimerValeurRegistre(HKEY root, std::wstring_view keyPath, std::wstring_view name) {
  ui::OwnedKey key = ui::OpenRegistryKey(root, keyPath, KEY_SET_VALUE);
  return key && ::RegDeleteValueW(key.get(), std::wstring(name).c_str()) == ERROR_SUCCESS;
}

std::wstring LireValeurRegistre(HKEY root, std::wstring_view keyPath, std::wstring_view name,
                                std::wstring_view fallback) {
  ui::OwnedKey key = ui::OpenRegistryKey(root, keyPath, KEY_QUERY_VALUE);
  if (!key) return std::wstring(fallback);
  return ui::ReadStringValue(key.get(), name).value_or(std::wstring(fallback));
}

bool HasRegistryValue(HKEY root, std::wstring_view keyPath, std::wstring_view name) {
  ui::OwnedKey key = ui::OpenRegistryKey(root, keyPath, KEY_QUERY_VALUE);
  return key && ::RegQueryValueExW(key.get(), std::wstring(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS;
}

namespace detail {

bool WriteToFirstAccepting(const std::vector<HKEY>& roots, std::wstring_view keyPath,
                           std::wstring_view name, std::wstring_view data) {
  for (HKEY root : roots)
    if (EcrireValeurRegistre(root, keyPath, name, data)) return true;
  return false;
}

bool RemoveFromAll(const std::vector<HKEY>& roots, std::wstring_view keyPath,
                   std::wstring_view name) {
  bool allClear = true;
  for (HKEY root : roots) {
    SupprimerValeurRegistre(root, keyPath, name);
    // A key that cannot be opened for writing fails only when it holds the value.
    if (HasRegistryValue(root, keyPath, name)) allClear = false;
  }
  return allClear;
}

}  // namespace detail

bool ActiverDemarrageAuto(std::wstring_view name, std::wstring_view data) {
  return detail::WriteToFirstAccepting({HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}, kRunKeyPath, name,
                                       data);
}

bool DesactiverDemarrageAuto(std::wstring_view name) {
  return detail::RemoveFromAll({HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}, kRunKeyPath, name);
}

std::wstring AutostartCommand() {
  // Paths may exceed MAX_PATH; a full buffer means the name was cut, so grow.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  return L"\"" + path + L"\"";
}

}  // namespace tolvane
