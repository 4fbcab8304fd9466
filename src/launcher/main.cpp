// Tolvane.exe: the program starts in Main; no window is the start object.
#include <windows.h>

#include "launcher/start.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return tolvane::Main(); }
