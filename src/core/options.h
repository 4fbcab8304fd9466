// The seven on/off preferences ("Settings" "Rec 0".."Rec 6") and the
// interface font and colours. Each reader keeps its own default: they do not
// agree on what a missing value means, and stored settings rely on that.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
// Option `option` as the code that acts on it takes it: the reader above for
// options 1, 2, 3, 5 and 6; the preferences window's own rule (off only when
// stored as 0) for options 0 and 4. The preferences window shows every option
// by this rule, so confirming it unchanged changes nothing the program does.
bool OptionOn(const SettingsStore& store, int option);
// The text the preferences window stores for a state.
inline std::wstring_view OptionText(bool on) { return on ? L"1" : L"0"; }

// `LireInterface`: the four "Interface" values as text; each window converts
// them where it applies them.
struct InterfaceValues {
  std::wstring font, size, textColour, backColour;
};
InterfaceValues ReadInterface(const SettingsStore& store, std::wstring_view defaultFont,
                              std::wstring_view defaultBack);

// Colours are stored as the signed decimal text of a 32-bit value: an RGB
// colour 0x00BBGGRR, or a system colour 0x80000000 + its index, which reads
// as a negative number ("-2147483630" for the button text colour).
inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
inline constexpr std::uint32_t kSystemColourCount = 31;  // indices the system answers for
std::wstring ColourText(std::uint32_t colour);
// The colour a stored text names; empty when it is no number, lies outside
// 32 bits, or names neither an RGB colour nor a system colour.
std::optional<std::uint32_t> ColourFromText(std::wstring_view text);
inline bool IsSystemColour(std::uint32_t colour) { return (colour & kSystemColourFlag) != 0; }

// A stored font size that can be shown: a number of points from 1 to 72.
std::optional<double> FontSizeFromText(std::wstring_view text);
// The sizes the interface window offers, in the order it lists them.
inline constexpr std::wstring_view kInterfaceSizes[] = {L"8", L"9", L"10", L"11", L"12", L"14"};
// The entry of `kInterfaceSizes` whose whole points are those of `points`
// (8.25 is "8", 14.5 is "14"); the first entry when none is.
int SizeChoice(double points);
// The last entry exactly equal to `text`, case included; 0 when none is, so
// that a list always has something chosen.
int LastExactMatch(const std::vector<std::wstring>& entries, std::wstring_view text);

// The interface font size in points: the number its text begins with, or 8
// when that is 0 or less or above 72.
double InterfaceFontSize(std::wstring_view text);

// A stored colour as `ColourFromText` reads it; `fallback` for anything
// else, so that no window is painted in a colour no display shows.
std::uint32_t InterfaceColour(std::wstring_view text, std::uint32_t fallback);

}  // namespace tolvane
