// Alt+Enter in the windowed mode: a framed window becomes borderless full
// screen on the monitor that holds most of it, and back.
#pragma once

#include <windows.h>

#include "window/aspect.h"

// With a ratio, full screen is the largest picture of it, centred, with a
// black backdrop over the rest of the monitor. Full screen is never a
// maximised window; the framed window comes back as it was left,
// maximised or not, and restores to where it was before it was maximised.
void SwitchFullScreen(HWND window, AspectRatio aspect);
// The game's window has become the picture of borderless full screen: a
// backdrop covers the rest of the monitor, if the ratio leaves any.
void StartFullScreen(HWND window, const ScreenRect& monitor, AspectRatio aspect);
// The pillarboxed picture was moved to another monitor (Win+Shift+Arrow) or
// its monitor's resolution changed: it is fitted and centred there again,
// and the backdrop covers that monitor.
void KeepPictureOnItsMonitor(HWND window, AspectRatio aspect);
// The framed rectangle the first switch back goes to, for a game that
// starts borderless (otherwise a centred window of three quarters of the
// monitor).
void KeepFramedRectangle(const ScreenRect& outer);
