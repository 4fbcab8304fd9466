#include "ui/registry_value.h"

#include <winternl.h>

#include <cstring>
#include <limits>

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

std::optional<RawValue> ReadRawValue(HKEY key, std::wstring_view name) {
  const std::wstring valueName(name);
  RawValue raw;
  DWORD bytes = 0;
  LSTATUS status = ::RegQueryValueExW(key, valueName.c_str(), nullptr, &raw.type, nullptr, &bytes);
  // Another writer may resize the value between the size query and the read;
  // the registry then says so and reports the new size, so ask again.
  while (status == ERROR_SUCCESS) {
    // Never an empty buffer: a null one would only ask for the size again.
    raw.bytes.assign(static_cast<std::size_t>(bytes) + sizeof(wchar_t), 0);
    DWORD room = static_cast<DWORD>(raw.bytes.size());
    status = ::RegQueryValueExW(key, valueName.c_str(), nullptr, &raw.type, raw.bytes.data(), &room);
    if (status == ERROR_MORE_DATA) {
      bytes = room;
      status = ERROR_SUCCESS;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    raw.bytes.resize(room);
    return raw;
  }
  return std::nullopt;
}

bool WriteRawValue(HKEY key, std::wstring_view name, const RawValue& value) {
  static const BYTE none = 0;
  // The registry's own call ends a text stored without its NUL with one on
  // some systems: the system's native call stores exactly the bytes given.
  using SetValue = LONG(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, void*, ULONG);
  static const auto setValue = reinterpret_cast<SetValue>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
  std::wstring valueName(name);
  if (setValue && valueName.size() < 0x7FFF) {
    UNICODE_STRING n{static_cast<USHORT>(valueName.size() * sizeof(wchar_t)),
                     static_cast<USHORT>(valueName.size() * sizeof(wchar_t)), valueName.data()};
    return setValue(key, &n, 0, value.type, const_cast<BYTE*>(value.bytes.empty() ? &none : value.bytes.data()),
                    static_cast<ULONG>(value.bytes.size())) >= 0;
  }
  return ::RegSetValueExW(key, valueName.c_str(), 0, value.type, value.bytes.empty() ? &none : value.bytes.data(),
                          static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

namespace {

std::optional<std::wstring> ReadText(HKEY key, std::wstring_view name, bool anyText) {
  const std::optional<RawValue> raw = ReadRawValue(key, name);
  if (!raw || !(raw->type == REG_SZ || (anyText && (raw->type == REG_EXPAND_SZ || raw->type == REG_MULTI_SZ))))
    return std::nullopt;
  // Whole characters only; a value stored without its NUL is read whole.
  std::wstring text(raw->bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), raw->bytes.data(), text.size() * sizeof(wchar_t));
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
