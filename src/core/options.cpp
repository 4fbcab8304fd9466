#include "core/options.h"

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
bool OptionShownOn(const SettingsStore& store, int option) {
  return OnUnlessZero(store, option, L"1");
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

std::uint32_t InterfaceColour(std::wstring_view text) {
  const double value = Val(text);
  if (value != value) return 0;
  // Both the signed and the unsigned reading of 32 bits are taken as stored.
  const double clamped = value < -2147483648.0 ? -2147483648.0 : value > 4294967295.0 ? 4294967295.0 : value;
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(clamped) & 0xFFFFFFFF);
}

}  // namespace tolvane
