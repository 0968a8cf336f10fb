// What the windowed mode does to the game's main window: frame, size, place
// and z-order from the window keys, and our procedure in front of the game's.
#pragma once

#include <windows.h>

#include "window/window_options.h"

// At start, before any window is arranged: the options every later
// arrangement follows.
void UseWindowOptions(const WindowOptions& options);
// Gives the window a normal frame: adds the overlapped-window styles,
// keeping every style bit it has.
void AddFrameStyles(HWND window);
// The window was already shown by the host: frame or unframe it, size and
// place it (100, 100 unless windowpos says otherwise), order it and show it.
void ArrangeShownWindow(HWND window);
// The host has not shown its window yet: with none of the window keys, only
// the frame styles; otherwise frame, size, place and order it as asked,
// without showing or activating it, and tell the host its client size.
void ArrangeWindowBeforeShow(HWND window);
