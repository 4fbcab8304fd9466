// Window placement arithmetic, all in twips: the main window's start
// position and layouts, `PositionnerFenetre` and `DeplacementAuto`.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tolvane {

struct Rect {
  double left, top, width, height;
  double Right() const { return left + width; }
  double Bottom() const { return top + height; }
};

struct Point {
  double left, top;
  bool operator==(const Point&) const = default;
};

// Main window layouts: narrow while the panes fit, wide with the scroll bar.
inline constexpr double kNarrowPaneAreaWidth = 3250;
inline constexpr double kNarrowWindowWidth = 3310;
inline constexpr double kWidePaneAreaWidth = 3550;
inline constexpr double kWideWindowWidth = 3610;
inline constexpr double kHeaderHeight = 375;      // a closed pane
inline constexpr double kTitleBarHeight = 405;
inline constexpr double kWideSurfaceExtra = 250;  // below the last pane when scrolled

// (screen - window) to whole twips, halved by integer division.
double CentredPosition(double screen, double window);

// The main window's position from the stored "MainLeft"/"MainTop" texts
// (missing or not a number: centred on the primary screen). A position that
// leaves part of the bar off the work areas puts the whole bar on the work
// area that shows most of it; one on no screen at all (screens since
// unplugged or changed) is centred on the primary screen instead. `monitors`
// are work areas; empty means the primary screen only.
Point MainWindowPosition(std::wstring_view savedLeft, std::wstring_view savedTop, double width,
                         double height, const std::vector<Rect>& monitors, double screenWidth,
                         double screenHeight);

// `PositionnerFenetre`: a dialog's place from its saved "...Left"/"...Top"
// texts (default "-1"; text that is no number counts as missing): beside the
// main window when it has none, else kept from lying wholly off the screen.
Point DialogPosition(std::wstring_view savedLeft, std::wstring_view savedTop, double width,
                     double height, const Rect& mainWindow, double screenWidth,
                     double screenHeight);

// The help window's place: where it was closed last, kept on the screen as
// a dialog's is, or centred on the screen when it has no saved place.
Point HelpWindowPosition(std::wstring_view savedLeft, std::wstring_view savedTop, double width,
                         double height, double screenWidth, double screenHeight);

// The confirm button centred in the bottom bar, and the title bar's button
// holder at its right end.
double CentredButtonLeft(double formWidth, double buttonWidth);
double ButtonHolderLeft(double formWidth, double holderWidth);

// `DeplacementAuto`: the dialog's new Top once dropped near or over the main
// window, or nothing when it stays. Only Top changes, and never so that the
// dialog leaves the screen: with no room above or below, it is clamped.
std::optional<double> AutoMoveTop(bool optionOn, const Rect& mainWindow, const Rect& dialog,
                                  double screenHeight);

// `Form_Resize`: the wide layout when the last pane's bottom (in the pane
// area) lies below the window's inner height less the bottom bar.
bool UsesWideLayout(double innerHeight, double bottomBarHeight, double lastPaneBottom);
// A widened bar pushed back left so that its right edge stays on the screen.
double KeepRightEdgeOnScreen(double left, double width, double screenWidth);

}  // namespace tolvane
