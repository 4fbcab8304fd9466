#include "core/pane_animation.h"

#include <algorithm>

#include "core/text.h"

namespace tolvane {

void PaneAnimation::MenuHeader_Click(int index) {
  if (animating_) return;  // dropped, not queued
  if (index < 0 || index >= static_cast<int>(area.panes.size())) return;
  // Both headers are as high; the first one's height is the closed height.
  opening_ = area.panes[index].height == area.panes[0].headerHeight;
  animating_ = true;
  pane_ = index;
  Wake();
}

bool PaneAnimation::Tick() {
  if (Idle()) {
    // What an always running timer would do here is nothing: stop asking.
    awake_ = false;
    return false;
  }
  const std::int32_t lastBottom = area.LastPaneBottom();
  Restack();
  if (!animating_) {
    // The panes below one that has just finished growing move down now: the
    // surface and its scroll range follow, or the last links stay out of reach.
    if (area.LastPaneBottom() == lastBottom) return false;
    ResizeLayout();
    return true;
  }
  if (pane_ >= static_cast<int>(area.panes.size())) {
    animating_ = false;
    return false;
  }
  bool resized = false;
  PaneBox& pane = area.panes[pane_];
  if (opening_) {
    TickOpening(pane, resized);
  } else {
    TickClosing(pane, resized);
  }
  return resized;
}

bool PaneAnimation::Idle() const {
  if (animating_) return false;
  for (std::size_t i = 1; i < area.panes.size(); ++i)
    if (area.panes[i].top != area.panes[i - 1].Bottom() + kPaneGap) return false;
  return true;
}

void PaneAnimation::SetPaneHeight(int index, std::int32_t height) {
  if (index < 0 || index >= static_cast<int>(area.panes.size())) return;
  area.panes[static_cast<std::size_t>(index)].height = height;
  Wake();
}

void PaneAnimation::ScrollTo(std::int32_t surfaceTop) {
  area.surfaceTop = surfaceTop;
  Wake();
}

void PaneAnimation::SetWindowHeight(std::int32_t windowHeight, std::int32_t visibleHeight) {
  area.windowHeight = windowHeight;
  area.visibleHeight = visibleHeight;
  Wake();
}

void PaneAnimation::Restack() {
  for (std::size_t i = 1; i < area.panes.size(); ++i) area.panes[i].top = area.panes[i - 1].Bottom() + kPaneGap;
}

void PaneAnimation::SetScrollRange() {
  // No lower bound: a surface shorter than the bar leaves a negative range.
  const double units = static_cast<double>(area.surfaceHeight - area.scrollBarHeight) / kTwipsPerScrollUnit;
  area.scrollMax = CLng(units).value_or(0);
}

void PaneAnimation::ResizeLayout() {
  Wake();
  if (area.minimised) return;
  const std::int32_t last = area.LastPaneBottom();
  area.surfaceHeight = area.visibleHeight;
  if (area.visibleHeight < last) {
    area.wide = true;
    area.surfaceHeight = last + kSurfaceMargin;
  } else {
    area.wide = false;
    area.surfaceTop = 0;
  }
  // The range follows the surface: set before it grew, it would stop short
  // of the last links.
  SetScrollRange();
}

void PaneAnimation::TickClosing(PaneBox& pane, bool& resized) {
  pane.headerOpen = false;
  // A pane reaching below the window is cut at its edge first, so the
  // shrinking shows from the first tick.
  if (pane.Bottom() > area.windowHeight) pane.height = area.windowHeight - pane.top;
  pane.height = std::max(pane.headerHeight, pane.height - kPaneStep);
  area.surfaceHeight = area.LastPaneBottom() + kSurfaceMargin;
  if (pane.height <= pane.headerHeight) {
    animating_ = false;
    pane.height = pane.headerHeight;
    area.wide = false;
    ResizeLayout();
    resized = true;
  }
  SetScrollRange();
}

void PaneAnimation::TickOpening(PaneBox& pane, bool& resized) {
  const bool linkPane = pane_ == kLinkPane;
  pane.headerOpen = true;
  pane.height += kPaneStep;
  if (linkPane) area.surfaceHeight = area.LastPaneBottom() + kSurfaceMargin;

  if (area.surfaceTop + area.surfaceHeight > area.windowHeight) {
    if (linkPane) {
      // No point walking a long list down step by step: it shows at once.
      pane.height = std::max(pane.headerHeight, area.lastButtonBottom + kPaneGap);
      area.surfaceHeight = pane.Bottom() + kSurfaceMargin;
    }
    area.wide = true;
    SetScrollRange();
    ResizeLayout();
    resized = true;
    if (linkPane) {
      animating_ = false;
      return;
    }
  }

  const std::int32_t full = pane.contentBottom + kPaneGap;
  if (pane.height < full) return;
  animating_ = false;
  pane.height = std::max(pane.headerHeight, full);  // exact, whatever the last step overshot
  if (area.frameHeight < area.LastPaneBottom()) {
    area.wide = true;
    SetScrollRange();
  }
  ResizeLayout();
  resized = true;
}

}  // namespace tolvane
