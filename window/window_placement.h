// Where the game window goes in the windowed mode: the placement
// arithmetic. No Win32 here. Positions and sizes come from
// players' files and from the system: nothing here may overflow.
#pragma once

#include <stddef.h>

#include "settings/setting_values.h"
#include "window/aspect.h"
#include "window/geometry.h"
// Raises an outer size so that its client area is at least the smallest,
// then caps it at the largest the system lets a sizeable window have.
// Returns true when it changed the size.
bool BoundWindowSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight);
// The same bounds for a client size (picturesize): at least the smallest
// client area, and the window framed around it at most the largest.
bool BoundPictureSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight);

struct WindowRequest {
    bool hasSize;  // windowsize or picturesize given
    int width;
    int height;
    WindowPos pos;
    bool borderless;
    // A monitor was named: a point counts from its top-left corner, and
    // without one the window is centred there.
    bool onNamedMonitor;
    bool sizeIsPicture;  // the size is the client area's (picturesize): the frame goes around it
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
// of the monitor that holds most of it, or of the one named; insets: the
// frame it will have. A borderless window without a size is borderless
// full screen on the monitor (with a ratio, the largest rectangle of it,
// centred); a picture size gets the frame around it; a given size shrinks
// to the ratio's shape. A centred window sits
// in the middle of the work area, or at its top-left corner when it does not
// fit there.
WindowPlacement PlaceWindow(const WindowRequest& request, const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea, const FrameInsets& insets = {}, AspectRatio ratio = {});

// A framed window for a game that started borderless: a client area of
// three quarters of the monitor in each dimension, centred in the work area.
ScreenRect DefaultFramedWindow(const ScreenRect& monitor, const ScreenRect& workArea, const FrameInsets& insets);
