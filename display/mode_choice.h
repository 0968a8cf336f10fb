#pragma once

#include <windows.h>

enum class ModeChoice {
    Made,         // GcurSelVM names the mode to play in
    GameChooses,  // nothing chosen: the game's own choice stands
    Leave,        // the player left the dialog with its exit button
};

// Turns the dispora setting into GcurSelVM: the windowed mode, the first mode
// of the requested size (and depth), or the player's pick in the dialog.
ModeChoice ChooseDisplayMode();
