// The framed window while the player sizes or maximises it: never smaller
// than the smallest client area, and with aspect, the picture's shape kept.
#pragma once

#include <windows.h>

#include "window/aspect.h"

// WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE: a corner drag follows the border
// the pointer has moved further since the drag began.
void StartSizing(HWND window);
void EndSizing();
// WM_SIZING, before the game's procedure sees it (the host resizes its
// window at once to whatever rectangle it is offered).
void KeepShapeWhileSizing(HWND window, int edge, RECT* proposed, AspectRatio aspect);
// WM_GETMINMAXINFO, after the system's defaults: the smallest tracking size,
// and with a ratio the largest client area of it as the maximised window.
void LimitTracking(HWND window, MINMAXINFO* limits, AspectRatio aspect);
