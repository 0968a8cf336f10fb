// clipcursor: the mouse kept inside the game window while the game is in
// front, let go whenever the player needs it elsewhere.
#pragma once

#include <windows.h>

// Once our procedure is in front: confines at once if the game is active.
void StartMouseClip(HWND window);
// After the game's own handling of each message: confine on activation by
// the keyboard or by a click on the client area, follow moves and size
// changes, let go on leaving, minimising, Ctrl+Alt and destruction. A click
// on the client area, or a display change while the game is in front,
// confines again whenever the system's clip is no longer ours.
void FollowWithMouseClip(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ReleaseMouseClip();
