// The seven on/off preferences ("Settings" "Rec 0".."Rec 6") and the
// interface font and colours. Each reader keeps its own default: they do not
// agree on what a missing value means, and stored settings rely on that.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings_store.h"

namespace tolvane {

inline constexpr int kOptionStartWithWindows = 0;
inline constexpr int kOptionHideAfterLaunch = 1;
inline constexpr int kOptionAutoMoveDialogs = 2;
inline constexpr int kOptionStartHidden = 3;
inline constexpr int kOptionShowDesktop = 4;
inline constexpr int kOptionRebuildDesktop = 5;
inline constexpr int kOptionAnimateIcon = 6;
inline constexpr int kOptionCount = 7;

bool HideAfterLaunch(const SettingsStore& store);  // missing: on
bool AutoMoveDialogs(const SettingsStore& store);  // missing: off
bool StartHidden(const SettingsStore& store);      // missing: on
bool RebuildDesktop(const SettingsStore& store);   // missing: on
bool AnimateIcon(const SettingsStore& store);      // missing: off
// As the preferences window shows option `option`: off only when stored as 0.
bool OptionShownOn(const SettingsStore& store, int option);

// `LireInterface`: the four "Interface" values as text; each window converts
// them where it applies them.
struct InterfaceValues {
  std::wstring font, size, textColour, backColour;
};
InterfaceValues ReadInterface(const SettingsStore& store, std::wstring_view defaultFont,
                              std::wstring_view defaultBack);

// The interface font size in points: the number its text begins with, or 8
// when that is 0 or less or above 72.
double InterfaceFontSize(std::wstring_view text);

// A stored colour (0x00BBGGRR, or 0x80000000 plus a system colour index,
// kept as signed decimal text) as its 32-bit pattern; `fallback` when the
// number the text begins with does not fit in 32 bits.
std::uint32_t InterfaceColour(std::wstring_view text, std::uint32_t fallback);

}  // namespace tolvane
