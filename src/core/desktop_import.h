// The import of the desktop files into the group "Desktop", made as a plan
// of store changes first so that the rules can be checked without a store
// that is written to. Listing the folders is left to the caller.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_store.h"

namespace tolvane {

inline constexpr std::wstring_view kDesktopGroupName = L"Desktop";

struct DesktopFile {
  std::wstring name;  // name and extension, no folder
  std::wstring path;  // folder + "\" + name
};

struct StoreChange {
  enum class Kind { Save, Delete, Copy };
  Kind kind;
  std::wstring section, key;
  std::wstring value;  // saved; for a copy the key copied from; empty for a delete
  bool operator==(const StoreChange&) const = default;
};

// Makes one change; returns whether the store took it.
bool MakeChange(SettingsStore& store, const StoreChange& change);

struct ImportPlan {
  int group;       // the group that receives the files, now the current one
  int groupCount;  // "Groupe" after the import
  std::vector<StoreChange> changes;  // in the order they are to be made
};

// The link caption of a file: its name without the extension (the text
// from the last dot on). A name with no dot, or whose only dot leads it
// (".hidden"), is kept whole.
std::wstring CaptionFromFileName(std::wstring_view name);

// The desktop folders worth listing: the user's then the all users', with an
// empty value skipped, since listing "" would list the drive's root.
std::vector<std::wstring> DesktopFolders(std::wstring_view user, std::wstring_view common);

// folder + "\" + name, without doubling a separator the folder ends with.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// Empty when there is no file at all, or when the catalogue already counts
// as many groups as the readers take and none is "Desktop": the catalogue is
// then left as it is.
std::optional<ImportPlan> PlanDesktopImport(const SettingsStore& store,
                                            const std::vector<DesktopFile>& files);

// Makes every change of the plan; returns whether the store took them all.
bool ApplyImport(SettingsStore& store, const ImportPlan& plan);

}  // namespace tolvane
