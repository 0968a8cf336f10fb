#pragma once

// The choice ends with a mode in GcurSelVM (which may be the host's own),
// with the player leaving the game by the dialog's exit button, or with a
// fault inside the dialog (the host's state then needs putting back).
enum class ModeChoice { Made, PlayerLeft, Faulted };

// Turns the dispora setting into GcurSelVM: the windowed mode, the first mode
// of the requested size (and depth), or the player's pick in the dialog.
ModeChoice ChooseDisplayMode();
