// Where the game window goes in the windowed mode: the placement
// arithmetic. No Win32 here. Positions and sizes come from
// players' files and from the system: nothing here may overflow.
#pragma once

#include <stddef.h>

#include "settings/setting_values.h"

// Sizes the arithmetic multiplies, with positions held within kFarthest:
// sums, and products with a ratio's part, never overflow an int.
constexpr int kLargestExtent = 1 << 16;  // sizes the arithmetic multiplies

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
// The rectangle at x, y of the given size, all held within kFarthest.
ScreenRect RectAt(int x, int y, int width, int height);

// The difference between a window's outer rectangle and its client area.
struct FrameInsets {
    int left;
    int top;
    int right;
    int bottom;
    int Width() const { return left + right; }
    int Height() const { return top + bottom; }
};

// The smallest client area the game window gets from a windowsize or from
// the player's dragging.
constexpr int kSmallestClientWidth = 320;
constexpr int kSmallestClientHeight = 240;
// Raises an outer size so that its client area is at least the smallest,
// then caps it at the largest the system lets a sizeable window have.
// Returns true when it changed the size.
bool BoundWindowSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight);

struct WindowRequest {
    bool hasSize;  // windowsize given: outer width and height
    int width;
    int height;
    WindowPos pos;
    bool borderless;
    // A monitor was named: a point counts from its top-left corner, and
    // without one the window is centred there.
    bool onNamedMonitor;
};

// What to change: a position, a size, or both; the size is the outer size
// the window will have either way.
struct WindowPlacement {
    bool move;
    int x;
    int y;
    bool resize;
    int width;
    int height;
};

// Centred in the work area, or at its top-left corner when it does not fit.
WindowPlacement CentreIn(const ScreenRect& workArea, int width, int height);

// window: the window's present outer rectangle; monitor and workArea: those
// of the monitor that holds most of it, or of the one named. A borderless
// window without a size covers the monitor; a centred one sits in the middle
// of the work area, or at its top-left corner when it does not fit there.
WindowPlacement PlaceWindow(const WindowRequest& request, const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea);
