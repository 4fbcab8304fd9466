// Helpers every window of the launcher shares: keeping on top, placing a
// dialog, moving it clear of the main window, the interface look, and the
// title-bar drag.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/geometry.h"
#include "core/options.h"
#include "ui/form.h"

namespace tolvane {

// Always on top, without taking the keyboard from the program in use; below
// the modal dialog that is open, if any.
void MettreAuPremierPlan(ui::Form& form);
void EnleverPremierPlan(ui::Form& form);
// Places a dialog from its saved position, or beside the main window.
void PositionnerFenetre(ui::Form& dialog);
// At the end of a title-bar drag: moves a dialog clear of the main window.
void DeplacementAuto(ui::Form& dialog);
InterfaceValues LireInterface();
// The colour to paint for a stored colour value: a system colour becomes the
// system's current colour.
COLORREF ShownColour(std::uint32_t colour);

// The screen in twips, and the monitors' work areas in twips.
double ScreenWidthTwips();
double ScreenHeightTwips();
std::vector<Rect> MonitorWorkAreas();

// The title-bar drag, as every skinned window does it.
void BeginTitleDrag(double x, double y);
// Moves `form` so the grab point stays under the cursor; false when no drag runs.
bool ContinueTitleDrag(ui::Form& form);
void EndTitleDrag();

}  // namespace tolvane
