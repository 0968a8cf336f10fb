// The monitors as the system has them now, for the pure monitor arithmetic.
#pragma once

#include <windows.h>

#include "window/monitors.h"

MonitorArea MonitorAreaOf(HMONITOR monitor);
// The monitor that holds most of the window (or the nearest one).
inline MonitorArea MonitorOfWindow(HWND window) {
    return MonitorAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}
// Does the rectangle lie on a monitor where the player can grab its title
// bar (OnAMonitor)?
bool OnSomeMonitor(const ScreenRect& rect);
// The monitor the system names \\.\DISPLAYn, if there is one now.
bool FindNumberedMonitor(int number, MonitorArea* area);
