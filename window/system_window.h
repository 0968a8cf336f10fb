// The system's side of the window arithmetic: the game window's rectangle,
// frame and state, the monitors as the system has them now, and the system
// functions looked up at run time.
#pragma once

#include <windows.h>

#include "window/geometry.h"
#include "window/monitors.h"

inline ScreenRect ToScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
inline RECT ToRect(const ScreenRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
ScreenRect WindowRectOf(HWND window);
inline bool HasFrame(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }
// A framed window neither maximised nor minimised.
inline bool IsFramedAndRestored(HWND window) { return HasFrame(window) && !IsZoomed(window) && !IsIconic(window); }
// What the frame adds around the client area, for the window's style now,
// at the window's own DPI.
FrameInsets FrameAround(HWND window);
// One SetWindowPos to the rectangle that recalculates the frame, keeps the
// z-order and does not activate.
void MoveWindowTo(HWND window, const ScreenRect& outer);

MonitorArea MonitorAreaOf(HMONITOR monitor);
// The monitor that holds most of the window (or the nearest one).
inline MonitorArea MonitorOfWindow(HWND window) {
    return MonitorAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}
// Does the rectangle lie on a monitor where the player can grab its title
// bar (OnAMonitor)?
bool OnSomeMonitor(const ScreenRect& rect);
// The monitor the system names \\.\DISPLAYn, if there is one now.
bool FindNumberedMonitor(int number, MonitorArea* area);

// A function of a system DLL the process has loaded, looked up at run time:
// older systems lack some, and the plug-in imports no more libraries. Null
// when the module is not loaded or lacks the function.
template <typename Function>
Function SystemFunction(const char* module, const char* name) {
    const HMODULE loaded = GetModuleHandleA(module);
    if (loaded == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}
