// The values a setting may have and how each is read from its text. No
// Win32 here; values come from players' files: nothing here may overflow.
#pragma once

#include <stddef.h>

#include "core/bounds.h"

constexpr int kLargestRatioPart = 10000;  // a ratio's width and height

// A signed decimal whole number that fits an int, e.g. "-1200", after any
// blanks; returns the character after it, or null (and leaves value alone)
// when there is none.
const char* ParseWholeNumber(const char* text, int* value);

// Does value hold word (any case), followed by anything but a letter?
bool ValueIsWord(const char* value, const char* word);
// Copies the value's first word (up to a blank or line ending), cut to fit.
void CopySettingWord(char* out, size_t size, const char* value);

// A truth value, by its first characters (any case), as the settings have
// always been read: "yes", "true" or "1" is true, anything else false. A
// value that begins with neither those nor "no", "false" or "0" is not
// understood (and still false).
enum class Truth { True, False, NotUnderstood };
Truth ParseTruth(const char* value);
inline bool IsTrue(Truth truth) { return truth == Truth::True; }

// dispora: "windowed" (the engine's mode 0), a size "WxH" or "WxHxD", or
// anything else (the player picks in the dialog).
struct ModeRequest {
    bool windowed;  // begins with "windowed": the engine's mode 0
    int width;      // 0 when no size was given: the dialog decides
    int height;
    int depth;      // 0: any depth
};
ModeRequest ParseModeRequest(const char* value);
inline bool RequestHasSize(const ModeRequest& request) { return request.width != 0 && request.height != 0; }

// windowpos: "X,Y" (held within kFarthest), "center" or "centre" (any
// case); null is Absent.
enum class WindowPosKind { Absent, Point, Centre, NotUnderstood };
struct WindowPos {
    WindowPosKind kind;
    int x;  // outer top-left corner, screen coordinates (Point only)
    int y;
};
WindowPos ParseWindowPos(const char* value);

// windowsize "WxH": the outer size. False for anything else, including a
// width or height that is 0, negative or too large for an int; the size is
// then 640 x 480.
bool ParseWindowSize(const char* value, int* width, int* height);

// topmost: "always" (any case) keeps the window above others; any true
// value brings it to the front; anything else takes away always-on-top.
// Absent leaves the z-order alone.
enum class ZOrder { Unchanged, Front, AlwaysOnTop, NotTopmost };
ZOrder ParseTopmost(const char* value);
// Neither a truth word nor "always".
bool TopmostUnderstood(const char* value);

// aspect: "W:H" (two whole numbers from 1 to kLargestRatioPart, e.g.
// "16:9"), or a whole truth word: a true one keeps the shape of the client
// area the game started with, a false one keeps none. Blanks may follow;
// anything else is not understood. ratio is 0 x 0 unless the value is a Ratio.
enum class AspectKind { Absent, Ratio, StartShape, NotUnderstood };
struct AspectRatio {
    int width;  // both 0: no ratio to keep
    int height;
    bool Kept() const { return width > 0 && height > 0; }
};
AspectKind ParseAspect(const char* value, AspectRatio* ratio);
