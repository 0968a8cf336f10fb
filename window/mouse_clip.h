// clipcursor: the mouse kept inside the game window while the game is in
// front, let go whenever the player needs it elsewhere.
#pragma once

#include <windows.h>

// Once our procedure is in front: confines at once if the game is active.
void StartMouseClip(HWND window);
// The steps after the game's own handling of a message. Lets go on leaving,
// minimising and destruction.
void ReleaseMouseClip();
// WM_ACTIVATE: confines on activation by the keyboard or by a click on the
// client area; lets go on leaving, on a minimised activation and while
// Ctrl+Alt is held.
void ClipOnActivation(HWND window, WPARAM activation);
// WM_WINDOWPOSCHANGED: follows moves and size changes, and confines a window
// that was active while hidden once it shows.
void ClipAfterPositionChange(HWND window, const WINDOWPOS& position);
// WM_DISPLAYCHANGE while confining: the system dropped the clip.
void ClipAfterDisplayChange(HWND window);
// A key down: Ctrl+Alt lets go.
void ReleaseClipOnCtrlAlt();
// A mouse button down on the active game: confines again when the system's
// clip is no longer ours.
void ClipOnClick(HWND window);
