#pragma once

#include "settings/settings.h"

// The plug-in's own application of its choice: done (or nothing to do), the
// engine refused the chosen subsystem, or a fault inside the dialog.
enum class ImmediateOutcome { Applied, Refused, Faulted };

// Chooses and applies the mode at once, for a plug-in loaded after the host
// made its window; frames and sizes the window for the windowed mode.
// Without a dispora setting only the game's own choice is logged.
ImmediateOutcome ApplyDisplayModeNow(const ModeSetting& dispora);
