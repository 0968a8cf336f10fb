// Our procedure in front of the game window's, in the windowed mode: the
// system's cursor over the frame, and the mouse kept inside the window while
// the game has the focus.
#pragma once

#include <windows.h>

// Takes over the window's procedure when it needs us (framed, or
// clipCursor); otherwise leaves it alone.
void HookGameWindow(HWND window, bool framed, bool clipCursor);
// Before we are unloaded while the game runs: puts the host's procedure
// back if ours is still the window's; if another procedure was put over
// ours, keeps the plug-in loaded instead, so that chain stays whole.
void UnhookGameWindow();
