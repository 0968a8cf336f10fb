// The system's view of the game window as the pure window arithmetic takes
// it: its rectangle, its frame and its state.
#pragma once

#include <windows.h>

#include "window/geometry.h"

inline ScreenRect ToScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
inline RECT ToRect(const ScreenRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
ScreenRect WindowRectOf(HWND window);
inline bool HasFrame(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }
// The style's word, without importing one more function for it.
inline bool IsMinimised(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE) != 0; }
// A framed window neither maximised nor minimised.
inline bool IsFramedAndRestored(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_MAXIMIZE | WS_MINIMIZE)) == WS_CAPTION;
}
// What the frame adds around the client area, for the window's style now,
// at the window's own DPI.
FrameInsets FrameAround(HWND window);
// One SetWindowPos to the rectangle that recalculates the frame, keeps the
// z-order and does not activate.
void MoveWindowTo(HWND window, const ScreenRect& outer);
