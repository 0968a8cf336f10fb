// The window's shape while the player lives with it: the kept proportions
// while dragging a border, the smallest size, the maximised and full-screen
// rectangles, the monitor a number names, and the remembered rectangle's
// file text. No Win32 here; nothing may overflow.
#pragma once

#include <stddef.h>

#include "window/window_placement.h"

// The shape of a client area, in its smallest terms (within
// kLargestRatioPart); none for an empty one.
AspectRatio RatioOf(int width, int height);

// The border or corner the player drags; the values are the system's
// WMSZ_ codes.
enum class SizingEdge { Left = 1, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

// The outer rectangle a drag may have: proposed is what the system offers,
// current the window's rectangle before this step. The client area stays at
// least the smallest (kSmallestClientWidth x kSmallestClientHeight); with a
// ratio it keeps that shape: a left or right border sets the height from the
// width, a top or bottom border the width from the height, and a corner
// follows the border that moved most against the ratio. The edges opposite
// the dragged ones stay; the bottom follows a side border, the right a top
// or bottom border.
ScreenRect SizeWhileDragging(SizingEdge edge, const ScreenRect& proposed, const ScreenRect& current,
                             const FrameInsets& insets, AspectRatio ratio);

// The outer rectangle of a maximised window whose client area is the
// largest of the ratio (rounded down) inside the work area below the
// caption, centred there; the borders may reach beyond the work area, as
// any maximised frame's do.
ScreenRect MaximisedWithRatio(const ScreenRect& workArea, const FrameInsets& insets, AspectRatio ratio);

// A framed window for a game that started borderless: a client area of
// three quarters of the monitor in each dimension, centred in the work area.
ScreenRect DefaultFramedWindow(const ScreenRect& monitor, const ScreenRect& workArea, const FrameInsets& insets);

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

// dispora-window.ini: the remembered outer rectangle in the settings
// file's own syntax, "windowpos=X,Y" and "windowsize=WxH", one a line.
// Returns the text's length (0 when it does not fit).
size_t FormatRememberedWindow(char* out, size_t size, const ScreenRect& outer);
// Both lines, in any order (the first of each key counts), with a position
// and a size the keys accept; false for anything else.
bool ParseRememberedWindow(const char* text, ScreenRect* outer);
