// Where the game window goes in the windowed mode: the window keys' values
// and the placement arithmetic. No Win32 here. Positions and sizes come from
// players' files and from the system: nothing here may overflow.
#pragma once

#include <stddef.h>

#include "window/aspect.h"
#include "window/geometry.h"

enum class WindowPosKind { Absent, Point, Centre, NotUnderstood };
struct WindowPos {
    WindowPosKind kind;
    int x;  // outer top-left corner, screen coordinates (Point only)
    int y;
};
// The windowpos value: "X,Y" (held within kFarthest), "center" or "centre"
// (any case); null is Absent.
WindowPos ParseWindowPos(const char* value);

// The windowsize value "WxH": the outer size. False for anything else,
// including a width or height that is 0, negative or too large for an int;
// the size is then 640 x 480.
bool ParseWindowSize(const char* value, int* width, int* height);

// Raises an outer size so that its client area is at least the smallest,
// then caps it at the largest the system lets a sizeable window have.
// Returns true when it changed the size.
bool BoundWindowSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight);

// The topmost value, read as: "always" (any case) keeps the window above
// others; any true value brings it to the front; anything else takes away
// always-on-top. Absent leaves the z-order alone.
enum class ZOrder { Unchanged, Front, AlwaysOnTop, NotTopmost };
ZOrder ParseTopmost(const char* value, bool isTrue);

// The aspect value: "W:H" (two whole numbers from 1 to kLargestRatioPart,
// e.g. "16:9"), or a true value for the shape of the client area the game
// started with. ratio is 0 x 0 unless the value is a Ratio.
enum class AspectKind { Absent, Ratio, StartShape, NotUnderstood };
AspectKind ParseAspect(const char* value, bool isTrue, AspectRatio* ratio);

// Copies the value's first word (up to a blank or line ending) for a log
// line, cut to fit.
void CopySettingWord(char* out, size_t size, const char* value);

// Does value hold word (any case), followed by anything but a letter? A
// value from the plug-in's file name runs on to ".asi".
bool ValueIsWord(const char* value, const char* word);

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
// of the monitor that holds most of it, or of the one named; insets: the
// frame it will have. A borderless window without a size is borderless
// full screen on the monitor (with a ratio, the largest rectangle of it,
// centred); a given size shrinks to the ratio's shape. A centred window sits
// in the middle of the work area, or at its top-left corner when it does not
// fit there.
WindowPlacement PlaceWindow(const WindowRequest& request, const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea, const FrameInsets& insets = {}, AspectRatio ratio = {});

// A framed window for a game that started borderless: a client area of
// three quarters of the monitor in each dimension, centred in the work area.
ScreenRect DefaultFramedWindow(const ScreenRect& monitor, const ScreenRect& workArea, const FrameInsets& insets);
