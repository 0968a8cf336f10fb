// remember: the framed window's place and size in dispora-window.ini beside
// the plug-in, saved when the player ends a move or a size, used at the
// next start. dispora.ini is never written.
#pragma once

#include <windows.h>

#include "window/window_placement.h"

// The remembered outer rectangle, if the file holds one that lies on a
// monitor now (one log line either way when the file holds one); outer may
// be written either way.
bool ReadRememberedWindow(ScreenRect* outer);
// Where the window starts: a later save only when it has changed since.
void StartRemembering(HWND window);
// WM_EXITSIZEMOVE: saves a changed rectangle of the framed window (never a
// maximised, minimised or borderless one).
void RememberWindow(HWND window);
