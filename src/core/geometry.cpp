#include "core/geometry.h"

#include <algorithm>

#include "core/text.h"

namespace tolvane {
namespace {

// Positions are stored as single-precision numbers.
std::optional<double> StoredPosition(std::wstring_view text) {
  auto value = ParseNumber(text);
  if (!value) return std::nullopt;
  return static_cast<double>(static_cast<float>(*value));
}

double Overlap(const Rect& a, const Rect& b) {
  double w = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
  double h = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

bool Contains(const Rect& area, const Rect& r) {
  return r.left >= area.left && r.top >= area.top && r.Right() <= area.Right() && r.Bottom() <= area.Bottom();
}

// The whole window inside `area`; one larger than it keeps its top-left corner
// (and so its title bar) inside.
Point Within(const Rect& area, double left, double top, double width, double height) {
  return {std::max(area.left, std::min(left, area.Right() - width)),
          std::max(area.top, std::min(top, area.Bottom() - height))};
}

}  // namespace

double CentredPosition(double screen, double window) {
  return static_cast<double>(CLng(screen - window).value_or(0) / 2);
}

Point MainWindowPosition(std::wstring_view savedLeft, std::wstring_view savedTop, double width,
                         double height, const std::vector<Rect>& monitors, double screenWidth,
                         double screenHeight) {
  Point centred{CentredPosition(screenWidth, width), CentredPosition(screenHeight, height)};
  Point p{StoredPosition(savedLeft).value_or(centred.left),
          StoredPosition(savedTop).value_or(centred.top)};
  std::vector<Rect> screens = monitors;
  if (screens.empty()) screens.push_back({0, 0, screenWidth, screenHeight});
  const Rect bar{p.left, p.top, width, height};
  if (std::any_of(screens.begin(), screens.end(), [&](const Rect& s) { return Contains(s, bar); })) return p;
  // Partly off: the whole bar goes onto the work area that shows most of it.
  const auto best = std::max_element(screens.begin(), screens.end(), [&](const Rect& a, const Rect& b) {
    return Overlap(a, bar) < Overlap(b, bar);
  });
  if (Overlap(*best, bar) > 0) return Within(*best, p.left, p.top, width, height);
  // On no screen at all (one since unplugged or changed): centred on the
  // primary screen, within the work area that holds its top-left corner.
  auto primary = std::find_if(screens.begin(), screens.end(), [](const Rect& s) {
    return s.left <= 0 && s.top <= 0 && s.Right() > 0 && s.Bottom() > 0;
  });
  const Rect& area = primary != screens.end() ? *primary : screens.front();
  return Within(area, centred.left, centred.top, width, height);
}

Point DialogPosition(std::wstring_view savedLeft, std::wstring_view savedTop, double width,
                     double height, const Rect& mainWindow, double screenWidth,
                     double screenHeight) {
  Point p{StoredPosition(savedLeft).value_or(-1), StoredPosition(savedTop).value_or(-1)};
  if (p.left == -1) {
    p.left = mainWindow.left;
    p.top = mainWindow.Bottom();
    if (static_cast<float>(p.top + height) > screenHeight && mainWindow.top - height >= 0)
      p.top = mainWindow.top - height;
    // A place nobody chose must not hide the confirm button off the screen:
    // with room neither below nor above, the dialog rises to the bottom edge.
    if (p.top + height > screenHeight) p.top = std::max(0.0, screenHeight - height);
    if (p.left + width > screenWidth) p.left = std::max(0.0, screenWidth - width);
    return p;
  }
  // Only a dialog wholly beyond the left or top edge, or starting beyond the
  // right or bottom one, is brought back; one partly off stays as placed.
  if (p.left + width < 0) p.left = 0;
  if (p.left > screenWidth) p.left = screenWidth - width;
  if (p.top + height < 0) p.top = 0;
  if (p.top > screenHeight) p.top = screenHeight - height;
  return p;
}

Point HelpWindowPosition(std::wstring_view savedLeft, std::wstring_view savedTop, double width,
                         double height, double screenWidth, double screenHeight) {
  if (StoredPosition(savedLeft).value_or(-1) == -1)
    return {CentredPosition(screenWidth, width), CentredPosition(screenHeight, height)};
  return DialogPosition(savedLeft, savedTop, width, height, {}, screenWidth, screenHeight);
}

double CentredButtonLeft(double formWidth, double buttonWidth) {
  return static_cast<double>(CLng(formWidth - buttonWidth).value_or(0) / 2);
}

double ButtonHolderLeft(double formWidth, double holderWidth) { return formWidth - holderWidth; }

std::optional<double> AutoMoveTop(bool optionOn, const Rect& mainWindow, const Rect& dialog,
                                  double screenHeight) {
  if (!optionOn) return std::nullopt;
  const double T = mainWindow.top, H = mainWindow.height, L = mainWindow.left,
               W = mainWindow.width;
  const double l = dialog.left, t = dialog.top, w = dialog.width, h = dialog.height;
  // A dialog that spans the main window on both sides does not count.
  bool overlaps = (L < l && l < L + W) || (L < l + w && l + w < L + W);
  if (!overlaps) return std::nullopt;

  const double above = T - h, below = T + H;
  double first, second;
  if (t + h <= T) {  // above it, moved only when within 200 twips
    if (t <= T - h - 200) return std::nullopt;
    first = above, second = below;
  } else if (t < T) {  // over its top edge
    first = above, second = below;
  } else {  // below its top edge, moved only up to 200 twips past its bottom
    if (t >= T + H + 200) return std::nullopt;
    first = below, second = above;
  }
  auto fits = [&](double top) { return top >= 0 && top + h <= screenHeight; };
  double top = fits(first) ? first
               : fits(second) ? second
                              : std::clamp(first, 0.0, std::max(screenHeight - h, 0.0));
  if (top == t) return std::nullopt;
  return top;
}

bool UsesWideLayout(double innerHeight, double bottomBarHeight, double lastPaneBottom) {
  return innerHeight - bottomBarHeight < lastPaneBottom;
}

double KeepRightEdgeOnScreen(double left, double width, double screenWidth) {
  return left + width > screenWidth ? screenWidth - width : left;
}

}  // namespace tolvane
