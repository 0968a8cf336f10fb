#pragma once

// Chooses and applies the mode at once, for a plug-in loaded after the host
// made its window; frames and sizes the window for the windowed mode.
// Returns 1 on success or when there is nothing to do, 0 on failure.
int ApplyDisplayModeNow();
