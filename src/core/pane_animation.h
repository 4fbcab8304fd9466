// The main window's two panes opening and closing by animation, as plain
// numbers in twips: the window copies its controls' geometry in, steps the
// animation and applies back only what changed. The timer that steps it runs
// only while the model is awake: every change of where the panes stand wakes
// it, and the first tick that finds everything in place puts it to sleep, so
// a bar at rest costs no wake-ups at all.
#pragma once

#include <cstdint>
#include <vector>

namespace tolvane {

inline constexpr std::int32_t kPaneStep = 60;          // grown or shrunk per tick
inline constexpr std::int32_t kPaneGap = 120;          // between panes, and under a pane's content
inline constexpr std::int32_t kSurfaceMargin = 250;    // under the last pane
inline constexpr std::int32_t kTwipsPerScrollUnit = 100;
inline constexpr int kLinkPane = 1;

struct PaneBox {
  std::int32_t top = 0;
  std::int32_t height = 0;
  std::int32_t headerHeight = 375;  // a closed pane's height
  bool headerOpen = false;          // the header shows the open picture
  // The bottom of the pane's lowest control, hidden ones included. Read only
  // while this pane opens.
  std::int32_t contentBottom = 0;

  std::int32_t Bottom() const { return top + height; }
  bool operator==(const PaneBox&) const = default;
};

// Everything a tick reads and writes.
struct PaneArea {
  std::vector<PaneBox> panes;
  std::int32_t windowHeight = 0;    // the whole window: the animation's limit
  std::int32_t visibleHeight = 0;   // inner height less the bottom bar: the layout's limit
  std::int32_t frameHeight = 0;     // `FEnteteL`
  std::int32_t surfaceTop = 0;      // `EnteteL`, moved by the scroll bar
  std::int32_t surfaceHeight = 0;
  std::int32_t scrollBarHeight = 0;
  std::int32_t scrollMax = 0;       // `Ascenseur.Max`, negative when nothing scrolls
  std::int32_t lastButtonBottom = 0;  // the link pane's last button; read while it opens
  bool wide = false;                // the scroll bar is uncovered
  bool minimised = false;           // the layout is left alone

  std::int32_t LastPaneBottom() const { return panes.empty() ? 0 : panes.back().Bottom(); }
  bool operator==(const PaneArea&) const = default;
};

class PaneAnimation {
 public:
  PaneArea area;

  // Starts opening pane `index` when it stands at header height, closing it
  // otherwise. Dropped, not queued, while an animation runs.
  void MenuHeader_Click(int index);
  // One timer tick. Returns whether it ran the resize layout, whose window
  // side (keeping the widened bar on the screen) is the owner's to do. A
  // tick that finds everything in place changes nothing and sleeps.
  bool Tick();
  // `Form_Resize`'s layout choice: wide while the last pane reaches below
  // the visible area, else narrow and scrolled back to the top.
  void ResizeLayout();

  // The changes other code makes to the panes; each wakes the timer, since
  // the panes may then stand out of their stack.
  void SetPaneHeight(int index, std::int32_t height);
  void ScrollTo(std::int32_t surfaceTop);
  void SetWindowHeight(std::int32_t windowHeight, std::int32_t visibleHeight);
  // The one call that starts the timer: whatever changed the geometry
  // outside the calls above says so here.
  void Wake() { awake_ = true; }
  // Whether the timer has to run.
  bool Awake() const { return awake_; }

  bool Animating() const { return animating_; }
  // Whether a tick would change nothing: no animation, panes in their stack.
  bool Idle() const;
  bool Opening() const { return opening_; }
  int AnimatedPane() const { return pane_; }

 private:
  void Restack();
  void SetScrollRange();
  void TickClosing(PaneBox& pane, bool& resized);
  void TickOpening(PaneBox& pane, bool& resized);

  bool awake_ = true;       // a new window has yet to be stacked
  bool animating_ = false;  // `AnimEnCours`
  bool opening_ = false;    // `SensOuverture`
  int pane_ = 0;            // `IndexVolet`
};

}  // namespace tolvane
