// The catalogue of groups and links ("Data") and the current group
// ("Settings"): the keys, the readers and the default catalogue.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_store.h"

namespace tolvane {

inline constexpr std::wstring_view kSectionData = L"Data";
inline constexpr std::wstring_view kSectionSettings = L"Settings";
inline constexpr std::wstring_view kSectionInterface = L"Interface";

inline constexpr std::wstring_view kGroupCountKey = L"Groupe";
inline constexpr std::wstring_view kCurrentGroupKey = L"NGroupe";

// Every catalogue value starts with one of these; readers drop them by
// length only, without looking at them.
inline constexpr std::wstring_view kCountPrefix = L"NbOcc=";
inline constexpr std::wstring_view kGroupNamePrefix = L"Nomgroupe=";
inline constexpr std::wstring_view kCaptionPrefix = L"Nom=";
inline constexpr std::wstring_view kTargetPrefix = L"Fic=";

inline constexpr std::wstring_view kDefaultGroupName = L"Groupe N°01";

std::wstring GroupKey(int group);              // "12"
std::wstring CountKey(int group);              // "12Occ"
std::wstring LinkKey(int group, int link);     // "12-3"
std::wstring TargetKey(int group, int link);   // "12-3c"
std::wstring OptionKey(int option);            // "Rec 5"

// Counts read from the store are taken at most up to these: a catalogue
// written by hand or by a broken tool cannot make the bar build millions of
// menu items or buttons. A reader's bound only: nothing stored is rewritten
// or deleted because of it.
inline constexpr int kMaxGroups = 1000;
inline constexpr int kMaxLinksPerGroup = 1000;

// The count a text holds, within 0..bound (a negative count is none); empty
// when the text is no number.
std::optional<int> BoundedCount(std::wstring_view text, int bound);

// Whether the "Data" value `key` is there at all, empty or not.
bool HasDataValue(const SettingsStore& store, std::wstring_view key);

// A group number as a header's tag, an editor's key or "NGroupe" holds it:
// the number the text holds, rounded; empty when it holds none.
std::optional<int> ParseGroupNumber(std::wstring_view text);

// A catalogue key as the readers spell it: "12", "12Occ", "12-3", "12-3c",
// its numbers in plain digits (no sign, no leading zero). "Groupe" and any
// other key are none.
struct CatalogueKey {
  enum class Kind { Group, Count, Name, Target } kind;
  int group;
  int link;  // 0 for a group's name or count
};
std::optional<CatalogueKey> ParseCatalogueKey(std::wstring_view key);

// The group count, when "Groupe" holds a number after its prefix.
std::optional<int> ReadGroupCount(const SettingsStore& store);
// The highest group that a catalogue key names, whatever it holds and
// whatever the counts say; 0 when there is none. What an unreadable
// "Groupe" stands for: a group with a link but no name is a group too.
int HighestStoredGroup(const SettingsStore& store);
// The number of groups every reader goes by: "Groupe"'s count, or when it
// is no number the groups that are there, as far as the bound.
int GroupCountOrStored(const SettingsStore& store);
std::wstring ReadGroupName(const SettingsStore& store, int group);
// The raw text of a link count: a missing count reads as empty text.
std::wstring ReadLinkCountText(const SettingsStore& store, int group);
std::optional<int> ReadLinkCount(const SettingsStore& store, int group);
std::wstring ReadLinkCaption(const SettingsStore& store, int group, int link);
std::wstring ReadLinkTarget(const SettingsStore& store, int group, int link);

// One group named "Groupe N°01" with one empty link, made current: the
// group whole before "Groupe" counts it. A value already so is not written
// again. Returns whether the store took every write.
bool WriteDefaultCatalogue(SettingsStore& store);
// Whether the store holds no catalogue of its own: no catalogue value but
// some of the default catalogue's, as a start cut short while writing it
// leaves them, and "Groupe" no number or the default's.
bool NoCatalogueOfItsOwn(const SettingsStore& store);

struct GroupMenuItem {
  int number;
  std::wstring name;
  bool operator==(const GroupMenuItem&) const = default;
};

// `ChargerMenuGroupes` without the menu: the groups in order, after writing
// (or completing) the default catalogue when there is no catalogue of the
// store's own. Empty when the count is 0.
std::vector<GroupMenuItem> LoadGroupMenu(SettingsStore& store);

// The groups stored, beyond the readers' bound too: "Groupe"'s count, or
// when it is no number the highest group a key names.
double StoredGroupCount(const SettingsStore& store);

// The group to show from the stored "NGroupe" text, kept within 1..count
// (the groups read), and whether the corrected number has to be stored back:
// not while it names one of `storedGroups` that lie beyond the readers'
// bound, which the bar does not show but which are there.
struct CurrentGroup {
  int number;
  bool rewrite;
};
CurrentGroup CurrentGroupFrom(std::wstring_view stored, int groupCount, double storedGroups = 0);
inline int ClampCurrentGroup(std::wstring_view stored, int groupCount) {
  return CurrentGroupFrom(stored, groupCount).number;
}

}  // namespace tolvane
