// Our procedure in front of the game window's, in the windowed mode: the
// system's cursor over the frame, the mouse kept inside, Alt+Enter and the
// backdrop of full screen, the kept shape while sizing, the remembered place
// and Vice City's pause on leaving.
#pragma once

#include <windows.h>

#include "window/aspect.h"

struct GameWindowOptions {
    bool clipCursor;
    bool altEnter;
    bool pauseOnLeave;  // the host asks for its pause menu on WM_SETFOCUS
    bool remember;
    AspectRatio aspect;  // none kept when 0 x 0
};

// Called on every message our procedure sees, first: the game's device
// selection is over once its window gets messages. Given at start.
using ModeSettledHook = void (*)();
void SetModeSettledHook(ModeSettledHook report);
// Called before the game sees a key or mouse button go down, and four times
// a second (a gamepad reaches the game with no message): the player can
// reach a menu only from such a press on. Given at start.
using MenuCheck = void (*)();
void SetMenuCheck(MenuCheck check);

// Takes over the window's procedure (once; a second call changes nothing).
// Another mod that puts a procedure from before ours back over it takes
// ours out of the chain: within a quarter second the bars and the mouse
// clip go, the taskbar is told the game is no longer full screen, and the
// log says so.
void HookGameWindow(HWND window, const GameWindowOptions& options);
// Before we are unloaded while the game runs: puts the host's procedure
// back if ours is still the window's (nothing to do once ours was taken out
// of the chain); if another procedure was put over ours, keeps the plug-in
// loaded instead, so that chain stays whole.
void UnhookGameWindow();
