// The taskbar gives way to a window whose client area covers its monitor.
// With black bars around the picture the game's does not, so while the bars
// show the game's window is declared full screen to it; the declaration
// lapses whenever the window is hidden.
#pragma once

#include <windows.h>

// COM and the shell's taskbar object, on the game's thread: never while the
// loader runs us (attach and detach).
void DeclareFullScreenToTaskbar(HWND window, bool fullScreen);
