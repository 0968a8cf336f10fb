// Black bars around the picture in borderless full screen with aspect: a
// window of the plug-in's own covering the monitor, directly behind the
// game's window. A tool window that never becomes active: not in the
// taskbar nor in Alt+Tab, and a click on it leaves the game in front.
#pragma once

#include <windows.h>

#include "window/geometry.h"

// Covers the monitor behind the game's window (made at the first call).
void ShowBackdrop(HWND game, const ScreenRect& monitor);
// The game's window was activated, shown, hidden, sized or moved in the
// z-order: the backdrop shows directly behind it (always-on-top when it
// is) while it is visible and not minimised, and hides otherwise.
void KeepBackdropBehind(HWND game);
// The game is framed again, its window is destroyed or the plug-in unloads:
// the window is destroyed and its class unregistered.
void RemoveBackdrop();
bool HasBackdrop();
// The game is framed again, or our procedure was taken out of its chain, on
// the game's thread: the taskbar is told the window is no longer full
// screen, if it was, and the backdrop goes.
void TakeBarsAway(HWND game);
// Once each time the backdrop shows, from the game's own messages (never
// while the loader runs us): the game's window is declared full screen to
// the taskbar, which otherwise stays over a picture narrower than the
// monitor.
void TellTaskbarOfBars(HWND game);
