// The monitors as the system lists them: the one a number names, and
// whether a window lies on one where the player can grab it. No Win32 here.
#pragma once

#include <stddef.h>

#include "window/geometry.h"

// The number in a display device name such as "\\.\DISPLAY2" (the number
// the system's display settings show); 0 for any other name.
int DisplayNumber(const char* deviceName);

// One monitor as the system lists it.
struct MonitorArea {
    int number;  // from DisplayNumber
    ScreenRect monitor;
    ScreenRect workArea;
};
// The monitor of that number in the list, or null.
const MonitorArea* FindMonitor(const MonitorArea* monitors, size_t count, int number);

// The part of a window the player grabs it by: the band of its top
// kGrabbableHeight pixels, over kGrabbableWidth of width.
constexpr int kGrabbableHeight = 50;
constexpr int kGrabbableWidth = 100;
// Is the window on a monitor, its title bar within the player's reach? The
// band of its top kGrabbableHeight pixels lies in one work area over at
// least kGrabbableWidth of width; a smaller window lies wholly in one.
bool OnAMonitor(const ScreenRect& window, const MonitorArea* monitors, size_t count);
