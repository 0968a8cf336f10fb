#pragma once

#include "settings/setting_values.h"

// How the choice ended: a mode the plug-in chose in GcurSelVM; nothing
// chosen, so the game's own choice stands (a size the engine does not offer);
// the player leaving the game by the dialog's exit button; or a fault inside
// the dialog (the host's state then needs putting back).
enum class ModeChoice { Made, GameChooses, PlayerLeft, Faulted };

// Turns the dispora setting into GcurSelVM: the windowed mode, the deepest
// mode of the requested size (or the first of the depth given), or the
// player's pick in the dialog.
ModeChoice ChooseDisplayMode(const ModeRequest& request);
