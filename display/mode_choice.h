#pragma once

#include <windows.h>

// Turns the dispora setting into GcurSelVM: the windowed mode, the first mode
// of the requested size (and depth), or the player's pick in the dialog.
// Returns 0 only when the player left the dialog with its exit button.
int ChooseDisplayMode();
