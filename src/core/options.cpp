#include "core/options.h"

#include <cmath>
#include <iterator>

#include "core/catalogue.h"
#include "core/text.h"

namespace tolvane {
namespace {

// The stored option as a number; text that is no number (a hand-edited
// store) reads as the reader's own default.
double OptionValue(const SettingsStore& store, int option, std::wstring_view fallback) {
  auto value = ParseNumber(store.Get(kSectionSettings, OptionKey(option), fallback));
  return value ? *value : Val(fallback);
}

bool OnWhenOne(const SettingsStore& store, int option, std::wstring_view fallback) {
  return OptionValue(store, option, fallback) == 1;
}

bool OnUnlessZero(const SettingsStore& store, int option, std::wstring_view fallback) {
  return OptionValue(store, option, fallback) != 0;
}

}  // namespace

bool HideAfterLaunch(const SettingsStore& store) {
  return OnWhenOne(store, kOptionHideAfterLaunch, L"1");
}
bool AutoMoveDialogs(const SettingsStore& store) {
  return OnUnlessZero(store, kOptionAutoMoveDialogs, L"0");
}
bool StartHidden(const SettingsStore& store) { return OnWhenOne(store, kOptionStartHidden, L"1"); }
bool RebuildDesktop(const SettingsStore& store) {
  return OnWhenOne(store, kOptionRebuildDesktop, L"1");
}
bool AnimateIcon(const SettingsStore& store) { return OnWhenOne(store, kOptionAnimateIcon, L"0"); }
bool OptionOn(const SettingsStore& store, int option) {
  switch (option) {
    case kOptionHideAfterLaunch: return HideAfterLaunch(store);
    case kOptionAutoMoveDialogs: return AutoMoveDialogs(store);
    case kOptionStartHidden: return StartHidden(store);
    case kOptionRebuildDesktop: return RebuildDesktop(store);
    case kOptionAnimateIcon: return AnimateIcon(store);
    default: return OnUnlessZero(store, option, L"1");
  }
}

InterfaceValues ReadInterface(const SettingsStore& store, std::wstring_view defaultFont,
                              std::wstring_view defaultBack) {
  InterfaceValues v;
  v.font = store.Get(kSectionInterface, L"Police", defaultFont);
  v.size = store.Get(kSectionInterface, L"TaillePolice", L"8");
  v.textColour = store.Get(kSectionInterface, L"CouleurTexte", L"0");
  v.backColour = store.Get(kSectionInterface, L"BackCouleur", defaultBack);
  return v;
}


std::wstring ColourText(std::uint32_t colour) {
  return Digits(static_cast<std::int32_t>(colour));
}

std::optional<std::uint32_t> ColourFromText(std::wstring_view text) {
  auto number = ParseNumber(text);
  if (!number) return std::nullopt;
  auto value = CLng(*number);
  if (!value) return std::nullopt;
  const auto colour = static_cast<std::uint32_t>(*value);
  if (IsSystemColour(colour) ? (colour & ~kSystemColourFlag) < kSystemColourCount : colour <= 0xFFFFFFu)
    return colour;
  return std::nullopt;
}

std::optional<double> FontSizeFromText(std::wstring_view text) {
  auto size = ParseNumber(text);
  if (!size || !(*size >= 1 && *size <= 72)) return std::nullopt;
  return size;
}

int SizeChoice(double points) {
  int chosen = 0;
  for (int i = 0; i < static_cast<int>(std::size(kInterfaceSizes)); ++i)
    if (std::trunc(Val(kInterfaceSizes[i])) == std::trunc(points)) chosen = i;
  return chosen;
}

int LastExactMatch(const std::vector<std::wstring>& entries, std::wstring_view text) {
  int chosen = 0;
  for (int i = 0; i < static_cast<int>(entries.size()); ++i)
    if (entries[i] == text) chosen = i;
  return chosen;
}

double InterfaceFontSize(std::wstring_view text) {
  const double size = Val(text);
  return size <= 0 || size > 72 ? 8 : size;
}

std::uint32_t InterfaceColour(std::wstring_view text, std::uint32_t fallback) {
  return ColourFromText(text).value_or(fallback);
}

}  // namespace tolvane
