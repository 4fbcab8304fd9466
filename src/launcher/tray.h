// The notification-area icon the main window hides behind.
#pragma once

#include <windows.h>

namespace tolvane {

// The icon's mouse notifications reach the main window as this message,
// with the mouse message in lParam.
inline constexpr UINT kTrayMessage = WM_APP + 1;

// Adds the icon with the main window's icon and the application title as tip.
// Returns whether the shell took it (its tray may not be up yet at log-on).
bool AjouterIconeTray();
void SupprimerIconeTray();
// Sends the record again, with its current icon.
void ModifierIconeTray();
// The icon the record shows, which ModifierIconeTray sends; whether it changed.
bool SetTrayIcon(HICON icon);
HICON TrayIcon();
bool TrayIconShown();

}  // namespace tolvane
