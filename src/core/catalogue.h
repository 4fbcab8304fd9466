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

// The count a count's text holds when it reads 1 or more, within 1..bound;
// empty when it reads below 1 (no number, 0, negative, a fraction below 1):
// the values stored then stand for it, so that nothing they hold is taken
// for an empty catalogue or group and written over.
std::optional<int> CountOfOneOrMore(std::wstring_view text, int bound);

// The raw text of "Groupe" after its prefix.
std::wstring ReadGroupCountText(const SettingsStore& store);
// The group count, when "Groupe" holds a number after its prefix.
std::optional<int> ReadGroupCount(const SettingsStore& store);
// The highest group up to kMaxGroups whose name or count is stored (every
// group written here has both), whatever they hold; 0 when there is none.
// Each key is asked by name, from the top: a section holding many other
// values costs no more, and no reader looks past the groups the bar reads.
int HighestStoredGroup(const SettingsStore& store);
// The highest link up to kMostLinksShown of the group whose caption or target
// is stored; 0 when there is none.
int HighestStoredLink(const SettingsStore& store, int group);
// The number of groups every reader goes by: "Groupe"'s count when it reads
// 1 or more, otherwise the groups stored.
int GroupCountOrStored(const SettingsStore& store);
std::wstring ReadGroupName(const SettingsStore& store, int group);
// The raw text of a link count: a missing count reads as empty text.
std::wstring ReadLinkCountText(const SettingsStore& store, int group);
std::optional<int> ReadLinkCount(const SettingsStore& store, int group);
// The links every reader goes by: the group's count when it reads 1 or more
// (up to kMaxLinksPerGroup), otherwise the links stored (up to the bar's
// kMostLinksShown).
int LinkCountOrStored(const SettingsStore& store, int group);
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

// The groups stored, beyond the readers' bound too: "Groupe"'s count when it
// reads 1 or more; otherwise the `groupsRead`, or any number when they
// reach the bound, since groups past it are never looked for.
double StoredGroupCount(const SettingsStore& store, int groupsRead);

// The group to show from the stored "NGroupe" text, kept within 1..count
// (the groups read), and whether the corrected number has to be stored back:
// only when the text names no group or one above the last ("3.0" or "03"
// of three groups stays as it is), and not while it names one of `storedGroups` that lie beyond the readers'
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
