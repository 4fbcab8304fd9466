// The program's start and its one way to end on the user's request.
#pragma once

#include <string>
#include <vector>

#include "core/desktop_import.h"

namespace tolvane {

// The entry point: refuses a second instance, imports the desktop when asked,
// shows the main window (or hides it behind the tray icon), runs the loop.
int Main();

// Asks whether to quit; on Yes closes the other windows, saves the main
// window's place, empties the icon cache, removes the tray icon and ends.
void Quitter();

// The plain files of a folder (no folders, hidden or system files), in
// listing order.
void ListPlainFiles(const std::wstring& folder, std::vector<DesktopFile>& into);
// Imports both desktop folders into the group "Desktop".
void ImportDesktop();

}  // namespace tolvane
