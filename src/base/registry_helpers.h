// Direct registry access outside the settings store: general string-value
// helpers, and starting the program with Windows through a Run key.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

inline constexpr std::wstring_view kRunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Writes `data` as a REG_SZ value, creating the key when missing.
bool EcrireValeurRegistre(HKEY root, std::wstring_view keyPath, std::wstring_view name,
                          std::wstring_view data);
// False when the key or the value was missing, or the registry refused.
bool SupprimerValeurRegistre(HKEY root, std::wstring_view keyPath, std::wstring_view name);
// The REG_SZ text, or `fallback` for a missing key or value or another type.
std::wstring LireValeurRegistre(HKEY root, std::wstring_view keyPath, std::wstring_view name,
                                std::wstring_view fallback = L"");
// Whether the value is there, whatever its type.
bool HasRegistryValue(HKEY root, std::wstring_view keyPath, std::wstring_view name);

// Registers the program under the machine's Run key, or under the user's when
// the machine's refuses (no administrator rights). True when one took it.
bool ActiverDemarrageAuto(std::wstring_view name, std::wstring_view data);
// Removes the value from both Run keys. True when neither holds it afterwards.
bool DesactiverDemarrageAuto(std::wstring_view name);

// The running program's full path in double quotes, as a Run value wants it.
std::wstring AutostartCommand();

namespace detail {
// The autostart rules over any roots, tried in order, so that tests can
// stand in a refusing root and keys of their own.
bool WriteToFirstAccepting(const std::vector<HKEY>& roots, std::wstring_view keyPath,
                           std::wstring_view name, std::wstring_view data);
bool RemoveFromAll(const std::vector<HKEY>& roots, std::wstring_view keyPath,
                   std::wstring_view name);
}  // namespace detail

}  // namespace tolvane
