// Alt+Enter in the windowed mode: a framed window becomes borderless full
// screen on the monitor that holds most of it, and back.
#pragma once

#include <windows.h>

#include "window/window_placement.h"

void SwitchFullScreen(HWND window);
// The framed rectangle the first switch back goes to, for a game that
// starts borderless (otherwise a centred window of three quarters of the
// monitor).
void KeepFramedRectangle(const ScreenRect& outer);
