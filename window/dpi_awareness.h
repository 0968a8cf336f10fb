// Sharp windows on scaled displays: the dpiaware key.
#pragma once

#include <windows.h>

// Before the game made its window: makes the process DPI-aware (per-monitor
// v2 where the system has it, else system-wide) when dpiaware asks for it.
// Once the window exists its scaling can no longer change: only a log line.
void ApplyDpiAwareness(bool asked, bool windowExists);

// Grows the client rectangle by the frame the window has at its own DPI:
// on a scaled monitor a per-monitor aware window's frame is scaled too.
// Where the system cannot say (before Windows 10 1607), the frame
// AdjustWindowRectEx gives.
void AdjustFrameForWindowDpi(HWND window, RECT* rect, DWORD style, DWORD exStyle);
