// Rectangles on the screen, and the bounds that keep their arithmetic safe.
// No Win32 here. Positions and sizes come from players' files and from the
// system: nothing here may overflow.
#pragma once

#include "core/bounds.h"

// Sizes the arithmetic multiplies, with positions held within kFarthest:
// sums, and products with a ratio's part, never overflow an int.
constexpr int kLargestExtent = 1 << 16;

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
bool SameRect(const ScreenRect& a, const ScreenRect& b);
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
