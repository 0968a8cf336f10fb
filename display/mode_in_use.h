// The game's own device selection goes on after the plug-in's choice and may
// replace it: once it is over, the log says which mode the game really ran.
#pragma once

// The plug-in has just made its choice (the host's GcurSelVM).
void NoteModeChosen();
// "video mode in use: %d (chosen: %d)", once, at the first moment the
// settled mode can be seen; does nothing when there is nothing to report.
void ReportModeInUse();
// The last chance, at detach; while the process exits, not to the host's log.
void ReportModeInUseAtDetach(bool processExiting);
