// Where the game window goes in the windowed mode: the window keys' values
// and the placement arithmetic. No Win32 here.
#pragma once

#include <stddef.h>

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

enum class WindowPosKind { Absent, Point, Centre, NotUnderstood };
struct WindowPos {
    WindowPosKind kind;
    int x;  // outer top-left corner, screen coordinates (Point only)
    int y;
};
// The windowpos value: "X,Y", "center" or "centre" (any case); null is Absent.
WindowPos ParseWindowPos(const char* value);

// The topmost value, read as: "always" (any case) keeps the window above
// others; any true value brings it to the front; anything else takes away
// always-on-top. Absent leaves the z-order alone.
enum class ZOrder { Unchanged, Front, AlwaysOnTop, NotTopmost };
ZOrder ParseTopmost(const char* value, bool isTrue);

// Copies the value's first word (up to a blank or line ending) for a log
// line, cut to fit.
void CopySettingWord(char* out, size_t size, const char* value);

// Does value hold word (any case), followed by the end of the value, a blank
// or a line ending?
bool ValueIsWord(const char* value, const char* word);

struct WindowRequest {
    bool hasSize;  // windowsize given: outer width and height
    int width;
    int height;
    WindowPos pos;
    bool borderless;
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

// window: the window's present outer rectangle; monitor and workArea: those
// of the monitor that holds most of it. A borderless window without a size
// covers the monitor; a centred one sits in the middle of the work area, or
// at its top-left corner when it does not fit there.
WindowPlacement PlaceWindow(const WindowRequest& request, const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea);
