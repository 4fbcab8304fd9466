#include "ui/registry_value.h"

#include <limits>
#include <vector>

namespace ui {

OwnedKey OpenRegistryKey(HKEY root, std::wstring_view path, REGSAM access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, std::wstring(path).c_str(), 0, access, &key) != ERROR_SUCCESS)
    return {};
  return OwnedKey(key);
}

OwnedKey CreateRegistryKey(HKEY root, std::wstring_view path, REGSAM access) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, std::wstring(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        access, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return {};
  return OwnedKey(key);
}

namespace {

std::optional<std::wstring> ReadText(HKEY key, std::wstring_view name, bool anyText) {
  const auto isText = [anyText](DWORD type) {
    return type == REG_SZ || (anyText && (type == REG_EXPAND_SZ || type == REG_MULTI_SZ));
  };
  const std::wstring valueName(name);
  DWORD type = REG_NONE;
  DWORD bytes = 0;
  LSTATUS status = ::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &bytes);
  std::vector<wchar_t> buffer;
  // Another writer may resize the value between the size query and the read;
  // the registry then says so and reports the new size, so ask again.
  for (;;) {
    if (status != ERROR_SUCCESS || !isText(type)) return std::nullopt;
    // Rounded up to whole characters, plus one that the registry never fills
    // so that a value stored without its NUL still ends inside the buffer.
    buffer.assign(bytes / sizeof(wchar_t) + 2, L'\0');
    DWORD room = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    status = ::RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &room);
    if (status == ERROR_MORE_DATA) {
      bytes = room;
      status = ERROR_SUCCESS;
      continue;
    }
    if (status != ERROR_SUCCESS || !isText(type)) return std::nullopt;
    bytes = room;
    break;
  }
  std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
  if (auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
  return text;
}

}  // namespace

std::optional<std::wstring> ReadStringValue(HKEY key, std::wstring_view name) { return ReadText(key, name, false); }

std::optional<std::wstring> ReadAnyTextValue(HKEY key, std::wstring_view name) { return ReadText(key, name, true); }

bool HasValue(HKEY key, std::wstring_view name) {
  return ::RegQueryValueExW(key, std::wstring(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool WriteStringValue(HKEY key, std::wstring_view name, std::wstring_view data) {
  constexpr std::size_t kMaxChars = std::numeric_limits<DWORD>::max() / sizeof(wchar_t) - 1;
  if (data.size() > kMaxChars) return false;
  const std::wstring valueName(name);
  const std::wstring text(data);  // c_str() supplies the terminating NUL
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key, valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace ui
