// The link buttons of a group, as `ChargerGroupe` lays them out, and the
// names its icons are found and cached by.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_store.h"

namespace tolvane {

inline constexpr double kLinkButtonGap = 50;  // between two link buttons
// The links pane's first button, `Prog(0)`, as designed: its top and height.
inline constexpr double kFirstLinkTop = 480;
inline constexpr double kLinkButtonHeight = 600;
// The lowest a link button may reach in its pane (twips). A window
// coordinate holds at most 32,767 pixels: with the tools pane open above the
// links and the margins below them, the scrolled area then still fits, and
// every button shown can be scrolled to.
inline constexpr double kLinkButtonsDepth = 480000;

// The most link buttons the links pane lays out, the first at `firstTop`,
// each `buttonHeight` high and kLinkButtonGap below the one before: at least
// one, the rest as many as end above kLinkButtonsDepth.
constexpr int MostLinkButtons(double firstTop, double buttonHeight) {
  const double room = kLinkButtonsDepth - firstTop - buttonHeight;
  return room < 0 ? 1 : static_cast<int>(room / (buttonHeight + kLinkButtonGap)) + 1;
}
// The most links of a group the bar shows, its buttons as designed: a link
// added past them could be neither seen, launched, modified nor deleted.
inline constexpr int kMostLinksShown = MostLinkButtons(kFirstLinkTop, kLinkButtonHeight);

struct LinkButtonPlan {
  std::wstring caption;
  std::wstring tag;     // the link's key, "g-k"
  std::wstring target;  // launched on click; the tool tip shows it
  double top = 0;
  bool operator==(const LinkButtonPlan&) const = default;
};

// One button per link of group `group`, the first at `firstTop`, each next
// one `buttonHeight` + 50 lower, as many as MostLinkButtons() lays out.
// A count that reads below 1 counts the links stored; with none stored, no
// button when it is no number, one otherwise.
std::vector<LinkButtonPlan> PlanLinkButtons(const SettingsStore& store, int group, double firstTop,
                                            double buttonHeight);

// `ExtensionFichier`: the text after the last "." of the whole path,
// lower-cased; empty when there is no dot or it ends the path. A dot in a
// folder name counts when the file name has none.
std::wstring ExtensionFichier(std::wstring_view path);

// The icon cache's file name for a target: its base name cut before its last
// dot, made into a name every Windows file system takes, then ".ico". None
// when the base name has no dot.
std::optional<std::wstring> IconCacheFileName(std::wstring_view target);

}  // namespace tolvane
