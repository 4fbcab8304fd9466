#include "base/skinned_frame.h"

#include <utility>

#include "base/skin.h"
#include "base/window_helpers.h"

namespace tolvane {
namespace {

constexpr COLORREF kBorderColour = RGB(0x6F, 0xBA, 0xFF);  // the border picture's lower edge
constexpr COLORREF kTitleTextColour = RGB(0x10, 0x36, 0x82);

}  // namespace

void DesignFrame(ui::Form& form, const FrameControls& c, const FrameSizes& sizes) {
  const Skin& skin = TheSkin();
  c.EnteteH.Create(form, {.name = L"EnteteH", .height = kTitleBarHeight, .align = ui::Align::Top,
                          .picture = skin.title});
  c.MeIcon.Create(c.EnteteH, {.name = L"MeIcon", .left = 120, .top = 50, .width = 300, .height = 300,
                              .transparent = true});
  c.MeCaption.Create(c.EnteteH, {.name = L"MeCaption", .left = 555, .top = 60, .width = sizes.captionWidth,
                                 .height = 255, .fore = kTitleTextColour, .transparent = true,
                                 .font = {L"Tahoma", 8.25, true}});
  c.FBtn.Create(c.EnteteH, {.name = L"FBtn", .left = sizes.holderLeft, .width = sizes.holderWidth,
                            .height = 375, .transparent = true});
  c.BtnClose.Create(c.FBtn, {.name = L"BtnClose", .left = 300, .top = 60, .width = 300, .height = 300,
                             .transparent = true, .picture = skin.closeUp, .pictureDown = skin.closeDown,
                             .toolTip = L"Fermer"});
  c.EnteteB.Create(form, {.name = L"EnteteB", .height = sizes.bottomHeight, .align = ui::Align::Bottom,
                          .picture = skin.border});
  c.BorderLeft.Create(form, {.name = L"BorderLeft", .width = 30, .align = ui::Align::Left,
                             .back = kBorderColour, .picture = skin.border, .stretch = false});
  c.BorderRight.Create(form, {.name = L"BorderRight", .width = 30, .align = ui::Align::Right,
                              .back = kBorderColour, .picture = skin.border, .stretch = false});
}

void WireTitleDrag(ui::Form& form, ui::Panel& EnteteH, ui::Panel& MeCaption, std::function<void()> moved,
                   std::function<void()> released) {
  EnteteH.onMouseDown = [](const ui::MouseArgs& a) { BeginTitleDrag(a.x, a.y); };
  EnteteH.onMouseMove = [&form, moved = std::move(moved)](const ui::MouseArgs&) {
    if (ContinueTitleDrag(form) && moved) moved();
  };
  EnteteH.onMouseUp = [released = std::move(released)](const ui::MouseArgs&) {
    EndTitleDrag();
    if (released) released();
  };
  EnteteH.onCaptureLost = [] { EndTitleDrag(); };
  // The caption's grab point is taken in the title bar's coordinates.
  MeCaption.onMouseDown = [&MeCaption](const ui::MouseArgs& a) {
    BeginTitleDrag(MeCaption.Left() + a.x, MeCaption.Top() + a.y);
  };
  MeCaption.onMouseMove = EnteteH.onMouseMove;
  MeCaption.onMouseUp = EnteteH.onMouseUp;
  MeCaption.onCaptureLost = EnteteH.onCaptureLost;
}

}  // namespace tolvane
