// The failure message box, for a fault caught at attach or in the deferred
// choice.
#pragma once

#include <windows.h>

// How the report finds the game window; given at start by the code that
// knows the window (none given: no window is hidden).
using FindGameWindow = HWND (*)();
void SetFaultReportWindow(FindGameWindow find);

// Hides the game window while the box shows. OK goes on without the plug-in's
// choice (the window is shown again when showWindowAfter); Cancel ends the
// game at once (exit code 3).
void ReportFault(bool showWindowAfter);
