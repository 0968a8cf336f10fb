// Where the game window goes in the windowed mode: the window keys' values
// and the placement arithmetic. No Win32 here. Positions and sizes come from
// players' files and from the system: nothing here may overflow.
#pragma once

#include <stddef.h>

// The plug-in's positions and sizes: far beyond any screen, yet small enough
// that sums, and products with a ratio's part, never overflow an int.
constexpr int kFarthest = 1 << 20;        // positions within -kFarthest..kFarthest
constexpr int kLargestExtent = 1 << 16;   // sizes the arithmetic multiplies
constexpr int kLargestRatioPart = 10000;  // a ratio's width and height
int Clamp(int value, int low, int high);

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

// The smallest client area the game window gets from a windowsize or from
// the player's dragging.
constexpr int kSmallestClientWidth = 320;
constexpr int kSmallestClientHeight = 240;
// Raises an outer size so that its client area is at least the smallest,
// then caps it at the largest the system lets a sizeable window have.
// Returns true when it changed the size.
bool BoundWindowSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight);

// The topmost value, read as: "always" (any case) keeps the window above
// others; any true value brings it to the front; anything else takes away
// always-on-top. Absent leaves the z-order alone.
enum class ZOrder { Unchanged, Front, AlwaysOnTop, NotTopmost };
ZOrder ParseTopmost(const char* value, bool isTrue);

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
// of the monitor that holds most of it, or of the one named. A borderless
// window without a size covers the monitor; a centred one sits in the middle
// of the work area, or at its top-left corner when it does not fit there.
WindowPlacement PlaceWindow(const WindowRequest& request, const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea);
