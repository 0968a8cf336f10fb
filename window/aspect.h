// The picture's shape: the proportions kept while the player drags a border,
// the maximised window, the window the game starts with and the picture in
// borderless full screen. No Win32 here; nothing may overflow.
#pragma once

#include "settings/setting_values.h"
#include "window/geometry.h"

// AspectRatio and kLargestRatioPart come with the aspect setting's values.
// The shape of a client area, in its smallest terms (within
// kLargestRatioPart); none for an empty one.
AspectRatio RatioOf(int width, int height);

// The border or corner the player drags; the values are the system's
// WMSZ_ codes.
enum class SizingEdge { Left = 1, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

// The outer rectangle a drag may have: proposed is what the system offers
// (the dragged edges at the pointer), dragStart the window's rectangle when
// the drag began. The client area stays at least the smallest
// (kSmallestClientWidth x kSmallestClientHeight); with a ratio it keeps that
// shape: a left or right border sets the height from the width, a top or
// bottom border the width from the height, and a corner follows the border
// the pointer has moved further since the drag began, in the ratio's terms.
// The edges opposite the dragged ones stay; the bottom follows a side
// border, the right a top or bottom border.
ScreenRect SizeWhileDragging(SizingEdge edge, const ScreenRect& proposed, const ScreenRect& dragStart,
                             const FrameInsets& insets, AspectRatio ratio);

// The outer rectangle of a maximised window whose client area is the
// largest of the ratio (rounded down) inside the work area below the
// caption, centred there; the borders may reach beyond the work area, as
// any maximised frame's do.
ScreenRect MaximisedWithRatio(const ScreenRect& workArea, const FrameInsets& insets, AspectRatio ratio);

// The window the game starts with: the outer size shrinks until its client
// area is the largest of the ratio inside the one it had (never below the
// smallest client area of the ratio). Without a ratio nothing changes.
void FitSizeToRatio(int* width, int* height, const FrameInsets& insets, AspectRatio ratio);

// Borderless full screen: the largest rectangle of the ratio, centred on
// the monitor; the whole monitor without a ratio.
ScreenRect FullScreenWithRatio(const ScreenRect& monitor, AspectRatio ratio);
