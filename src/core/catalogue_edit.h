// The edits of the group and link menus: add or rename a group, add or
// modify a link, delete a link or a group. Each is planned from the store
// as a list of store changes first, so the windows only gather the input,
// ask, and apply the plan, and the rules are checked without a window.
//
// Every plan keeps the catalogue dense and clean: no key is left beyond a
// count it writes, an item is written before the count that shows it, and
// a delete moves the later entries down before it lowers the count, so a
// store that stops taking changes half-way loses only the deleted item.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue.h"
#include "core/desktop_import.h"
#include "core/settings_store.h"

namespace tolvane {

// Why a plan holds no change.
enum class EditRefusal {
  None,
  Missing,     // the group or link is not there
  OverBound,   // more groups or links than the readers take would move
  GroupsFull,  // as many groups as the readers take: a new one would not show
  LinksFull,   // as many links as the bar shows: a new one would not show
  Unreadable,  // a value that holds no text would be written over or moved
};

// Why, as the user is told after "Rien n'a été supprimé : " or "Rien n'a été
// enregistré : ".
std::wstring RefusalReason(EditRefusal why);

struct EditPlan {
  std::vector<StoreChange> changes;  // in the order they are to be made; none: nothing to do
  int group = 0;  // the group to show afterwards
  int link = 0;   // link edits: the link written
  EditRefusal refusal = EditRefusal::None;
};

// A new group, numbered after the last, with one empty link; made current.
EditPlan PlanAddGroup(const SettingsStore& store, std::wstring_view name);
// Group `group` gets `name` and becomes current; nothing when it does not exist.
EditPlan PlanRenameGroup(const SettingsStore& store, int group, std::wstring_view name);
// A new last link of the group shown (`shownGroup`, the links pane's tag,
// kept within the groups there are), unless it already holds as many links
// as the bar shows; with no group at all the default catalogue is written
// first. The target key is always written.
EditPlan PlanAddLink(const SettingsStore& store, std::wstring_view shownGroup, std::wstring_view name,
                     std::wstring_view target);
// Link `link` of `group` gets `name`, and `target` unless it is blank. The
// blank button of a group with no link adds the link instead; any other
// link that does not exist changes nothing.
EditPlan PlanModifyLink(const SettingsStore& store, int group, int link, std::wstring_view name,
                        std::wstring_view target);
// The later links move down one number; nothing when the link does not exist.
EditPlan PlanDeleteLink(const SettingsStore& store, int group, int link);
// The later groups move down one number; the only group gives way to the
// default catalogue. The current group keeps its number while it exists.
EditPlan PlanDeleteGroup(const SettingsStore& store, int group);

// Makes the changes in order and stops at the first the store refuses, so
// that what follows cannot show a half-made edit. Whether all were taken.
bool ApplyEdit(SettingsStore& store, const EditPlan& plan);

// The group and link numbers of a link key "g-k".
struct LinkRef {
  int group, link;
};
std::optional<LinkRef> ParseLinkKey(std::wstring_view key);

// The name proposed for a chosen or dropped file: the last element of the
// trimmed path, without its extension; a root gives the path itself.
std::wstring ProposedLinkName(std::wstring_view path);

// The target as the file chooser's starting file, or empty when it is not a
// plain file path (a web address, quotes, wildcards, too long) that the
// chooser would refuse to open with.
std::wstring ChooserStartPath(std::wstring_view target);

}  // namespace tolvane
