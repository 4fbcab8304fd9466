// The few registry calls that both the settings store and the launcher's
// registry helpers make, written once so that they read values the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/handles.h"

namespace ui {

// The key `path` under `root`, opened with `access`; empty when it is missing
// or refused.
OwnedKey OpenRegistryKey(HKEY root, std::wstring_view path, REGSAM access);

// The key `path` under `root`, created when missing; empty when refused.
OwnedKey CreateRegistryKey(HKEY root, std::wstring_view path, REGSAM access);

// The text of a REG_SZ value. Empty for a missing value or one of another
// type (REG_EXPAND_SZ and REG_DWORD included). A value stored without its
// terminating NUL is read whole; text after an embedded NUL is dropped.
std::optional<std::wstring> ReadStringValue(HKEY key, std::wstring_view name);

// The text of a REG_SZ, REG_EXPAND_SZ (unexpanded) or REG_MULTI_SZ (its first
// string) value; empty for a missing value or one of any other type.
std::optional<std::wstring> ReadAnyTextValue(HKEY key, std::wstring_view name);

// A value as stored: its type and every byte.
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  bool operator==(const RawValue&) const = default;
};
// Empty for a missing value. Read whole even while another writer resizes it.
std::optional<RawValue> ReadRawValue(HKEY key, std::wstring_view name);
// Stores exactly those bytes, a text without its NUL too. `key` is one
// opened, not a predefined root.
bool WriteRawValue(HKEY key, std::wstring_view name, const RawValue& value);

// Whether a value of that name is there, whatever its type.
bool HasValue(HKEY key, std::wstring_view name);

// Writes `data` as a REG_SZ value with its terminating NUL (an empty text
// gives one NUL character). Returns whether the registry took it.
bool WriteStringValue(HKEY key, std::wstring_view name, std::wstring_view data);

}  // namespace ui
