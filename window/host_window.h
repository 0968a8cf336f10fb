// The game's main window: finding it, and what the windowed mode does to it
// (frame, size, place and z-order from the window keys).
#pragma once

#include <windows.h>

// The host's main window, or null while it does not exist yet.
HWND HostWindow();
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
