// The application as every window sees it: its title, its settings store,
// its web page and its folder.
#pragma once

#include <string>

#include "core/settings_store.h"

namespace tolvane {

// The application title: the settings live under it, and every message box
// carries it.
const std::wstring& AppTitle();
// The settings store of this program, under its title.
SettingsStore& Settings();
// Points the program at another store, for tests; null restores the real one.
void UseSettings(SettingsStore* store);
// The product's web page: opened by the tool entry "Site internet" and by
// the about box's link, whose caption it is too.
inline constexpr wchar_t kWebPage[] = L"http://tolvane.test";
// The folder of the running program, without a trailing separator.
const std::wstring& ProgramFolder();

}  // namespace tolvane
