// The system's view of the window and the monitors, as the pure window
// arithmetic takes it.
#pragma once

#include <windows.h>

#include "window/window_shape.h"

inline ScreenRect ToScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
inline RECT ToRect(const ScreenRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
ScreenRect WindowRectOf(HWND window);
inline bool HasFrame(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }
// The style's word, without importing one more function for it.
inline bool IsMinimised(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE) != 0; }
// What the frame adds around the client area, for the window's style now.
FrameInsets FrameAround(HWND window);
MonitorArea MonitorAreaOf(HMONITOR monitor);
// The monitor that holds most of the window (or the nearest one).
inline MonitorArea MonitorOfWindow(HWND window) { return MonitorAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }
// Does the rectangle touch any monitor?
bool OnSomeMonitor(const ScreenRect& rect);
// The monitor the system names \\.\DISPLAYn, if there is one now.
bool FindNumberedMonitor(int number, MonitorArea* area);
// One SetWindowPos to the rectangle that recalculates the frame, keeps the
// z-order and does not activate.
void MoveWindowTo(HWND window, const ScreenRect& outer);
